#include "city_file.h"

#include <cmath>
#include <cstdint>

#include "number_text.h"
#include "line_reader.h"

namespace places {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  const char* blanks = " \t\r";
  const auto first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(blanks);
  return s.substr(first, last - first + 1);
}

// A number field converts when it is a complete number text with a finite value.
bool ConvertField(std::string_view field, long double& value) {
  // The number parser reads a C++ string; a NUL inside must not end the text early.
  if (field.empty() || field.find('\0') != std::string_view::npos) return false;
  int32_t pos = 0;
  text::TextToFloat(std::string(field), value, pos);
  return pos == 0 && std::isfinite(value);
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

CityLine ParseCityLine(std::string_view line) {
  CityLine city;
  const auto comma1 = line.find(',');
  if (comma1 == std::string_view::npos) {
    // No comma: the name is empty and so are both number fields.
    return city;
  }
  city.Name = std::string(line.substr(0, comma1));
  const std::string_view rest = line.substr(comma1 + 1);
  const auto comma2 = rest.find(',');
  std::string_view latitude, longitude;
  if (comma2 == std::string_view::npos) {
    longitude = rest;  // one comma: empty latitude, the rest is the longitude
  } else {
    latitude = rest.substr(0, comma2);
    longitude = rest.substr(comma2 + 1);
  }
  latitude = TrimBlanks(latitude);
  longitude = TrimBlanks(longitude);
  city.LatitudeText = std::string(latitude);
  city.LongitudeText = std::string(longitude);
  const bool latOk = ConvertField(latitude, city.Latitude);
  const bool lonOk = ConvertField(longitude, city.Longitude);
  city.NumbersValid = latOk && lonOk;
  return city;
}

bool CityNameMatches(std::string_view typed, std::string_view field) {
  if (typed.size() != field.size()) return false;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (UpperAscii(typed[i]) != UpperAscii(field[i])) return false;
  }
  return true;
}

bool FindCity(std::string_view contents, std::string_view name, CityLine& found) {
  text::TLineReader lines = text::OpenLines(contents);
  std::string line;
  while (text::NextLine(lines, line)) {
    // Compare the name before converting the numbers: most lines are other places.
    const auto comma = line.find(',');
    const std::string_view field =
        comma == std::string::npos ? std::string_view() : std::string_view(line).substr(0, comma);
    if (!CityNameMatches(name, field)) continue;
    CityLine city = ParseCityLine(line);
    // A line whose numbers do not convert is no usable place: look further, and in the end
    // ask for the coordinates rather than use a wrong site.
    if (!city.NumbersValid) continue;
    found = std::move(city);
    return true;
  }
  return false;
}

bool LookUpCity(const std::string& fileName, const std::string& name, CityLine& found) {
  // Only a plain file is read: a folder, a pipe or a device put in its place (also after the
  // start of the run) counts as no file, so the place is asked as coordinates.
  std::string contents;
  return text::ReadPlainFile(fileName, contents) && FindCity(contents, name, found);
}
}  // namespace places
