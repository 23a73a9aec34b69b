// FormatNumber for any value and any format (both taken from raw 80-bit patterns, so NaN,
// infinities, denormals and the unnormal encodings the x87 format allows all occur).
// The text fills at least its field, has exactly d decimals, and reads back with
// TextToFloat to a value within half a unit of the d-th decimal of x.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "number_text.h"

using namespace text;

namespace {

long double Take(const uint8_t*& data, std::size_t& size) {
  unsigned char bytes[sizeof(long double)] = {};
  const std::size_t n = size < 10 ? size : 10;  // the 80 significant bits
  std::memcpy(bytes, data, n);
  data += n;
  size -= n;
  long double x;
  std::memcpy(&x, bytes, sizeof x);
  return x;
}

// Widths beyond 1000 characters are cut to 1000 by FormatNumber (a screen line is far less).
constexpr long MaxWidth = 1000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const long double x = Take(data, size);
  const long double f = Take(data, size);
  const std::string text = FormatNumber(x, f);
  const std::string what = "FormatNumber(" + LongDoubleText(x) + ", " + LongDoubleText(f) +
                           ") = " + Shown(text);

  long width = 0;
  int d = 0;
  if (std::isfinite(f)) {
    const long double w = std::trunc(f);
    d = static_cast<int>(std::nearbyint((f - w) * 10));
    width = static_cast<long>(std::fmax(0.0L, std::fmin(w, static_cast<long double>(MaxWidth))));
  }
  FUZZ_CHECK(d >= -10 && d <= 10, what);
  const long field = d < 1 ? width : width + d + 2;
  FUZZ_CHECK(static_cast<long>(text.size()) >= field, "shorter than its field: " + what);
  FUZZ_CHECK(text.find('\0') == std::string::npos, what);
  // Blanks only on the left.
  const std::size_t first = text.find_first_not_of(' ');
  FUZZ_CHECK(first != std::string::npos, "only blanks: " + what);
  const std::string number = text.substr(first);
  FUZZ_CHECK(number.find(' ') == std::string::npos, "blank inside: " + what);
  if (!std::isfinite(x)) return 0;

  const std::size_t point = number.find('.');
  if (d < 1) {
    FUZZ_CHECK(point == std::string::npos, "decimal point without decimals: " + what);
  } else {
    FUZZ_CHECK(point != std::string::npos && number.size() - point - 1 == static_cast<std::size_t>(d),
               "not exactly d decimals: " + what);
  }
  long double back = 0;
  int32_t pos = -1;
  TextToFloat(number, back, pos);
  FUZZ_CHECK(pos == 0, "does not read back: " + what);
  // Half a unit of the last decimal, plus the rounding of the read-back to 64 bits.
  const long double half = d < 1 ? 0.5L : 0.5L * std::pow(10.0L, -d);
  const long double slack = std::fabs(x) * 0x1p-62L + 0x1p-16000L;
  FUZZ_CHECK(std::fabs(back - x) <= half * (1 + 0x1p-60L) + slack,
             "reads back as " + LongDoubleText(back) + ": " + what);
  return 0;
}
