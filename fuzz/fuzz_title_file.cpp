// Reading the title file as the console does, line by line. Checked: the reader hands out as
// many lines as it counted at the start; every line is valid UTF-8 with no line end in it and
// at most the allowed number of characters; a whole UTF-8 file comes back unchanged (but for a
// byte order mark and the line ends), a Latin-1 file with one character per byte.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text_codec.h"
#include "line_reader.h"

using namespace text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  const std::string what = "file " + Shown(std::string(contents));
  // The limit comes from the input too, so that cut and uncut lines are both tried.
  const std::size_t limit = size > 0 ? 1 + data[0] % 64 : 1;

  TLineReader lines = OpenLines(contents);
  const std::size_t counted = LinesLeft(lines);
  std::size_t read = 0;
  std::size_t characters = 0;
  bool cut = false;
  std::string line;
  while (NextLine(lines, line, limit)) {
    ++read;
    FUZZ_CHECK(IsValidUtf8(line), "line is not UTF-8: " + what);
    FUZZ_CHECK(line.find('\n') == std::string::npos, "line end inside a line: " + what);
    FUZZ_CHECK(Utf8Length(line) <= limit, "line longer than the limit: " + what);
    FUZZ_CHECK(LinesLeft(lines) == counted - read, "count of lines left: " + what);
    cut = cut || Utf8Length(line) == limit;
    characters += Utf8Length(line);
  }
  FUZZ_CHECK(read == counted, std::to_string(read) + " lines instead of " +
                                  std::to_string(counted) + ": " + what);
  if (!cut && !IsValidUtf8(contents)) {
    std::size_t bytes = 0;  // every byte but the line ends is one Latin-1 character
    for (std::size_t i = 0; i < size; ++i) {
      const bool crOfCrLf = contents[i] == '\r' && i + 1 < size && contents[i + 1] == '\n';
      if (contents[i] != '\n' && !crOfCrLf) ++bytes;
    }
    FUZZ_CHECK(characters == bytes, "not one character per byte: " + what);
  }
  return 0;
}
