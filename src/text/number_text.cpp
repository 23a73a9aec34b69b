// Number texts: fixed-width formatting and strict parsing, always with "." as decimal point.
#include "number_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <string_view>

namespace text {
namespace {

std::string PadLeft(std::string text, long width, char pad = ' ') {
  if (width > static_cast<long>(text.size())) {
    const std::size_t at = pad == '0' && !text.empty() && text[0] == '-' ? 1 : 0;
    text.insert(at, width - text.size(), pad);
  }
  return text;
}

// "-0", "-0.00": a value that rounds to zero is shown without a sign.
void DropNegativeZero(std::string& text) {
  if (text.empty() || text[0] != '-') return;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] != '0' && text[i] != '.') return;
  text.erase(0, 1);
}

// Fixed-point text with `decimals` digits after the point, rounded from the exact binary
// value (halves to even), in no locale at all.
std::string Fixed(long double x, int decimals) {
  char buffer[5000 + 64];  // the largest long double has 4933 digits
  const std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
  return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::size_t SkipBlanks(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return i;
}

int32_t Position(std::size_t index) {  // 0-based index to 1-based position, kept in range
  return index >= static_cast<std::size_t>(INT32_MAX) ? INT32_MAX
                                                      : static_cast<int32_t>(index + 1);
}

// The value of a number text (an optional sign, digits, a point, an exponent); false when it
// lies beyond the extended range either way.
bool ToLongDouble(std::string_view text, long double& value) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  const std::from_chars_result r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc();
}

}  // namespace

std::string FormatNumber(long double x, long double format) {
  if (std::isnan(format) || std::isinf(format)) format = 0;
  long double wPart = std::trunc(format);
  long double dPart = std::nearbyint((format - wPart) * 10);
  // Widths far beyond a screen line are no use; keep them bounded.
  long width = static_cast<long>(std::fmax(0.0L, std::fmin(wPart, 1000.0L)));
  int decimals = static_cast<int>(dPart);  // within -10..10

  if (std::isnan(x)) return PadLeft("nan", decimals < 1 ? width : width + decimals + 2);
  if (std::isinf(x))
    return PadLeft(x < 0 ? "-inf" : "inf", decimals < 1 ? width : width + decimals + 2);

  std::string text;
  if (decimals < 1) {
    text = Fixed(std::nearbyint(x), 0);
  } else {
    text = Fixed(x, decimals);
    width += decimals + 2;
  }
  DropNegativeZero(text);
  return PadLeft(std::move(text), width);
}

std::string PlainNumber(long double x, long double format) {
  std::string text = FormatNumber(x, format);
  return text.erase(0, text.find_first_not_of(' '));
}

std::string WholeNumberText(long double value, int width, char pad) {
  return PadLeft(Fixed(value, 0), width, pad);
}

void TextToInteger(const std::string& s, int32_t& v, int32_t& pos) {
  std::size_t i = SkipBlanks(s);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    i += 1;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  const uint64_t limit = negative ? 2147483648ULL : 2147483647ULL;
  uint64_t magnitude = 0;  // never above limit, so base * magnitude + 15 fits easily
  bool anyDigit = false;
  for (; i < s.size(); ++i) {
    int digit = base == 16 ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) break;
    uint64_t next = magnitude * base + static_cast<uint64_t>(digit);
    if (next > limit) break;  // this digit takes the value out of the 32-bit range
    magnitude = next;
    anyDigit = true;
  }
  if (i == s.size() && anyDigit) {
    v = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                      : static_cast<int64_t>(magnitude));
    pos = 0;
    return;
  }
  // 2147483648 read before a bad character of a negative number wraps to INT32_MIN.
  v = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
  pos = Position(i);
}

void TextToFloat(const std::string& s, long double& v, int32_t& pos) {
  std::size_t i = SkipBlanks(s);
  std::string number;  // the accepted characters, rebuilt for the conversion
  std::string digits;  // the mantissa digits without the point
  bool anyPart = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  std::size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  number.append(s, start, i - start);
  digits.append(s, start, i - start);
  const long integerDigits = static_cast<long>(i - start);
  anyPart = i > start;
  bool bad = false;
  if (i < s.size() && s[i] == '.') {
    anyPart = true;
    number += '.';
    start = ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    number.append(s, start, i - start);
    digits.append(s, start, i - start);
  }
  long exponent = 0;
  bool exponentNegative = false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    anyPart = true;
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) exponentNegative = s[i++] == '-';
    start = i;
    while (i < s.size() && IsDigit(s[i])) {
      // Saturate: beyond this the value is 0 or out of range anyway.
      if (exponent < 100000000L) exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    bad = i == start;
  }
  if (!bad && anyPart && i == s.size()) {
    if (digits.empty()) number += '0';  // ".", "e5", "-." have the value 0
    number += 'e';
    if (exponentNegative) number += '-';
    number += std::to_string(exponent);
    long double value = 0;
    if (ToLongDouble(number, value)) {
      v = value;
      pos = 0;
      return;
    }
    // Far below the smallest extended number (about 1e-4951) the value is zero.
    const std::size_t first = digits.find_first_not_of('0');
    const long leading = integerDigits - 1 - static_cast<long>(first);
    if (exponentNegative && leading - exponent < -5000) {
      v = number[0] == '-' ? -0.0L : 0.0L;
      pos = 0;
      return;
    }
    i = s.size();  // out of the extended range: an error behind the last character
  }
  pos = Position(i);
  long double value = 0;
  if (digits.empty())
    v = 0;
  else
    v = ToLongDouble(digits, value) ? value : LDBL_MAX;
}
}  // namespace text
