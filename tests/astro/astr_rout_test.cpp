// Clock form, Julian day and calendar date, sidereal time, obliquity and transforms.
#include "astr_rout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "mathe.h"
#include "near.h"

using namespace astro;

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;

struct HmmCase {
  long double in, out;
};

TEST(ClockFormTest, HmmAndHours) {
  const HmmCase toHmm[] = {{13.5L, 13.30L},
                           {-1.5L, -1.30L},
                           {0, 0},
                           {23.75L, 23.45L},
                           {13.7583333333333333333L, 13.455L},
                           {-0.25L, -0.15L}};
  for (const HmmCase& c : toHmm) {
    EXPECT_NEAR_L(HMMFromHours(c.in), c.out, 1e-17L) << static_cast<double>(c.in);
  }
  const HmmCase toHours[] = {{13.30L, 13.5L}, {-1.30L, -1.5L},
                             {0, 0},          {13.455L, 13.758333333333333333L},
                             {24.30L, 24.5L}, {-0.15L, -0.25L}};
  for (const HmmCase& c : toHours) {
    EXPECT_NEAR_L(HoursFromHMM(c.in), c.out, 1e-17L) << static_cast<double>(c.in);
  }
}

struct DateCase {
  const char* name;
  TCalendarDate date;
  long double clock;
  long double jd;
};

// Dates with their clock values (UT + 1 h) and the Julian days of the UT instants.
const DateCase kDates[] = {
    {"J2000.0", {1, 1, 2000}, 13.00L, 2451545.0L},
    {"last Julian day", {4, 10, 1582}, 13.00L, 2299160.0L},
    {"first Gregorian day", {15, 10, 1582}, 13.00L, 2299161.0L},
    {"Julian calendar, January", {27, 1, 333}, 13.00L, 1842713.0L},
    {"leap day 2000", {29, 2, 2000}, 1.00L, 2451603.5L},
    {"Sputnik", {4, 10, 1957}, 20.264L, 2436116.31L},
    {"first of March 1900", {1, 3, 1900}, 1.00L, 2415079.5L},
};

TEST(JulianDayTest, KnownDates) {
  for (const DateCase& c : kDates) {
    EXPECT_NEAR_L(JulianDay(c.date, c.clock), c.jd, 1e-9L) << c.name;
  }
}

TEST(JulianDayTest, CalendarReformIsExact) {
  EXPECT_EQ(JulianDay({4, 10, 1582}, 13.00L), 2299160.0L);
  EXPECT_EQ(JulianDay({15, 10, 1582}, 13.00L), 2299161.0L);
  // The switch lies exactly between the last hour of 4 October and 0 h UT of 15 October.
  EXPECT_EQ(JulianDay({4, 10, 1582}, 24.00L), 2299160.5L - 1.0L / 24);
  EXPECT_EQ(JulianDay({15, 10, 1582}, 1.00L), 2299160.5L);
  EXPECT_EQ(JulianDay({15, 10, 1582}, 0.00L), 2299160.5L - 1.0L / 24);  // 23:00 UT of 4 Oct
  // A day inside the gap is still counted in the Julian calendar (14 Oct = 24 Oct Gregorian).
  EXPECT_EQ(JulianDay({14, 10, 1582}, 1.00L), 2299169.5L);
  EXPECT_EQ(JulianDay({1, 1, 2000}, 13.00L), 2451545.0L);
}

TEST(CalendarDateTest, KnownDates) {
  for (const DateCase& c : kDates) {
    SCOPED_TRACE(c.name);
    TCalendarDate date;
    long double clock = -1;
    CalendarDate(c.jd, date, clock);
    EXPECT_EQ(date.Day, c.date.Day);
    EXPECT_EQ(date.Month, c.date.Month);
    EXPECT_EQ(date.Year, c.date.Year);
    EXPECT_NEAR_L(clock, c.clock, 1e-7L);
  }
}

TEST(CalendarDateTest, MidnightAfterTheReformIsOnTheFifteenth) {
  TCalendarDate date;
  long double clock;
  CalendarDate(2299160.5L, date, clock);
  EXPECT_EQ(date.Day, 15);
  EXPECT_EQ(date.Month, 10);
  EXPECT_EQ(date.Year, 1582);
  EXPECT_NEAR_L(clock, 1.00L, 1e-12L);
}

