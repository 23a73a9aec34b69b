#include <gtest/gtest.h>

#include <cmath>

#include "astr_rout.h"
#include "bodies.h"
#include "event_text.h"
#include "events.h"
#include "mathe.h"
#include "moon.h"
#include "planets1.h"

namespace {

// The whole chain for one instant, as the driver runs it.
void ComputeInstant(const TCalendarDate& date, long double clock) {
  const long double T = (JulianDay(date, clock) - 2451545) / 36525;
  long double eps;
  Obliquity(T, eps, Geo.SinObliquity, Geo.CosObliquity);
  ComputeBodies(T, Geo.SinObliquity, Geo.CosObliquity, Geo.SunVec, Geo.MoonVec, Geo.MercuryVec,
                Geo.VenusVec);
  ClassifyEvent(date, clock);
}

struct PreparedEvent {
  TCalendarDate date;
  long double clock;  // UT + 1 h, H.MM
  int kind;
};

TEST(RealEvents, PreparedInstantsShowTheirEvents) {
  const PreparedEvent events[] = {
      {{7, 5, 2003}, 9.00L, KindMercuryTransit},
      {{8, 6, 2004}, 9.2220L, KindVenusTransit},   // 08:22:12 UT
      {{6, 6, 2012}, 4.00L, KindVenusTransit},
      {{20, 3, 2015}, 11.00L, KindSolarEclipse},
      {{28, 9, 2015}, 1.30L, KindLunarEclipse},
      {{9, 5, 2016}, 14.00L, KindMercuryTransit},
      {{7, 8, 2017}, 19.30L, KindLunarEclipse},
  };
  for (const PreparedEvent& e : events) {
    ResetGeometry();
    ComputeInstant(e.date, e.clock);
    EXPECT_EQ(Geo.EventKind, e.kind) << e.date.Year << "-" << e.date.Month << "-" << e.date.Day;
  }
}

TEST(RealEvents, KindsOfThePreparedEclipses) {
  ResetGeometry();
  ComputeInstant({28, 9, 2015}, 3.47L);  // greatest eclipse 02:47 UT
  EXPECT_EQ(Geo.LunarEclipseText, "totale Mondfinsternis");
  ResetGeometry();
  ComputeInstant({7, 8, 2017}, 19.20L);  // greatest eclipse 18:20 UT
  EXPECT_EQ(Geo.LunarEclipseText, "partielle Mondfinsternis");
  ResetGeometry();
  ComputeInstant({20, 3, 2015}, 10.46L);  // greatest eclipse 09:46 UT, total
  EXPECT_EQ(Geo.EventKind, KindSolarEclipse);
  EXPECT_EQ(Geo.EventType.Code, 5);
  EXPECT_GT(Geo.EventType.Latitude / Degree, 60);  // the path lay in the far north Atlantic
}

// Venus (11 June 2000) and Mercury (9 May 2000) close behind the Sun: the line through the Sun
// and the planet passes near the Earth, but the shadow points away from it.
TEST(RealEvents, SuperiorConjunctionsAreNoTransits) {
  ResetGeometry();
  ComputeInstant({11, 6, 2000}, 13.00L);
  EXPECT_GT(Geo.VenusVec.R, Geo.SunVec.R);
  EXPECT_EQ(Geo.EventKind, KindNone);
  ResetGeometry();
  ComputeInstant({9, 5, 2000}, 1.00L);
  EXPECT_GT(Geo.MercuryVec.R, Geo.SunVec.R);
  EXPECT_EQ(Geo.EventKind, KindNone);
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

bool RecordsFinite() {
  for (const BodyVector* v : {&Geo.SunVec, &Geo.MoonVec, &Geo.MercuryVec, &Geo.VenusVec,
                              &Geo.OccultorVec, &Geo.ObserverVec})
    if (!Finite(v->X) || !Finite(v->Y) || !Finite(v->Z) || !Finite(v->R)) return false;
  const TShadowRecord& s = Geo.ShadowRecord;
  const TViewRecord& w = Geo.ViewRecord;
  return Finite(Geo.EventType.Longitude) && Finite(Geo.EventType.Latitude) &&
         Finite(s.MoonRadius) && Finite(s.UmbraRadius) && Finite(s.PenumbraRadius) &&
         Finite(s.Separation) && Finite(s.PositionAngle) && Finite(w.OccultorRadius) &&
         Finite(w.SunRadius) && Finite(w.Separation) && Finite(w.PositionAngle) &&
         Finite(Geo.SunAltitude);
}

// Every 9.7 days (and a drifting hour) over six centuries: no record ever holds NaN or infinity,
// and a planet beyond the Sun is never taken for a transit.
TEST(RealEvents, SixCenturiesStayFinite) {
  ResetGeometry();
  const TObserverCoordinates site{13.4L * Degree, 52.5L * Degree};
  const long double jd0 = 2341972.5;  // 1700-01-01
  int events = 0;
  for (long double jd = jd0; jd < jd0 + 600 * 365.25L; jd += 9.7L) {
    TCalendarDate date;
    long double clock;
    CalendarDate(jd, date, clock);
    ComputeInstant(date, clock);
    ObserverVector(site, date, clock, Geo.ObserverVec);
    if (Geo.EventKind != KindNone) ++events;
    if (Geo.EventKind == KindMercuryTransit) {
      ASSERT_LT(Geo.MercuryVec.R, Geo.SunVec.R) << jd;
    }
    if (Geo.EventKind == KindVenusTransit) {
      ASSERT_LT(Geo.VenusVec.R, Geo.SunVec.R) << jd;
    }
    LocalCircumstances(date, site, Geo.SunVec, clock, Geo.OccultorDiameter, Geo.OccultorVec);
    ASSERT_TRUE(RecordsFinite()) << jd;
    for (const TextRow& row : EventTextRows(7)) ASSERT_EQ(row.Text.find("nan"), std::string::npos);
  }
  EXPECT_GT(events, 0);
}

}  // namespace
