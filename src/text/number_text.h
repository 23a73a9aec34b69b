// Number texts without any window: fixed-width formatting and strict parsing.
#pragma once
#include <cstdint>
#include <string>

namespace text {
// Format w.d: w the field width, d the decimals; field w + d + 2 when d >= 1.
std::string FormatNumber(long double x, long double format);
// The same without the blanks that fill the field: a number inside a sentence.
std::string PlainNumber(long double x, long double format);
// A whole number (a long double with no fraction, of any size) in decimal, right-aligned in a
// field of at least `width` characters filled with `pad` (' ' or '0'; zeros go after a sign).
std::string WholeNumberText(long double value, int width, char pad = ' ');
// pos = 0 when the whole text is a valid number, else the 1-based position of the first
// unusable character; v then holds the digits read before it.
void TextToInteger(const std::string& s, int32_t& v, int32_t& pos);
void TextToFloat(const std::string& s, long double& v, int32_t& pos);
}  // namespace text
