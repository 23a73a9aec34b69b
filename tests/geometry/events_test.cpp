#include <gtest/gtest.h>

#include <cmath>

#include "astr_rout.h"
#include "events.h"
#include "mathe.h"

namespace {

constexpr long double AU = 23454.78L;
const TCalendarDate Date{20, 3, 2015};
constexpr long double Clock = 11.00L;

BodyVector Vec(long double x, long double y, long double z) {
  BodyVector v;
  SetVector(v, x, y, z);
  return v;
}

class Events : public ::testing::Test {
 protected:
  void SetUp() override { ResetGeometry(); }
};

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
    ResetGeometry();
    TestOccultor(Date, Clock, Vec(AU, 0, 0), Vec(c.x, c.y, c.z), 218.25L, 0.545L);
    EXPECT_EQ(Geo.EventType.Code, c.code) << c.x << " " << c.y;
    // Codes 4 and 5 leave the kind to the caller.
    EXPECT_EQ(Geo.EventKind, c.code >= 1 && c.code <= 3 ? KindSolarEclipse : KindNone);
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
    ResetGeometry();
    TestOccultor(Date, Clock, Vec(AU, 0, c.z), Vec(60, 0, c.z), 218.25L, 0.545L);
    EXPECT_EQ(Geo.EventType.Code, c.code) << c.z;
  }
}

TEST_F(Events, CentralAxisPointOnTheEquator) {
  for (long double x : {57.0L, 60.0L}) {
    ResetGeometry();
    TestOccultor(Date, Clock, Vec(AU, 0, 0), Vec(x, 0, 0), 218.25L, 0.545L);
    EXPECT_NEAR(Geo.EventType.Latitude, 0, 1e-18L);
    EXPECT_NEAR(Geo.EventType.Longitude, MinusGst(), 1e-15L);
    EXPECT_EQ(Geo.LatitudeText, "  0.00");
    EXPECT_EQ(Geo.LongitudeText.size(), 7u);
  }
}

// With the shadow axis through the Earth's centre the point found is where the axis meets the
// spheroid: an observer placed there lies on the line to the Moon, at the spheroid's radius.
TEST_F(Events, AxisPointLiesOnTheAxisAtTheSurface) {
  const long double dec = 30 * Degree, ra = 1.0L;
  const long double ux = std::cos(dec) * std::cos(ra), uy = std::cos(dec) * std::sin(ra),
                    uz = std::sin(dec);
  for (long double dist : {57.0L, 60.0L}) {
    ResetGeometry();
    TestOccultor(Date, Clock, Vec(AU * ux, AU * uy, AU * uz), Vec(dist * ux, dist * uy, dist * uz),
                 218.25L, 0.545L);
    EXPECT_EQ(Geo.EventType.Code, dist == 57 ? 5 : 4);
    BodyVector obs;
    ObserverVector({Geo.EventType.Longitude, Geo.EventType.Latitude}, Date, Clock, obs);
    const long double cosAngle = (obs.X * ux + obs.Y * uy + obs.Z * uz) / obs.R;
    EXPECT_NEAR(cosAngle, 1, 1e-15L);
    EXPECT_NEAR(Geo.EventType.Latitude / Degree, 30.1669240L, 1e-7L);  // geodetic
    EXPECT_EQ(Geo.LatitudeText, " 30.17");
  }
}

TEST_F(Events, AxisPointAtThePoles) {
  for (long double sign : {1.0L, -1.0L}) {
    ResetGeometry();
    TestOccultor(Date, Clock, Vec(0, 0, sign * AU), Vec(0, 0, sign * 60), 218.25L, 0.545L);
    EXPECT_EQ(Geo.EventType.Code, 4);
    EXPECT_NEAR(Geo.EventType.Latitude, sign * Pi / 2, 1e-15L);
    EXPECT_EQ(Geo.LatitudeText, sign > 0 ? " 90.00" : "-90.00");
  }
}

