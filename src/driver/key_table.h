// The one table of the keys: the help lines over the picture, --help and the README's key
// table are all made from it (or checked against it), so that they cannot drift apart.
#pragma once
#include <array>
#include <string>

namespace driver {
struct KeyHelp {
  const char* Keys;      // as --help names them
  const char* Meaning;   // --help's words; %s stands for the program's name
  const char* Readme;    // the first column of the README's key table
  // The line over the picture (empty: none) and its row there, counted from the top.
  const char* HelpLine;
  int HelpRow;
};

// In the order of the README's table and of --help.
extern const std::array<KeyHelp, 13> KeyTable;
// The first line of the help over the picture, which names no key.
extern const std::string HelpHeading;
constexpr int HelpHeadingRow = 2;
constexpr int HelpRows = 9;  // the lines over the picture
}  // namespace driver
