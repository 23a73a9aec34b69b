// Delta T: published values, no jump where two pieces meet, sane growth over twenty millennia.
#include "delta_t.h"

#include <gtest/gtest.h>

#include <cmath>

#include "near.h"

using namespace astro;

namespace {

struct Checkpoint {
  const char* source;
  long double year;
  long double seconds;
  long double tolerance;
};

TEST(DeltaTTest, PublishedValues) {
  const Checkpoint cases[] = {
      {"parabola -20 + 32 u^2 at -3000", -3000, 74323.68L, 1e-9L},
      {"parabola at -1000", -1000, 25427.68L, 1e-9L},
      {"Morrison-Stephenson table at 0, which the polynomial follows within 4 s", 0, 10580, 4},
      {"polynomial -500..500 at 0 (its constant)", 0, 10583.6L, 1e-9L},
      {"polynomial 500..1600 at 1000 (its constant)", 1000, 1574.2L, 1e-9L},
      {"polynomial 1600..1700 at 1600 (its constant)", 1600, 120, 1e-9L},
      {"Astronomical Almanac table, 1700", 1700, 9, 1e-9L},
      {"Astronomical Almanac table, 1900", 1900, -2.72L, 1e-9L},
      {"Astronomical Almanac table, 1950", 1950, 29.15L, 1e-9L},
      {"USNO deltat.data, 2000 January 1", 2000, 63.8285L, 1e-9L},
      {"USNO deltat.data, 2020 January 1", 2020, 69.3612L, 1e-9L},
      {"USNO deltat.data, 2026 January 1", 2026, 69.1099L, 1e-9L},
      {"parabola at 3000", 3000, 4435.68L, 1e-9L},
      {"parabola at 10000", 10000, 214099.68L, 1e-7L},
  };
  for (const Checkpoint& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_NEAR_L(DeltaT(c.year), c.seconds, c.tolerance);
  }
}

TEST(DeltaTTest, NoJumpWherePiecesMeet) {
  // Parabola/polynomials, polynomials/table fade, fade/table, table/guess, guess/parabola.
  const long double joins[] = {-500, 500, 1600, 1620, 1660, 2026, 2150};
  constexpr long double kStep = 1e-6L;  // year
  for (long double join : joins) {
    SCOPED_TRACE(static_cast<double>(join));
    EXPECT_LT(std::fabs(DeltaT(join + kStep) - DeltaT(join - kStep)), 0.5L);
  }
}

TEST(DeltaTTest, FiniteWithBoundedGrowth) {
  // Between samples 0.37 years apart no piece may change faster than the parabola's own slope
  // (0.64 u s per year) plus a margin of 15 s per year.
  constexpr long double kStep = 0.37L;  // year
  long double previous = DeltaT(-10000);
  for (long double year = -10000 + kStep; year <= 10000; year += kStep) {
    const long double value = DeltaT(year);
    ASSERT_TRUE(std::isfinite(value)) << static_cast<double>(year);
    const long double u = std::fabs(year - 1820) / 100;
    ASSERT_LT(std::fabs(value - previous), kStep * (15 + 0.65L * u)) << static_cast<double>(year);
    ASSERT_GT(value, -30) << static_cast<double>(year);
    previous = value;
  }
  EXPECT_TRUE(std::isfinite(DeltaT(-1e6L)));
  EXPECT_TRUE(std::isfinite(DeltaT(1e6L)));
}

TEST(DeltaTTest, JulianDayCountsGregorianYearsFrom2000) {
  EXPECT_NEAR_L(DeltaTAtJd(2451544.5L), DeltaT(2000), 1e-12L);
  EXPECT_NEAR_L(DeltaTAtJd(2451544.5L + 20.5L * 365.2425L), DeltaT(2020.5L), 1e-9L);
  EXPECT_NEAR_L(DeltaTAtJd(2451544.5L - 4000 * 365.2425L), DeltaT(-2000), 1e-6L);
}
}  // namespace
