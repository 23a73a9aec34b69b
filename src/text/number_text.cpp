// Number texts: fixed-width formatting and strict parsing, always with "." as decimal point.
#include "number_text.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The "C" locale for the current thread while alive. Qt sets the process locale from the
// environment, which would turn the decimal point of printf/strtold into a comma.
class CLocaleScope {
 public:
  CLocaleScope() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    if (c != locale_t(0)) previous_ = uselocale(c);
  }
  ~CLocaleScope() {
    if (previous_ != locale_t(0)) uselocale(previous_);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_ = locale_t(0);
};

std::string PadLeft(std::string text, long width) {
  if (width > static_cast<long>(text.size())) text.insert(0, width - text.size(), ' ');
  return text;
}

// "-0", "-0.00": a value that rounds to zero is shown without a sign.
void DropNegativeZero(std::string& text) {
  if (text.empty() || text[0] != '-') return;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] != '0' && text[i] != '.') return;
  text.erase(0, 1);
}

std::string Printf(const char* format, int decimals, long double x) {
  CLocaleScope c;
  char buffer[128];
  int n = std::snprintf(buffer, sizeof buffer, format, decimals, x);
  if (n < 0) return std::string();
  if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, n);
  std::string big(static_cast<std::size_t>(n) + 1, '\0');  // up to about 4950 digits
  std::snprintf(big.data(), big.size(), format, decimals, x);
  big.resize(n);
  return big;
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

long double ToLongDouble(const std::string& text) {
  CLocaleScope c;
  return std::strtold(text.c_str(), nullptr);
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
    text = Printf("%.*Lf", 0, std::nearbyint(x));
  } else {
    // %Lf rounds the exact binary value, halves to even.
    text = Printf("%.*Lf", decimals, x);
    width += decimals + 2;
  }
  DropNegativeZero(text);
  return PadLeft(std::move(text), width);
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
  std::string number;  // the accepted characters, rebuilt for strtold
  std::string digits;  // the mantissa digits without the point
  bool anyPart = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  std::size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  number.append(s, start, i - start);
  digits.append(s, start, i - start);
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
    long double value = ToLongDouble(number);
    if (!std::isinf(value)) {
      v = value;
      pos = 0;
      return;
    }
    i = s.size();  // out of the extended range: an error behind the last character
  }
  pos = Position(i);
  if (digits.empty()) {
    v = 0;
  } else {
    long double value = ToLongDouble(digits);
    v = std::isinf(value) ? LDBL_MAX : value;
  }
}
