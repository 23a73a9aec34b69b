// Positions of the Sun, Moon, Mercury and Venus at one instant, equatorial frame of date.
#pragma once
#include "constants.h"
#include "instant.h"
#include "vectors.h"

namespace geometry {
using astro::EarthRadiiPerAU;

// T in Julian centuries from J2000.0; sinEps, cosEps of the mean obliquity of the same T.
// The Sun, Mercury and Venus are corrected for light-time. The exact model also gives Mercury
// and Venus the aberration that the Sun's light-time contains, so that a planet stands where
// it is seen against the Sun, and the Moon its light-time.
void ComputeBodies(long double T, long double sinEps, long double cosEps, BodyVector& sun,
                   BodyVector& moon, BodyVector& mercury, BodyVector& venus,
                   astro::TimeModel model = astro::TimeModel::Program);

// The sky at one instant: the mean obliquity and the four bodies, and the instant and the time
// model they were computed for.
struct TSky {
  long double SinObliquity = 0, CosObliquity = 1;
  BodyVector Sun, Moon, Mercury, Venus;
  astro::TInstant At;
  astro::TimeModel Model = astro::TimeModel::Program;
};

// deltaTShift: seconds added to the exact model's ΔT (SeriesCenturies).
TSky SkyAt(const astro::TInstant& at, astro::TimeModel model = astro::TimeModel::Program,
           long double deltaTShift = 0);
// The Sun and the Moon alone, computed as SkyAt computes them (Mercury and Venus left zero):
// enough for eclipses, which the Moon decides before any planet.
TSky SunAndMoonAt(const astro::TInstant& at, astro::TimeModel model = astro::TimeModel::Program,
                  long double deltaTShift = 0);
// The bodies alone at the series' time T (the instant left at its default), for what follows
// a body between whole seconds.
TSky BodiesAt(long double T, bool planets, astro::TimeModel model);
}  // namespace geometry
