// Delta T = TT - UT: observed values where there are any, a long-term model around them.
#pragma once

namespace astro {
// TT - UT in seconds at a decimal year (astronomical numbering: year 0 = 1 BC; 2000.0 is the
// start of 2000). Finite and continuous for every finite year; a guess after the last observation.
long double DeltaT(long double year);
// The same at a UT Julian day, with year = 2000 + (jd - 2451544.5) / 365.2425, Gregorian years
// counted from 2000 January 1, 0h UT.
long double DeltaTAtJd(long double jdUt);
}  // namespace astro