TEST(CalendarDateTest, ClockPastMidnightMovesToTheNextDate) {
  // 23:30 UT on 31 December 2003 is clock 24.30 there, and 0.30 on 1 January 2004.
  const long double jd = JulianDay({31, 12, 2003}, 24.30L);
  EXPECT_NEAR_L(jd, 2453005.4791666666667L, 1e-9L);
  TCalendarDate date;
  long double clock;
  CalendarDate(jd, date, clock);
  EXPECT_EQ(date.Day, 1);
  EXPECT_EQ(date.Month, 1);
  EXPECT_EQ(date.Year, 2004);
  EXPECT_NEAR_L(clock, 0.30L, 1e-9L);
  EXPECT_GE(clock, 0);
  EXPECT_LT(clock, 1);
}

TEST(CalendarDateTest, RoundTripsOverSixCenturies) {
  // Every 7.3 days from 1500 to 2100 (both calendars); the clock stays in [0, 24].
  for (long double jd = 2268923.25L; jd < 2488070.0L; jd += 7.3L) {
    TCalendarDate date;
    long double clock;
    CalendarDate(jd, date, clock);
    ASSERT_GE(clock, 0) << static_cast<double>(jd);
    ASSERT_LE(clock, 24) << static_cast<double>(jd);
    ASSERT_GE(date.Day, 1);
    ASSERT_LE(date.Day, 31);
    ASSERT_GE(date.Month, 1);
    ASSERT_LE(date.Month, 12);
    ASSERT_NEAR_L(JulianDay(date, clock), jd, 1e-8L) << static_cast<double>(jd);
  }
}

TEST(CalendarDateTest, FarAndAbsurdDaysGiveADate) {
  for (long double jd : {-1e6L, 0.0L, 6e6L, 1e12L, -1e12L, 1e300L}) {
    TCalendarDate date;
    long double clock;
    CalendarDate(jd, date, clock);
    EXPECT_TRUE(std::isfinite(clock)) << static_cast<double>(jd);
    EXPECT_GE(clock, 0) << static_cast<double>(jd);
    EXPECT_LE(clock, 24) << static_cast<double>(jd);
  }
}

TEST(SiderealTimeTest, GreenwichAtJ2000Midnight) {
  const long double theta = SiderealTime({1, 1, 2000}, 1.00L, 0);
  EXPECT_NEAR_L(theta * 12 / Pi, 6.66452L, 5e-6L);
}

TEST(SiderealTimeTest, LongitudeAndTimeOfDay) {
  const TCalendarDate date{1, 1, 2000};
  const long double g = SiderealTime(date, 1.00L, 0);
  // 15 degrees east adds one hour; six hours of UT add 6.0164 sidereal hours.
  EXPECT_NEAR_L(SiderealTime(date, 1.00L, 15 * Degree) - g, Pi / 12, 1e-15L);
  EXPECT_NEAR_L((SiderealTime(date, 7.00L, 0) - g) * 12 / Pi, 6 * 1.0027379093L, 1e-12L);
  for (long double lon : {-3.0L, -0.5L, 0.0L, 1.0L, 3.1L}) {
    for (long double clock : {1.00L, 12.3L, 24.59L}) {
      const long double theta = SiderealTime({17, 6, 1850}, clock, lon);
      EXPECT_GE(theta, 0);
      EXPECT_LT(theta, kTwoPi);
    }
  }
}

TEST(ObliquityTest, J2000AndCentury) {
  long double eps, s, c;
  Obliquity(0, eps, s, c);
  EXPECT_NEAR_L(eps / Degree, 23.43929111L, 1e-15L);
  EXPECT_NEAR_L(s, std::sin(eps), 1e-18L);
  EXPECT_NEAR_L(c, std::cos(eps), 1e-18L);
  Obliquity(1, eps, s, c);
  EXPECT_NEAR_L(eps / Degree, 23.43929111L - (46.815L + 0.00059L - 0.001813L) / 3600, 1e-15L);
}

struct RectCase {
  long double x, y, z, r, lon, lat;
};

TEST(CoordinatesTest, RectToSpherical) {
  const RectCase cases[] = {
      {0, -1, 0, 1, 3 * PiHalf, 0},  // not -pi/2
      {0, 0, 0, 0, 0, 0},
      {1, 0, 0, 1, 0, 0},
      {-2, 0, 0, 2, Pi, 0},
      {0, 0, -3, 3, 0, -PiHalf},
      {1, 1, std::sqrt(2.0L), 2, Pi / 4, Pi / 4},
  };
  for (const RectCase& c : cases) {
    long double r, lon, lat;
    RectToSpherical(c.x, c.y, c.z, r, lon, lat);
    EXPECT_NEAR_L(r, c.r, 1e-18L);
    EXPECT_NEAR_L(lon, c.lon, 1e-18L);
    EXPECT_NEAR_L(lat, c.lat, 1e-18L);
    EXPECT_GE(lon, 0);
    EXPECT_LT(lon, kTwoPi);
  }
}

