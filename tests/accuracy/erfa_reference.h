// Reference positions from ERFA, brought to the frames the program's series use, so that the
// two can be compared at the same time argument.
#pragma once

// T is used as the TT argument of ERFA (Julian centuries from J2000.0).

// Geocentric Sun, mean ecliptic and equinox of date, rectangular, AU (from eraEpv00).
void ErfaSunEcliptic(double T, double v[3]);
// Heliocentric Mercury (planet 1) or Venus (planet 2), mean ecliptic and equinox of date, AU
// (from eraPlan94).
void ErfaPlanetEcliptic(int planet, double T, double v[3]);
// Geocentric Moon, mean ecliptic and equinox of date, Earth radii (from eraMoon98).
void ErfaMoonEcliptic(double T, double v[3]);

// The four geocentric vectors built from ERFA the way the program builds its own: mean equator
// and equinox of date, Earth radii; the Sun and the planets iterated for light-time with the
// same constants and tolerance, the planets' heliocentric positions at the retarded time added
// to the geometric Sun at T, the Moon without light-time.
struct ErfaBodies {
  double sun[3], moon[3], mercury[3], venus[3];
};
ErfaBodies ErfaGeocentricBodies(double T);
