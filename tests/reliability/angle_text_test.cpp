// Angle texts of values that no disc should have but that a broken computation could hand over:
// the measurement panel must never show "nan" or "inf", and a huge angle keeps all its digits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "finite_checks.h"
#include "mathe.h"

using namespace astro;

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

// 1e70 radians are 5.72957795130823208...e71 degrees: the degree field has all 72 digits.
TEST(AngleText, HugeAngleKeepsAllDegreeDigits) {
  std::string text;
  AngleToDMS(1e70L, text);
  const std::string degrees = text.substr(0, text.find("\xC2\xB0"));
  EXPECT_EQ(degrees.size(), 72u) << text;
  EXPECT_EQ(degrees.substr(0, 15), "572957795130823") << text;
  EXPECT_NEAR(static_cast<double>(std::stold(degrees) / 5.72957795130823208e71L), 1.0, 1e-17);
}

}  // namespace
