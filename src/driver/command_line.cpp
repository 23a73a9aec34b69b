#include "command_line.h"

#include <cstdio>

#include "data_files.h"
#include "event_table.h"
#include "fenster_graf.h"
#include "key_table.h"
#include "text_codec.h"
#include "version.h"

#ifndef SYZYGY_VERSION
#define SYZYGY_VERSION "unbekannt"
#endif

namespace driver {
CommandLineRequest ReadCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return CommandLineRequest::Run;
  if (arguments.size() == 1 && arguments[0] == "--help") return CommandLineRequest::Help;
  if (arguments.size() == 1 && arguments[0] == "--version") return CommandLineRequest::Version;
  return CommandLineRequest::Invalid;
}

std::string HelpText(const std::string& program, const std::vector<std::string>& dataFolders,
                     const std::string& picturesFolder) {
  std::string text =
      "Aufruf: " + program + " [--help | --version]\n"
      "       " + program + " --ereignisse ORT [VON [BIS]] [--tsv] [--modell=exakt|original]\n"
      "\n"
      "Zeigt Sonnen- und Mondfinsternisse und Durchgänge von Merkur und Venus, wie sie zu\n"
      "einem gewählten Zeitpunkt vom Erdmittelpunkt oder von einem Ort auf der Erde aus zu\n"
      "sehen sind, auf einem Vollbild. Nach dem Titelbild fragt das Programm nach dem\n"
      "Ereignis, dem Zeitpunkt und dem Beobachtungsort.\n"
      "\n"
      "Mit --ereignisse schreibt es ohne Fenster eine Tabelle der Ereignisse, die vom ORT aus\n"
      "zu sehen sind (ein Name aus City.dat oder Breite,Länge in Grad), von VON bis BIS\n"
      "(wie 12.8.2026 oder 2026-08-12; sonst von heute an zehn Jahre): je Zeile Datum, Art,\n"
      "Phase am Ort, Größe, Bedeckung, Dauer der Totalität oder Ringförmigkeit, die Kontakte\n"
      "in UT mit der Höhe der Sonne (bei Mondfinsternissen des Mondes). --tsv gibt Spalten\n"
      "mit Tabulatoren und eine Kopfzeile, --modell=original das Zeitmodell des Programms\n"
      "statt der Zeiten wie beobachtet.\n"
      "\n"
      "Tasten im Bild:\n";
  for (const KeyHelp& k : KeyTable) {
    std::string meaning = k.Meaning;
    if (const std::size_t at = meaning.find("%s"); at != std::string::npos)
      meaning.replace(at, 2, program);
    text += text::PaddedText(std::string("  ") + k.Keys, 23) + meaning + "\n";
  }
  text +=
      "\n"
      "City.dat (Orte: Name, Breite, Länge in Grad) und " + program + ".txt (Titelbild)\n"
      "werden in dieser Reihenfolge gesucht:\n";
  for (const std::string& folder : dataFolders) {
    text += folder.empty() ? "  im Arbeitsverzeichnis\n" : "  in " + folder + "/\n";
  }
  text += "Bilder kommen ins Arbeitsverzeichnis";
  text += picturesFolder.empty() ? ".\n"
                                 : ", und wenn das nicht geht, nach\n  " +
                                       picturesFolder + "/\n";
  return text;
}

std::string VersionText(const std::string& program) {
  return program + " " SYZYGY_VERSION " (Version: " + VersionDate + ")\n";
}

std::string CommandLineError(const std::string& program,
                             const std::vector<std::string>& arguments) {
  std::string problem = "zu viele Argumente";
  for (const std::string& argument : arguments) {
    if (argument != "--help" && argument != "--version") {
      problem = "unbekanntes Argument „" + argument + "“";
      break;
    }
  }
  return program + ": " + problem + " (" + program + " --help zeigt die Aufrufe)\n";
}

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0), argv + argc);
  const std::string& program = console::ProgramBaseName();
  if (!arguments.empty() && arguments[0] == "--ereignisse")
    return RunEventTable(program, {arguments.begin() + 1, arguments.end()});
  switch (ReadCommandLine(arguments)) {
    case CommandLineRequest::Run:
      return std::nullopt;
    case CommandLineRequest::Help:
      std::fputs(HelpText(program, CurrentDataFolders(), CurrentPicturesFolder()).c_str(), stdout);
      return 0;
    case CommandLineRequest::Version:
      std::fputs(VersionText(program).c_str(), stdout);
      return 0;
    case CommandLineRequest::Invalid:
      break;
  }
  std::fputs(CommandLineError(program, arguments).c_str(), stderr);
  return 2;
}
}  // namespace driver
