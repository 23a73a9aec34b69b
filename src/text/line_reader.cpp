#include "line_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "text_codec.h"

namespace text {
bool ReadPlainFile(const std::string& path, std::string& contents) {
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return false;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  } catch (const std::exception&) {
    return false;  // a file that vanishes or turns into a folder while it is read
  }
}

TLineReader OpenLines(std::string_view contents) {
  TLineReader lines;
  lines.Contents = contents;
  lines.Utf8 = IsValidUtf8(contents);
  // An editor's byte order mark is not part of the text.
  if (lines.Utf8 && contents.substr(0, 3) == "\xEF\xBB\xBF") lines.Position = 3;
  return lines;
}

bool NextLine(TLineReader& lines, std::string& line, std::size_t maxCharacters) {
  const std::string_view all = lines.Contents;
  if (lines.Position >= all.size()) return false;
  const std::size_t end = all.find('\n', lines.Position);
  std::size_t stop = end == std::string_view::npos ? all.size() : end;
  const std::size_t next = end == std::string_view::npos ? all.size() : end + 1;
  if (end != std::string_view::npos && stop > lines.Position && all[stop - 1] == '\r') --stop;
  std::string_view bytes = all.substr(lines.Position, stop - lines.Position);
  lines.Position = next;

  // A line far wider than any screen (a binary file's endless "line") is cut before it is
  // decoded, so that it costs nothing to measure and draw.
  if (!lines.Utf8) {
    line = Latin1ToUtf8(bytes.substr(0, std::min(bytes.size(), maxCharacters)));
    return true;
  }
  std::size_t characters = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (IsUtf8Continuation(bytes[i])) continue;
    if (++characters > maxCharacters) {
      bytes = bytes.substr(0, i);
      break;
    }
  }
  line = std::string(bytes);
  return true;
}

std::size_t LinesLeft(const TLineReader& lines) {
  const std::string_view rest =
      lines.Contents.substr(std::min(lines.Position, lines.Contents.size()));
  std::size_t count = static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n'));
  if (!rest.empty() && rest.back() != '\n') ++count;
  return count;
}
}  // namespace text
