// The series of the Sun, Mercury and Venus.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mathe.h"
#include "near.h"
#include "planets1.h"

using namespace astro;

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;
constexpr long double kArcSecond = Degree / 3600;

using PositionFn = void (*)(long double, long double&, long double&, long double&);

struct Reference {
  const char* name;
  PositionFn position;
  long double T;
  long double L, B, R;           // radians, radians, AU
  long double tolL, tolB, tolR;  // half a unit of the last printed digit
};

TEST(PlanetSeriesTest, ReferenceValues) {
  const Reference cases[] = {
      {"Sun T=0", SunPosition, 0, 4.8935099L, 3.71e-6L, 0.9833268L, 5e-8L, 5e-9L, 5e-8L},
      {"Mercury T=0", MercuryPosition, 0, 4.4293488L, -0.0527524L, 0.4664723L, 5e-8L, 5e-8L, 5e-8L},
      {"Venus T=0", VenusPosition, 0, 3.1870241L, 0.0569780L, 0.7202117L, 5e-8L, 5e-8L, 5e-8L},
      {"Mercury T=0.1", MercuryPosition, 0.1L, 1.4066100L, 0.0652773L, 0.3075791L, 5e-8L, 5e-8L,
       5e-8L},
      {"Venus T=0.1", VenusPosition, 0.1L, 4.7882609L, -0.0179095L, 0.7272435L, 5e-8L, 5e-8L,
       5e-8L},
  };
  for (const Reference& c : cases) {
    SCOPED_TRACE(c.name);
    long double L, B, R;
    c.position(c.T, L, B, R);
    EXPECT_NEAR_L(L, c.L, c.tolL);
    EXPECT_NEAR_L(B, c.B, c.tolB);
    EXPECT_NEAR_L(R, c.R, c.tolR);
  }
}

TEST(PlanetSeriesTest, ReferenceValuesInDegrees) {
  struct Case {
    PositionFn position;
    long double lonDeg, latDeg;
  };
  const Case cases[] = {
      {MercuryPosition, 253.78299L, -3.02249L},
      {VenusPosition, 182.60303L, 3.26460L},
  };
  for (const Case& c : cases) {
    long double L, B, R;
    c.position(0, L, B, R);
    EXPECT_NEAR_L(L / Degree, c.lonDeg, 5e-6L);
    EXPECT_NEAR_L(B / Degree, c.latDeg, 5e-6L);
  }
  long double L, B, R;
  SunPosition(0, L, B, R);
  EXPECT_NEAR_L(L / Degree, 280.37746L, 5e-6L);
  EXPECT_NEAR_L(B / kArcSecond, 0.765L, 5e-4L);
}

TEST(SunSeriesTest, AYearOfDistancesAndLatitudes) {
  // 2000 to 2001 day by day: perihelion in January, aphelion in July, latitude under 1.2".
  long double rMin = 10, rMax = 0, prevL = 0;
  for (int day = 0; day <= 366; ++day) {
    const long double T = day / 36525.0L;
    long double L, B, R;
    SunPosition(T, L, B, R);
    ASSERT_GT(R, 0.983L) << day;
    ASSERT_LT(R, 1.017L) << day;
    ASSERT_LT(std::fabs(B), 1.2L * kArcSecond) << day;
    if (day > 0) {
      const long double step = std::remainder(L - prevL, kTwoPi) / Degree;
      ASSERT_GT(step, 0.95L) << day;
      ASSERT_LT(step, 1.02L) << day;
    }
    prevL = L;
    rMin = std::min(rMin, R);
    rMax = std::max(rMax, R);
  }
  EXPECT_LT(rMin, 0.9834L);
  EXPECT_GT(rMax, 1.0166L);
}

TEST(SunSeriesTest, LongitudeMayBeNegativeBeforeJ2000) {
  // The fractional part keeps the sign of its argument: some instants of 1998 give L < 0,
  // still moving on by a day's motion from the day before.
  int negatives = 0;
  long double prevL = 0;
  for (int day = -800; day <= 0; ++day) {
    const long double T = day / 36525.0L;
    long double L, B, R;
    SunPosition(T, L, B, R);
    ASSERT_GT(L, -kTwoPi);
    ASSERT_LT(L, kTwoPi);
    if (L < 0) ++negatives;
    if (day > -800) {
      ASSERT_NEAR_L(std::remainder(L - prevL, kTwoPi), 0.9856L * Degree, 0.04L * Degree) << day;
    }
    prevL = L;
  }
  EXPECT_GT(negatives, 0);
}

struct OrbitBounds {
  const char* name;
  PositionFn position;
  long double rMin, rMax, maxLatDeg;
};

