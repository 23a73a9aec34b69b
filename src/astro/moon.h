// Moon: the lunar series (a truncation of Brown's theory).
#pragma once
#include <span>

namespace astro {
struct MoonSolarTerm {
  int p, q, r, s;                 // multiples of LA, LS, F, D
  long double cl, cs, cg, cp;     // arc seconds: longitude, argument of latitude, latitude factor, parallax
};

// Geocentric Moon: L in [0, 2 pi), B in radians, R in Earth radii.
void MoonPosition(long double T, long double& L, long double& B, long double& R);

// The rate of the series' mean longitude of the Moon, revolutions per Julian century.
constexpr long double MoonMeanMotion = 1336.85522467L;

// The series' mean argument of latitude F and mean elongation D of the Moon at T, in
// revolutions (before the long-period terms).
inline long double MoonMeanLatitudeArgument(long double T) {
  return 0.25909118L + 1342.22782980L * T - 0.00000892L * (T * T);
}
inline long double MoonMeanElongation(long double T) {
  return 0.82736186L + 1236.85308708L * T - 0.00000397L * (T * T);
}

// The 104 solar-perturbation terms in evaluation order.
std::span<const MoonSolarTerm> MoonSolarTerms();
// The same series with another solar-term table.
void MoonPositionWith(std::span<const MoonSolarTerm> terms, long double T, long double& L,
                      long double& B, long double& R);
}  // namespace astro