TEST_F(Events, LongitudeStaysWithinHalfATurn) {
  // Put the axis point at right ascension GST + 180 deg +- a little.
  const long double gst = SiderealTime(Date, Clock, 0);
  for (long double offset : {-1e-9L, 0.0L, 1e-9L, 0.001L, -0.001L}) {
    ResetGeometry();
    const long double ra = gst + Pi + offset;
    TestOccultor(Date, Clock, Vec(AU * std::cos(ra), AU * std::sin(ra), 0),
                 Vec(60 * std::cos(ra), 60 * std::sin(ra), 0), 218.25L, 0.545L);
    ASSERT_EQ(Geo.EventType.Code, 4);
    EXPECT_GT(Geo.EventType.Longitude, -Pi);
    EXPECT_LE(Geo.EventType.Longitude, Pi);
    const long double shown = std::stold(Geo.LongitudeText);
    EXPECT_GE(shown, -180.0L);
    EXPECT_LE(shown, 180.0L);
  }
}

// Moon at distance 60 opposite a Sun at 1 AU, sigma away from the shadow's centre.
void FullMoon(long double sigmaDegrees) {
  const long double s = sigmaDegrees * Degree;
  TestOccultor(Date, Clock, Vec(AU, 0, 0), Vec(-60 * std::cos(s), 60 * std::sin(s), 0), 218.25L,
               0.545L);
}

TEST_F(Events, ShadowRadiiAtSixtyEarthRadii) {
  FullMoon(0.3L);
  EXPECT_NEAR(Geo.ShadowRecord.UmbraRadius, 0.0122979L, 5e-8L);
  EXPECT_NEAR(Geo.ShadowRecord.PenumbraRadius, 0.0217891L, 5e-8L);
  EXPECT_NEAR(Geo.ShadowRecord.MoonRadius, 0.00454167L, 5e-9L);
  EXPECT_NEAR(Geo.ShadowRecord.UmbraRadius / Degree, 0.70462L, 5e-6L);
  EXPECT_NEAR(Geo.ShadowRecord.PenumbraRadius / Degree, 1.24842L, 5e-6L);
  EXPECT_NEAR(Geo.ShadowRecord.MoonRadius / Degree, 0.26022L, 5e-6L);
  EXPECT_NEAR(Geo.ShadowRecord.Separation, 0.3L * Degree, 1e-15L);
  EXPECT_EQ(Geo.EventType.Code, 0);
}

TEST_F(Events, LunarEclipseTextsAtTheirBoundaries) {
  struct Case {
    long double sigma;  // degrees
    int kind;
    const char* text;
  } cases[] = {
      {0.0L, KindLunarEclipse, "totale Mondfinsternis"},
      {0.44438L, KindLunarEclipse, "totale Mondfinsternis"},
      {0.44442L, KindLunarEclipse, "partielle Mondfinsternis"},
      {0.96481L, KindLunarEclipse, "partielle Mondfinsternis"},
      {0.96485L, KindLunarEclipse, "Halbschattenfinsternis"},
      {1.50862L, KindLunarEclipse, "Halbschattenfinsternis"},
      {1.50866L, KindNone, "                        "},
      {4.9L, KindNone, "                        "},
  };
  for (const Case& c : cases) {
    ResetGeometry();
    FullMoon(c.sigma);
    EXPECT_EQ(Geo.EventKind, c.kind) << c.sigma;
    EXPECT_EQ(Geo.LunarEclipseText, c.text) << c.sigma;
    EXPECT_EQ(Geo.EventType.Code, 0);
  }
}

TEST_F(Events, ExactOuterBoundaryKeepsTheBlankText) {
  // At sigma = moon + penumbra the Moon still counts as touched, but no word applies.
  BodyVector m = Vec(-1, 0, 0), a = Vec(-1, 0, 0);
  LunarEclipseGeometry(m, a, 0.0, 60, AU);
  const long double edge = Geo.ShadowRecord.MoonRadius + Geo.ShadowRecord.PenumbraRadius;
  LunarEclipseGeometry(m, a, edge, 60, AU);
  EXPECT_EQ(Geo.EventKind, KindLunarEclipse);
  EXPECT_EQ(Geo.LunarEclipseText, std::string(24, ' '));
}

