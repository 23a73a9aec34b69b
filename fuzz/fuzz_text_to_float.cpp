// TextToFloat on any bytes: an accepted text has the value strtold gives in the "C" locale
// (a text without any mantissa digit, such as "." or "e5", is 0) and the value survives the
// trip through a 21-digit text; a rejected one reports a position inside or just behind the
// text and a value that is a non-negative number.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "number_text.h"

using namespace text;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the mantissa (before an exponent letter) holds a digit.
bool MantissaHasDigit(const std::string& s) {
  for (char c : s) {
    if (c == 'e' || c == 'E') return false;
    if (IsDigit(c)) return true;
  }
  return false;
}

bool SameValue(long double a, long double b) { return a == b; }  // +0 and -0 count as equal

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string s(reinterpret_cast<const char*>(data), size);
  long double v = -7;
  int32_t pos = -1;
  TextToFloat(s, v, pos);

  if (pos == 0) {
    FUZZ_CHECK(std::isfinite(v), "accepted with a non-finite value: " + Shown(s));
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    const std::string number = s.substr(i);
    FUZZ_CHECK(std::strlen(number.c_str()) == number.size(),
               "accepted a text with a NUL byte: " + Shown(s));
    if (!MantissaHasDigit(number)) {
      FUZZ_CHECK(v == 0, "a text without mantissa digits gives " + LongDoubleText(v) + ": " +
                             Shown(s));
    } else {
      char* end = nullptr;
      const long double expected = std::strtold(number.c_str(), &end);
      FUZZ_CHECK(end == number.c_str() + number.size(),
                 "accepted, but strtold stops early in " + Shown(s));
      FUZZ_CHECK(SameValue(v, expected), "value " + LongDoubleText(v) + " but strtold gives " +
                                             LongDoubleText(expected) + " for " + Shown(s));
    }
    // Round trip through a text with all the digits a long double needs.
    const std::string text = LongDoubleText(v);
    long double back = 0;
    int32_t backPos = -1;
    TextToFloat(text, back, backPos);
    FUZZ_CHECK(backPos == 0 && SameValue(back, v), "text " + text + " does not read back");
    return 0;
  }

  FUZZ_CHECK(pos >= 1 && static_cast<std::size_t>(pos) <= size + 1,
             "error position " + std::to_string(pos) + " for " + Shown(s));
  FUZZ_CHECK(!std::isnan(v) && v >= 0,
             "error value " + LongDoubleText(v) + " for " + Shown(s));
  return 0;
}
