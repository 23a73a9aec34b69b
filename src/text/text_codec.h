// Texts are held as UTF-8; files may be Latin-1 or UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {
bool IsValidUtf8(std::string_view bytes);
std::string Latin1ToUtf8(std::string_view bytes);
// A byte that continues a UTF-8 character (10xxxxxx).
inline bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
// The text with blanks after it up to `width` characters (UTF-8; a longer text stays whole).
std::string PaddedText(std::string text, std::size_t width);
// The last character of a UTF-8 text (empty for an empty text).
std::string LastUtf8Char(std::string_view text);
// The characters of a UTF-8 text, one string each.
std::vector<std::string> Utf8Characters(std::string_view text);
}  // namespace text
