#include "vectors.h"

#include <cmath>

namespace geometry {
void SetVector(BodyVector& v, long double x, long double y, long double z) {
  v.X = x;
  v.Y = y;
  v.Z = z;
  v.R = std::sqrt(x * x + y * y + z * z);
}

// The stored R is taken as the length; a zero (or unset) length leaves the vector alone.
void Normalize(BodyVector& v) {
  if (v.R <= 0) return;
  v.X /= v.R;
  v.Y /= v.R;
  v.Z /= v.R;
  v.R = 1;
}

void VecDiff(BodyVector a, BodyVector b, BodyVector& d) {
  SetVector(d, a.X - b.X, a.Y - b.Y, a.Z - b.Z);
}

void VecScale(BodyVector& v, long double k) {
  v.X *= k;
  v.Y *= k;
  v.Z *= k;
  v.R *= k;
}

void VecCross(BodyVector a, BodyVector b, BodyVector& c) {
  SetVector(c, a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X);
}

long double VecDot(const BodyVector& a, const BodyVector& b) {
  return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

void ObserverVector(const TObserverCoordinates& site, const astro::TInstant& at, BodyVector& v) {
  const long double theta = astro::SiderealTime(at, 0) + site.Longitude;
  const long double phi = site.Latitude;
  const long double s = std::sin(phi);
  const long double c = std::cos(phi);
  // Geocentric latitude arctan((1 - f)^2 tan phi), as a quotient so that a site at 90 degrees
  // (whose cosine rounds to a tiny negative value) is not put at the other pole.
  const long double geocentric = std::atan2(OneMinusFlattening2 * s, c);
  const long double rho =
      std::sqrt((c * c + OneMinusFlattening2 * OneMinusFlattening2 * s * s) /
                (1 - MeridianEccentricity2 * s * s));
  long double x, y, z;
  astro::SphericalToRect(rho, theta, geocentric, x, y, z);
  v.X = x;
  v.Y = y;
  v.Z = z;
  v.R = rho;
}
}  // namespace geometry
