// TextToInteger on any bytes: an accepted text has the value strtol gives and survives the
// trip through its own decimal text; a rejected one points into (or just past) the text and
// yields the digits read before that position.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "number_text.h"

using namespace text;

namespace {

struct Layout {
  std::size_t digitsStart = 0;
  bool negative = false;
  int base = 10;
};

// Where the digits begin, read the same way as the number syntax: blanks, sign, hex prefix.
Layout ReadPrefix(const std::string& s) {
  Layout l;
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) l.negative = s[i++] == '-';
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    l.base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    l.base = 16;
    i += 2;
  }
  l.digitsStart = i;
  return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string s(reinterpret_cast<const char*>(data), size);
  int32_t v = -12345, pos = -1;
  TextToInteger(s, v, pos);
  const Layout l = ReadPrefix(s);

  if (pos == 0) {
    // Accepted: only digits of the base after the prefix, and strtoll agrees on the value.
    const std::string digits = s.substr(l.digitsStart);
    FUZZ_CHECK(!digits.empty(), "accepted without digits: " + Shown(s));
    errno = 0;
    char* end = nullptr;
    const long long magnitude = std::strtoll(digits.c_str(), &end, l.base);
    FUZZ_CHECK(errno == 0 && end == digits.c_str() + digits.size() &&
                   digits.find_first_of("+- \t\n") == std::string::npos,
               "accepted text is no plain number for strtol: " + Shown(s));
    const long long expected = l.negative ? -magnitude : magnitude;
    FUZZ_CHECK(expected >= INT32_MIN && expected <= INT32_MAX,
               "accepted a value outside 32 bits: " + Shown(s));
    FUZZ_CHECK(expected == v, "value " + std::to_string(v) + " but strtol gives " +
                                  std::to_string(expected) + " for " + Shown(s));
    // Round trip through the decimal text of the value.
    const std::string decimal = std::to_string(v);
    int32_t back = 0, backPos = -1;
    TextToInteger(decimal, back, backPos);
    FUZZ_CHECK(backPos == 0 && back == v, "decimal text " + decimal + " does not read back");
    return 0;
  }

  // Rejected: the position is 1-based and lies inside the text or just behind it.
  FUZZ_CHECK(pos >= 1 && static_cast<std::size_t>(pos) <= size + 1,
             "error position " + std::to_string(pos) + " for " + Shown(s));
  if (size == 0) FUZZ_CHECK(pos == 1, "empty text gives position " + std::to_string(pos));
  // The value is the magnitude of the digits before the position (0 when there are none).
  const std::size_t stop = static_cast<std::size_t>(pos) - 1;
  if (stop >= l.digitsStart) {
    const std::string digits = s.substr(l.digitsStart, stop - l.digitsStart);
    unsigned long long magnitude = 0;
    if (!digits.empty()) {
      char* end = nullptr;
      magnitude = std::strtoull(digits.c_str(), &end, l.base);
      FUZZ_CHECK(end == digits.c_str() + digits.size(),
                 "characters before the error position are no digits: " + Shown(s));
    }
    FUZZ_CHECK(magnitude <= 2147483648ULL,
               "digits before the error position exceed 32 bits: " + Shown(s));
    FUZZ_CHECK(v == static_cast<int32_t>(static_cast<uint32_t>(magnitude)),
               "error value " + std::to_string(v) + " for " + Shown(s));
  }
  return 0;
}
