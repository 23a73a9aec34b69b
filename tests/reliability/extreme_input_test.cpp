// The astronomy and geometry chain at instants and places far outside the everyday: years
// -10000 and +10000 (and the ends of the 32-bit year), odd dates, the poles, the date line,
// absurd coordinates and huge time steps. Nothing may turn into NaN or infinity on its way to
// the picture or its texts.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "astr_rout.h"
#include "bodies.h"
#include "events.h"
#include "finite_checks.h"
#include "mathe.h"
#include "sky_search.h"
#include "vectors.h"

using namespace astro;
using namespace geometry;

namespace {

TObserverCoordinates Site(long double latitudeDegrees, long double longitudeDegrees) {
  TObserverCoordinates s;
  s.Latitude = latitudeDegrees * Degree;
  s.Longitude = longitudeDegrees * Degree;
  return s;
}

// The poles, the date line from both sides, the equator and a mid latitude.
const std::vector<TObserverCoordinates>& Sites() {
  static const std::vector<TObserverCoordinates> sites = {
      Site(90, 0),   Site(-90, 0),   Site(90, 180),   Site(-90, -180),
      Site(0, 180),  Site(0, -180),  Site(52.37L, 9.73L), Site(-33.9L, 151.2L)};
  return sites;
}

class ExtremeYear : public ::testing::TestWithParam<int> {};

TEST_P(ExtremeYear, CalendarRoundTripsEveryMonth) {
  const int year = GetParam();
  for (int month = 1; month <= 12; ++month) {
    for (long double clock : {1.0L, 13.30L, 23.59L}) {
      const Instant t{{15, month, year}, clock};
      const long double jd = JulianDay(t.Date, t.Clock);
      ASSERT_TRUE(std::isfinite(jd)) << Describe(t);
      Instant back;
      CalendarDate(jd, back.Date, back.Clock);
      EXPECT_EQ(back.Date.Day, 15) << Describe(t);
      EXPECT_EQ(back.Date.Month, month) << Describe(t);
      EXPECT_EQ(back.Date.Year, year) << Describe(t);
      EXPECT_NEAR(static_cast<double>(HoursFromHMM(back.Clock)),
                  static_cast<double>(HoursFromHMM(clock)), 1e-5)
          << Describe(t);
    }
  }
}

TEST_P(ExtremeYear, EveryMonthAndSiteStaysFinite) {
  const int year = GetParam();
  for (int month = 1; month <= 12; ++month) {
    const Instant t{{15, month, year}, 13.30L};
    ExpectDrawableGeometry(ComputeSkyAt(t, nullptr), "geocentric " + Describe(t));
    for (const TObserverCoordinates& site : Sites()) {
      const InstantResult r = ComputeSkyAt(t, &site);
      ExpectDrawableGeometry(r, Describe(t, site));
      EXPECT_TRUE(std::isfinite(r.View.Record.SunRadius)) << Describe(t, site);
      EXPECT_TRUE(std::isfinite(r.View.SunAltitude)) << Describe(t, site);
    }
  }
}

// Events still happen in the model that far out, and the picture of each is made of numbers.
TEST_P(ExtremeYear, EventsOfThatYearCanBeDrawn) {
  const int year = GetParam();
  const std::vector<Instant> events = FindEvents(year, 4, 740);
  ASSERT_FALSE(events.empty()) << "no event found in two years from " << year;
  for (const Instant& t : events) {
    const InstantResult r = ComputeSkyAt(t, nullptr);
    ASSERT_NE(r.Event.Kind, EventKind::None) << Describe(t);
    ExpectDrawableGeometry(r, "geocentric " + Describe(t));
    for (const TObserverCoordinates& site : Sites())
      ExpectDrawableGeometry(ComputeSkyAt(t, &site), Describe(t, site));
  }
}

INSTANTIATE_TEST_SUITE_P(Years, ExtremeYear, ::testing::Values(-10000, 10000),
                         [](const auto& info) {
                           return info.param < 0 ? "Minus" + std::to_string(-info.param)
                                                 : "Plus" + std::to_string(info.param);
                         });

// Dates no calendar has: the prompts check no range, so they reach the chain as typed.
TEST(OddDates, ReachTheEndOfTheChainAsNumbers) {
  const std::vector<Instant> instants = {
      {{31, 2, 2015}, 11.0L}, {{0, 0, 2015}, 1.0L},     {{-40, 14, 2015}, 25.0L},
      {{1, 1, 0}, 1.0L},      {{1, 1, -4713}, 13.0L},   {{15, 10, 1582}, 1.0L},
      {{4, 10, 1582}, 24.59L}, {{1, 1, 2015}, 99.99L},  {{1, 1, 2015}, -99.99L},
  };
  for (const Instant& t : instants) {
    const long double jd = JulianDay(t.Date, t.Clock);
    EXPECT_TRUE(std::isfinite(jd)) << Describe(t);
    ExpectDrawableGeometry(ComputeSkyAt(t, &Sites()[6]), Describe(t));
  }
}

// The ends of the 32-bit numbers that the date prompts accept. The series are polynomials in
// time and give no sky worth the name there (even negative distances), but numbers still.
TEST(OddDates, EndsOfThe32BitRangeStayFinite) {
  const std::vector<Instant> instants = {
      {{1, 1, INT_MAX}, 1.0L},         {{1, 1, INT_MIN}, 1.0L},
      {{INT_MAX, INT_MAX, 2015}, 1.0L}, {{INT_MIN, INT_MIN, 2015}, 1.0L},
      {{INT_MAX, INT_MIN, INT_MAX}, 1.0L}};
  for (const Instant& t : instants) {
    EXPECT_TRUE(std::isfinite(JulianDay(t.Date, t.Clock))) << Describe(t);
    ExpectDrawableGeometry(ComputeSkyAt(t, &Sites()[6]), Describe(t), false);
  }
}

// At a pole the Sun's altitude is its declination, whatever the longitude and the hour; the
// date line seen from east and from west is one meridian.
TEST(PolesAndDateLine, GiveTheSameSkyAsTheirNeighbours) {
  const std::vector<Instant> prepared = {
      {{20, 3, 2015}, 11.0L}, {{28, 9, 2015}, 1.30L}, {{9, 5, 2016}, 14.0L}, {{6, 6, 2012}, 4.0L}};
  for (const Instant& t : prepared) {
    for (long double lat : {90.0L, -90.0L}) {
      for (long double lon : {-180.0L, 0.0L, 180.0L}) {
        const TObserverCoordinates site = Site(lat, lon);
        const InstantResult now = ComputeSkyAt(t, &site);
        ExpectDrawableGeometry(now, Describe(t, site));
        long double r, alpha, delta;
        RectToSpherical(now.Sky.Sun.X, now.Sky.Sun.Y, now.Sky.Sun.Z, r, alpha, delta);
        const long double expected = (lat > 0 ? delta : -delta) / Degree;
        if (now.Event.Kind != EventKind::None) {
          EXPECT_NEAR(static_cast<double>(now.View.SunAltitude), static_cast<double>(expected),
                      0.05)
              << Describe(t, site);
        }
      }
    }
    for (long double lat : {0.0L, 52.0L, -89.9L}) {
      const TObserverCoordinates east = Site(lat, 180), west = Site(lat, -180);
      const TView fromEast = ComputeSkyAt(t, &east).View;
      const TView fromWest = ComputeSkyAt(t, &west).View;
      EXPECT_NEAR(static_cast<double>(fromEast.Record.Separation),
                  static_cast<double>(fromWest.Record.Separation), 1e-12)
          << Describe(t, east);
      EXPECT_NEAR(static_cast<double>(fromEast.SunAltitude),
                  static_cast<double>(fromWest.SunAltitude), 1e-9)
          << Describe(t, east);
    }
  }
}

// Coordinates that no place has, as a City.dat line or the coordinate prompts can give them.
TEST(AbsurdCoordinates, StayNumbers) {
  const Instant t{{20, 3, 2015}, 11.0L};
  const long double values[] = {1e6L, -1e30L, 1e300L, 1e4000L, -1e4000L, 4e-4950L};
  for (long double lat : values) {
    for (long double lon : {0.0L, 1e4000L}) {
      TObserverCoordinates site;
      site.Latitude = lat * Degree;
      site.Longitude = lon * Degree;
      ExpectDrawableGeometry(ComputeSkyAt(t, &site), Describe(t, site));
    }
  }
}

// Steps of a million minutes either way and of nothing: the instant moves by exactly that much
// and comes back; every instant on the way is drawable.
TEST(HugeTimeSteps, MoveAndComeBack) {
  const Instant start{{20, 3, 2015}, 11.0L};
  for (long double step : {1e6L, -1e6L, 0.0L}) {
    Instant t = start;
    for (int i = 0; i < 50; ++i) {
      const long double before = JulianDay(t.Date, t.Clock);
      CalendarDate(before + step / 60 / 24, t.Date, t.Clock);
      const long double after = JulianDay(t.Date, t.Clock);
      EXPECT_NEAR(static_cast<double>((after - before) * 24 * 60), static_cast<double>(step),
                  0.01)
          << Describe(t);
      ExpectDrawableGeometry(ComputeSkyAt(t, &Sites()[6]), Describe(t));
    }
    for (int i = 0; i < 50; ++i)
      CalendarDate(JulianDay(t.Date, t.Clock) - step / 60 / 24, t.Date, t.Clock);
    EXPECT_EQ(t.Date.Day, 20);
    EXPECT_EQ(t.Date.Month, 3);
    EXPECT_EQ(t.Date.Year, 2015);
    EXPECT_NEAR(static_cast<double>(HoursFromHMM(t.Clock)), 11.0, 1e-4);
  }
}

// Without an event the driver still computes the observer's view (the time keys do); the view
// and the Sun's altitude of the text line must be numbers, also at the Earth's centre.
TEST(NoEvent, ViewOfTheEarthsCentreStaysFinite) {
  const Instant t{{1, 7, 2015}, 13.0L};
  const InstantResult r = ComputeSkyAt(t, nullptr);
  ASSERT_EQ(r.Event.Kind, EventKind::None);
  EXPECT_TRUE(std::isfinite(r.View.SunAltitude));
  EXPECT_TRUE(std::isfinite(r.View.Record.SunRadius));
  for (const TextRow& row : EventTextRows(r.Event, r.Sky, r.View))
    EXPECT_FALSE(ShowsNonNumber(row.Text)) << row.Text;
}

}  // namespace
