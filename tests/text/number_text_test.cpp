#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <cmath>
#include <limits>
#include <string>

#include "number_text.h"

using namespace text;

namespace {

struct FormatCase {
  long double x, format;
  const char* text;
};

TEST(FormatNumber, Examples) {
  const FormatCase cases[] = {
      {3.14159L, 2.2L, "  3.14"},
      {-12.5L, 4.0L, " -12"},
      {7, 1.0L, "7"},
      {7, 5.2L, "     7.00"},         // 5.2 is not exact in binary: still two decimals
      {1.0L, 2.1L, "  1.0"},
      {0.554L, 2.2L, "  0.55"},
      {390.913L, 3.1L, " 390.9"},
      {270, 3.2L, " 270.00"},
      {-0.3536L, 1.4L, "-0.3536"},
      {123456.789L, 2.1L, "123456.8"},  // longer than the field: not cut
      {-123456, 2.0L, "-123456"},
      {5, 2.0L, " 5"},
      {5, 0.0L, "5"},
      {-9.96L, 6.0L, "   -10"},
      {2.96L, 2.96L, "  2.9600000000"},  // d = round(9.6) = 10
  };
  for (const FormatCase& c : cases)
    EXPECT_EQ(FormatNumber(c.x, c.format), c.text) << static_cast<double>(c.x);
}

TEST(FormatNumber, IntegersRoundHalfToEven) {
  const FormatCase cases[] = {
      {0.5L, 2.0L, " 0"},  {1.5L, 2.0L, " 2"},  {2.5L, 2.0L, " 2"},  {-2.5L, 3.0L, " -2"},
      {-0.5L, 2.0L, " 0"}, {-0.4L, 1.0L, "0"},  {2.5000001L, 1.0L, "3"},
  };
  for (const FormatCase& c : cases)
    EXPECT_EQ(FormatNumber(c.x, c.format), c.text) << static_cast<double>(c.x);
}

// Fixed point rounds the exact binary value, halves to even: 0.125 and 0.375 are exact halves,
// 2.675L is stored a little below its decimal text and 1.115L a little above.
TEST(FormatNumber, FixedPointHalfwayCases) {
  const FormatCase cases[] = {
      {0.125L, 1.2L, " 0.12"},  {0.375L, 1.2L, " 0.38"}, {2.5L, 1.0L, "2"},
      {0.25L, 0.1L, "0.2"},     {0.75L, 0.1L, "0.8"},    {-0.125L, 1.2L, "-0.12"},
      {2.675L, 1.2L, " 2.67"},  {1.115L, 1.2L, " 1.12"},
  };
  for (const FormatCase& c : cases)
    EXPECT_EQ(FormatNumber(c.x, c.format), c.text) << static_cast<double>(c.x);
}

TEST(FormatNumber, ValuesRoundingToZeroHaveNoSign) {
  EXPECT_EQ(FormatNumber(-0.00001L, 1.4L), " 0.0000");
  EXPECT_EQ(FormatNumber(-0.0L, 2.1L), "  0.0");
  EXPECT_EQ(FormatNumber(-0.04L, 2.1L), "  0.0");
  EXPECT_EQ(FormatNumber(-0.05001L, 2.1L), " -0.1");
}

TEST(FormatNumber, NotANumberOrInfinite) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(FormatNumber(std::nanl(""), 2.2L), "   nan");
  EXPECT_EQ(FormatNumber(-std::nanl(""), 1.0L), "nan");
  EXPECT_EQ(FormatNumber(inf, 1.4L), "    inf");
  EXPECT_EQ(FormatNumber(-inf, 4.0L), "-inf");
  EXPECT_EQ(FormatNumber(1, std::nanl("")), "1");
  EXPECT_EQ(FormatNumber(LDBL_MAX, 1.0L).size(), 4933u);  // every digit, no crash
}

// A locale with a decimal comma: installed, or built into a temporary folder (removed again by
// the caller) when the locale sources are there.
bool UseGermanNumbers(std::string& builtIn) {
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) return true;
  char dir[] = "/tmp/syzygy_locale_XXXXXX";
  if (!mkdtemp(dir)) return false;
  builtIn = dir;
  const std::string command = std::string("localedef -i de_DE -f UTF-8 ") + dir +
                              "/de_DE.UTF-8 >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  setenv("LOCPATH", dir, 1);
  return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

TEST(FormatNumber, PointWhateverTheLocale) {
  const std::string old = std::setlocale(LC_NUMERIC, nullptr);
  std::string builtIn;
  const bool german = UseGermanNumbers(builtIn);
  if (german) {
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5");  // the locale really is in force

    EXPECT_EQ(FormatNumber(3.14159L, 2.2L), "  3.14");
    long double v = 0;
    int32_t pos = -1;
    TextToFloat("12.5", v, pos);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(v, 12.5L);
    TextToFloat("12,5", v, pos);
    EXPECT_EQ(pos, 3);
  }
  std::setlocale(LC_NUMERIC, old.c_str());
  if (!builtIn.empty()) std::filesystem::remove_all(builtIn);
  if (!german) GTEST_SKIP() << "no locale with a decimal comma available";
}

struct IntegerCase {
  const char* text;
  int32_t value;
  int32_t pos;
};

