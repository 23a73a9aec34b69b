#include <gtest/gtest.h>

#include <cmath>

#include "astr_rout.h"
#include "bodies.h"
#include "event_text.h"
#include "events.h"
#include "mathe.h"
#include "moon.h"
#include "planets1.h"

using namespace astro;
using namespace geometry;

namespace {

// The sky and the event of one instant, as the driver has them computed.
struct Instant {
  TSky Sky;
  TEvent Event;
};

Instant InstantAt(const TCalendarDate& date, long double clock) {
  const TSky sky = SkyAt(TInstant::OfClock(date, clock));
  return {sky, EventAt(sky)};
}

TEST(RealEvents, KindsOfThePreparedEclipses) {
  // greatest eclipses 02:47 UT and 18:20 UT
  EXPECT_EQ(InstantAt({28, 9, 2015}, 3.47L).Event.Phase, LunarPhase::Total);
  EXPECT_EQ(InstantAt({7, 8, 2017}, 19.20L).Event.Phase, LunarPhase::Partial);
  const TEvent solar = InstantAt({20, 3, 2015}, 10.46L).Event;  // 09:46 UT, total
  EXPECT_EQ(solar.Kind, EventKind::SolarEclipse);
  EXPECT_EQ(static_cast<int>(solar.Type.Code), 5);
  EXPECT_GT(solar.Type.Latitude / Degree, 60);  // the path lay in the far north Atlantic
}

// Venus (11 June 2000) and Mercury (9 May 2000) close behind the Sun: the line through the Sun
// and the planet passes near the Earth, but the shadow points away from it.
TEST(RealEvents, SuperiorConjunctionsAreNoTransits) {
  const Instant venus = InstantAt({11, 6, 2000}, 13.00L);
  EXPECT_GT(venus.Sky.Venus.R, venus.Sky.Sun.R);
  EXPECT_EQ(venus.Event.Kind, EventKind::None);
  const Instant mercury = InstantAt({9, 5, 2000}, 1.00L);
  EXPECT_GT(mercury.Sky.Mercury.R, mercury.Sky.Sun.R);
  EXPECT_EQ(mercury.Event.Kind, EventKind::None);
}

bool Consistent(const BodyVector& v) {
  return std::fabs(v.R - std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z)) <= 1e-15L * v.R;
}

TEST(RealEvents, BodyVectors) {
  const long double T = 0.153L;
  long double eps, s, c;
  Obliquity(T, eps, s, c);
  BodyVector sun, moon, mercury, venus;
  ComputeBodies(T, s, c, sun, moon, mercury, venus);
  EXPECT_TRUE(Consistent(sun));
  EXPECT_TRUE(Consistent(moon));
  EXPECT_TRUE(Consistent(mercury));
  EXPECT_TRUE(Consistent(venus));

  long double L, B, R;
  MoonPosition(T, L, B, R);
  EXPECT_EQ(moon.R, R);

  // The Sun is the one of the retarded time, about 8.3 minutes earlier.
  // (The last evaluation lies within 0.01 s of the retarded time formed here.)
  SunPosition(T, L, B, R);
  const long double atT = std::fabs(sun.R / EarthRadiiPerAU - R);
  SunPosition(T - (sun.R / EarthRadiiPerAU) * 0.005777777777777777778L / 36525, L, B, R);
  const long double retarded = std::fabs(sun.R / EarthRadiiPerAU - R);
  EXPECT_GT(atT, 1e-7L);
  EXPECT_LT(retarded, 1e-10L);

  // Without the rotation the vectors stay ecliptic: X unchanged, latitude tiny for the Sun.
  BodyVector sunE, moonE, mercuryE, venusE;
  ComputeBodies(T, 0, 1, sunE, moonE, mercuryE, venusE);
  EXPECT_EQ(sunE.X, sun.X);
  EXPECT_EQ(moonE.X, moon.X);
  EXPECT_EQ(mercuryE.X, mercury.X);
  EXPECT_EQ(venusE.X, venus.X);
  EXPECT_LT(std::fabs(sunE.Z / sunE.R), 1e-5L);
  MoonPosition(T, L, B, R);
  EXPECT_NEAR(moonE.Z, R * std::sin(B), 1e-15L * R);
}

bool Finite(long double x) { return std::isfinite(x); }

bool RecordsFinite(const Instant& now, const BodyVector& observer, const TView& view) {
  for (const BodyVector* v : {&now.Sky.Sun, &now.Sky.Moon, &now.Sky.Mercury, &now.Sky.Venus,
                              &now.Event.Occultor, &observer})
    if (!Finite(v->X) || !Finite(v->Y) || !Finite(v->Z) || !Finite(v->R)) return false;
  const TShadowRecord& s = now.Event.Shadow;
  const TViewRecord& w = view.Record;
  return Finite(now.Event.Type.Longitude) && Finite(now.Event.Type.Latitude) &&
         Finite(s.MoonRadius) && Finite(s.UmbraRadius) && Finite(s.PenumbraRadius) &&
         Finite(s.Separation) && Finite(s.PositionAngle) && Finite(w.OccultorRadius) &&
         Finite(w.SunRadius) && Finite(w.Separation) && Finite(w.PositionAngle) &&
         Finite(view.SunAltitude);
}

// Every 9.7 days (and a drifting hour) over six centuries: no record ever holds NaN or infinity,
// and a planet beyond the Sun is never taken for a transit.
TEST(RealEvents, SixCenturiesStayFinite) {
  const TObserverCoordinates site{13.4L * Degree, 52.5L * Degree};
  const long double jd0 = 2341972.5;  // 1700-01-01
  int events = 0;
  for (long double jd = jd0; jd < jd0 + 600 * 365.25L; jd += 9.7L) {
    TCalendarDate date;
    long double clock;
    CalendarDate(jd, date, clock);
    const Instant now = InstantAt(date, clock);
    const TInstant at = TInstant::OfClock(date, clock);
    BodyVector observer;
    ObserverVector(site, at, observer);
    const EventKind kind = now.Event.Kind;
    if (kind != EventKind::None) ++events;
    if (kind == EventKind::MercuryTransit) {
      ASSERT_LT(now.Sky.Mercury.R, now.Sky.Sun.R) << jd;
    }
    if (kind == EventKind::VenusTransit) {
      ASSERT_LT(now.Sky.Venus.R, now.Sky.Sun.R) << jd;
    }
    const TView view = ViewAt(at, site, observer, now.Sky.Sun,
                              now.Event.OccultorDiameter, now.Event.Occultor);
    ASSERT_TRUE(RecordsFinite(now, observer, view)) << jd;
    for (const TextRow& row : EventTextRows(now.Event, now.Sky, view))
      ASSERT_EQ(row.Text.find("nan"), std::string::npos);
  }
  EXPECT_GT(events, 0);
}

}  // namespace
