#include <gtest/gtest.h>

#include <cmath>

#include "astr_rout.h"
#include "event_text.h"
#include "events.h"
#include "mathe.h"

using namespace astro;
using namespace geometry;

namespace {

constexpr long double AU = EarthRadiiPerAU;
const TCalendarDate Date{20, 3, 2015};
constexpr long double Clock = 11.00L;
const TInstant Instant = TInstant::OfClock(Date, Clock);

BodyVector Vec(long double x, long double y, long double z) {
  BodyVector v;
  SetVector(v, x, y, z);
  return v;
}

class Events : public ::testing::Test {};

// A sky of these four bodies (no obliquity needed: the vectors are given as they are).
TSky SkyOf(const BodyVector& sun, const BodyVector& moon, const BodyVector& mercury,
           const BodyVector& venus) {
  TSky sky;
  sky.Sun = sun, sky.Moon = moon, sky.Mercury = mercury, sky.Venus = venus;
  sky.At = Instant;
  return sky;
}

// Minus the Greenwich sidereal time, reduced into (-pi, pi].
long double MinusGst() {
  long double lon = -SiderealTime(Date, Clock, 0);
  if (lon <= -Pi) lon += 2 * Pi;
  return lon;
}

struct OccultorCase {
  long double x, y, z;
  int code;
};

TEST_F(Events, TestOccultorCodesForTheMoonBeforeTheSun) {
  const OccultorCase cases[] = {
      {57, 0, 0, 5},      // umbra reaches the surface (u = -0.02395)
      {60, 0, 0, 4},      // antumbra only (u = +0.00404)
      {60, 1.2L, 0, 1},   // only the penumbra touches the Earth
      {60, 1.6L, 0, 0},   // the penumbra misses
      {60, 1.003L, 0, 2}, // axis just outside the Earth (h = 1.0056), antumbra within reach
      {57, 1.003L, 0, 3}, // axis just outside the Earth (h = 1.0054), umbra within reach
      {60, 1.005L, 0, 1}, // h = 1.0076: beyond the antumbra's reach
  };
  for (const OccultorCase& c : cases) {
    const TEvent e =
        TestOccultor(Instant, Vec(AU, 0, 0), Vec(c.x, c.y, c.z), SunDiameter, MoonDiameter);
    EXPECT_EQ(static_cast<int>(e.Type.Code), c.code) << c.x << " " << c.y;
    EXPECT_EQ(e.Kind, c.code >= 1 ? EventKind::SolarEclipse : EventKind::None);
  }
}

// An axis parallel to the equator's plane passing over the north pole: the pole lies 1 - f =
// 0.996647 Earth radii from the centre, so an axis 0.9960 above the equator meets the Earth
// and one 0.9973 above misses it (a round Earth would be met by both).
TEST_F(Events, AxisGrazingThePoleMeetsTheFlattenedEarthOnlyBelowItsPolarRadius) {
  const struct {
    long double z;
    int code;
  } cases[] = {{0.9960L, 4}, {0.9973L, 2}, {-0.9960L, 4}, {-0.9973L, 2}};
  for (const auto& c : cases) {
    const TEvent e =
        TestOccultor(Instant, Vec(AU, 0, c.z), Vec(60, 0, c.z), SunDiameter, MoonDiameter);
    EXPECT_EQ(static_cast<int>(e.Type.Code), c.code) << c.z;
  }
}

TEST_F(Events, CentralAxisPointOnTheEquator) {
  for (long double x : {57.0L, 60.0L}) {
    const TEvent e = TestOccultor(Instant, Vec(AU, 0, 0), Vec(x, 0, 0), SunDiameter, MoonDiameter);
    EXPECT_NEAR(e.Type.Latitude, 0, 1e-18L);
    EXPECT_NEAR(e.Type.Longitude, MinusGst(), 1e-15L);
  }
}

// With the shadow axis through the Earth's centre the point found is where the axis meets the
// spheroid: an observer placed there lies on the line to the Moon, at the spheroid's radius.
TEST_F(Events, AxisPointLiesOnTheAxisAtTheSurface) {
  const long double dec = 30 * Degree, ra = 1.0L;
  const long double ux = std::cos(dec) * std::cos(ra), uy = std::cos(dec) * std::sin(ra),
                    uz = std::sin(dec);
  for (long double dist : {57.0L, 60.0L}) {
    const TEvent e = TestOccultor(Instant, Vec(AU * ux, AU * uy, AU * uz),
                                  Vec(dist * ux, dist * uy, dist * uz), SunDiameter, MoonDiameter);
    EXPECT_EQ(static_cast<int>(e.Type.Code), dist == 57 ? 5 : 4);
    BodyVector obs;
    ObserverVector({e.Type.Longitude, e.Type.Latitude}, Instant, obs);
    const long double cosAngle = (obs.X * ux + obs.Y * uy + obs.Z * uz) / obs.R;
    EXPECT_NEAR(cosAngle, 1, 1e-15L);
    EXPECT_NEAR(e.Type.Latitude / Degree, 30.1669240L, 1e-7L);  // geodetic
  }
}

TEST_F(Events, AxisPointAtThePoles) {
  for (long double sign : {1.0L, -1.0L}) {
    const TEvent e = TestOccultor(Instant, Vec(0, 0, sign * AU), Vec(0, 0, sign * 60), SunDiameter,
                                  MoonDiameter);
    EXPECT_EQ(static_cast<int>(e.Type.Code), 4);
    EXPECT_NEAR(e.Type.Latitude, sign * Pi / 2, 1e-15L);
  }
}

TEST_F(Events, LongitudeStaysWithinHalfATurn) {
  // Put the axis point at right ascension GST + 180 deg +- a little.
  const long double gst = SiderealTime(Date, Clock, 0);
  for (long double offset : {-1e-9L, 0.0L, 1e-9L, 0.001L, -0.001L}) {
    const long double ra = gst + Pi + offset;
    const TEvent e = TestOccultor(Instant, Vec(AU * std::cos(ra), AU * std::sin(ra), 0),
                 Vec(60 * std::cos(ra), 60 * std::sin(ra), 0), SunDiameter, MoonDiameter);
    ASSERT_EQ(static_cast<int>(e.Type.Code), 4);
    EXPECT_GT(e.Type.Longitude, -Pi);
    EXPECT_LE(e.Type.Longitude, Pi);
  }
}

// Moon at distance 60 opposite a Sun at 1 AU, sigma away from the shadow's centre.
TEvent FullMoon(long double sigmaDegrees) {
  const long double s = sigmaDegrees * Degree;
  return TestOccultor(Instant, Vec(AU, 0, 0), Vec(-60 * std::cos(s), 60 * std::sin(s), 0),
                      SunDiameter, MoonDiameter);
}

TEST_F(Events, ShadowRadiiAtSixtyEarthRadii) {
  const TEvent e = FullMoon(0.3L);
  EXPECT_NEAR(e.Shadow.UmbraRadius, 0.0122979L, 5e-8L);
  EXPECT_NEAR(e.Shadow.PenumbraRadius, 0.0217891L, 5e-8L);
  EXPECT_NEAR(e.Shadow.MoonRadius, 0.00454167L, 5e-9L);
  EXPECT_NEAR(e.Shadow.UmbraRadius / Degree, 0.70462L, 5e-6L);
  EXPECT_NEAR(e.Shadow.PenumbraRadius / Degree, 1.24842L, 5e-6L);
  EXPECT_NEAR(e.Shadow.MoonRadius / Degree, 0.26022L, 5e-6L);
  EXPECT_NEAR(e.Shadow.Separation, 0.3L * Degree, 1e-15L);
  EXPECT_EQ(static_cast<int>(e.Type.Code), 0);
}

TEST_F(Events, LunarEclipseTextsAtTheirBoundaries) {
  struct Case {
    long double sigma;  // degrees
    EventKind kind;
    const char* text;
  } cases[] = {
      {0.0L, EventKind::LunarEclipse, "totale Mondfinsternis"},
      {0.44438L, EventKind::LunarEclipse, "totale Mondfinsternis"},
      {0.44442L, EventKind::LunarEclipse, "partielle Mondfinsternis"},
      {0.96481L, EventKind::LunarEclipse, "partielle Mondfinsternis"},
      {0.96485L, EventKind::LunarEclipse, "Halbschattenfinsternis"},
      {1.50862L, EventKind::LunarEclipse, "Halbschattenfinsternis"},
      {1.50866L, EventKind::None, "                        "},
      {4.9L, EventKind::None, "                        "},
  };
  for (const Case& c : cases) {
    const TEvent e = FullMoon(c.sigma);
    EXPECT_EQ(e.Kind, c.kind) << c.sigma;
    EXPECT_EQ(LunarEclipseText(e.Phase), c.text) << c.sigma;
    EXPECT_EQ(static_cast<int>(e.Type.Code), 0);
  }
}

TEST_F(Events, ExactOuterBoundaryKeepsTheBlankText) {
  // At sigma = moon + penumbra the Moon still counts as touched, but no word applies.
  BodyVector m = Vec(-1, 0, 0), a = Vec(-1, 0, 0);
  const TShadowRecord shadow = LunarEclipseGeometry(m, a, 0.0, 60, AU).Shadow;
  const long double edge = shadow.MoonRadius + shadow.PenumbraRadius;
  const TEvent e = LunarEclipseGeometry(m, a, edge, 60, AU);
  EXPECT_EQ(e.Kind, EventKind::LunarEclipse);
  EXPECT_EQ(LunarEclipseText(e.Phase), std::string(24, ' '));
}

TEST_F(Events, FiveDegreeSearchLimit) {
  const TEvent examined = FullMoon(4.9L);
  EXPECT_NEAR(examined.Shadow.Separation, 4.9L * Degree, 1e-15L);
  EXPECT_EQ(examined.Kind, EventKind::None);
  const TEvent beyond = FullMoon(5.0L);
  EXPECT_EQ(beyond.Shadow.Separation, 0);  // not examined
  EXPECT_EQ(beyond.Kind, EventKind::None);
}

TEST_F(Events, ShadowPositionAngle) {
  // Shadow's centre at right ascension 180 deg on the equator (Sun at 0 deg).
  struct Case {
    long double dy, dz;  // the Moon's offset from the shadow's centre
    long double angle;
  } cases[] = {
      {0, 0.3L, Pi},         // Moon north of the centre: shadow to the south
      {0, -0.3L, 0},         // Moon south: shadow to the north
      {-0.3L, 0, -Pi / 2},   // Moon east (larger RA is -Y here): shadow to the west
      {0.3L, 0, Pi / 2},     // Moon west: shadow to the east
      {0, 0, 0},             // centres aligned: no direction, 0
  };
  for (const Case& c : cases) {
    const TEvent e =
        TestOccultor(Instant, Vec(AU, 0, 0), Vec(-60, c.dy, c.dz), SunDiameter, MoonDiameter);
    ASSERT_EQ(e.Kind, EventKind::LunarEclipse);
    EXPECT_NEAR(std::fabs(e.Shadow.PositionAngle), std::fabs(c.angle), 1e-12L)
        << c.dy << " " << c.dz;
    if (c.angle != Pi) {
      EXPECT_NEAR(e.Shadow.PositionAngle, c.angle, 1e-12L);
    }
  }
}

TEST_F(Events, ClassifyGivesTheMoonPrecedence) {
  TSky sky = SkyOf(Vec(AU, 0, 0), Vec(60, 0, 0), Vec(0.55L * AU, 0, 0), Vec(0.28L * AU, 0, 0));
  TEvent e = EventAt(sky);
  EXPECT_EQ(e.Kind, EventKind::SolarEclipse);
  EXPECT_EQ(static_cast<int>(e.Type.Code), 4);
  EXPECT_EQ(OccultorName(e.Kind), "Mond");
  EXPECT_EQ(e.OccultorDiameter, MoonDiameter);
  EXPECT_EQ(e.Occultor.X, 60);

  sky.Moon = Vec(0, 60, 0);  // quarter Moon: nothing
  e = EventAt(sky);
  EXPECT_EQ(e.Kind, EventKind::MercuryTransit);
  EXPECT_EQ(OccultorName(e.Kind), "Merkur");
  EXPECT_EQ(e.OccultorDiameter, MercuryDiameter);
  EXPECT_EQ(e.Occultor.X, 0.55L * AU);

  sky.Mercury = Vec(0.55L * AU, 0.2L * AU, 0);
  e = EventAt(sky);
  EXPECT_EQ(e.Kind, EventKind::VenusTransit);
  EXPECT_EQ(static_cast<int>(e.Type.Code), 4);
  EXPECT_EQ(OccultorName(e.Kind), "Venus");
  EXPECT_EQ(e.OccultorDiameter, VenusDiameter);

  sky.Venus = Vec(0.28L * AU, 0, 0.1L * AU);
  e = EventAt(sky);
  EXPECT_EQ(e.Kind, EventKind::None);
  EXPECT_EQ(static_cast<int>(e.Type.Code), 0);
  EXPECT_EQ(OccultorName(e.Kind), "");  // no body before the Sun
  EXPECT_EQ(e.Occultor.R, 0);
}

TEST_F(Events, ClassifyFindsALunarEclipse) {
  // Mercury would transit, but is not examined.
  const TEvent e = EventAt(
      SkyOf(Vec(AU, 0, 0), Vec(-60, 0.2L, 0), Vec(0.55L * AU, 0, 0), Vec(1.7L * AU, 0, 0)));
  EXPECT_EQ(e.Kind, EventKind::LunarEclipse);
  EXPECT_EQ(static_cast<int>(e.Type.Code), 0);
  EXPECT_EQ(OccultorName(e.Kind), "Mond");
  EXPECT_EQ(LunarEclipseText(e.Phase), "totale Mondfinsternis");
}

// A planet behind the Sun is no transit, however close to the Sun's centre it stands.
TEST_F(Events, SuperiorConjunctionIsNoTransit) {
  for (long double y : {0.0L, 0.001L * AU, 0.005L * AU}) {
    const TEvent e = EventAt(SkyOf(Vec(AU, 0, 0), Vec(0, 60, 0), Vec(1.39L * AU, y, 0),
                                   Vec(1.72L * AU, -y, 0)));
    EXPECT_EQ(e.Kind, EventKind::None) << y;
    EXPECT_EQ(static_cast<int>(e.Type.Code), 0) << y;
  }
}

struct ViewCase {
  long double x, y, z;
  int code;
  long double angle;  // NAN: not checked
};

TEST_F(Events, LocalCircumstancesGeocentric) {
  const ViewCase cases[] = {
      {60, 0.05L, 0, 1, Pi / 2},   // east
      {60, -0.05L, 0, 1, -Pi / 2}, // west
      {60, 0, 0.1L, 1, 0},         // north
      {60, 0, -0.1L, 1, Pi},       // south
      {60, 0.005L, 0, 4, NAN},
      {57, 0.005L, 0, 5, NAN},
      {60, 0, 0, 4, 0},            // aligned: the angle is undefined and given as 0
  };
  for (const ViewCase& c : cases) {
    const TViewRecord v =
        ViewAt(Instant, {0.1L, 0.2L}, {}, Vec(AU, 0, 0), MoonDiameter, Vec(c.x, c.y, c.z)).Record;
    EXPECT_EQ(static_cast<int>(v.Code), c.code) << c.x << " " << c.y << " " << c.z;
    if (!std::isnan(c.angle)) {
      if (c.angle == Pi) {
        EXPECT_NEAR(std::fabs(v.PositionAngle), Pi, 1e-12L);
      } else {
        EXPECT_NEAR(v.PositionAngle, c.angle, 1e-12L);
      }
    }
    EXPECT_EQ(v.Site.Longitude, 0.1L);
    EXPECT_EQ(v.Site.Latitude, 0.2L);
  }
}

TEST_F(Events, LocalCircumstancesRadiiAndSeparation) {
  const TView view = ViewAt(Instant, {}, {}, Vec(AU, 0, 0), MoonDiameter, Vec(60, 0.05L, 0));
  const TViewRecord& v = view.Record;
  EXPECT_NEAR(v.Separation, 0.00083333L, 5e-9L);
  EXPECT_NEAR(v.SunRadius, 0.00465257L, 5e-9L);
  EXPECT_NEAR(v.OccultorRadius, 0.00454167L, 5e-9L);
  EXPECT_TRUE(view.SunAltitudeValid);
}

TEST_F(Events, LocalCircumstancesUsesTheObserver) {
  // An observer one Earth radius toward the Moon's offset sees it centred on the Sun.
  const TViewRecord v =
      ViewAt(Instant, {}, Vec(0, 0.05L, 0), Vec(AU, 0.05L, 0), MoonDiameter, Vec(60, 0.05L, 0))
          .Record;
  EXPECT_NEAR(v.Separation, 0, 1e-18L);
  EXPECT_NEAR(v.OccultorRadius, MoonRadius / 60, 1e-18L);
  EXPECT_EQ(v.PositionAngle, 0);
}

// Before any event was found the body's vector is still zero; the view then has no discs
// and holds no NaN, while the Sun's altitude is still computed.
TEST_F(Events, LocalCircumstancesWithoutABodyMeasuresNoDiscs) {
  const TView view = ViewAt(Instant, {0.2L, 0.9L}, {}, Vec(AU, 0, 0), MoonDiameter, BodyVector{});
  const TViewRecord& v = view.Record;
  EXPECT_EQ(static_cast<int>(v.Code), 0);
  EXPECT_EQ(v.OccultorRadius, 0);
  EXPECT_EQ(v.SunRadius, 0);
  EXPECT_EQ(v.Separation, 0);
  EXPECT_EQ(v.PositionAngle, 0);
  EXPECT_TRUE(view.SunAltitudeValid);
  EXPECT_TRUE(std::isfinite(view.SunAltitude));
}

TEST_F(Events, SunAltitudeFollowsTheHorizon) {
  // Sun at right ascension 0 on the equator; a site on the equator where the hour angle is
  // 90 degrees sees it setting.
  const long double setting = Pi / 2 - SiderealTime(Date, Clock, 0);
  for (long double offset : {0.01L, -0.01L}) {
    const TView view =
        ViewAt(Instant, {setting + offset, 0}, {}, Vec(AU, 0, 0), MoonDiameter, Vec(60, 0.05L, 0));
    EXPECT_NEAR(view.SunAltitude, -offset / Degree, 1e-9L);
    EXPECT_EQ(view.SunBelowHorizon, offset > 0);
    EXPECT_TRUE(view.SunAltitudeValid);
  }
}

TEST_F(Events, LocalPhaseAtClearCases) {
  // Sun radius 1: apart; concentric total and annular; equal discs a radius apart, where half
  // the diameter and 2/3 - sqrt(3)/(2 pi) of the area are covered.
  auto phase = [](ViewCode code, long double r, long double d) {
    TViewRecord v;
    v.Code = code, v.SunRadius = 1, v.OccultorRadius = r, v.Separation = d;
    return LocalPhaseOf(v);
  };
  const TLocalPhase apart = phase(ViewCode::Apart, 1, 2.5L);
  const TLocalPhase total = phase(ViewCode::SunCovered, 1.05L, 0);
  const TLocalPhase annular = phase(ViewCode::BodyOnSun, 0.9L, 0);
  const TLocalPhase half = phase(ViewCode::Partial, 1, 1);
  EXPECT_EQ(apart.Phase, LocalPhase::None);
  EXPECT_EQ(apart.Magnitude + apart.Obscuration, 0);
  EXPECT_EQ(total.Phase, LocalPhase::Total);
  EXPECT_NEAR(total.Magnitude, 1.05L, 1e-15L);
  EXPECT_EQ(total.Obscuration, 1);
  EXPECT_EQ(annular.Phase, LocalPhase::Annular);
  EXPECT_NEAR(annular.Magnitude, 0.9L, 1e-15L);
  EXPECT_NEAR(annular.Obscuration, 0.81L, 1e-15L);
  EXPECT_EQ(half.Phase, LocalPhase::Partial);
  EXPECT_NEAR(half.Magnitude, 0.5L, 1e-15L);
  EXPECT_NEAR(half.Obscuration, 2.0L / 3 - std::sqrt(3.0L) / (2 * Pi), 1e-15L);
}

}  // namespace
