#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_codec.h"

using namespace text;

namespace {

TEST(TextCodec, ValidUtf8) {
  const char* valid[] = {
      "",
      "plain ASCII",
      "M\xC3\xA4rz 10\xC2\xB0",            // März 10°
      "\xE2\x82\xAC",                      // U+20AC
      "\xED\x9F\xBF",                      // U+D7FF, just below the surrogates
      "\xEE\x80\x80",                      // U+E000, just above
      "\xF0\x90\x80\x80",                  // U+10000
      "\xF4\x8F\xBF\xBF",                  // U+10FFFF
  };
  for (const char* s : valid) EXPECT_TRUE(IsValidUtf8(s)) << s;
  EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
}

TEST(TextCodec, InvalidUtf8) {
  const char* invalid[] = {
      "M\xE4rz",                // Latin-1 ä
      "\xC0\xAF",               // overlong '/'
      "\xC1\xBF",
      "\xE0\x9F\xBF",           // overlong 3-byte
      "\xF0\x8F\xBF\xBF",       // overlong 4-byte
      "\xED\xA0\x80",           // U+D800 surrogate
      "\xED\xBF\xBF",           // U+DFFF
      "\xF4\x90\x80\x80",       // U+110000
      "\xF5\x80\x80\x80",
      "\xFF",
      "\x80",                   // lone continuation
      "\xC3",                   // truncated at the end
      "\xE2\x82",
      "\xC3\x28",               // bad continuation
  };
  for (const char* s : invalid) EXPECT_FALSE(IsValidUtf8(s)) << s;
}

TEST(TextCodec, Latin1ToUtf8) {
  EXPECT_EQ(Latin1ToUtf8("M\xE4rz 10\xB0"), "M\xC3\xA4rz 10\xC2\xB0");
  EXPECT_EQ(Latin1ToUtf8("\xFF\x80"), "\xC3\xBF\xC2\x80");
  EXPECT_EQ(Latin1ToUtf8(""), "");
  EXPECT_EQ(Latin1ToUtf8("abc"), "abc");
}

TEST(TextCodec, LengthCountsCharacters) {
  EXPECT_EQ(Utf8Length(""), 0u);
  EXPECT_EQ(Utf8Length("M\xC3\xA4rz"), 4u);
  EXPECT_EQ(Utf8Length(" H\xC3\xB6he der Sonne = 23.5\xC2\xB0"), 23u);
  EXPECT_EQ(Utf8Length("\xF0\x90\x80\x80x"), 2u);
  EXPECT_EQ(Utf8Length(std::string(49, ' ')), 49u);
}

TEST(TextCodec, LastCharacter) {
  EXPECT_EQ(LastUtf8Char(""), "");
  EXPECT_EQ(LastUtf8Char("ja"), "a");
  EXPECT_EQ(LastUtf8Char("J\xC3\xA4"), "\xC3\xA4");
  EXPECT_EQ(LastUtf8Char("\xE2\x82\xAC"), "\xE2\x82\xAC");
  EXPECT_EQ(LastUtf8Char("a\xF0\x90\x80\x80"), "\xF0\x90\x80\x80");
  EXPECT_EQ(LastUtf8Char("\x80\x80\x80\x80\x80"), "\x80\x80\x80\x80");  // no lead byte: bounded
}

TEST(TextCodec, CharactersOneByOne) {
  EXPECT_EQ(Utf8Characters(""), std::vector<std::string>{});
  EXPECT_EQ(Utf8Characters("a\xC3\xA4\xE2\x82\xAC\xF0\x90\x80\x80"),
            (std::vector<std::string>{"a", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x90\x80\x80"}));
  EXPECT_EQ(Utf8Characters("\x80\x80"), std::vector<std::string>{"\x80\x80"});
}

}  // namespace
