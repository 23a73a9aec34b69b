#include "line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace text;

namespace {

std::vector<std::string> ReadAll(std::string_view contents, std::size_t limit = 1000) {
  TLineReader lines = OpenLines(contents);
  std::vector<std::string> out;
  std::string line;
  while (NextLine(lines, line, limit)) out.push_back(line);
  return out;
}

TEST(LineReader, LineEndsOfBothKindsAndAMissingLastOne) {
  struct Case {
    const char* contents;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"Titel", {"Titel"}},
      {"Titel\n", {"Titel"}},
      {"Titel\r\nUntertitel\r\n", {"Titel", "Untertitel"}},
      {"a\nb\r\nc", {"a", "b", "c"}},
      {"\n\n", {"", ""}},
      {"a\rb\n", {"a\rb"}},  // a lone CR stays in its line
      {"a\r", {"a\r"}},
      {"x\r\r\n", {"x\r"}},
      {"\r\n\r\n", {"", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAll(c.contents), c.lines) << c.contents;
}

TEST(LineReader, WholeFileDecidesBetweenUtf8AndLatin1) {
  // Valid UTF-8 as a whole: taken as it stands, a byte order mark dropped.
  EXPECT_EQ(ReadAll("\xEF\xBB\xBFM\xC3\xA4rz\nK\xC3\xB6ln"),
            (std::vector<std::string>{"M\xC3\xA4rz", "K\xC3\xB6ln"}));
  // One Latin-1 byte anywhere makes every line Latin-1, also a line that alone would be UTF-8.
  EXPECT_EQ(ReadAll("\xC3\xA4\nM\xE4rz"),
            (std::vector<std::string>{"\xC3\x83\xC2\xA4", "M\xC3\xA4rz"}));
}

TEST(LineReader, LongLinesAreCutByCharactersNotBytes) {
  EXPECT_EQ(ReadAll("\xC3\xA4\xC3\xB6\xC3\xBC" "abc\n", 4),
            (std::vector<std::string>{"\xC3\xA4\xC3\xB6\xC3\xBC" "a"}));
  EXPECT_EQ(ReadAll("\xE4\xF6\xFC" "abc", 2), (std::vector<std::string>{"\xC3\xA4\xC3\xB6"}));
}

TEST(LineReader, CountsTheLinesLeft) {
  TLineReader lines = OpenLines("1\n2\r\n3");
  EXPECT_EQ(LinesLeft(lines), 3u);
  std::string line;
  ASSERT_TRUE(NextLine(lines, line));
  EXPECT_EQ(LinesLeft(lines), 2u);
  ASSERT_TRUE(NextLine(lines, line));
  ASSERT_TRUE(NextLine(lines, line));
  EXPECT_EQ(line, "3");
  EXPECT_EQ(LinesLeft(lines), 0u);
  EXPECT_FALSE(NextLine(lines, line));
}

}  // namespace
