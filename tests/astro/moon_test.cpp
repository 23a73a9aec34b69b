// The lunar series and its table of solar terms.
#include "moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mathe.h"
#include "near.h"

using namespace astro;

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;

struct MoonReference {
  long double T;
  long double L, B, R;  // radians, radians, Earth radii
  long double lonDeg, latDeg;
};

TEST(MoonSeriesTest, ReferenceValues) {
  const MoonReference cases[] = {
      {0, 3.8976502L, 0.0902496L, 63.09648L, 223.31891L, 5.17092L},
      {0.1L, 1.8016678L, 0.0126391L, 56.34231L, 103.22796L, 0.72417L},
  };
  for (const MoonReference& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.T));
    long double L, B, R;
    MoonPosition(c.T, L, B, R);
    EXPECT_NEAR_L(L, c.L, 5e-8L);
    EXPECT_NEAR_L(B, c.B, 5e-8L);
    EXPECT_NEAR_L(R, c.R, 5e-6L);
    EXPECT_NEAR_L(L / Degree, c.lonDeg, 5e-6L);
    EXPECT_NEAR_L(B / Degree, c.latDeg, 5e-6L);
  }
}

TEST(MoonSeriesTest, TwoYearsOfDistancesLatitudesAndMotion) {
  // Six-hour steps through 2000 and 2001: perigee and apogee lie between 55.9 and 63.8
  // Earth radii, the latitude within 5.35 degrees, the longitude in [0, 2 pi) and moving
  // 2.8 to 3.9 degrees in six hours.
  long double rMin = 100, rMax = 0, bMax = 0, prevL = 0;
  for (int step = 0; step <= 4 * 731; ++step) {
    const long double T = step / (4 * 36525.0L);
    long double L, B, R;
    MoonPosition(T, L, B, R);
    ASSERT_GT(R, 55.9L) << step;
    ASSERT_LT(R, 63.8L) << step;
    ASSERT_LT(std::fabs(B), 5.35L * Degree) << step;
    ASSERT_GE(L, 0) << step;
    ASSERT_LT(L, kTwoPi) << step;
    if (step > 0) {
      const long double move = std::remainder(L - prevL, kTwoPi) / Degree;
      ASSERT_GT(move, 2.8L) << step;
      ASSERT_LT(move, 3.9L) << step;
    }
    prevL = L;
    rMin = std::min(rMin, R);
    rMax = std::max(rMax, R);
    bMax = std::max(bMax, std::fabs(B));
  }
  EXPECT_LT(rMin, 56.5L);
  EXPECT_GT(rMax, 63.5L);
  EXPECT_GT(bMax, 5.0L * Degree);
}

TEST(MoonSeriesTest, LongitudeIsNeverNegative) {
  for (long double T = -1; T < 0; T += 0.0173L) {
    long double L, B, R;
    MoonPosition(T, L, B, R);
    ASSERT_GE(L, 0) << static_cast<double>(T);
    ASSERT_LT(L, kTwoPi) << static_cast<double>(T);
  }
}

TEST(MoonSeriesTest, FarDatesGiveFiniteNumbers) {
  for (long double T : {-100.0L, -12.3L, 12.3L, 100.0L}) {
    long double L, B, R;
    MoonPosition(T, L, B, R);
    EXPECT_TRUE(std::isfinite(L) && std::isfinite(B) && std::isfinite(R)) << static_cast<double>(T);
    EXPECT_GE(L, 0);
    EXPECT_LT(L, kTwoPi);
    EXPECT_GT(R, 0);
  }
}

struct TellingRow {
  size_t index;
  MoonSolarTerm term;
};

TEST(MoonSolarTermsTest, TellingRows) {
  const TellingRow rows[] = {
      {0, {0, 0, 0, 4, 13.902L, 14.06L, -0.001L, 0.2607L}},
      {2, {0, 0, 0, 2, 2369.912L, 2373.36L, 0.601L, 28.2333L}},
      {7, {1, 0, 0, 0, 22639.500L, 22609.07L, 0.079L, 186.5398L}},
      {9, {1, 0, 0, -2, -4586.465L, -4578.13L, -0.077L, 34.3117L}},
      {16, {0, 1, 0, 0, -668.146L, -126.98L, -1.302L, -0.3997L}},
      {23, {2, 0, 0, 0, 769.016L, 767.96L, 0.107L, 10.1657L}},
      {34, {1, 1, 0, -4, -4.391L, -9.66L, -0.471L, 0.0673L}},
      {35, {1, -1, 0, 4, 0.283L, 1.53L, -0.111L, 0.0060L}},
      {47, {0, 0, 2, 0, -411.608L, -0.20L, 0, -0.0124L}},
      {80, {1, 0, -2, -4, 0.202L, 0.02L, 0, 0}},
      {81, {0, 1, 2, 0, 0.415L, 0.10L, 0, 0.0013L}},
      {103, {3, 0, 2, 0, -0.330L, -0.04L, 0, 0}},
  };
  const std::span<const MoonSolarTerm> terms = MoonSolarTerms();
  ASSERT_EQ(terms.size(), 104u);
  for (const TellingRow& r : rows) {
    SCOPED_TRACE(r.index);
    const MoonSolarTerm& t = terms[r.index];
    EXPECT_EQ(t.p, r.term.p);
    EXPECT_EQ(t.q, r.term.q);
    EXPECT_EQ(t.r, r.term.r);
    EXPECT_EQ(t.s, r.term.s);
    EXPECT_EQ(t.cl, r.term.cl);
    EXPECT_EQ(t.cs, r.term.cs);
    EXPECT_EQ(t.cg, r.term.cg);
    EXPECT_EQ(t.cp, r.term.cp);
  }
}

