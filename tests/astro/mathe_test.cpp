// Guarded trigonometric helpers and the degrees-minutes-seconds text.
#include "mathe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "near.h"

using namespace astro;

namespace {

constexpr long double kEps = 1e-18L;

TEST(MatheTest, DegreeSignIsUtf8) { EXPECT_EQ(DegreeSign, "\xC2\xB0"); }

// Arguments near the poles, chosen by the cosine they produce.
struct TanPoleCase {
  const char* name;
  long double x;
  long double expected;
};

TEST(TanTest, PoleGuardFollowsTheSignOfTheCosine) {
  const long double small = 5e-8L;
  const TanPoleCase cases[] = {
      {"just below +pi/2 (cos > 0, tan > 0)", std::acos(small), 1e7L},
      {"just above -pi/2 (cos > 0, tan < 0)", -std::acos(small), 1e7L},
      {"just above +pi/2 (cos < 0, tan < 0)", std::acos(-small), -1e7L},
      {"just below -pi/2 (cos < 0, tan > 0)", -std::acos(-small), -1e7L},
      {"pi/2 rounded", PiHalf, std::cos(PiHalf) >= 0 ? 1e7L : -1e7L},
      {"3 pi/2 plus a little", 3 * PiHalf + 2e-8L, 1e7L},
  };
  for (const TanPoleCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_LT(std::fabs(std::cos(c.x)), 1e-7L);
    EXPECT_EQ(Tan(c.x), c.expected);
  }
}

TEST(TanTest, GuardIsStrictlyBelowTheThreshold) {
  // No long double argument has a cosine of exactly 1e-7, so pin the boundary instead: the
  // last argument before pi/2 whose cosine is still >= 1e-7 gets the plain quotient, the
  // next one the substitute value.
  long double x = std::acos(1e-7L);
  while (std::cos(x) < 1e-7L) x = std::nextafter(x, 0.0L);
  while (std::cos(std::nextafter(x, 2.0L)) >= 1e-7L) x = std::nextafter(x, 2.0L);
  const long double next = std::nextafter(x, 2.0L);
  ASSERT_GE(std::cos(x), 1e-7L);
  ASSERT_LT(std::cos(next), 1e-7L);
  EXPECT_NEAR_L(Tan(x), std::sin(x) / std::cos(x), 1e-11L);  // about 9999999.9999968
  EXPECT_LT(Tan(x), 1e7L);
  EXPECT_EQ(Tan(next), 1e7L);
}

TEST(TanTest, OrdinaryArguments) {
  for (long double x : {-3.0L, -0.3L, 0.0L, 0.7853981633974483096L, 1.5L, 2.5L, 10.0L}) {
    SCOPED_TRACE(static_cast<double>(x));
    EXPECT_NEAR_L(Tan(x), std::tan(x), 4 * kEps * (1 + std::fabs(std::tan(x))));
  }
}

struct InverseCase {
  long double x;
  long double expected;
  long double tolerance;  // 0: exact
};

void ExpectInverse(long double (*f)(long double), const InverseCase& c) {
  SCOPED_TRACE(static_cast<double>(c.x));
  const long double y = f(c.x);
  ASSERT_FALSE(std::isnan(y));
  if (c.tolerance == 0) {
    EXPECT_EQ(y, c.expected);
  } else {
    EXPECT_NEAR_L(y, c.expected, c.tolerance);
  }
}

TEST(ArcSinTest, BranchesAndClamping) {
  const InverseCase cases[] = {
      {1, PiHalf, 0},
      {-1, -PiHalf, 0},  // |x| = 1 exactly
      {1e-8L, 1e-8L, 0},
      {-1e-7L, -1e-7L, 0},  // small: x itself
      {0, 0, 0},
      {0.5L, Pi / 6, kEps},  // general branch
      {-0.5L, -Pi / 6, kEps},
      {0.9999999L, std::asin(0.9999999L), 1e-15L},
      {1.0000001L, PiHalf, 0},
      {-7, -PiHalf, 0},  // clamped
  };
  for (const InverseCase& c : cases) ExpectInverse(ArcSin, c);
}

TEST(ArcCosTest, BranchesAndClamping) {
  const InverseCase cases[] = {
      {0, PiHalf, 0},
      {1, 0, 0},
      {-1, Pi, 0},
      {0.5L, Pi / 3, kEps},
      {-0.5L, 2 * Pi / 3, 4 * kEps},
      {1e-30L, PiHalf, kEps},
      {2, 0, 0},
      {-1.5L, Pi, 0},  // clamped
  };
  for (const InverseCase& c : cases) ExpectInverse(ArcCos, c);
}

struct ArcTan2Case {
  long double y, x, expected;
};

TEST(ArcTan2Test, QuadrantsAndAxes) {
  const ArcTan2Case cases[] = {
      {0, 0, 0},
      {-0.0L, -0.0L, 0},
      {0, -1, Pi},
      {-0.0L, -1, Pi},  // a negative zero counts as zero
      {0, 2, 0},
      {-1, 0, -PiHalf},
      {1, 0, PiHalf},
      {1, -0.0L, PiHalf},
      {1, 1, PiHalf - std::atan(1.0L)},  // tie: second branch
      {-1, -1, -(Pi - (PiHalf - std::atan(1.0L)))},
      {1, 3, std::atan(1.0L / 3)},
      {3, 1, PiHalf - std::atan(1.0L / 3)},
      {1, -3, Pi - std::atan(1.0L / 3)},
      {-3, -1, -(Pi - (PiHalf - std::atan(1.0L / 3)))},
  };
  for (const ArcTan2Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << static_cast<double>(c.y) << ", " << static_cast<double>(c.x));
    EXPECT_EQ(ArcTan2(c.y, c.x), c.expected);
  }
}

