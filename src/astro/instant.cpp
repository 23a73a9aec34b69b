#include "instant.h"

#include <cmath>

#include "delta_t.h"

namespace astro {
namespace {

// ΔT is defined for the Moon's observed tidal deceleration; the series' Moon is decelerated less.
// The T-squared term of the series' mean elongation D is -0.00000397 revolutions (-5.145"), of
// its mean longitude -0.00000313 revolutions (-4.056"); modern lunar theory (Chapront et al.,
// as in Meeus, Astronomical Algorithms, 2nd ed., ch. 47) has -0.0018819 degrees (-6.775") and
// -0.0015786 degrees (-5.683"). The Sun's mean longitude agrees (+1.089" against +1.092"), so
// the whole difference is the Moon's: the series' D runs 1.630" T^2 ahead, which at its rate of
// 1236.853 revolutions per century is 3.208 s T^2 of time. The series are given a time that
// much earlier (T in Julian centuries from J2000.0).
// That derived 3.208 s leaves the greatest instants of eclipses before the year 500 up to 640 s
// early against a modern ephemeris (the Swiss Ephemeris with DE431, 164 eclipses from -1000 to
// 3000); the least-squares coefficient over those eclipses is 3.667 s, which is used. The rest
// (other secular terms of the series) stays within 4 minutes there.
constexpr long double kTidalSecondsPerCentury2 = 3.667L;

}  // namespace

Second SecondOf(long double jdUt) { return std::llround(jdUt * SecondsPerDay); }

long double JdOf(Second s) { return static_cast<long double>(s) / SecondsPerDay; }

TInstant::TInstant(Second ut) : ut_(ut) {
  // Whole days and seconds from 0 h UT, as integers: the clock value is made from whole hours,
  // minutes and seconds as the time prompt makes it, never from a rounded Julian day.
  constexpr Second Day = 86400, HalfDay = 43200;
  Second day = (ut - HalfDay) / Day, second = (ut - HalfDay) % Day;
  if (second < 0) second += Day, day -= 1;  // JD day + 0.5 is 0 h UT of the day
  utSecondOfDay_ = static_cast<int>(second);
  long double noonClock = 0;
  CalendarDate(static_cast<long double>(day) + 1, utDate_, noonClock);
  date_ = utDate_;
  int hours = static_cast<int>(second / 3600);
  const int minutes = static_cast<int>(second / 60 % 60), seconds = static_cast<int>(second % 60);
  // The clock runs one hour ahead: from 23:00:01 UT on it is the next date's 0.00 to 0.59.
  if (hours == 23 && second % 3600 != 0) {
    CalendarDate(static_cast<long double>(day) + 2, date_, noonClock);
    hours = -1;
  }
  clock_ = HMMFromHours(hours + 1 + (minutes + seconds / 60.0L) / 60.0L);
  jd_ = JulianDay(date_, clock_);
}

TInstant TInstant::OfClock(const TCalendarDate& date, long double clock) {
  return At(SecondOf(JulianDay(date, clock)));
}

long double SeriesDeltaT(long double jdUt) {
  const long double T = JulianCenturies(jdUt);
  return DeltaTAtJd(jdUt) - kTidalSecondsPerCentury2 * T * T;
}

long double SeriesJd(long double jdUt, TimeModel model, long double deltaTShift) {
  if (model == TimeModel::Program) return jdUt;
  return jdUt + (SeriesDeltaT(jdUt) + deltaTShift) / SecondsPerDay;
}

long double SiderealTime(const TInstant& at, long double longitude) {
  return SiderealTime(at.Date(), at.Clock(), longitude);
}
}  // namespace astro
