// Which event is in progress at one instant, and how the observer sees it.
#include "events.h"

#include <cmath>

#include "mathe.h"

namespace geometry {
using namespace astro;
namespace {

constexpr long double ShadowEnlargement = 1.02L;
constexpr long double UmbraFactor = SunRadius - EarthRadius;
constexpr long double PenumbraFactor = SunRadius + EarthRadius;
constexpr long double LunarSearchLimit = 0.08726646259971647885L;  // 5 degrees
constexpr long double NearBodyLimit = 100;       // only the Moon is nearer, Earth radii

// Scalar products of unit vectors may leave [-1, 1] by rounding.
long double ClampedArcCos(long double x) { return ArcCos(std::fmax(-1.0L, std::fmin(1.0L, x))); }

// Unit vector toward the north along the hour circle of the direction of v.
BodyVector North(const BodyVector& v) {
  long double r, alpha, delta;
  RectToSpherical(v.X, v.Y, v.Z, r, alpha, delta);
  BodyVector n;
  SetVector(n, -std::cos(alpha) * std::sin(delta), -std::sin(alpha) * std::sin(delta),
            std::cos(delta));
  return n;
}

// Position angle of the direction w at a point of the sky whose north is n, from north towards
// the east: its sign is that of (w x n) . side, side pointing to the point.
long double PositionAngle(const BodyVector& n, const BodyVector& w, const BodyVector& side) {
  BodyVector c;
  VecCross(w, n, c);
  const long double angle = ClampedArcCos(VecDot(n, w) / w.R);
  return VecDot(c, side) < 0 ? -angle : angle;
}

// Geographic position of the shadow-axis point L (stretched space).
void AxisPointPosition(const TInstant& at, const BodyVector& l, TEventType& type) {
  long double r, alpha, delta;
  RectToSpherical(l.X, l.Y, l.Z * OneMinusFlattening, r, alpha, delta);
  // Geocentric to geodetic latitude. The quotient form stays right at the poles, where the
  // guarded tangent would take its sign from a cosine that rounding may leave negative.
  type.Latitude = std::atan2(std::sin(delta), OneMinusFlattening2 * std::cos(delta));
  long double lon = alpha - SiderealTime(at, 0);
  if (lon > Pi) lon -= TwoPi;
  if (lon <= -Pi) lon += TwoPi;
  type.Longitude = lon;
}

// The body that makes the event in progress.
TEvent WithOccultor(TEvent event, EventKind kind, long double diameter, const BodyVector& vec) {
  event.Kind = kind;
  event.OccultorDiameter = diameter;
  event.Occultor = vec;
  return event;
}

// Radii, separation, phase and position angle of the two discs as the observer sees them.
void MeasureDiscs(const BodyVector& observer, const BodyVector& sun, long double occultorDiameter,
                  long double centralDiameter, const BodyVector& occ, TViewRecord& view) {
  BodyVector q, s, p;
  VecDiff(occ, observer, q);
  VecDiff(sun, observer, s);
  if (!(q.R > 0 && s.R > 0)) {
    // No body there (before any event was found the body's vector is still zero): there
    // are no discs to measure, and nothing may divide by the zero distance.
    view.OccultorRadius = view.SunRadius = view.Separation = view.PositionAngle = 0;
    view.Code = ViewCode::Apart;
    return;
  }
  view.OccultorRadius = occultorDiameter * 0.5L / q.R;
  view.SunRadius = SunRadius / s.R;

  // The body's offset from the line to the Sun, as a fraction of its distance.
  Normalize(s);
  VecScale(s, VecDot(s, q));
  VecDiff(q, s, p);
  VecScale(p, 1 / q.R);
  view.Separation = p.R;

  // Whether one disc lies within the other is decided for the central phase's body.
  const long double central = centralDiameter > 0 ? centralDiameter * 0.5L / q.R
                                                  : view.OccultorRadius;
  if (view.Separation > view.SunRadius + view.OccultorRadius)
    view.Code = ViewCode::Apart;
  else if (view.SunRadius < central - view.Separation)
    view.Code = ViewCode::SunCovered;
  else if (view.SunRadius > central + view.Separation)
    view.Code = ViewCode::BodyOnSun;
  else
    view.Code = ViewCode::Partial;

  // North at the geocentric Sun; centres aligned: the direction is undefined.
  view.PositionAngle = p.R > 0 ? PositionAngle(North(sun), p, s) : 0;
}

}  // namespace

TEvent TestOccultor(const TInstant& at, BodyVector sun, BodyVector occ, long double sunDiameter,
                    long double occultorDiameter) {
  TEvent event;
  TEventType& type = event.Type;
  const long double b = sunDiameter;
  const long double a = occultorDiameter;
  // Stretched along the polar axis, the Earth's spheroid is the unit sphere.
  BodyVector p, s, d, u;
  SetVector(p, occ.X, occ.Y, occ.Z / OneMinusFlattening);
  SetVector(s, sun.X, sun.Y, sun.Z / OneMinusFlattening);
  VecDiff(p, s, d);
  SetVector(u, d.X / d.R, d.Y / d.R, d.Z / d.R);  // shadow axis, away from the Sun

  // Solar branch: the body is nearer to the Sun than the Earth and stands before the Earth
  // along the axis. A planet behind the Sun (superior conjunction) is also nearer to the Sun,
  // but its shadow points away from the Earth; the distance test alone would report a transit.
  const long double along = VecDot(p, u);
  if (d.R <= s.R && along < 0) {
    const long double g = -along;
    const long double h = std::sqrt(std::fmax(0.0L, p.R * p.R - g * g));
    BodyVector l;
    if (h > 1) {  // the axis misses the Earth
      const long double penumbra = (b + a) * g / d.R + a;
      if (h > std::fabs(penumbra) / 2 + 1) return event;
      const long double umbra = (b - a) * g / d.R - a;  // < 0: minus the umbra's diameter
      if (h > std::fabs(umbra) / 2 + 1)
        type.Code = EventCode::Partial;
      else
        type.Code = umbra < 0 ? EventCode::NonCentralTotal : EventCode::NonCentralAnnular;
      SetVector(l, p.X + g * u.X, p.Y + g * u.Y, p.Z + g * u.Z);
      Normalize(l);
    } else {  // the axis meets the Earth where it enters the unit sphere
      const long double dist = g - std::sqrt(1 - h * h);
      SetVector(l, p.X + dist * u.X, p.Y + dist * u.Y, p.Z + dist * u.Z);
      const long double umbra = (b - a) * dist / d.R - a;
      type.Code = umbra > 0 ? EventCode::CentralAnnular : EventCode::CentralTotal;
    }
    event.Kind = EventKind::SolarEclipse;
    AxisPointPosition(at, l, type);
    return event;
  }

  // Not before the Earth: only a Moon near the Earth's shadow can make an event.
  if (p.R < NearBodyLimit) {
    BodyVector m, shadow;
    SetVector(m, p.X / p.R, p.Y / p.R, p.Z / p.R);
    SetVector(shadow, -s.X / s.R, -s.Y / s.R, -s.Z / s.R);
    const long double sigma = ClampedArcCos(VecDot(m, shadow));
    if (sigma < LunarSearchLimit) return LunarEclipseGeometry(m, shadow, sigma, p.R, s.R);
  }
  return event;
}

TEvent LunarEclipseGeometry(BodyVector moonDir, BodyVector shadowDir, long double separation,
                           long double moonDistance, long double sunDistance) {
  TEvent event;
  TShadowRecord& sr = event.Shadow;
  sr.Separation = separation;
  const long double q = moonDistance / sunDistance;
  sr.UmbraRadius = ShadowEnlargement * (1 - UmbraFactor * q) / moonDistance;
  sr.PenumbraRadius = ShadowEnlargement * (1 + PenumbraFactor * q) / moonDistance;
  sr.MoonRadius = MoonRadius / moonDistance;
  if (separation > sr.MoonRadius + sr.PenumbraRadius) return event;
  event.Kind = EventKind::LunarEclipse;
  event.Phase = separation < sr.UmbraRadius - sr.MoonRadius      ? LunarPhase::Total
                : separation < sr.UmbraRadius + sr.MoonRadius    ? LunarPhase::Partial
                : separation < sr.PenumbraRadius + sr.MoonRadius ? LunarPhase::Penumbral
                                                                 : LunarPhase::None;

  // Position angle of the shadow's centre seen from the Moon.
  BodyVector mScaled = moonDir, w;
  VecScale(mScaled, VecDot(moonDir, shadowDir));
  VecDiff(shadowDir, mScaled, w);
  if (w.R <= 0) return event;  // centres aligned: no direction, north (0) is as good as any
  Normalize(w);
  sr.PositionAngle = PositionAngle(North(moonDir), w, mScaled);
  return event;
}

TEvent MoonEventAt(const TSky& sky) {
  const TEvent moon = TestOccultor(sky.At, sky.Sun, sky.Moon, SunDiameter, MoonDiameter);
  if (moon.Kind == EventKind::None) return TEvent();
  return WithOccultor(moon, moon.Kind, MoonDiameter, sky.Moon);
}

TEvent EventAt(const TSky& sky) {
  // The Moon comes first, then Mercury, then Venus.
  TEvent moon = MoonEventAt(sky);
  if (moon.Kind != EventKind::None) return moon;
  const TEvent mercury =
      TestOccultor(sky.At, sky.Sun, sky.Mercury, SunDiameter, MercuryDiameter);
  if (mercury.Type.Code != EventCode::None)
    return WithOccultor(mercury, EventKind::MercuryTransit, MercuryDiameter, sky.Mercury);
  const TEvent venus = TestOccultor(sky.At, sky.Sun, sky.Venus, SunDiameter, VenusDiameter);
  if (venus.Type.Code != EventCode::None)
    return WithOccultor(venus, EventKind::VenusTransit, VenusDiameter, sky.Venus);
  return TEvent();
}

TView ViewAt(const TInstant& at, const TObserverCoordinates& site,
            const BodyVector& observer, const BodyVector& sun, long double occultorDiameter,
            const BodyVector& occ, long double centralDiameter) {
  TView view;
  view.Record.Site = site;
  MeasureDiscs(observer, sun, occultorDiameter, centralDiameter, occ, view.Record);

  view.SunAltitude = AltitudeOf(sun, site, at);
  view.SunBelowHorizon = view.SunAltitude < 0;
  view.SunAltitudeValid = true;
  return view;
}

long double AltitudeOf(const BodyVector& direction, const TObserverCoordinates& site,
                       const TInstant& at) {
  long double r, alpha, delta;
  RectToSpherical(direction.X, direction.Y, direction.Z, r, alpha, delta);
  const long double theta = SiderealTime(at, site.Longitude);
  long double azimuth = alpha, altitude = delta;
  EquatorialToHorizon(azimuth, altitude, std::sin(site.Latitude), std::cos(site.Latitude), theta);
  return altitude / Degree;
}

long double CentralDiameter(EventKind kind, TimeModel model) {
  return kind == EventKind::SolarEclipse && model == TimeModel::Exact ? 2 * MoonCentralRadius
                                                                       : 0;
}

TLocalPhase LocalPhaseOf(const TViewRecord& view) {
  const long double R = view.SunRadius, r = view.OccultorRadius, d = view.Separation;
  TLocalPhase local;
  switch (view.Code) {
    case ViewCode::Apart:
      return local;
    case ViewCode::SunCovered:
      // Tables give the ratio of the diameters for the central phases, not the covered part.
      return {LocalPhase::Total, r / R, 1};
    case ViewCode::BodyOnSun:
      return {LocalPhase::Annular, r / R, r * r / (R * R)};
    case ViewCode::Partial:
      break;
  }
  local.Phase = LocalPhase::Partial;
  local.Magnitude = std::fmax(0.0L, (R + r - d) / (2 * R));
  // The lens both discs share: two circular segments, each a sector less its triangle.
  if (!(d > 0)) {  // a body of the Sun's size exactly on it
    local.Obscuration = 1;
    return local;
  }
  const long double a = ClampedArcCos((d * d + R * R - r * r) / (2 * d * R));
  const long double b = ClampedArcCos((d * d + r * r - R * R) / (2 * d * r));
  const long double lens = R * R * (a - std::sin(2 * a) / 2) + r * r * (b - std::sin(2 * b) / 2);
  local.Obscuration = std::fmax(0.0L, std::fmin(1.0L, lens / (Pi * R * R)));
  return local;
}
}  // namespace geometry
