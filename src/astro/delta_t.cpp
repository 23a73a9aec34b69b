// Delta T = TT - UT. Before 1620 the Espenak-Meeus polynomials and their parabola; from 1620 a
// yearly table of observed values; after it a guess that bends into the parabola. Sources and the
// joins are described in the README ("The Delta T model").
#include "delta_t.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace astro {
namespace {

// Observed Delta T in seconds on 1 January of each year from kFirstTableYear on.
// 1620-1973: The Astronomical Almanac's table (pages K8-K9), whole seconds before 1800.
// 1974 on: IERS Rapid Service/Prediction Center (USNO), deltat.data, the value on 1 January.
constexpr long double kFirstTableYear = 1620;  // year
// clang-format off
constexpr std::array<long double, 407> kObserved = {
    /* 1620 */ 124, 119, 115, 110, 106, 102, 98, 95, 91, 88,
    /* 1630 */ 85, 82, 79, 77, 74, 72, 70, 67, 65, 63,
    /* 1640 */ 62, 60, 58, 57, 55, 54, 53, 51, 50, 49,
    /* 1650 */ 48, 47, 46, 45, 44, 43, 42, 41, 40, 38,
    /* 1660 */ 37, 36, 35, 34, 33, 32, 31, 30, 28, 27,
    /* 1670 */ 26, 25, 24, 23, 22, 21, 20, 19, 18, 17,
    /* 1680 */ 16, 15, 14, 14, 13, 12, 12, 11, 11, 10,
    /* 1690 */ 10, 10, 9, 9, 9, 9, 9, 9, 9, 9,
    /* 1700 */ 9, 9, 9, 9, 9, 9, 9, 9, 10, 10,
    /* 1710 */ 10, 10, 10, 10, 10, 10, 10, 11, 11, 11,
    /* 1720 */ 11, 11, 11, 11, 11, 11, 11, 11, 11, 11,
    /* 1730 */ 11, 11, 11, 11, 12, 12, 12, 12, 12, 12,
    /* 1740 */ 12, 12, 12, 12, 13, 13, 13, 13, 13, 13,
    /* 1750 */ 13, 14, 14, 14, 14, 14, 14, 14, 15, 15,
    /* 1760 */ 15, 15, 15, 15, 15, 16, 16, 16, 16, 16,
    /* 1770 */ 16, 16, 16, 16, 16, 17, 17, 17, 17, 17,
    /* 1780 */ 17, 17, 17, 17, 17, 17, 17, 17, 17, 17,
    /* 1790 */ 17, 17, 16, 16, 16, 16, 15, 15, 14, 14,
    /* 1800 */ 13.7L, 13.4L, 13.1L, 12.9L, 12.7L, 12.6L, 12.5L, 12.5L, 12.5L, 12.5L,
    /* 1810 */ 12.5L, 12.5L, 12.5L, 12.5L, 12.5L, 12.5L, 12.5L, 12.4L, 12.3L, 12.2L,
    /* 1820 */ 12, 11.7L, 11.4L, 11.1L, 10.6L, 10.2L, 9.6L, 9.1L, 8.6L, 8,
    /* 1830 */ 7.5L, 7, 6.6L, 6.3L, 6, 5.8L, 5.7L, 5.6L, 5.6L, 5.6L,
    /* 1840 */ 5.7L, 5.8L, 5.9L, 6.1L, 6.2L, 6.3L, 6.5L, 6.6L, 6.8L, 6.9L,
    /* 1850 */ 7.1L, 7.2L, 7.3L, 7.4L, 7.5L, 7.6L, 7.7L, 7.7L, 7.8L, 7.8L,
    /* 1860 */ 7.88L, 7.82L, 7.54L, 6.97L, 6.4L, 6.02L, 5.41L, 4.1L, 2.92L, 1.82L,
    /* 1870 */ 1.61L, 0.1L, -1.02L, -1.28L, -2.69L, -3.24L, -3.64L, -4.54L, -4.71L, -5.11L,
    /* 1880 */ -5.4L, -5.42L, -5.2L, -5.46L, -5.46L, -5.79L, -5.63L, -5.64L, -5.8L, -5.66L,
    /* 1890 */ -5.87L, -6.01L, -6.19L, -6.64L, -6.44L, -6.47L, -6.09L, -5.76L, -4.66L, -3.74L,
    /* 1900 */ -2.72L, -1.54L, -0.02L, 1.24L, 2.64L, 3.86L, 5.37L, 6.14L, 7.75L, 9.13L,
    /* 1910 */ 10.46L, 11.53L, 13.36L, 14.65L, 16.01L, 17.2L, 18.24L, 19.06L, 20.25L, 20.95L,
    /* 1920 */ 21.16L, 22.25L, 22.41L, 23.03L, 23.49L, 23.62L, 23.86L, 24.49L, 24.34L, 24.08L,
    /* 1930 */ 24.02L, 24, 23.87L, 23.95L, 23.86L, 23.93L, 23.73L, 23.92L, 23.96L, 24.02L,
    /* 1940 */ 24.33L, 24.83L, 25.3L, 25.7L, 26.24L, 26.77L, 27.28L, 27.78L, 28.25L, 28.71L,
    /* 1950 */ 29.15L, 29.57L, 29.97L, 30.36L, 30.72L, 31.07L, 31.35L, 31.68L, 32.18L, 32.68L,
    /* 1960 */ 33.15L, 33.59L, 34, 34.47L, 35.03L, 35.73L, 36.54L, 37.43L, 38.29L, 39.2L,
    /* 1970 */ 40.18L, 41.17L, 42.23L, 43.37L, 44.4841L,
    /* 1975 */ 45.4761L, 46.4567L, 47.5214L, 48.5344L, 49.5861L,
    /* 1980 */ 50.5387L, 51.3808L, 52.1668L, 52.9565L, 53.7882L,
    /* 1985 */ 54.3427L, 54.8713L, 55.3222L, 55.8197L, 56.3000L,
    /* 1990 */ 56.8553L, 57.5653L, 58.3092L, 59.1218L, 59.9845L,
    /* 1995 */ 60.7853L, 61.6287L, 62.2950L, 62.9659L, 63.4673L,
    /* 2000 */ 63.8285L, 64.0908L, 64.2998L, 64.4734L, 64.5736L,
    /* 2005 */ 64.6876L, 64.8452L, 65.1464L, 65.4573L, 65.7768L,
    /* 2010 */ 66.0699L, 66.3246L, 66.6030L, 66.9069L, 67.2810L,
    /* 2015 */ 67.6439L, 68.1024L, 68.5927L, 68.9676L, 69.2202L,
    /* 2020 */ 69.3612L, 69.3594L, 69.2945L, 69.2039L, 69.1752L, 69.1377L, 69.1099L,
};
// clang-format on
constexpr long double kLastTableYear = kFirstTableYear + (kObserved.size() - 1);  // year

// The future starts with the slope of the last few observed years, in seconds per year.
constexpr std::size_t kEndSlopeYears = 4;
constexpr long double kEndSlope =
    (kObserved[kObserved.size() - 1] - kObserved[kObserved.size() - 1 - kEndSlopeYears]) /
    kEndSlopeYears;

// At 1620 the table stands 29 s above the polynomial, and other tables part from it before 1630;
// so it takes over from the polynomial gradually, until this year.
constexpr long double kFadeEnd = 1660;  // year
// The guess after the table reaches the parabola here, where Espenak and Meeus end their own.
constexpr long double kFutureEnd = 2150;  // year

// Espenak-Meeus joins: parabola before, polynomials between, in years.
constexpr long double kParabolaEnd = -500;
constexpr long double kAncientEnd = 500;
constexpr long double kMedievalEnd = 1600;

// Coefficients in seconds per power of the polynomial's variable, lowest power first.
// -500..500: u = year / 100.
constexpr std::array<long double, 7> kAncient = {
    10583.6L, -1014.41L, 33.78311L, -5.952053L, -0.1798452L, 0.022174192L, 0.0090316521L};
// 500..1600: u = (year - 1000) / 100.
constexpr std::array<long double, 7> kMedieval = {
    1574.2L, -556.01L, 71.23472L, 0.319781L, -0.8503463L, -0.005050998L, 0.0083572073L};
// 1600..1700: t = year - 1600.
constexpr std::array<long double, 4> kEarlyModern = {120, -0.9808L, -0.01532L, 1 / 7129.0L};

template <std::size_t N>
long double Horner(const std::array<long double, N>& c, long double x) {
  long double sum = 0;
  for (std::size_t i = N; i-- > 0;) sum = sum * x + c[i];
  return sum;
}

// -20 + 32 u^2 seconds, u in centuries from 1820: the long-term trend, also the far future.
long double Parabola(long double year) {
  const long double u = (year - 1820) / 100;
  return -20 + 32 * u * u;
}
// Its slope in seconds per year.
long double ParabolaSlope(long double year) { return 64 * (year - 1820) / 10000; }

long double EarlyModern(long double year) { return Horner(kEarlyModern, year - 1600); }

// Cubic through (x0, y0) and (x1, y1) with the slopes m0 and m1 (per unit of x) there.
long double Hermite(long double x0, long double y0, long double m0, long double x1, long double y1,
                    long double m1, long double x) {
  const long double h = x1 - x0;
  const long double s = (x - x0) / h;
  const long double s2 = s * s;
  const long double s3 = s2 * s;
  return (2 * s3 - 3 * s2 + 1) * y0 + (s3 - 2 * s2 + s) * h * m0 + (3 * s2 - 2 * s3) * y1 +
         (s3 - s2) * h * m1;
}

// Slope of the table at entry i, seconds per year: centred differences, so that the
// interpolation is smooth across entries.
long double TableSlope(std::size_t i) {
  if (i == 0) return kObserved[1] - kObserved[0];
  if (i == kObserved.size() - 1) return kEndSlope;
  return (kObserved[i + 1] - kObserved[i - 1]) / 2;
}

long double Observed(long double year) {
  const long double offset = std::floor(year - kFirstTableYear);
  const std::size_t last = kObserved.size() - 2;
  const std::size_t i = offset < 0 ? 0 : (offset > last ? last : static_cast<std::size_t>(offset));
  const long double x0 = kFirstTableYear + i;
  return Hermite(x0, kObserved[i], TableSlope(i), x0 + 1, kObserved[i + 1], TableSlope(i + 1),
                 year);
}

// 0 at a, 1 at b, flat at both ends.
long double SmoothStep(long double a, long double b, long double x) {
  const long double s = (x - a) / (b - a);
  return s * s * (3 - 2 * s);
}
}  // namespace

long double DeltaT(long double year) {
  if (year < kParabolaEnd) return Parabola(year);
  if (year < kAncientEnd) return Horner(kAncient, year / 100);
  if (year < kMedievalEnd) return Horner(kMedieval, (year - 1000) / 100);
  if (year < kFirstTableYear) return EarlyModern(year);
  if (year < kFadeEnd) {
    const long double w = SmoothStep(kFirstTableYear, kFadeEnd, year);
    return (1 - w) * EarlyModern(year) + w * Observed(year);
  }
  if (year <= kLastTableYear) return Observed(year);
  if (year < kFutureEnd) {
    return Hermite(kLastTableYear, kObserved[kObserved.size() - 1], kEndSlope, kFutureEnd,
                   Parabola(kFutureEnd), ParabolaSlope(kFutureEnd), year);
  }
  return Parabola(year);
}

long double DeltaTAtJd(long double jdUt) {
  constexpr long double kJd2000 = 2451544.5L;      // 2000 January 1, 0h UT
  constexpr long double kDaysPerYear = 365.2425L;  // mean Gregorian year
  return DeltaT(2000 + (jdUt - kJd2000) / kDaysPerYear);
}
}  // namespace astro
