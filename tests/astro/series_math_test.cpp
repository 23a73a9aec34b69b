// The inline helpers of the series: truncation, sine and cosine on the x87 unit.
#include "series_math.h"

#include <gtest/gtest.h>

#include <cmath>

#include "near.h"

using namespace astro;

namespace {

TEST(SeriesTruncTest, AgreesWithTheLibrary) {
  const long double cases[] = {
      0.0L,           -0.0L,
      2.5L,           -2.5L,
      3.0L,           -3.0L,
      0.999L,         -0.999L,
      1e-30L,         -1e-30L,
      0x1p62L - 0.5L, -(0x1p62L - 0.5L),  // the last values with a fraction below 2^62
      0x1p62L + 0.5L, -(0x1p62L + 0.5L),  // from 2^62 on: the library's path
      0x1p63L,        -0x1p63L,
      1e30L,          -1e4000L,
  };
  for (long double x : cases) {
    EXPECT_EQ(series_math::Trunc(x), std::trunc(x)) << static_cast<double>(x);
  }
  for (long double x = -1000.123L; x < 1000; x += 0.731L) {
    ASSERT_EQ(series_math::Trunc(x), std::trunc(x)) << static_cast<double>(x);
  }
}

struct TrigRange {
  long double from, to, step, tolerance;
};

TEST(SeriesTrigTest, CloseToTheLibrary) {
  const TrigRange ranges[] = {
      {-7, 7, 0.000731L, 5e-19L},      // the arguments of the series
      {-1600, 1600, 0.0917L, 5e-18L},  // long-period terms at far dates
      {9990, 10010, 0.0371L, 5e-17L},  // around the switch to the library
  };
  for (const TrigRange& r : ranges) {
    for (long double x = r.from; x < r.to; x += r.step) {
      long double s, c;
      series_math::SinCos(x, s, c);
      ASSERT_NEAR_L(s, std::sin(x), r.tolerance) << static_cast<double>(x);
      ASSERT_NEAR_L(c, std::cos(x), r.tolerance) << static_cast<double>(x);
      // Sin takes the sine of SinCos's instruction, so the two agree to the bit on every
      // processor (fsin and fsincos alone do not on some Intel ones).
      ASSERT_EQ(series_math::Sin(x), s) << static_cast<double>(x);
    }
  }
}

TEST(SeriesTrigTest, HugeArgumentsUseTheLibrary) {
  for (long double x : {1e5L, -3.5e7L, 1e19L, 1e300L}) {
    long double s, c;
    series_math::SinCos(x, s, c);
    // The library's sincos may differ from its sin and cos in the last bit.
    EXPECT_NEAR_L(s, std::sin(x), 1e-18L);
    EXPECT_NEAR_L(c, std::cos(x), 1e-18L);
    EXPECT_NEAR_L(series_math::Sin(x), std::sin(x), 1e-18L);
  }
}

TEST(SeriesAddAnglesTest, SumOfAnglesAlsoIntoTheInputs) {
  const long double a = 0.7L, b = -2.1L;
  long double c, s;
  series_math::AddAngles(std::cos(a), std::sin(a), std::cos(b), std::sin(b), c, s);
  EXPECT_NEAR_L(c, std::cos(a + b), 1e-18L);
  EXPECT_NEAR_L(s, std::sin(a + b), 1e-18L);
  // Output into the first pair: both results come from the old values.
  long double c1 = std::cos(a), s1 = std::sin(a);
  series_math::AddAngles(c1, s1, std::cos(b), std::sin(b), c1, s1);
  EXPECT_EQ(c1, c);
  EXPECT_EQ(s1, s);
  long double c2 = std::cos(0.3L), s2 = std::sin(0.3L);
  series_math::AddAngles(c2, s2, c2, s2, c2, s2);
  EXPECT_NEAR_L(c2, std::cos(0.6L), 1e-18L);
  EXPECT_NEAR_L(s2, std::sin(0.6L), 1e-18L);
}

}  // namespace