TEST(PlanetSeriesTest, OrbitsStayInTheirBounds) {
  const OrbitBounds cases[] = {
      {"Mercury", MercuryPosition, 0.3074L, 0.4668L, 7.01L},
      {"Venus", VenusPosition, 0.7181L, 0.7285L, 3.40L},
  };
  for (const OrbitBounds& c : cases) {
    SCOPED_TRACE(c.name);
    long double rMin = 10, rMax = 0, bMax = 0;
    for (long double T = -0.3L; T <= 0.3L; T += 0.5L / 36525) {
      long double L, B, R;
      c.position(T, L, B, R);
      ASSERT_GT(R, c.rMin) << static_cast<double>(T);
      ASSERT_LT(R, c.rMax) << static_cast<double>(T);
      ASSERT_LT(std::fabs(B) / Degree, c.maxLatDeg) << static_cast<double>(T);
      ASSERT_GT(L, -kTwoPi);
      ASSERT_LT(L, kTwoPi);
      rMin = std::min(rMin, R);
      rMax = std::max(rMax, R);
      bMax = std::max(bMax, std::fabs(B) / Degree);
    }
    // The extremes are reached, not merely respected.
    EXPECT_LT(rMin, c.rMin + 0.0005L);
    EXPECT_GT(rMax, c.rMax - 0.0005L);
    EXPECT_GT(bMax, c.maxLatDeg - 0.05L);
  }
}

TEST(PlanetSeriesTest, FarDatesGiveFiniteNumbers) {
  for (PositionFn f : {SunPosition, MercuryPosition, VenusPosition}) {
    for (long double T : {-100.0L, -37.5L, 37.5L, 100.0L}) {
      long double L, B, R;
      f(T, L, B, R);
      EXPECT_TRUE(std::isfinite(L) && std::isfinite(B) && std::isfinite(R))
          << static_cast<double>(T);
      EXPECT_LT(std::fabs(L), kTwoPi);
    }
  }
}

TEST(SeriesTablesTest, SizesAndIndexRanges) {
  const SunTables& sun = SunSeriesTables();
  const MercuryTables& mer = MercurySeriesTables();
  const VenusTables& ven = VenusSeriesTables();
  EXPECT_EQ(sun.venus.size(), 23u);
  EXPECT_EQ(sun.mars.size(), 13u);
  EXPECT_EQ(sun.jupiter.size(), 12u);
  EXPECT_EQ(sun.saturn.size(), 4u);
  EXPECT_EQ(mer.venus.size(), 36u);
  EXPECT_EQ(mer.earth.size(), 7u);
  EXPECT_EQ(mer.jupiter.size(), 10u);
  EXPECT_EQ(mer.saturn.size(), 1u);
  EXPECT_EQ(ven.mercury.size(), 4u);
  EXPECT_EQ(ven.earth.size(), 27u);
  EXPECT_EQ(ven.mars.size(), 3u);
  EXPECT_EQ(ven.jupiter.size(), 6u);
  EXPECT_EQ(ven.saturn.size(), 2u);

  // Every row with a power of T follows the row of the same argument one power lower;
  // the multiples stay within what the series fills.
  struct Table {
    const char* name;
    std::span<const PerturbationTerm> rows;
    int i1Max, iMin;
  };
  const Table tables[] = {
      {"Sun/Venus", sun.venus, 7, -6},         {"Sun/Mars", sun.mars, 7, -8},
      {"Sun/Jupiter", sun.jupiter, 7, -4},     {"Sun/Saturn", sun.saturn, 7, -2},
      {"Mercury/Venus", mer.venus, 9, -5},     {"Mercury/Earth", mer.earth, 9, -4},
      {"Mercury/Jupiter", mer.jupiter, 9, -3}, {"Mercury/Saturn", mer.saturn, 9, -2},
      {"Venus/Mercury", ven.mercury, 8, -2},   {"Venus/Earth", ven.earth, 8, -8},
      {"Venus/Mars", ven.mars, 8, -3},         {"Venus/Jupiter", ven.jupiter, 8, -3},
      {"Venus/Saturn", ven.saturn, 8, -1},
  };
  for (const Table& t : tables) {
    SCOPED_TRACE(t.name);
    for (size_t k = 0; k < t.rows.size(); ++k) {
      const PerturbationTerm& row = t.rows[k];
      EXPECT_GE(row.i1, -1);
      EXPECT_LE(row.i1, t.i1Max);
      EXPECT_LE(row.i, 0);
      EXPECT_GE(row.i, t.iMin);
      if (row.it > 0) {
        ASSERT_GT(k, 0u);
        EXPECT_EQ(t.rows[k - 1].i1, row.i1);
        EXPECT_EQ(t.rows[k - 1].i, row.i);
        EXPECT_EQ(t.rows[k - 1].it, row.it - 1);
      }
    }
  }
  // Spot checks of the largest coefficients.
  EXPECT_EQ(sun.venus[0].dls, 6892.76L);
  EXPECT_EQ(sun.venus[0].drc, -16707.37L);
  EXPECT_EQ(mer.venus[0].dls, 84547.39L);
  EXPECT_EQ(mer.venus[0].dbs, 21203.79L);
  EXPECT_EQ(ven.earth[0].dbc, 9995.27L);
  EXPECT_EQ(sun.jupiter[2].drs, -16.27L);
}