TEST(MoonSolarTermsTest, GroupsInEvaluationOrder) {
  // The (p, q, r) groups in order; within a group s runs from high to low; every multiple
  // stays within its rotation table (4, 3, 4, 6).
  const int groups[][3] = {
      {0, 0, 0},  {1, 0, 0},   {0, 1, 0}, {2, 0, 0},  {1, 1, 0},  // first 35
      {1, -1, 0}, {0, 2, 0},   {0, 0, 2}, {3, 0, 0},  {2, 1, 0},  {2, -1, 0},
      {1, 2, 0},  {1, -2, 0},  {0, 3, 0}, {1, 0, 2},  {1, 0, -2},  // next 46
      {0, 1, 2},  {0, 1, -2},  {4, 0, 0}, {3, 1, 0},  {3, -1, 0}, {2, 2, 0},
      {2, -2, 0}, {1, 3, 0},   {2, 0, 2}, {2, 0, -2}, {1, 1, 2},  {1, 1, -2},
      {1, -1, 2}, {1, -1, -2}, {0, 0, 4}, {3, 0, 2},  // last 23
  };
  const std::span<const MoonSolarTerm> terms = MoonSolarTerms();
  size_t g = 0;
  for (size_t k = 0; k < terms.size(); ++k) {
    const MoonSolarTerm& t = terms[k];
    SCOPED_TRACE(k);
    ASSERT_LE(std::abs(t.p), 4);
    ASSERT_LE(std::abs(t.q), 3);
    ASSERT_LE(std::abs(t.r), 4);
    ASSERT_LE(std::abs(t.s), 6);
    const bool sameGroup =
        k > 0 && t.p == terms[k - 1].p && t.q == terms[k - 1].q && t.r == terms[k - 1].r;
    if (k > 0 && !sameGroup) ++g;
    ASSERT_LT(g, std::size(groups));
    EXPECT_EQ(t.p, groups[g][0]);
    EXPECT_EQ(t.q, groups[g][1]);
    EXPECT_EQ(t.r, groups[g][2]);
    if (sameGroup) {
      EXPECT_LT(t.s, terms[k - 1].s);
    }
    if (k == 35) {
      EXPECT_EQ(g, 5u);  // the second group of 46 rows starts here
    }
    if (k == 81) {
      EXPECT_EQ(g, 16u);  // and the third of 23 rows here
    }
  }
  EXPECT_EQ(g + 1, std::size(groups));
}

TEST(MoonPositionWithTest, OwnTableGivesTheSameResult) {
  for (long double T : {-0.3L, 0.0L, 0.17L}) {
    long double L1, B1, R1, L2, B2, R2;
    MoonPosition(T, L1, B1, R1);
    MoonPositionWith(MoonSolarTerms(), T, L2, B2, R2);
    EXPECT_EQ(L1, L2);
    EXPECT_EQ(B1, B2);
    EXPECT_EQ(R1, R2);
  }
}

TEST(MoonPositionWithTest, AChangedCoefficientIsNoticed) {
  std::vector<MoonSolarTerm> terms(MoonSolarTerms().begin(), MoonSolarTerms().end());
  terms[7].cp += 0.0001L;  // the largest parallax term
  long double L1, B1, R1, L2, B2, R2;
  MoonPosition(0.02L, L1, B1, R1);
  MoonPositionWith(terms, 0.02L, L2, B2, R2);
  EXPECT_EQ(L1, L2);
  EXPECT_EQ(B1, B2);
  EXPECT_NE(R1, R2);
  EXPECT_LT(std::fabs(R1 - R2), 1e-5L);
}

TEST(MoonPositionWithTest, AllZeroMultiplesUseXEqualToOne) {
  // Without solar terms the parallax stays 3422.7"; a term with all multiples zero has
  // X = 1, Y = 0, so its parallax coefficient adds in full and nothing else moves.
  const std::vector<MoonSolarTerm> none;
  const std::vector<MoonSolarTerm> constant{{0, 0, 0, 0, 55.5L, 66.6L, 0, 100}};
  long double L1, B1, R1, L2, B2, R2;
  MoonPositionWith(none, 0.05L, L1, B1, R1);
  MoonPositionWith(constant, 0.05L, L2, B2, R2);
  EXPECT_NEAR_L(R1, 206264.81L / (3422.7L * 0.999953253L), 1e-15L);
  EXPECT_NEAR_L(R2, 206264.81L / (3522.7L * 0.999953253L), 1e-15L);
  EXPECT_EQ(L1, L2);
  EXPECT_EQ(B1, B2);
}

TEST(MoonPositionWithTest, MultiplesBeyondTheTablesContributeNothing) {
  std::vector<MoonSolarTerm> terms(MoonSolarTerms().begin(), MoonSolarTerms().end());
  terms.push_back({9, 0, 0, 1, 1000, 1000, 1000, 1000});
  terms.push_back({0, 0, 0, -7, 1000, 1000, 1000, 1000});
  terms.push_back({5, 0, 0, 1, 1000, 1000, 1000, 1000});  // within 6 but beyond LA's 4
  terms.push_back({0, -4, 0, 0, 1000, 1000, 1000, 1000});  // beyond LS's 3
  long double L1, B1, R1, L2, B2, R2;
  MoonPosition(0.07L, L1, B1, R1);
  MoonPositionWith(terms, 0.07L, L2, B2, R2);
  EXPECT_EQ(L1, L2);
  EXPECT_EQ(B1, B2);
  EXPECT_EQ(R1, R2);
}

}  // namespace
