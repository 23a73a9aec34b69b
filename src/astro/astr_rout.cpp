#include "astr_rout.h"

#include <cmath>

#include "mathe.h"
#include "series_math.h"

namespace astro {
namespace {

constexpr long double kOneOver24 = 0.041666666666666666668L;

// Julian days beyond this bound (some five million years from now or back) are pulled in
// before they are truncated to a 32-bit day number, so that no conversion overflows.
constexpr long double kMaxDayNumber = 2000000000.0L;

void CalendarDateOnce(long double jd, TCalendarDate& date, long double& clock, bool mayShift) {
  long double F = jd + 0.5L;
  if (!(F >= -kMaxDayNumber)) F = -kMaxDayNumber;  // also catches NaN
  if (F > kMaxDayNumber) F = kMaxDayNumber;
  const int32_t Z = static_cast<int32_t>(F);  // truncation toward zero
  const long double f = F - Z;
  int64_t A = Z;
  if (Z > 2299160) {
    const int64_t alpha = static_cast<int64_t>((Z - 1867216.25L) / 36524.25L);
    A = Z + 1 + alpha - alpha / 4;  // integer division truncates toward zero, like trunc
  }
  const int64_t B = A + 1524;
  const int64_t C = static_cast<int64_t>((B - 122.1L) / 365.25L);
  const int64_t D = static_cast<int64_t>(365.25L * C);
  const int64_t E = static_cast<int64_t>((B - D) / 30.6001L);
  const long double t = B - D - static_cast<int64_t>(30.6001L * E) + f;
  const long double day = std::trunc(t);
  date.Day = static_cast<int32_t>(day);
  if (E <= 13) {
    date.Month = static_cast<int32_t>(E - 1);
    date.Year = static_cast<int32_t>(C - 4716);
  } else {
    date.Month = static_cast<int32_t>(E - 13);
    date.Year = static_cast<int32_t>(C - 4715);
  }
  clock = HMMFromHours((t - day) * 24) + 1;
  // The clock runs one hour ahead of UT: past 24.00 it belongs to the next date. One hour
  // later in UT lands there; the shift is done once, so rounding can never make it recurse.
  if (clock > 24 && mayShift) {
    CalendarDateOnce(jd + kOneOver24, date, clock, false);
    clock = clock - 1;
  }
}

}  // namespace

long double HoursFromHMM(long double x) {
  const long double h = std::trunc(x);
  return h + (x - h) / 0.6L;
}

long double HMMFromHours(long double x) {
  const long double s = x >= 0 ? 1 : -1;
  const long double a = std::fabs(x);
  const long double h = std::trunc(a);
  return s * (h + (a - h) * 0.6L);
}

long double JulianDay(const TCalendarDate& date, long double clock) {
  const long double h = HoursFromHMM(clock);
  const long double d = date.Day + h / 24;
  // A real number used only to tell the Gregorian calendar from the Julian one.
  const long double n =
      static_cast<int64_t>(date.Year) * 10000 + static_cast<int64_t>(date.Month) * 100 + d;
  int64_t y = static_cast<int64_t>(date.Year) + 4712;
  int64_t m = static_cast<int64_t>(date.Month) + 1;
  if (m <= 3) {
    y = y - 1;
    m = m + 12;
  }
  long double b = -63.5L;
  if (n >= 15821015) {
    const int64_t a = static_cast<int64_t>((y + 88) / 100.0L);
    b = static_cast<int64_t>(a / 4.0L) + (b + 38 - a);
  }
  // The truncations count days correctly only from the year -4712 on. Earlier years of the
  // Julian calendar are moved forward by whole 4-year cycles of 1461 days and moved back after.
  int64_t cycles = 0;
  if (y < 0) {
    cycles = (-y + 3) / 4;
    y += 4 * cycles;
  }
  const int64_t whole = static_cast<int64_t>(365.25L * y) + static_cast<int64_t>(30.6001L * m);
  return whole + d + b - kOneOver24 - 1461.0L * cycles;
}

void CalendarDate(long double jd, TCalendarDate& date, long double& clock) {
  // As in JulianDay: day numbers below 0 (before the year -4712) are counted in whole
  // 4-year cycles of the Julian calendar, so that truncation works on a positive number.
  if (!(jd >= -kMaxDayNumber)) jd = -kMaxDayNumber;  // also catches NaN
  int64_t cycles = 0;
  if (jd + 0.5L < 0) cycles = static_cast<int64_t>(std::ceil(-(jd + 0.5L) / 1461));
  CalendarDateOnce(jd + 1461.0L * cycles, date, clock, true);
  date.Year = static_cast<int32_t>(date.Year - 4 * cycles);
}

long double SiderealTime(const TCalendarDate& date, long double clock, long double longitude) {
  const long double j0 = JulianDay(date, 1.00L);  // 0 h UT of the date
  long double s = (j0 - 2445700.5L) * 0.0657098242L + 6.656306L + longitude * 12 / Pi +
                  (HoursFromHMM(clock) - 1) * 1.0027379093L;
  s = s / 24;
  s = (s - std::trunc(s)) * 24;
  if (s < 0) s = s + 24;
  // A tiny negative fraction plus 24 can round to 24 itself; keep the result below 2 pi.
  if (s >= 24) s = 0;
  return s * Pi / 12;
}

void Obliquity(long double T, long double& eps, long double& sinEps, long double& cosEps) {
  eps = (23.43929111L - (((0.00059L - 0.001813L * T) * T + 46.815L) * T) / 3600) * Degree;
  sinEps = std::sin(eps);
  cosEps = std::cos(eps);
}

void SphericalToRect(long double r, long double lon, long double lat, long double& x,
                     long double& y, long double& z) {
  // The series' own sine and cosine: the library's reduce every angle above 45 degrees with
  // a costly routine, and every body's place passes through here.
  long double sb, cb, sl, cl;
  series_math::SinCos(lat, sb, cb);
  series_math::SinCos(lon, sl, cl);
  x = r * cb * cl;
  y = r * cb * sl;
  z = r * sb;
}

void RectToSpherical(long double x, long double y, long double z, long double& r, long double& lon,
                     long double& lat) {
  const long double rho2 = x * x + y * y;
  r = std::sqrt(rho2 + z * z);
  lat = ArcTan2(z, std::sqrt(rho2));
  lon = ArcTan2(y, x);
  if (lon < 0) lon = lon + TwoPi;
}

void RotateYZ(long double& p, long double& q, long double s, long double c) {
  const long double p0 = p;
  const long double q0 = q;
  p = c * p0 - s * q0;
  q = s * p0 + c * q0;
}

void EquatorialToHorizon(long double& a, long double& d, long double sinPhi, long double cosPhi,
                         long double theta) {
  const long double H = theta - a;
  const long double cosH = std::cos(H);
  const long double sinD = std::sin(d);
  const long double cosD = std::cos(d);
  const long double sinAlt = sinD * sinPhi + cosD * cosPhi * cosH;
  const long double alt = ArcSin(sinAlt);
  const long double n = cosD * std::sin(H);
  const long double q = sinD * cosPhi - cosD * sinPhi * cosH;
  const long double cosAlt = std::cos(alt);
  const long double den = cosAlt - q;  // cos(alt) * (1 + cos A), never negative in theory
  long double az;
  if (den == 0) {
    az = Pi;  // due north or the zenith
  } else if (den > 1e-12L * (std::fabs(cosAlt) + std::fabs(q))) {
    az = 2 * std::atan(n / den);  // half-angle formula
  } else {
    // Within a few micro-radians of north the denominator is lost in rounding (it can even
    // come out negative, which would turn north into south); the same angle from the full
    // quotient n / -q is exact there.
    az = ArcTan2(n, -q);
  }
  a = az;
  d = alt;
}

bool DateExists(const TCalendarDate& date) {
  if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > 31) return false;
  // A date exists when noon of it comes back as the same date: 31 February comes back as a
  // day of March, 10 October 1582 as 20 October.
  TCalendarDate back;
  long double clock = 0;
  CalendarDate(JulianDay(date, 13.00L), back, clock);
  return back.Day == date.Day && back.Month == date.Month && back.Year == date.Year;
}
}  // namespace astro
