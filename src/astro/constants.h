// The program's numbers with their units, each once.
#pragma once

namespace astro {
// Angles, radians.
constexpr long double Pi = 3.1415926535897932385L;
constexpr long double PiHalf = 1.5707963267948966192L;
constexpr long double TwoPi = 2 * Pi;                        // one revolution
constexpr long double Degree = 0.017453292519943295769L;     // pi / 180
// The published series multiply their arguments by 2 pi to ten digits, and the Moon's with the
// last digit rounded up; they are kept so, as printed.
constexpr long double SeriesTwoPi = 6.283185307L;
constexpr long double MoonSeriesTwoPi = 6.283185308L;

// Lengths, Earth equatorial radii.
constexpr long double EarthRadius = 1;
constexpr long double EarthRadiiPerAU = 23454.78L;
constexpr long double SunDiameter = 218.25L;
constexpr long double SunRadius = SunDiameter / 2;           // 109.125
constexpr long double MoonDiameter = 0.545L;
constexpr long double MoonRadius = 0.2725L;                  // MoonDiameter / 2
// The smaller Moon the eclipse canons take for the 2nd and 3rd contacts, where sunlight first
// or last shines through the deepest valleys of its limb (Espenak and Meeus: k = 0.272281).
constexpr long double MoonCentralRadius = 0.272281L;
constexpr long double MercuryDiameter = 0.766L;
constexpr long double VenusDiameter = 1.9L;
}  // namespace astro
