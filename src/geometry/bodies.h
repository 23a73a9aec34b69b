// Positions of the Sun, Moon, Mercury and Venus at one instant, equatorial frame of date.
#pragma once
#include "vectors.h"

constexpr long double EarthRadiiPerAU = 23454.78L;

// T in Julian centuries from J2000.0; sinEps, cosEps of the mean obliquity of the same T.
// The Sun, Mercury and Venus are corrected for light-time.
void ComputeBodies(long double T, long double sinEps, long double cosEps, BodyVector& sun,
                   BodyVector& moon, BodyVector& mercury, BodyVector& venus);

// The sky at one instant: the mean obliquity and the four bodies.
struct TSky {
  long double SinObliquity = 0, CosObliquity = 1;
  BodyVector Sun, Moon, Mercury, Venus;
};

// The sky at T (Julian centuries from J2000.0 of the UT instant).
TSky SkyAt(long double T);
// The Sun and the Moon alone, computed as SkyAt computes them (Mercury and Venus left zero):
// enough for eclipses, which the Moon decides before any planet.
TSky SunAndMoonAt(long double T);
