// City.dat as hostile files: a 1 MB line, NUL bytes, lines without commas or with nothing but
// commas, binary garbage, a missing final line end, Latin-1, a folder in place of the file.
// The look-up never crashes, never returns a place whose numbers did not convert, and still
// finds a good line behind the bad ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "city_file.h"

using namespace places;

namespace {

const std::string Hannover = "Hannover,52.37,9.73";

std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

struct HostileFile {
  const char* Name;
  std::string Before;  // what stands in front of the Hannover line
  std::string After;   // and behind it (the file's end)
};

void PrintTo(const HostileFile& f, std::ostream* os) { *os << f.Name; }

std::vector<HostileFile> HostileFiles() {
  return {
      {"OneMegabyteLine", std::string(1 << 20, 'A') + "\n", "\n"},
      {"OneMegabyteNumber", "Hannover," + std::string(1 << 20, '7') + ",9.73\n", ""},
      {"OneMegabyteName", std::string(1 << 20, 'x') + ",1,2\n", ""},
      {"NulInName", std::string("Hann\0over,1,2\n", 14), ""},
      {"NulInNumber", std::string("Hannover,52.37\0,9.73\n", 21), std::string("\n\0\0\0", 4)},
      {"OnlyNul", std::string(4096, '\0') + "\n", ""},
      {"NoCommas", "Hannover\nHannover 52.37 9.73\n\n", "\nHannover"},
      {"OnlyCommas", ",,,,,,,,\n,\n,,\n", "\n,,,"},
      {"OneComma", "Hannover,52.37\n", ""},
      {"EmptyNumbers", "Hannover,,\nHannover, , \n", ""},
      {"BadNumbers", "Hannover,N52,E9\nHannover,1e99999,0\nHannover,.,-\n", ""},
      {"Garbage", Garbage(65536, 1) + "\n", "\n" + Garbage(65536, 2)},
      {"NoFinalLineEnd", "Berlin,52.52,13.40\n", ""},
      {"CarriageReturns", "Berlin,52.52,13.40\r\n", "\r"},
      {"LoneCarriageReturns", "\r\r\r\n\r\n", "\r\n"},
  };
}

class HostileCityFile : public ::testing::TestWithParam<HostileFile> {};

TEST_P(HostileCityFile, GoodLineIsStillFound) {
  const HostileFile& f = GetParam();
  CityLine found;
  ASSERT_TRUE(FindCity(f.Before + Hannover + f.After, "hannover", found));
  EXPECT_EQ(found.Name, "Hannover");
  EXPECT_EQ(found.Latitude, 52.37L);
  EXPECT_EQ(found.Longitude, 9.73L);
  EXPECT_TRUE(found.NumbersValid);
}

TEST_P(HostileCityFile, AloneFindsNothingUsable) {
  const HostileFile& f = GetParam();
  for (const std::string& name : {std::string("Hannover"), std::string(), std::string("A")}) {
    CityLine found;
    if (FindCity(f.Before + f.After, name, found)) {
      // Whatever is found must be a real place.
      EXPECT_TRUE(found.NumbersValid) << name;
      EXPECT_TRUE(std::isfinite(found.Latitude) && std::isfinite(found.Longitude)) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileCityFile, ::testing::ValuesIn(HostileFiles()),
                         [](const auto& info) { return std::string(info.param.Name); });

// Lines taken one at a time: the name is all before the first comma, and numbers that did not
// convert are never reported as valid.
TEST(HostileCityLine, FieldsAreSplitAtTheCommas) {
  struct Case {
    std::string Line, Name, Latitude, Longitude;
    bool Valid;
  };
  const Case cases[] = {
      {"", "", "", "", false},
      {"no comma at all", "", "", "", false},
      {",", "", "", "", false},
      {",,", "", "", "", false},
      {",,,", "", "", ",", false},
      {"A,1", "A", "", "1", false},
      {"A,1,2,3", "A", "1", "2,3", false},
      {" A ,1,2", " A ", "1", "2", true},
      {"A, 1 , 2 ", "A", "1", "2", true},
      {std::string("A\0B,1,2", 7), std::string("A\0B", 3), "1", "2", true},
      {std::string("A,1\0,2", 6), "A", std::string("1\0", 2), "2", false},
      {"A,1e5000,2", "A", "1e5000", "2", false},
      {"A,-90,-180", "A", "-90", "-180", true},
  };
  for (const Case& c : cases) {
    const CityLine city = ParseCityLine(c.Line);
    EXPECT_EQ(city.Name, c.Name) << c.Line;
    EXPECT_EQ(city.LatitudeText, c.Latitude) << c.Line;
    EXPECT_EQ(city.LongitudeText, c.Longitude) << c.Line;
    EXPECT_EQ(city.NumbersValid, c.Valid) << c.Line;
  }
  const CityLine pole = ParseCityLine("Pol,-90,-180");
  EXPECT_EQ(pole.Latitude, -90);
  EXPECT_EQ(pole.Longitude, -180);
}

}  // namespace