TEST_F(Events, FiveDegreeSearchLimit) {
  Geo.ShadowRecord.Separation = -1;
  FullMoon(4.9L);
  EXPECT_NEAR(Geo.ShadowRecord.Separation, 4.9L * Degree, 1e-15L);  // examined
  EXPECT_EQ(Geo.EventKind, KindNone);

  ResetGeometry();
  Geo.ShadowRecord.Separation = -1;
  FullMoon(5.0L);
  EXPECT_EQ(Geo.ShadowRecord.Separation, -1);  // not examined
  EXPECT_EQ(Geo.EventKind, KindNone);
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
    ResetGeometry();
    TestOccultor(Date, Clock, Vec(AU, 0, 0), Vec(-60, c.dy, c.dz), 218.25L, 0.545L);
    ASSERT_EQ(Geo.EventKind, KindLunarEclipse);
    EXPECT_NEAR(std::fabs(Geo.ShadowRecord.PositionAngle), std::fabs(c.angle), 1e-12L)
        << c.dy << " " << c.dz;
    if (c.angle != Pi) {
      EXPECT_NEAR(Geo.ShadowRecord.PositionAngle, c.angle, 1e-12L);
    }
  }
}

TEST_F(Events, ClassifyGivesTheMoonPrecedence) {
  Geo.SunVec = Vec(AU, 0, 0);
  Geo.MoonVec = Vec(60, 0, 0);
  Geo.MercuryVec = Vec(0.55L * AU, 0, 0);
  Geo.VenusVec = Vec(0.28L * AU, 0, 0);
  ClassifyEvent(Date, Clock);
  EXPECT_EQ(Geo.EventKind, KindSolarEclipse);
  EXPECT_EQ(Geo.EventType.Code, 4);
  EXPECT_EQ(Geo.OccultorName, "Mond");
  EXPECT_EQ(Geo.OccultorDiameter, 0.545L);
  EXPECT_EQ(Geo.OccultorVec.X, 60);

  Geo.MoonVec = Vec(0, 60, 0);  // quarter Moon: nothing
  ClassifyEvent(Date, Clock);
  EXPECT_EQ(Geo.EventKind, KindMercuryTransit);
  EXPECT_EQ(Geo.OccultorName, "Merkur");
  EXPECT_EQ(Geo.OccultorDiameter, 0.766L);
  EXPECT_EQ(Geo.OccultorVec.X, 0.55L * AU);

  Geo.MercuryVec = Vec(0.55L * AU, 0.2L * AU, 0);
  ClassifyEvent(Date, Clock);
  EXPECT_EQ(Geo.EventKind, KindVenusTransit);
  EXPECT_EQ(Geo.EventType.Code, 4);
  EXPECT_EQ(Geo.OccultorName, "Venus");
  EXPECT_EQ(Geo.OccultorDiameter, 1.9L);

  Geo.VenusVec = Vec(0.28L * AU, 0, 0.1L * AU);
  ClassifyEvent(Date, Clock);
  EXPECT_EQ(Geo.EventKind, KindNone);
  EXPECT_EQ(Geo.EventType.Code, 0);
  EXPECT_EQ(Geo.OccultorName, "Venus");  // the earlier body stays
}

TEST_F(Events, ClassifyFindsALunarEclipse) {
  Geo.SunVec = Vec(AU, 0, 0);
  Geo.MoonVec = Vec(-60, 0.2L, 0);
  Geo.MercuryVec = Vec(0.55L * AU, 0, 0);  // would transit, but is not examined
  Geo.VenusVec = Vec(1.7L * AU, 0, 0);
  ClassifyEvent(Date, Clock);
  EXPECT_EQ(Geo.EventKind, KindLunarEclipse);
  EXPECT_EQ(Geo.EventType.Code, 0);
  EXPECT_EQ(Geo.OccultorName, "Mond");
  EXPECT_EQ(Geo.LunarEclipseText, "totale Mondfinsternis");
}

