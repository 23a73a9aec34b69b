// --help, --version and wrong arguments.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "command_line.h"
#include "event_table.h"
#include "mathe.h"
#include "key_table.h"
#include "version.h"

using namespace driver;

namespace {

struct RequestCase {
  const char* Name;
  std::vector<std::string> Arguments;
  CommandLineRequest Expected;
};

class ReadCommandLineTest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(ReadCommandLineTest, OnlyHelpOrVersionAlone) {
  EXPECT_EQ(ReadCommandLine(GetParam().Arguments), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ReadCommandLineTest,
    ::testing::Values(
        RequestCase{"None", {}, CommandLineRequest::Run},
        RequestCase{"Help", {"--help"}, CommandLineRequest::Help},
        RequestCase{"Version", {"--version"}, CommandLineRequest::Version},
        RequestCase{"ShortHelp", {"-h"}, CommandLineRequest::Invalid},
        RequestCase{"CapitalHelp", {"--Help"}, CommandLineRequest::Invalid},
        RequestCase{"Empty", {""}, CommandLineRequest::Invalid},
        RequestCase{"QtOption", {"-platform", "offscreen"}, CommandLineRequest::Invalid},
        RequestCase{"HelpAndVersion", {"--help", "--version"}, CommandLineRequest::Invalid},
        RequestCase{"HelpTwice", {"--help", "--help"}, CommandLineRequest::Invalid},
        RequestCase{"HelpAndMore", {"--help", "x"}, CommandLineRequest::Invalid}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CommandLineError, NamesTheFirstUnknownArgument) {
  EXPECT_EQ(CommandLineError("syzygy", {"--help", "-x", "-y"}),
            "syzygy: unbekanntes Argument „-x“ (syzygy --help zeigt die Aufrufe)\n");
  EXPECT_EQ(CommandLineError("syzygy", {""}),
            "syzygy: unbekanntes Argument „“ (syzygy --help zeigt die Aufrufe)\n");
  EXPECT_EQ(CommandLineError("syzygy", {"--version", "--help"}),
            "syzygy: zu viele Argumente (syzygy --help zeigt die Aufrufe)\n");
}

TEST(HelpText, NamesTheFoldersInTheirOrder) {
  const std::string text = HelpText(
      "syzygy", {"", "/home/u/.local/share/syzygy", "/usr/share/syzygy"}, "/home/u/Bilder");
  EXPECT_EQ(text.rfind("Aufruf: syzygy [--help | --version]\n", 0), 0u);
  const std::string files =
      "City.dat (Orte: Name, Breite, Länge in Grad) und syzygy.txt (Titelbild)\n"
      "werden in dieser Reihenfolge gesucht:\n"
      "  im Arbeitsverzeichnis\n"
      "  in /home/u/.local/share/syzygy/\n"
      "  in /usr/share/syzygy/\n"
      "Bilder kommen ins Arbeitsverzeichnis, und wenn das nicht geht, nach\n"
      "  /home/u/Bilder/\n";
  ASSERT_GE(text.size(), files.size());
  EXPECT_EQ(text.substr(text.size() - files.size()), files);
  for (const char* key : {"Cursor rechts/links", "Esc", "Strg-C", "syzygy01.bmp"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
}

TEST(HelpText, WithoutPicturesFolder) {
  const std::string text = HelpText("syzygy", {""}, "");
  const std::string tail =
      "gesucht:\n  im Arbeitsverzeichnis\nBilder kommen ins Arbeitsverzeichnis.\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(VersionText, ProjectVersionAndTitleScreenDate) {
  EXPECT_EQ(VersionText("syzygy"), "syzygy " SYZYGY_PROJECT_VERSION " (Version: 15. März 2016)\n");
  EXPECT_STREQ(VersionDate, "15. März 2016");
}

// The manual page's header names this version and the title screen's date, and its keys say
// what --help says (letters beyond ASCII written as roff escapes there).
TEST(ManualPage, VersionDateAndKeys) {
  std::ifstream file(SYZYGY_MANUAL_PAGE);
  std::string page(std::istreambuf_iterator<char>(file), {});
  const char* const letters[][2] = {
      {"\\(:a", "ä"}, {"\\(:o", "ö"}, {"\\(:u", "ü"}, {"\\(ss", "ß"}, {"\\[u2026]", "…"}};
  for (const auto& [escape, letter] : letters) {
    for (std::size_t at; (at = page.find(escape)) != std::string::npos;)
      page.replace(at, std::strlen(escape), letter);
  }
  EXPECT_NE(page.find(std::string("\n.TH SYZYGY 1 \"") + VersionDate +
                      "\" \"syzygy " SYZYGY_PROJECT_VERSION "\""),
            std::string::npos);
  for (const KeyHelp& k : KeyTable) {
    std::string meaning = k.Meaning;
    if (const std::size_t at = meaning.find("%s"); at != std::string::npos)
      meaning.replace(at, 2, "syzygy");
    EXPECT_NE(page.find("\n" + meaning), std::string::npos) << meaning;
  }
}

}  // namespace

namespace {
using astro::TCalendarDate;

struct TableArgumentsCase {
  std::vector<std::string> Arguments;
  const char* Error;  // "": accepted
  TCalendarDate From, To;
};

TEST(EventTableRequest, ArgumentsAndTheirErrors) {
  const TCalendarDate today{10, 12, 2026};
  const auto lookUp = [](const std::string& name) -> std::optional<geometry::TObserverCoordinates> {
    if (name == "Madrid") return geometry::TObserverCoordinates{-3.70L * astro::Degree, 40.42L * astro::Degree};
    return std::nullopt;
  };
  const TableArgumentsCase cases[] = {
      {{"Madrid"}, "", {10, 12, 2026}, {10, 12, 2036}},
      {{"Madrid", "12.8.2026"}, "", {12, 8, 2026}, {12, 8, 2036}},
      {{"52.37,9.73", "2026-08-12", "1.1.2030", "--tsv"}, "", {12, 8, 2026}, {1, 1, 2030}},
      {{"Madrid", "29.2.2024"}, "", {29, 2, 2024}, {28, 2, 2034}},
      {{"Madrid", "-500-03-01", "1.1.-499"}, "", {1, 3, -500}, {1, 1, -499}},
      {{"Madrid", "1.1.9995"}, "", {1, 1, 9995}, {1, 1, 9999}},
      {{}, "der Ort fehlt", {}, {}},
      {{"Atlantis"}, "unbekannter Ort „Atlantis“ (ein Name aus City.dat oder Breite,Länge in Grad)", {}, {}},
      {{"91,0"}, "unbekannter Ort „91,0“ (ein Name aus City.dat oder Breite,Länge in Grad)", {}, {}},
      {{"Madrid", "31.2.2026"}, "kein Datum der Jahre -9999 bis 9999: „31.2.2026“ (erwartet wie 12.8.2026 oder 2026-08-12)", {}, {}},
      {{"Madrid", "1.1.10000"}, "kein Datum der Jahre -9999 bis 9999: „1.1.10000“ (erwartet wie 12.8.2026 oder 2026-08-12)", {}, {}},
      {{"Madrid", "2.1.2026", "1.1.2026"}, "der Anfang liegt nach dem Ende", {}, {}},
      {{"Madrid", "--modell=neu"}, "unbekannte Angabe „--modell=neu“", {}, {}},
      {{"Madrid", "1.1.2026", "1.1.2027", "x"}, "zu viele Angaben", {}, {}},
  };
  for (const TableArgumentsCase& c : cases) {
    std::string error;
    const std::optional<EventTableRequest> r = ReadEventTableRequest(c.Arguments, today, lookUp, error);
    EXPECT_EQ(error, c.Error);
    ASSERT_EQ(r.has_value(), !*c.Error);
    if (!r) continue;
    auto text = [](const TCalendarDate& d) {
      return std::to_string(d.Day) + "." + std::to_string(d.Month) + "." + std::to_string(d.Year);
    };
    EXPECT_EQ(text(r->From), text(c.From));
    EXPECT_EQ(text(r->To), text(c.To));
  }
  std::string error;
  const auto r = ReadEventTableRequest({"-33.87,151.21", "--tsv", "--modell=original"}, today,
                                       lookUp, error);
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->Tsv);
  EXPECT_EQ(r->Model, astro::TimeModel::Program);
  EXPECT_NEAR(static_cast<double>(r->Site.Latitude / astro::Degree), -33.87, 1e-12);
  EXPECT_NEAR(static_cast<double>(r->Site.Longitude / astro::Degree), 151.21, 1e-12);
}
}  // namespace