TEST(CoordinatesTest, SphericalRoundTrip) {
  for (long double lon = 0.05L; lon < kTwoPi; lon += 0.7L) {
    for (long double lat : {-1.5L, -0.3L, 0.0L, 0.9L}) {
      long double x, y, z, r, l, b;
      SphericalToRect(2.5L, lon, lat, x, y, z);
      RectToSpherical(x, y, z, r, l, b);
      EXPECT_NEAR_L(r, 2.5L, 1e-17L);
      EXPECT_NEAR_L(l, lon, 1e-16L);
      EXPECT_NEAR_L(b, lat, 1e-17L);
    }
  }
}

TEST(CoordinatesTest, RotateYZUsesTheOldValues) {
  long double p = 1, q = 2;
  RotateYZ(p, q, 1, 0);  // a quarter turn
  EXPECT_EQ(p, -2);
  EXPECT_EQ(q, 1);
  long double eps, s, c;
  Obliquity(0, eps, s, c);
  p = 0;
  q = 1;  // the ecliptic pole
  RotateYZ(p, q, s, c);
  EXPECT_NEAR_L(p, -s, 1e-18L);
  EXPECT_NEAR_L(q, c, 1e-18L);
}

struct HorizonCase {
  const char* name;
  long double phi, hourAngle, dec;
  long double azimuth, altitude;
};

TEST(EquatorialToHorizonTest, Directions) {
  const long double phi = 50 * Degree;
  const HorizonCase cases[] = {
      {"meridian south of the zenith", phi, 0, 10 * Degree, 0, 50 * Degree},
      {"due west on the horizon", phi, PiHalf, 0, PiHalf, 0},
      {"due east on the horizon", phi, -PiHalf, 0, -PiHalf, 0},
      {"due north above the pole", phi, 0, 80 * Degree, Pi, 60 * Degree},
      {"pole star on the meridian", phi, 0, PiHalf, Pi, phi},
      {"southern site, meridian south", -30 * Degree, 0, -60 * Degree, 0, 60 * Degree},
      {"southern site, meridian north", -30 * Degree, 0, 0, Pi, 60 * Degree},
      {"below the pole", phi, Pi, 70 * Degree, Pi, 30 * Degree},
  };
  for (const HorizonCase& c : cases) {
    SCOPED_TRACE(c.name);
    const long double theta = 1.234L;
    long double a = theta - c.hourAngle, d = c.dec;
    EquatorialToHorizon(a, d, std::sin(c.phi), std::cos(c.phi), theta);
    ASSERT_FALSE(std::isnan(a));
    ASSERT_FALSE(std::isnan(d));
    // Azimuths near pi may come out as -pi + tiny: compare on the circle.
    EXPECT_NEAR_L(std::remainder(a - c.azimuth, kTwoPi), 0, 1e-9L);
    EXPECT_NEAR_L(d, c.altitude, 1e-15L);
  }
}

TEST(EquatorialToHorizonTest, ZenithGivesSomeAzimuth) {
  for (long double phi : {0.0L, 0.3L, -1.1L, PiHalf}) {
    long double a = 0.5L, d = phi;
    EquatorialToHorizon(a, d, std::sin(phi), std::cos(phi), 0.5L);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_NEAR_L(d, PiHalf, 1e-9L);
  }
}

TEST(EquatorialToHorizonTest, ExactNorthGivesPi) {
  // On the meridian north of the zenith the half-angle formula is 0/0 up to rounding.
  for (long double dec = 51; dec < 90; dec += 0.5L) {
    const long double phi = 50 * Degree;
    long double a = 0.8L, d = dec * Degree;
    EquatorialToHorizon(a, d, std::sin(phi), std::cos(phi), 0.8L);
    EXPECT_EQ(a, Pi) << static_cast<double>(dec);
    EXPECT_NEAR_L(d, (90 - dec + 50) * Degree, 1e-15L);
  }
}

TEST(EquatorialToHorizonTest, AgreesWithTheFullArcTangent) {
  const long double phi = 48.2L * Degree;
  for (long double H = -3.1L; H < 3.15L; H += 0.37L) {
    for (long double dec : {-1.2L, -0.4L, 0.1L, 0.7L, 1.4L}) {
      long double a = 2 - H, d = dec;
      EquatorialToHorizon(a, d, std::sin(phi), std::cos(phi), 2);
      const long double n = std::cos(dec) * std::sin(H);
      const long double q =
          std::sin(dec) * std::cos(phi) - std::cos(dec) * std::sin(phi) * std::cos(H);
      EXPECT_NEAR_L(std::remainder(a - std::atan2(n, -q), kTwoPi), 0, 1e-15L);
      EXPECT_GT(a, -Pi);
      EXPECT_LE(a, Pi);
    }
  }
}

}  // namespace
