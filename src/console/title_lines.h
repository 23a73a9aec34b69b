// The title file's lines, read one at a time without any window: a huge or binary file is
// never split as a whole, and every line comes out as UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct TTitleLines {
  std::string_view Contents;  // the whole file
  std::size_t Position = 0;   // start of the next line
  bool Utf8 = false;          // the file as a whole is valid UTF-8
};

// Starts reading a file's contents (which must outlive the reader). The file is UTF-8 when it
// is valid UTF-8 as a whole, otherwise Latin-1.
TTitleLines OpenTitleLines(std::string_view contents);
// The next line as UTF-8 (CR LF and LF end a line; a last line may lack its end), cut after
// maxCharacters characters. False at the end of the file.
bool NextTitleLine(TTitleLines& lines, std::size_t maxCharacters, std::string& line);
// The number of lines not yet read.
std::size_t RemainingTitleLines(const TTitleLines& lines);
