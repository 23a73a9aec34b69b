// --help, --version and wrong arguments.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "command_line.h"
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
