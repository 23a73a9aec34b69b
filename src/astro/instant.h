// The one instant of the program: whole seconds of UT. The calendar date and the clock value of
// the dialogue are made from it, and the series' time argument comes from it in one place.
#pragma once
#include <cstdint>

#include "astr_rout.h"

namespace astro {
// Whole seconds of UT counted from JD 0.0, so that 86400 divides whole days.
using Second = int64_t;
constexpr long double SecondsPerDay = 86400;
Second SecondOf(long double jdUt);  // the nearest whole second
long double JdOf(Second s);

// Which time the series are given. The program's own model gives them UT, as it always has;
// the exact model gives them TT = UT + ΔT (ΔT taken for the series' own lunar acceleration)
// and adds the light-time of the Moon and the aberration of Mercury and Venus.
enum class TimeModel : int { Program = 0, Exact = 1 };

class TInstant {
 public:
  TInstant() : TInstant(Second{0}) {}
  static TInstant At(Second ut) { return TInstant(ut); }
  // The instant of a date and a clock value (UT + 1 h, H.MM), to the nearest second.
  static TInstant OfClock(const TCalendarDate& date, long double clock);

  Second Ut() const { return ut_; }
  const TCalendarDate& Date() const { return date_; }  // of the clock value, not of UT
  long double Clock() const { return clock_; }          // UT + 1 h in H.MM form
  // JulianDay(Date(), Clock()): the UT Julian day as the calendar arithmetic gives it.
  long double Jd() const { return jd_; }
  // The UT date and the seconds since 0 h UT: what the texts show.
  const TCalendarDate& UtDate() const { return utDate_; }
  int UtSecondOfDay() const { return utSecondOfDay_; }
  TInstant Plus(Second seconds) const { return At(ut_ + seconds); }

 private:
  explicit TInstant(Second ut);
  Second ut_ = 0;
  TCalendarDate date_, utDate_;
  int utSecondOfDay_ = 0;
  long double clock_ = 0;
  long double jd_ = 0;
};

// ΔT in seconds as the exact model uses it at a UT Julian day: the observed or modelled ΔT,
// less what the series' weaker lunar deceleration already puts into the Moon's place.
long double SeriesDeltaT(long double jdUt);
// The Julian day of the series' time at a UT Julian day. In the exact model `deltaTShift`
// seconds are added to ΔT: a comparison with another ΔT convention.
long double SeriesJd(long double jdUt, TimeModel model, long double deltaTShift = 0);
// The series' time argument T (Julian centuries from J2000.0) at a UT Julian day.
inline long double SeriesCenturies(long double jdUt, TimeModel model,
                                   long double deltaTShift = 0) {
  return JulianCenturies(SeriesJd(jdUt, model, deltaTShift));
}
inline long double SeriesCenturies(const TInstant& at, TimeModel model,
                                   long double deltaTShift = 0) {
  return SeriesCenturies(at.Jd(), model, deltaTShift);
}
// Mean sidereal time of the instant (the Earth turns with UT in both models).
long double SiderealTime(const TInstant& at, long double longitude);
}  // namespace astro
