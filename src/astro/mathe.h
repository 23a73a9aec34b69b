// Mathe: guarded trigonometric helpers and the degrees-minutes-seconds text.
#pragma once
#include <string>

#include "constants.h"

namespace astro {
// The degree sign (Latin-1 code 176), held as UTF-8 like every text of the program.
extern const std::string DegreeSign;

// Tangent; |cos x| < 1e-7 gives +-1e7 with the sign of the cosine.
long double Tan(long double x);
// Inverse sine and cosine; the argument is clamped to [-1, 1].
long double ArcSin(long double x);
long double ArcCos(long double x);
// Two-argument arctangent, ordinate first, result in (-pi, pi], 0 for (0, 0).
long double ArcTan2(long double y, long double x);
// Angle in radians as text: sign, degrees (width 3), degree sign, minutes, "'", seconds, "\".", thousandths.
void AngleToDMS(long double x, std::string& text);
}  // namespace astro