// A planet behind the Sun is no transit, however close to the Sun's centre it stands.
TEST_F(Events, SuperiorConjunctionIsNoTransit) {
  for (long double y : {0.0L, 0.001L * AU, 0.005L * AU}) {
    ResetGeometry();
    Geo.SunVec = Vec(AU, 0, 0);
    Geo.MoonVec = Vec(0, 60, 0);
    Geo.MercuryVec = Vec(1.39L * AU, y, 0);
    Geo.VenusVec = Vec(1.72L * AU, -y, 0);
    ClassifyEvent(Date, Clock);
    EXPECT_EQ(Geo.EventKind, KindNone) << y;
    EXPECT_EQ(Geo.EventType.Code, 0) << y;
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
    ResetGeometry();
    LocalCircumstances(Date, {0.1L, 0.2L}, Vec(AU, 0, 0), Clock, 0.545L, Vec(c.x, c.y, c.z));
    const TViewRecord& v = Geo.ViewRecord;
    EXPECT_EQ(v.Code, c.code) << c.x << " " << c.y << " " << c.z;
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
  LocalCircumstances(Date, {}, Vec(AU, 0, 0), Clock, 0.545L, Vec(60, 0.05L, 0));
  const TViewRecord& v = Geo.ViewRecord;
  EXPECT_NEAR(v.Separation, 0.00083333L, 5e-9L);
  EXPECT_NEAR(v.SunRadius, 0.00465257L, 5e-9L);
  EXPECT_NEAR(v.OccultorRadius, 0.00454167L, 5e-9L);
  EXPECT_TRUE(Geo.SunAltitudeValid);
}

TEST_F(Events, LocalCircumstancesUsesTheObserver) {
  // An observer one Earth radius toward the Moon's offset sees it centred on the Sun.
  SetVector(Geo.ObserverVec, 0, 0.05L, 0);
  LocalCircumstances(Date, {}, Vec(AU, 0.05L, 0), Clock, 0.545L, Vec(60, 0.05L, 0));
  EXPECT_NEAR(Geo.ViewRecord.Separation, 0, 1e-18L);
  EXPECT_NEAR(Geo.ViewRecord.OccultorRadius, 0.2725L / 60, 1e-18L);
  EXPECT_EQ(Geo.ViewRecord.PositionAngle, 0);
}

// Before any event was found the body's vector is still zero; the view then has no discs
// and holds no NaN, while the Sun's altitude is still computed.
TEST_F(Events, LocalCircumstancesWithoutABodyMeasuresNoDiscs) {
  LocalCircumstances(Date, {0.2L, 0.9L}, Vec(AU, 0, 0), Clock, 0.545L, BodyVector{});
  const TViewRecord& v = Geo.ViewRecord;
  EXPECT_EQ(v.Code, 0);
  EXPECT_EQ(v.OccultorRadius, 0);
  EXPECT_EQ(v.SunRadius, 0);
  EXPECT_EQ(v.Separation, 0);
  EXPECT_EQ(v.PositionAngle, 0);
  EXPECT_TRUE(Geo.SunAltitudeValid);
  EXPECT_TRUE(std::isfinite(Geo.SunAltitude));
}

TEST_F(Events, SunAltitudeFollowsTheHorizon) {
  // Sun at right ascension 0 on the equator; a site on the equator where the hour angle is
  // 90 degrees sees it setting.
  const long double setting = Pi / 2 - SiderealTime(Date, Clock, 0);
  for (long double offset : {0.01L, -0.01L}) {
    ResetGeometry();
    LocalCircumstances(Date, {setting + offset, 0}, Vec(AU, 0, 0), Clock, 0.545L,
                       Vec(60, 0.05L, 0));
    EXPECT_NEAR(Geo.SunAltitude, -offset / Degree, 1e-9L);
    EXPECT_EQ(Geo.SunBelowHorizon, offset > 0);
    EXPECT_TRUE(Geo.SunAltitudeValid);
  }
}

TEST_F(Events, ResetRestoresTheInitialState) {
  Geo.EventKind = KindSolarEclipse;
  Geo.OccultorName = "Mond";
  Geo.SunAltitudeValid = true;
  Geo.CosObliquity = 0.5;
  ResetGeometry();
  EXPECT_EQ(Geo.EventKind, KindNone);
  EXPECT_EQ(Geo.OccultorName, "");
  EXPECT_FALSE(Geo.SunAltitudeValid);
  EXPECT_EQ(Geo.CosObliquity, 1);
}

}  // namespace
