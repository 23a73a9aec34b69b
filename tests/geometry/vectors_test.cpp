#include <gtest/gtest.h>

#include <cmath>

#include "astr_rout.h"
#include "mathe.h"
#include "vectors.h"

using namespace astro;
using namespace geometry;

namespace {

constexpr long double Eps = 1e-15L;

BodyVector Vec(long double x, long double y, long double z) {
  BodyVector v;
  SetVector(v, x, y, z);
  return v;
}

TEST(Vectors, NormalizeScalesToUnitAndLeavesZeroAlone) {
  BodyVector v = Vec(0, 3, 4);
  Normalize(v);
  EXPECT_NEAR(v.Y, 0.6L, Eps);
  EXPECT_NEAR(v.Z, 0.8L, Eps);
  EXPECT_EQ(v.R, 1);

  BodyVector zero;
  Normalize(zero);
  EXPECT_EQ(zero.X, 0);
  EXPECT_EQ(zero.Y, 0);
  EXPECT_EQ(zero.Z, 0);
  EXPECT_EQ(zero.R, 0);
}

TEST(Vectors, DiffOfEqualVectorsIsZero) {
  BodyVector a = Vec(1.5L, -2, 7);
  BodyVector d;
  VecDiff(a, a, d);
  EXPECT_EQ(d.X, 0);
  EXPECT_EQ(d.Y, 0);
  EXPECT_EQ(d.Z, 0);
  EXPECT_EQ(d.R, 0);
}

TEST(Vectors, OutputMayAliasAnInput) {
  BodyVector a = Vec(1, 2, 3);
  BodyVector b = Vec(4, 6, 3);
  VecDiff(b, a, b);  // b - a into b
  EXPECT_EQ(b.X, 3);
  EXPECT_EQ(b.Y, 4);
  EXPECT_EQ(b.Z, 0);
  EXPECT_EQ(b.R, 5);

  BodyVector x = Vec(1, 0, 0);
  BodyVector y = Vec(0, 1, 0);
  VecCross(x, y, x);
  EXPECT_EQ(x.X, 0);
  EXPECT_EQ(x.Y, 0);
  EXPECT_EQ(x.Z, 1);
}

TEST(Vectors, CrossOfUnitAxesIsTheThirdAxis) {
  BodyVector c;
  VecCross(Vec(1, 0, 0), Vec(0, 1, 0), c);
  EXPECT_EQ(c.X, 0);
  EXPECT_EQ(c.Y, 0);
  EXPECT_EQ(c.Z, 1);
  EXPECT_EQ(c.R, 1);
  VecCross(Vec(0, 1, 0), Vec(1, 0, 0), c);
  EXPECT_EQ(c.Z, -1);
  EXPECT_EQ(c.R, 1);
}

TEST(Vectors, DotIgnoresTheStoredLength) {
  BodyVector u = Vec(0.6L, 0, 0.8L);
  EXPECT_NEAR(VecDot(u, u), 1, Eps);
  BodyVector v = u;
  v.R = 42;
  EXPECT_NEAR(VecDot(u, v), 1, Eps);
  EXPECT_EQ(VecDot(Vec(1, 2, 3), Vec(-3, 0, 1)), 0);
}

TEST(ObserverVector, OnTheEquator) {
  TCalendarDate date{20, 3, 2015};
  BodyVector v;
  ObserverVector({0.3L, 0}, TInstant::OfClock(date, 11.00L), v);
  EXPECT_NEAR(v.R, 1, 1e-18L);
  EXPECT_NEAR(v.Z, 0, 1e-18L);
  EXPECT_NEAR(std::hypot(v.X, v.Y), 1, 1e-15L);
}

TEST(ObserverVector, AtFortyFiveDegrees) {
  TCalendarDate date{20, 3, 2015};
  BodyVector v;
  ObserverVector({0, 45 * Degree}, TInstant::OfClock(date, 11.00L), v);
  EXPECT_NEAR(v.R, 0.9983306L, 5e-8L);
  const long double geocentric = std::atan2(v.Z, std::hypot(v.X, v.Y)) / Degree;
  EXPECT_NEAR(geocentric, 44.80758L, 5e-6L);
}

TEST(ObserverVector, DirectionIsTheLocalSiderealTime) {
  TCalendarDate date{8, 6, 2004};
  const long double lon = -1.2L, lat = 0.7L;
  BodyVector v;
  ObserverVector({lon, lat}, TInstant::OfClock(date, 9.2220L), v);
  const long double rho = v.R;
  const long double phiPrime = std::atan(0.9933056150004120504L * std::tan(lat));
  EXPECT_NEAR(v.X * v.X + v.Y * v.Y, rho * rho * std::cos(phiPrime) * std::cos(phiPrime), 1e-15L);
  EXPECT_NEAR(v.Z, rho * std::sin(phiPrime), 1e-15L);
  long double ra = std::atan2(v.Y, v.X);
  long double lst = SiderealTime(date, 9.2220L, lon);
  long double diff = std::remainder(ra - lst, 2 * Pi);
  EXPECT_NEAR(diff, 0, 1e-15L);
}

TEST(ObserverVector, PoleStaysFinite) {
  BodyVector v;
  ObserverVector({0, 90 * Degree}, TInstant::OfClock(TCalendarDate{1, 1, 2000}, 13.0L), v);
  EXPECT_TRUE(std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z));
  EXPECT_NEAR(v.R, 0.9966471868221030856L, 1e-15L);  // the polar radius
  EXPECT_NEAR(v.Z, v.R, 1e-12L);
}

}  // namespace
