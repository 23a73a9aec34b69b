// Vector algebra on body positions and the observer's place on the Earth's spheroid.
#pragma once
#include "instant.h"

namespace geometry {
// Figure of the Earth, flattening f = 1/298.257.
constexpr long double OneMinusFlattening = 0.9966471868221030856L;      // 1 - f
constexpr long double OneMinusFlattening2 = 0.9933056150004120504L;     // (1 - f)^2
constexpr long double MeridianEccentricity2 = 0.006694384999587949606L;  // 2f - f^2

// A position relative to the Earth's centre (or to the observer), mean equator and equinox
// of date, in Earth equatorial radii; R is the length as set by the operation that filled it.
struct BodyVector {
  long double X = 0, Y = 0, Z = 0, R = 0;
};

// Geographic site, radians, east and north positive, geodetic latitude.
struct TObserverCoordinates {
  long double Longitude = 0;
  long double Latitude = 0;
};

void SetVector(BodyVector& v, long double x, long double y, long double z);
void Normalize(BodyVector& v);
void VecDiff(BodyVector a, BodyVector b, BodyVector& d);
void VecScale(BodyVector& v, long double k);
void VecCross(BodyVector a, BodyVector b, BodyVector& c);
long double VecDot(const BodyVector& a, const BodyVector& b);

// The observer's position at sea level at the instant.
void ObserverVector(const TObserverCoordinates& site, const astro::TInstant& at, BodyVector& v);
}  // namespace geometry
