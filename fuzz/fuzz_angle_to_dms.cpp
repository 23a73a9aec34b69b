// AngleToDMS for any 80-bit value: the text is sign, degrees (at least three characters,
// blanks then digits), the degree sign, two-digit minutes below 60, "'", two-digit seconds
// below 60, "\".", three digits; the degrees are those of the angle (one more after a carry
// of the rounded thousandths), and no text ever shows "nan" or "inf" (not even for NaN, the
// infinities and angles whose degrees exceed the extended range, which have no shape to check).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "mathe.h"

using namespace astro;

namespace {

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Decimal text of a non-negative integer-valued long double, every digit.
std::string IntegerText(long double a) {
  int n = std::snprintf(nullptr, 0, "%.0Lf", a);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(s.data(), s.size(), "%.0Lf", a);
  s.resize(n);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, data, size < 10 ? size : 10);
  long double x;
  std::memcpy(&x, bytes, sizeof x);
  std::string text = "untouched";
  AngleToDMS(x, text);
  const std::string what = "AngleToDMS(" + LongDoubleText(x) + ") = " + Shown(text);

  for (const char* bad : {"nan", "NAN", "inf", "INF"})
    FUZZ_CHECK(text.find(bad) == std::string::npos, "non-number text: " + what);
  // Beyond about 2e4930 radians even the degrees leave the extended range: no digits to show.
  const long double a = std::fabs(x / 0.017453292519943295769L);
  if (!std::isfinite(a)) return 0;

  const std::string degree = "\xC2\xB0";
  const std::size_t d = text.find(degree);
  FUZZ_CHECK(d != std::string::npos, "no degree sign: " + what);
  std::string head = text.substr(0, d);
  const bool minus = !head.empty() && head[0] == '-';
  FUZZ_CHECK(minus == (x < 0), "sign: " + what);
  if (minus) head.erase(0, 1);
  FUZZ_CHECK(head.size() >= 3, "degree field narrower than 3: " + what);
  const std::size_t firstDigit = head.find_first_not_of(' ');
  FUZZ_CHECK(firstDigit != std::string::npos && AllDigits(head.substr(firstDigit)),
             "degree field: " + what);
  FUZZ_CHECK(firstDigit == 0 || head.size() == 3, "blanks in a wide degree field: " + what);
  const std::string degrees = head.substr(firstDigit);

  const std::string tail = text.substr(d + degree.size());
  // mm'ss".ttt
  FUZZ_CHECK(tail.size() == 10 && tail[2] == '\'' && tail[5] == '"' && tail[6] == '.',
             "shape after the degree sign: " + what);
  const std::string mm = tail.substr(0, 2), ss = tail.substr(3, 2), ttt = tail.substr(7, 3);
  FUZZ_CHECK(AllDigits(mm) && AllDigits(ss) && AllDigits(ttt), "digits: " + what);
  FUZZ_CHECK(std::stoi(mm) < 60 && std::stoi(ss) < 60, "minutes or seconds of 60: " + what);

  // The degrees are the truncated degrees of the angle, or one more when the thousandths
  // carried all the way up (then minutes, seconds and thousandths are all zero).
  const std::string truncated = IntegerText(std::trunc(a));
  const bool carried = mm == "00" && ss == "00" && ttt == "000";
  FUZZ_CHECK(degrees == truncated || (carried && degrees == IntegerText(std::trunc(a) + 1)),
             "degrees should be " + truncated + ": " + what);
  return 0;
}
