// Positions of the Sun, Moon, Mercury and Venus at one instant, equatorial frame of date.
#include "bodies.h"

#include <cmath>
#include <initializer_list>

#include "planets1.h"
#include "moon.h"

namespace {

constexpr long double LightTimePerAU = 0.005777777777777777778L;  // days
constexpr long double DaysPerCentury = 36525;
constexpr long double LightTimeTolerance = 3.1688087814028950234e-12L;  // centuries, 0.01 s
// The iterations settle within a few steps; the cap keeps a far or odd date from hanging.
constexpr int MaxLightTimeIterations = 50;

using Series = void (*)(long double, long double&, long double&, long double&);

// Geocentric planet seen from the Earth at T, light-time corrected; s0 is the geometric Sun.
void Planet(Series position, long double T, const BodyVector& s0, BodyVector& out) {
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

void MoonVector(long double T, BodyVector& moon) {
  long double L = 0, B = 0, R = 0;
  MoonPosition(T, L, B, R);
  moon.R = R;
  SphericalToRect(R, L, B, moon.X, moon.Y, moon.Z);
}

}  // namespace

void ComputeBodies(long double T, long double sinEps, long double cosEps, BodyVector& sun,
                   BodyVector& moon, BodyVector& mercury, BodyVector& venus) {
  BodyVector s0;
  ApparentSun(T, sun, s0);
  Planet(MercuryPosition, T, s0, mercury);
  Planet(VenusPosition, T, s0, venus);
  MoonVector(T, moon);
  for (BodyVector* v : {&moon, &sun, &mercury, &venus}) RotateYZ(v->Y, v->Z, sinEps, cosEps);
}

TSky SkyAt(long double T) {
  TSky sky;
  long double eps = 0;
  Obliquity(T, eps, sky.SinObliquity, sky.CosObliquity);
  ComputeBodies(T, sky.SinObliquity, sky.CosObliquity, sky.Sun, sky.Moon, sky.Mercury, sky.Venus);
  return sky;
}

TSky SunAndMoonAt(long double T) {
  TSky sky;
  long double eps = 0;
  Obliquity(T, eps, sky.SinObliquity, sky.CosObliquity);
  BodyVector s0;
  ApparentSun(T, sky.Sun, s0);
  MoonVector(T, sky.Moon);
  for (BodyVector* v : {&sky.Moon, &sky.Sun}) RotateYZ(v->Y, v->Z, sky.SinObliquity, sky.CosObliquity);
  return sky;
}