TEST(SeriesWithTablesTest, OwnTablesGiveTheSameResult) {
  for (long double T : {-0.4L, 0.0L, 0.123L}) {
    long double L1, B1, R1, L2, B2, R2;
    SunPosition(T, L1, B1, R1);
    SunPositionWith(SunSeriesTables(), T, L2, B2, R2);
    EXPECT_EQ(L1, L2);
    EXPECT_EQ(B1, B2);
    EXPECT_EQ(R1, R2);
    MercuryPosition(T, L1, B1, R1);
    MercuryPositionWith(MercurySeriesTables(), T, L2, B2, R2);
    EXPECT_EQ(L1, L2);
    EXPECT_EQ(B1, B2);
    EXPECT_EQ(R1, R2);
    VenusPosition(T, L1, B1, R1);
    VenusPositionWith(VenusSeriesTables(), T, L2, B2, R2);
    EXPECT_EQ(L1, L2);
    EXPECT_EQ(B1, B2);
    EXPECT_EQ(R1, R2);
  }
}

TEST(SeriesWithTablesTest, AChangedCoefficientIsNoticed) {
  // Venus's Jupiter term 1,-1: one hundredth of an arc second more in dlc.
  std::vector<PerturbationTerm> jupiter(VenusSeriesTables().jupiter.begin(),
                                        VenusSeriesTables().jupiter.end());
  jupiter[1].dlc += 0.01L;
  VenusTables changed = VenusSeriesTables();
  changed.jupiter = jupiter;
  long double L1, B1, R1, L2, B2, R2;
  VenusPosition(0.05L, L1, B1, R1);
  VenusPositionWith(changed, 0.05L, L2, B2, R2);
  EXPECT_NE(L1, L2);
  EXPECT_LT(std::fabs(L1 - L2), 0.01L * kArcSecond);
  EXPECT_EQ(B1, B2);
  EXPECT_EQ(R1, R2);
}

TEST(SeriesWithTablesTest, PowerOfTRowsReuseThePreviousArgument) {
  // The Sun's T^1 row of the first elliptic term: changing it is invisible at T = 0 and shows
  // as (change * T) times the term's own sine at T != 0.
  std::vector<PerturbationTerm> venus(SunSeriesTables().venus.begin(),
                                      SunSeriesTables().venus.end());
  ASSERT_EQ(venus[1].it, 1);
  venus[1].drc += 1000;  // 1e-3 AU per century times cos M3
  SunTables changed = SunSeriesTables();
  changed.venus = venus;
  long double L1, B1, R1, L2, B2, R2;
  SunPosition(0, L1, B1, R1);
  SunPositionWith(changed, 0, L2, B2, R2);
  EXPECT_EQ(R1, R2);
  const long double T = 0.2L;
  SunPosition(T, L1, B1, R1);
  SunPositionWith(changed, T, L2, B2, R2);
  // At T = 0.2 the Earth's mean anomaly is 0.99259868 of a turn: cos M3 = 0.9989188901.
  EXPECT_NEAR_L(R2 - R1, 1000 * T * 0.9989188901L * 1e-6L, 1e-14L);
}

TEST(SeriesWithTablesTest, IndicesOutsideTheMultipleTablesContributeNothing) {
  std::vector<PerturbationTerm> saturn(SunSeriesTables().saturn.begin(),
                                       SunSeriesTables().saturn.end());
  PerturbationTerm wild{12, -20, 0, 1000, 1000, 1000, 1000, 1000, 1000};
  saturn.push_back(wild);
  wild.it = 1;
  saturn.push_back(wild);
  SunTables changed = SunSeriesTables();
  changed.saturn = saturn;
  long double L1, B1, R1, L2, B2, R2;
  SunPosition(0.3L, L1, B1, R1);
  SunPositionWith(changed, 0.3L, L2, B2, R2);
  EXPECT_EQ(L1, L2);
  EXPECT_EQ(B1, B2);
  EXPECT_EQ(R1, R2);
}

}  // namespace
