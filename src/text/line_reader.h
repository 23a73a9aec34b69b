// Text files read line by line, without any window: City.dat and the title file. A huge or
// binary file is never split as a whole, and every line comes out as UTF-8.
#pragma once
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace text {
struct TLineReader {
  std::string_view Contents;  // the whole file
  std::size_t Position = 0;   // start of the next line
  bool Utf8 = false;          // the file as a whole is valid UTF-8
};

// The whole contents of a plain file (not a folder, pipe or device, which could block or
// never end). False when it cannot be read.
bool ReadPlainFile(const std::string& path, std::string& contents);

// Starts reading a file's contents (which must outlive the reader). The file is UTF-8 when it
// is valid UTF-8 as a whole (a leading byte order mark is dropped), otherwise Latin-1.
TLineReader OpenLines(std::string_view contents);
// The next line as UTF-8 (CR LF and LF end a line, a lone CR stays in it; a last line may lack
// its end), cut after maxCharacters characters. False at the end of the file.
bool NextLine(TLineReader& lines, std::string& line,
              std::size_t maxCharacters = std::numeric_limits<std::size_t>::max());
// The number of lines not yet read.
std::size_t LinesLeft(const TLineReader& lines);
}  // namespace text
