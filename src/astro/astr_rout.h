// AstrRout: clock form of times, Julian day, sidereal time, obliquity and coordinate transforms.
#pragma once
#include <cstdint>

namespace astro {
struct TCalendarDate {
  int32_t Day = 0;
  int32_t Month = 0;
  int32_t Year = 0;
};

// Clock values are in H.MM form (13.455 is 13 h 45.5 min) and run one hour ahead of UT.
long double HoursFromHMM(long double x);
long double HMMFromHours(long double x);
// Julian day of the UT instant given by a date and a clock value (UT + 1 h).
long double JulianDay(const TCalendarDate& date, long double clock);
// Julian centuries from J2000.0: the time argument T of the series.
inline long double JulianCenturies(long double jd) { return (jd - 2451545.0L) / 36525.0L; }
// Date and clock value (UT + 1 h) of a Julian day.
void CalendarDate(long double jd, TCalendarDate& date, long double& clock);
// Whether the date is one of the program's calendar: Julian to 4 October 1582, Gregorian from
// 15 October 1582 (the days between do not exist), astronomical year numbering.
bool DateExists(const TCalendarDate& date);
// Mean sidereal time in radians, 0 <= result < 2 pi; longitude east positive, radians.
long double SiderealTime(const TCalendarDate& date, long double clock, long double longitude);
// Mean obliquity of the ecliptic at T (Julian centuries from J2000.0).
void Obliquity(long double T, long double& eps, long double& sinEps, long double& cosEps);
void SphericalToRect(long double r, long double lon, long double lat,
                     long double& x, long double& y, long double& z);
// Longitude in [0, 2 pi), latitude in [-pi/2, pi/2].
void RectToSpherical(long double x, long double y, long double z,
                     long double& r, long double& lon, long double& lat);
// p' = c p - s q, q' = s p + c q.
void RotateYZ(long double& p, long double& q, long double s, long double c);
// In: a = right ascension, d = declination. Out: a = azimuth (from the south, west positive),
// d = altitude. theta is the local sidereal time.
void EquatorialToHorizon(long double& a, long double& d, long double sinPhi, long double cosPhi,
                         long double theta);
}  // namespace astro
