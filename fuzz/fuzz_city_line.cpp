// The City.dat parser on any bytes. The input is used twice: as one line for ParseCityLine
// and as a whole file for FindCity. Checked: the name is everything before the first comma;
// converted numbers are finite and are what TextToFloat makes of their texts; a line that
// converts is found again in a file made of it under its own name, in any ASCII letter case.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "city_file.h"
#include "fuzz_check.h"
#include "number_text.h"
#include "text_codec.h"

using namespace text;
using namespace places;

namespace {

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

void CheckNumberText(const std::string& text, long double value, const std::string& what) {
  FUZZ_CHECK(std::isfinite(value), "non-finite coordinate: " + what);
  FUZZ_CHECK(!text.empty() && text.front() != ' ' && text.back() != ' ',
             "number field not trimmed: " + what);
  long double again = 0;
  int32_t pos = -1;
  TextToFloat(text, again, pos);
  FUZZ_CHECK(pos == 0 && again == value, "field " + Shown(text) + " converts otherwise: " + what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string what = "line " + Shown(line);
  const CityLine city = ParseCityLine(line);

  const std::size_t comma = line.find(',');
  FUZZ_CHECK(city.Name == (comma == std::string::npos ? std::string() : line.substr(0, comma)),
             "name " + Shown(city.Name) + " of " + what);
  if (city.NumbersValid) {
    CheckNumberText(city.LatitudeText, city.Latitude, what);
    CheckNumberText(city.LongitudeText, city.Longitude, what);
  }
  FUZZ_CHECK(CityNameMatches(city.Name, city.Name), "name does not match itself: " + what);
  FUZZ_CHECK(CityNameMatches(UpperAscii(city.Name), LowerAscii(city.Name)),
             "letter case matters: " + what);

  // The same bytes as a whole file, looked up under the name of its first line.
  CityLine found;
  const bool hit = FindCity(line, city.Name, found);
  if (hit) {
    FUZZ_CHECK(found.NumbersValid && std::isfinite(found.Latitude) && std::isfinite(found.Longitude),
               "a hit with unusable numbers: " + what);
    FUZZ_CHECK(CityNameMatches(city.Name, found.Name), "a hit under another name: " + what);
  }
  // A valid UTF-8 line (no byte order mark, no line end inside) that converts is found as is.
  const bool plainLine = IsValidUtf8(line) && line.find_first_of("\n") == std::string::npos &&
                         line.rfind("\xEF\xBB\xBF", 0) != 0;
  if (plainLine && city.NumbersValid) {
    FUZZ_CHECK(hit && found.Latitude == city.Latitude && found.Longitude == city.Longitude,
               "a converting line is not found: " + what);
    CityLine upper;
    FUZZ_CHECK(FindCity(line, UpperAscii(city.Name), upper), "upper-case name not found: " + what);
  }
  return 0;
}
