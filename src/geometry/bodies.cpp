#include "bodies.h"

#include <cmath>
#include <initializer_list>

#include "mathe.h"
#include "moon.h"
#include "planets1.h"

namespace geometry {
using namespace astro;
namespace {

constexpr long double LightTimePerAU = 0.005777777777777777778L;  // days
constexpr long double DaysPerCentury = 36525;
constexpr long double LightTimeTolerance = 3.1688087814028950234e-12L;  // centuries, 0.01 s
// The iterations settle within a few steps; the cap keeps a far or odd date from hanging.
constexpr int MaxLightTimeIterations = 50;

using Series = void (*)(long double, long double&, long double&, long double&);

// Geocentric planet seen from the Earth at T, light-time corrected; s0 is the geometric Sun.
// With `aberration`, the planet moves by the Sun's light-time shift (sun - s0) scaled to its own
// distance: the Earth's motion during the planet's light-time.
void Planet(Series position, long double T, const BodyVector& s0, const BodyVector& sun,
            bool aberration, BodyVector& out) {
  long double t = T;
  for (int n = 0; n < MaxLightTimeIterations; ++n) {
    long double L, B, R;
    position(t, L, B, R);
    const long double tOld = t;
    long double x, y, z;
    SphericalToRect(R * EarthRadiiPerAU, L, B, x, y, z);
    SetVector(out, x + s0.X, y + s0.Y, z + s0.Z);
    t = T - (out.R / EarthRadiiPerAU) * LightTimePerAU / DaysPerCentury;
    if (std::fabs(tOld - t) < LightTimeTolerance) break;
  }
  if (aberration) {
    const long double k = out.R / sun.R;
    SetVector(out, out.X + k * (sun.X - s0.X), out.Y + k * (sun.Y - s0.Y),
              out.Z + k * (sun.Z - s0.Z));
  }
}

// The Sun as seen at T: its position at the retarded time of the last evaluation. The first
// evaluation (at T itself) is also the geometric Sun s0 that places the Earth for the planets.
void ApparentSun(long double T, BodyVector& sun, BodyVector& s0) {
  long double t = T;
  long double L = 0, B = 0, R = 0;
  for (int n = 0; n < MaxLightTimeIterations; ++n) {
    SunPosition(t, L, B, R);
    if (n == 0) SphericalToRect(R * EarthRadiiPerAU, L, B, s0.X, s0.Y, s0.Z);
    const long double tOld = t;
    t = T - R * LightTimePerAU / DaysPerCentury;
    if (std::fabs(tOld - t) < LightTimeTolerance) break;
  }
  sun.R = R * EarthRadiiPerAU;
  SphericalToRect(sun.R, L, B, sun.X, sun.Y, sun.Z);
}

// The Moon at T, or with its light-time: about 1.3 s, in which it moves 0.7" along its orbit.
// The mean motion stands for the true one, which differs by at most a tenth: 0.1" and a
// fifth of a second in a contact, for a second evaluation of the series saved.
void MoonVector(long double T, bool lightTime, BodyVector& moon) {
  long double L = 0, B = 0, R = 0;
  MoonPosition(T, L, B, R);
  if (lightTime)
    L -= 2 * Pi * MoonMeanMotion * (R / EarthRadiiPerAU * LightTimePerAU / DaysPerCentury);
  moon.R = R;
  SphericalToRect(R, L, B, moon.X, moon.Y, moon.Z);
}

}  // namespace

void ComputeBodies(long double T, long double sinEps, long double cosEps, BodyVector& sun,
                   BodyVector& moon, BodyVector& mercury, BodyVector& venus, TimeModel model) {
  const bool exact = model == TimeModel::Exact;
  BodyVector s0;
  ApparentSun(T, sun, s0);
  Planet(MercuryPosition, T, s0, sun, exact, mercury);
  Planet(VenusPosition, T, s0, sun, exact, venus);
  MoonVector(T, exact, moon);
  for (BodyVector* v : {&moon, &sun, &mercury, &venus}) RotateYZ(v->Y, v->Z, sinEps, cosEps);
}

TSky BodiesAt(long double T, bool planets, TimeModel model) {
  TSky sky;
  sky.Model = model;
  long double eps = 0;
  Obliquity(T, eps, sky.SinObliquity, sky.CosObliquity);
  if (planets) {
    ComputeBodies(T, sky.SinObliquity, sky.CosObliquity, sky.Sun, sky.Moon, sky.Mercury,
                  sky.Venus, model);
    return sky;
  }
  BodyVector s0;
  ApparentSun(T, sky.Sun, s0);
  MoonVector(T, model == TimeModel::Exact, sky.Moon);
  for (BodyVector* v : {&sky.Moon, &sky.Sun})
    RotateYZ(v->Y, v->Z, sky.SinObliquity, sky.CosObliquity);
  return sky;
}

TSky SkyAt(const TInstant& at, TimeModel model, long double deltaTShift) {
  TSky sky = BodiesAt(SeriesCenturies(at, model, deltaTShift), true, model);
  sky.At = at;
  return sky;
}

TSky SunAndMoonAt(const TInstant& at, TimeModel model, long double deltaTShift) {
  TSky sky = BodiesAt(SeriesCenturies(at, model, deltaTShift), false, model);
  sky.At = at;
  return sky;
}
}  // namespace geometry