TEST(ArcTan2Test, AgreesWithTheLibraryOffTheAxes) {
  for (int i = 0; i < 72; ++i) {
    const long double a = -Pi + (i + 0.37L) * Pi / 36;
    const long double y = 2.5L * std::sin(a), x = 2.5L * std::cos(a);
    EXPECT_NEAR_L(ArcTan2(y, x), std::atan2(y, x), 4 * kEps) << i;
  }
}

struct DmsCase {
  const char* name;
  long double x;
  const char* text;
};

// Degrees, minutes and seconds as an angle in radians.
long double Dms(long double d, long double m, long double s) {
  return (d + m / 60 + s / 3600) * Degree;
}

TEST(AngleToDMSTest, Texts) {
  const DmsCase cases[] = {
      {"0.5 rad", 0.5L,
       " 28\xC2\xB0"
       "38'52\".403"},
      {"-0.5 rad", -0.5L,
       "- 28\xC2\xB0"
       "38'52\".403"},
      {"1e-6 rad", 0.000001L,
       "  0\xC2\xB0"
       "00'00\".206"},
      {"zero", 0,
       "  0\xC2\xB0"
       "00'00\".000"},
      {"100 degrees", 100 * Degree,
       "100\xC2\xB0"
       "00'00\".000"},
      {"1000 degrees", 1000 * Degree,
       "1000\xC2\xB0"
       "00'00\".000"},
      {"-123.5 degrees", -123.5L * Degree,
       "-123\xC2\xB0"
       "30'00\".000"},
      {"seconds truncated", Dms(5, 7, 9.4004L),
       "  5\xC2\xB0"
       "07'09\".400"},
      {"0.9994 s stays", Dms(0, 0, 0.9994L),
       "  0\xC2\xB0"
       "00'00\".999"},
      {"carry into seconds", Dms(5, 10, 20.9997L),
       "  5\xC2\xB0"
       "10'21\".000"},
      {"carry into minutes", Dms(1, 2, 59.9996L),
       "  1\xC2\xB0"
       "03'00\".000"},
      {"carry into degrees", Dms(10, 59, 59.9996L),
       " 11\xC2\xB0"
       "00'00\".000"},
      {"carry to 100", -Dms(99, 59, 59.9999L),
       "-100\xC2\xB0"
       "00'00\".000"},
  };
  for (const DmsCase& c : cases) {
    std::string text = "old";
    AngleToDMS(c.x, text);
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(AngleToDMSTest, HugeAnglesStillGiveAText) {
  std::string text;
  AngleToDMS(1e30L, text);
  EXPECT_NE(text.find("\xC2\xB0"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find('-'), std::string::npos);
}

}  // namespace