TEST(TextToInteger, Table) {
  const IntegerCase cases[] = {
      {"42", 42, 0},
      {"-42", -42, 0},
      {"+7", 7, 0},
      {" 7", 7, 0},
      {"   -0", 0, 0},
      {"7 ", 7, 2},
      {"12:30", 12, 3},
      {"-5x", 5, 3},
      {"$1F", 31, 0},
      {"x1f", 31, 0},
      {"X10", 16, 0},
      {"0x7fffffff", 2147483647, 0},
      {"-0X80000000", -2147483647 - 1, 0},
      {"-$1g", 1, 4},
      {"0", 0, 0},
      {"0x", 0, 3},
      {"$", 0, 2},
      {"", 0, 1},
      {"   ", 0, 4},
      {"-", 0, 2},
      {"+-3", 0, 2},
      {"- 3", 0, 2},
      {"\t3", 0, 1},
      {"1.5", 1, 2},
      {"2147483647", 2147483647, 0},
      {"-2147483648", -2147483647 - 1, 0},
      {"00000000000000000000042", 42, 0},
      {"-2147483648x", -2147483647 - 1, 12},  // 2147483648 read, held as INT32_MIN
  };
  for (const IntegerCase& c : cases) {
    int32_t v = -99, pos = -99;
    TextToInteger(c.text, v, pos);
    EXPECT_EQ(pos, c.pos) << '"' << c.text << '"';
    EXPECT_EQ(v, c.value) << '"' << c.text << '"';
  }
}

TEST(TextToInteger, OutOfRangeIsAnError) {
  const IntegerCase cases[] = {
      {"2147483648", 0, 10},   // the last digit leaves the range
      {"-2147483649", 0, 11},
      {"$100000000", 0, 10},
      {"0xFFFFFFFF", 0, 10},
      {"99999999999999999999", 0, 10},
  };
  for (const IntegerCase& c : cases) {
    int32_t v = 0, pos = 0;
    TextToInteger(c.text, v, pos);
    EXPECT_EQ(pos, c.pos) << c.text;
  }
}

TEST(TextToInteger, HostileInput) {
  int32_t v = 0, pos = 0;
  TextToInteger(std::string(1000000, '9'), v, pos);
  EXPECT_EQ(pos, 10);
  TextToInteger(std::string("12\0" "3", 4), v, pos);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(v, 12);
  TextToInteger("\xC3\xA4" "1", v, pos);
  EXPECT_EQ(pos, 1);
  TextToInteger("5\xFF", v, pos);
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(v, 5);
}

struct FloatCase {
  const char* text;
  long double value;
  int32_t pos;
};

TEST(TextToFloat, Table) {
  const FloatCase cases[] = {
      {"12.5", 12.5L, 0},
      {"-12.5", -12.5L, 0},
      {"  +0.25", 0.25L, 0},
      {"1e3", 1000, 0},
      {"1E+3", 1000, 0},
      {"2.5e-1", 0.25L, 0},
      {"1.", 1, 0},
      {".5", 0.5L, 0},
      {".", 0, 0},
      {"e5", 0, 0},
      {"-.", 0, 0},
      {"0.1", 0.1L, 0},
      {"52.5166667", 52.5166667L, 0},
      {"1e", 1, 3},
      {"1e-", 1, 4},
      {"2e+", 2, 4},
      {"12.5x", 125, 5},
      {"-3x", 3, 3},
      {"2e5x", 2, 4},  // exponent digits are not part of the partial value
      {"7 ", 7, 2},
      {"12,5", 12, 3},
      {"1.2.3", 12, 4},
      {"", 0, 1},
      {"   ", 0, 4},
      {"+", 0, 2},
      {"-", 0, 2},
      {"x", 0, 1},
      {"0.0000000000000000000000000000001e31", 1, 0},
  };
  for (const FloatCase& c : cases) {
    long double v = -99;
    int32_t pos = -99;
    TextToFloat(c.text, v, pos);
    EXPECT_EQ(pos, c.pos) << '"' << c.text << '"';
    EXPECT_EQ(v, c.value) << '"' << c.text << '"';
  }
}

TEST(TextToFloat, HostileInput) {
  long double v = 0;
  int32_t pos = 0;

  std::string digits(1000000, '7');
  TextToFloat("0." + digits, v, pos);
  EXPECT_EQ(pos, 0);
  EXPECT_NEAR(v, 7.0L / 9, 1e-18L);

  TextToFloat(digits, v, pos);  // valid grammar, beyond the extended range
  EXPECT_EQ(pos, 1000001);
  EXPECT_TRUE(std::isfinite(v));

  TextToFloat(digits + "x", v, pos);
  EXPECT_EQ(pos, 1000001);
  EXPECT_TRUE(std::isfinite(v));

  TextToFloat("1e" + std::string(1000000, '9'), v, pos);
  EXPECT_NE(pos, 0);
  EXPECT_TRUE(std::isfinite(v));

  TextToFloat("1e-" + std::string(1000000, '9'), v, pos);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(v, 0);

  TextToFloat(std::string("1.5\0" "7", 5), v, pos);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(v, 15);

  TextToFloat("3\xC2\xB0", v, pos);
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(v, 3);

  TextToFloat("1e4932", v, pos);
  EXPECT_EQ(pos, 0);
  EXPECT_TRUE(std::isfinite(v));
  TextToFloat("1e4933", v, pos);
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(v, 1);
}

}  // namespace
