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

// The 104 solar-perturbation terms in evaluation order.
std::span<const MoonSolarTerm> MoonSolarTerms();
// The same series with another solar-term table.
void MoonPositionWith(std::span<const MoonSolarTerm> terms, long double T, long double& L,
                      long double& B, long double& R);
}  // namespace astro
