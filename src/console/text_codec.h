// Texts are held as UTF-8; files may be Latin-1 or UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

bool IsValidUtf8(std::string_view bytes);
std::string Latin1ToUtf8(std::string_view bytes);
// A file's text: UTF-8 when it is valid UTF-8 (a leading byte order mark is dropped),
// otherwise read as Latin-1.
std::string DecodeFileText(std::string_view bytes);
// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
// The last character of a UTF-8 text (empty for an empty text).
std::string LastUtf8Char(std::string_view text);
// Splits a file's contents into lines; CR LF and LF both end a line, a missing final
// line end is allowed, a lone CR stays in its line. lines is replaced.
void SplitLines(std::string_view contents, std::vector<std::string>& lines);
