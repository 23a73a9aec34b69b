// City.dat: observing sites, one a line: name, latitude, longitude (decimal degrees, north and
// east positive), separated by commas. Latin-1, or UTF-8 when the file is valid UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace places {
struct CityLine {
  std::string Name;           // everything before the first comma, blanks included
  std::string LatitudeText;   // between the first and second comma, blanks trimmed
  std::string LongitudeText;  // after the second comma, blanks trimmed
  long double Latitude = 0;   // degrees
  long double Longitude = 0;  // degrees
  bool NumbersValid = false;  // both fields are finite numbers
};

// Splits one line (UTF-8, without its line end) into its fields and converts the numbers.
// Total: any bytes, any length.
CityLine ParseCityLine(std::string_view line);

// Names are equal after turning 'a'..'z' into capitals; other letters compare as they stand.
bool CityNameMatches(std::string_view typed, std::string_view field);

// The first line of the file contents whose name matches and whose numbers convert.
bool FindCity(std::string_view contents, std::string_view name, CityLine& found);

// Reads the file and looks the name up; false when the file cannot be read or has no match.
bool LookUpCity(const std::string& fileName, const std::string& name, CityLine& found);
}  // namespace places
