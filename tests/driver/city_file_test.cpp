// City.dat lines and the look-up of a typed place name.
#include <gtest/gtest.h>

#include <string>

#include "city_file.h"

using namespace places;

namespace {

struct ParseCase {
  const char* Name;
  std::string Line;
  std::string ExpName, ExpLat, ExpLon;
  bool Valid;
  long double Lat, Lon;
};

class ParseCityLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCityLineTest, SplitsAndConverts) {
  const ParseCase& c = GetParam();
  const CityLine city = ParseCityLine(c.Line);
  EXPECT_EQ(city.Name, c.ExpName);
  EXPECT_EQ(city.LatitudeText, c.ExpLat);
  EXPECT_EQ(city.LongitudeText, c.ExpLon);
  EXPECT_EQ(city.NumbersValid, c.Valid);
  if (c.Valid) {
    EXPECT_NEAR(static_cast<double>(city.Latitude), static_cast<double>(c.Lat), 1e-12);
    EXPECT_NEAR(static_cast<double>(city.Longitude), static_cast<double>(c.Lon), 1e-12);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCityLineTest,
    ::testing::Values(
        ParseCase{"Plain", "Hannover,52.37,9.73", "Hannover", "52.37", "9.73", true, 52.37L, 9.73L},
        ParseCase{"BlanksAroundNumbers", "Hannover, 52.37 ,  9.73  ", "Hannover", "52.37", "9.73",
                  true, 52.37L, 9.73L},
        ParseCase{"BlanksInNameKept", " Bad Harzburg ,51.88,10.56", " Bad Harzburg ", "51.88",
                  "10.56", true, 51.88L, 10.56L},
        ParseCase{"NegativeAndTab", "Rio,\t-22.9,-43.2\t", "Rio", "-22.9", "-43.2", true, -22.9L,
                  -43.2L},
        ParseCase{"CarriageReturnLeft", "Hannover,52.37,9.73\r", "Hannover", "52.37", "9.73", true,
                  52.37L, 9.73L},
        ParseCase{"OneComma", "Hannover,9.73", "Hannover", "", "9.73", false, 0, 0},
        ParseCase{"NoComma", "Hannover 52.37 9.73", "", "", "", false, 0, 0},
        ParseCase{"OnlyCommas", ",,", "", "", "", false, 0, 0},
        ParseCase{"ThirdCommaInLongitude", "X,1,2,3", "X", "1", "2,3", false, 0, 0},
        ParseCase{"NotANumber", "X,abc,9.73", "X", "abc", "9.73", false, 0, 0},
        ParseCase{"DecimalComma", "X,52 37,9.73", "X", "52 37", "9.73", false, 0, 0},
        ParseCase{"Overflow", "X,1e99999,9", "X", "1e99999", "9", false, 0, 0},
        ParseCase{"Empty", "", "", "", "", false, 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ParseCityLine, NulInsideANumberIsNoNumber) {
  const CityLine city = ParseCityLine(std::string("X,52\0.37,9.73", 13));
  EXPECT_EQ(city.Name, "X");
  EXPECT_FALSE(city.NumbersValid);
}

TEST(ParseCityLine, SurvivesAMegabyteLine) {
  std::string line(1 << 20, '7');
  line[10] = ',';
  line[20] = ',';
  line[500000] = '\0';
  const CityLine city = ParseCityLine(line);
  EXPECT_EQ(city.Name.size(), 10u);
  EXPECT_FALSE(city.NumbersValid);
  // A megabyte of digits is a number too large to be a place.
  std::string digits = "X,1," + std::string(1 << 20, '9');
  EXPECT_FALSE(ParseCityLine(digits).NumbersValid);
}

struct MatchCase {
  const char* Name;
  std::string Typed, Field;
  bool Match;
};

class CityNameTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(CityNameTest, ComparesWithCapitalsOfAToZOnly) {
  EXPECT_EQ(CityNameMatches(GetParam().Typed, GetParam().Field), GetParam().Match);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CityNameTest,
    ::testing::Values(MatchCase{"SameCase", "Hannover", "Hannover", true},
                      MatchCase{"LowerTypedUpperFile", "hannover", "HANNOVER", true},
                      MatchCase{"UpperTypedMixedFile", "HANNOVER", "Hannover", true},
                      MatchCase{"TrailingBlank", "Hannover ", "Hannover", false},
                      MatchCase{"FileTrailingBlank", "Hannover", "Hannover ", false},
                      MatchCase{"UmlautAsItStands", "münchen", "MüNCHEN", true},
                      MatchCase{"UmlautCaseDiffers", "münchen", "MÜNCHEN", false},
                      MatchCase{"Prefix", "Hann", "Hannover", false},
                      MatchCase{"BothEmpty", "", "", true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FindCity, FirstUsableMatchWins) {
  const std::string file = "Berlin,52.52,13.40\nHANNOVER,52.37,9.73\nHannover,1,2\n";
  CityLine city;
  ASSERT_TRUE(FindCity(file, "hannover", city));
  EXPECT_EQ(city.LatitudeText, "52.37");
  EXPECT_EQ(city.LongitudeText, "9.73");
  EXPECT_FALSE(FindCity(file, "Hannover ", city));
  EXPECT_FALSE(FindCity(file, "Bremen", city));
}

TEST(FindCity, WindowsLineEnds) {
  CityLine city;
  ASSERT_TRUE(FindCity("Berlin,52.52,13.40\r\nHannover,52.37,9.73\r\n", "Hannover", city));
  EXPECT_EQ(city.LongitudeText, "9.73");
  EXPECT_NEAR(static_cast<double>(city.Longitude), 9.73, 1e-12);
  // The last line without its line end.
  ASSERT_TRUE(FindCity("Berlin,52.52,13.40\r\nHannover,52.37,9.73", "hannover", city));
  EXPECT_NEAR(static_cast<double>(city.Latitude), 52.37, 1e-12);
}

TEST(FindCity, UnconvertibleLineIsSkipped) {
  CityLine city;
  EXPECT_FALSE(FindCity("Hannover,52.37x,9.73\n", "Hannover", city));
  EXPECT_FALSE(FindCity("Hannover,9.73\n", "Hannover", city));  // one comma
  // A later usable line of the same name is taken.
  ASSERT_TRUE(FindCity("Hannover,52.37x,9.73\nHannover,52.37,9.73\n", "Hannover", city));
  EXPECT_EQ(city.LatitudeText, "52.37");
}

TEST(FindCity, Latin1AndUtf8Files) {
  CityLine city;
  // Latin-1: 0xFC is ü.
  ASSERT_TRUE(FindCity("M\xFCnchen,48.14,11.58\n", "MüNCHEN", city));
  EXPECT_EQ(city.Name, "München");
  EXPECT_FALSE(FindCity("M\xDCNCHEN,48.14,11.58\n", "münchen", city));
  // The same file in UTF-8.
  ASSERT_TRUE(FindCity("München,48.14,11.58\n", "MüNCHEN", city));
  EXPECT_NEAR(static_cast<double>(city.Longitude), 11.58, 1e-12);
}

TEST(FindCity, LinesWithoutNameDoNotMatchAnEmptyName) {
  CityLine city;
  EXPECT_FALSE(FindCity("no comma here\n,,\n,1,\n", "", city));
  ASSERT_TRUE(FindCity(",1,2\n", "", city));  // an empty name field with numbers is a place
  EXPECT_EQ(city.LongitudeText, "2");
}

}  // namespace
