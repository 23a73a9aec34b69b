#include "erfa_reference.h"

#include <erfa.h>

#include <cmath>

namespace {

constexpr double EarthRadiiPerAU = 23454.78;  // the program's own factor
constexpr double LightTimePerAU = 0.005777777777777777778;  // days
constexpr double LightTimeTolerance = 3.1688087814028950234e-12;  // centuries, 0.01 s
constexpr double J2000 = 2451545.0;

// ERFA takes a date in two parts; the second keeps the full resolution of T.
double Days(double T) { return T * 36525.0; }

// Rotation from the GCRS/BCRS axes (eraEpv00, eraMoon98) to the mean ecliptic of date.
void IcrsToEcliptic(double T, const double in[3], double out[3]) {
  double rm[3][3], p[3] = {in[0], in[1], in[2]};
  eraEcm06(J2000, Days(T), rm);
  eraRxp(rm, p, out);
}

// Rotation from the mean equator and equinox of J2000.0 (eraPlan94) to the mean ecliptic of
// date: IAU 2006 precession without the frame bias, then the mean obliquity of date.
void J2000ToEcliptic(double T, const double in[3], double out[3]) {
  double rb[3][3], rp[3][3], rbp[3][3], rm[3][3], p[3] = {in[0], in[1], in[2]};
  eraBp06(J2000, Days(T), rb, rp, rbp);
  eraIr(rm);
  eraRx(eraObl06(J2000, Days(T)), rm);
  eraRxr(rm, rp, rm);
  eraRxp(rm, p, out);
}

// Same two, to the mean equator of date.
void IcrsToEquator(double T, const double in[3], double out[3]) {
  double rbp[3][3], p[3] = {in[0], in[1], in[2]};
  eraPmat06(J2000, Days(T), rbp);
  eraRxp(rbp, p, out);
}
void J2000ToEquator(double T, const double in[3], double out[3]) {
  double rb[3][3], rp[3][3], rbp[3][3], p[3] = {in[0], in[1], in[2]};
  eraBp06(J2000, Days(T), rb, rp, rbp);
  eraRxp(rp, p, out);
}

// Geocentric Sun in BCRS axes, AU: minus the Earth's heliocentric position.
void SunIcrs(double T, double v[3]) {
  double pvh[2][3], pvb[2][3];
  eraEpv00(J2000, Days(T), pvh, pvb);
  for (int i = 0; i < 3; ++i) v[i] = -pvh[0][i];
}

void PlanetJ2000(int planet, double T, double v[3]) {
  double pv[2][3];
  eraPlan94(J2000, Days(T), planet, pv);
  for (int i = 0; i < 3; ++i) v[i] = pv[0][i];
}

double Length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

// Planet seen from the Earth at T: heliocentric position at the retarded time plus the
// geometric Sun at T, iterated as the program iterates (mean equator of date, AU).
void GeocentricPlanet(int planet, double T, const double sunAtT[3], double out[3]) {
  double t = T;
  for (int n = 0; n < 50; ++n) {
    double helioJ2000[3], helio[3];
    PlanetJ2000(planet, t, helioJ2000);
    J2000ToEquator(T, helioJ2000, helio);
    for (int i = 0; i < 3; ++i) out[i] = helio[i] + sunAtT[i];
    const double tOld = t;
    t = T - Length(out) * LightTimePerAU / 36525.0;
    if (std::fabs(tOld - t) < LightTimeTolerance) break;
  }
}

}  // namespace

void ErfaSunEcliptic(double T, double v[3]) {
  double s[3];
  SunIcrs(T, s);
  IcrsToEcliptic(T, s, v);
}

void ErfaPlanetEcliptic(int planet, double T, double v[3]) {
  double p[3];
  PlanetJ2000(planet, T, p);
  J2000ToEcliptic(T, p, v);
}

void ErfaMoonEcliptic(double T, double v[3]) {
  double pv[2][3], e[3];
  eraMoon98(J2000, Days(T), pv);
  IcrsToEcliptic(T, pv[0], e);
  for (int i = 0; i < 3; ++i) v[i] = e[i] * EarthRadiiPerAU;
}

ErfaBodies ErfaGeocentricBodies(double T) {
  ErfaBodies b{};
  // The Sun as the program sees it: the geocentric Sun of the retarded time.
  double t = T, s[3];
  for (int n = 0; n < 50; ++n) {
    SunIcrs(t, s);
    const double tOld = t;
    t = T - Length(s) * LightTimePerAU / 36525.0;
    if (std::fabs(tOld - t) < LightTimeTolerance) break;
  }
  IcrsToEquator(T, s, b.sun);

  double s0Icrs[3], s0[3];
  SunIcrs(T, s0Icrs);
  IcrsToEquator(T, s0Icrs, s0);
  GeocentricPlanet(1, T, s0, b.mercury);
  GeocentricPlanet(2, T, s0, b.venus);

  double pv[2][3];
  eraMoon98(J2000, Days(T), pv);
  IcrsToEquator(T, pv[0], b.moon);

  for (int i = 0; i < 3; ++i) {
    b.sun[i] *= EarthRadiiPerAU;
    b.mercury[i] *= EarthRadiiPerAU;
    b.venus[i] *= EarthRadiiPerAU;
    b.moon[i] *= EarthRadiiPerAU;
  }
  return b;
}
