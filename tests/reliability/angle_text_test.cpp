// Angle texts of values that no disc should have but that a broken computation could hand over:
// the measurement panel must never show "nan" or "inf", and a huge angle keeps all its digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "finite_checks.h"
#include "mathe.h"

namespace {

TEST(AngleText, NonFiniteAnglesShowNoNonNumberText) {
  const long double values[] = {std::numeric_limits<long double>::quiet_NaN(),
                                -std::numeric_limits<long double>::quiet_NaN(),
                                std::numeric_limits<long double>::infinity(),
                                -std::numeric_limits<long double>::infinity(),
                                // finite, but its degrees exceed the extended range
                                std::numeric_limits<long double>::max()};
  for (long double x : values) {
    std::string text;
    AngleToDMS(x, text);
    EXPECT_FALSE(ShowsNonNumber(text)) << "AngleToDMS(" << static_cast<double>(x) << ") = " << text;
  }
}

// 1e70 radians: the degree field has every digit of the truncated degrees (71 of them).
TEST(AngleText, HugeAngleKeepsAllDegreeDigits) {
  const long double x = 1e70L;
  std::string text;
  AngleToDMS(x, text);
  char digits[128];
  std::snprintf(digits, sizeof digits, "%.0Lf", std::trunc(x / 0.017453292519943295769L));
  EXPECT_EQ(text.substr(0, text.find("\xC2\xB0")), digits) << text;
}

}  // namespace
