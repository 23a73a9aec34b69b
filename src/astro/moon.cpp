// Moon: the lunar series of Montenbruck & Pfleger, a truncation of Brown's theory.
//
// Every periodic term is a product of powers of four rotation factors (for LA, LS, F, D) taken
// from tables filled once per call by the angle-addition recurrence, so the 114 periodic
// terms cost no sine or cosine of their own.
#include "moon.h"

#include <cmath>
#include <iterator>

#include "mathe.h"
#include "series_math.h"

namespace astro {
namespace {

constexpr long double PI2 = MoonSeriesTwoPi;  // 2 pi of the lunar arguments
constexpr long double ARC = 206264.81L;    // arc seconds per radian

constexpr MoonSolarTerm kSolarTerms[] = {
#include "moon_solar_terms.inc"
};
static_assert(std::size(kSolarTerms) == 104);

struct LatitudeTerm {
  int p, q, r, s;
  long double cn;
};

constexpr LatitudeTerm kLatitudeTerms[] = {
    {0, 0, 1, -2, -526.069L}, {0, 0, 1, -4, -3.352L},  {1, 0, 1, -2, 44.297L},
    {1, 0, 1, -4, -6.000L},   {-1, 0, 1, 0, 20.599L},  {-1, 0, 1, -2, -30.598L},
    {-2, 0, 1, 0, -24.649L},  {-2, 0, 1, -2, -2.000L}, {0, 1, 1, -2, -22.571L},
    {0, -1, 1, -2, 10.985L},
};

// Fractional part in [0, 1).
inline long double Frac01(long double x) {
  x = x - series_math::Trunc(x);
  if (x < 0) x = x + 1;
  return x;
}

// Sine of an angle given in revolutions.
inline long double SinRev(long double phi) { return series_math::Sin(PI2 * Frac01(phi)); }

// Rotation tables: CO[k][j], SI[k][j] for columns k = 1 .. 4 (LA, LS, F, D; index k - 1)
// and rows j = -6 .. 6 (index j + 6). Rows beyond a column's MAX are zero, so a term that
// used one would vanish.
struct Rotations {
  static constexpr int kRows = 6;
  long double CO[4][2 * kRows + 1];
  long double SI[4][2 * kRows + 1];

  // Column k: CO[j] + i SI[j] = (fac (cos arg + i sin arg))^j for |j| <= max.
  void Fill(int k, long double arg, int max, long double fac) {
    long double* co = CO[k - 1] + kRows;
    long double* si = SI[k - 1] + kRows;
    co[0] = 1;
    si[0] = 0;
    long double s, c;
    series_math::SinCos(arg, s, c);
    co[1] = fac * c;
    si[1] = fac * s;
    for (int j = 2; j <= max; ++j) {
      series_math::AddAngles(co[j - 1], si[j - 1], co[1], si[1], co[j], si[j]);
    }
    for (int j = 1; j <= max; ++j) {
      co[-j] = co[j];
      si[-j] = -si[j];
    }
    for (int j = max + 1; j <= kRows; ++j) {
      co[j] = 0;
      si[j] = 0;
      co[-j] = 0;
      si[-j] = 0;
    }
  }
};

// Walks a table of terms in order and gives X, Y = cos, sin of p LA + q LS + r F + s D for
// each, scaled by the column factors' powers, built in the order p, q, r, s.
//
// A zero multiple leaves the product alone; here it multiplies by row 0 = (1, 0) instead,
// which gives the same values and no branch to mispredict. Likewise the first factor times
// (1, 0) is that factor itself. Consecutive terms mostly share p, q, r and differ in s only,
// so the product of the first three factors is reused while they stay the same.
class TermWalk {
 public:
  explicit TermWalk(const Rotations& rot) : rot_(rot) {}

  // False when a multiple lies beyond the tables: such a term contributes nothing.
  template <typename Term>
  bool Next(const Term& t, long double& X, long double& Y) {
    constexpr int kRows = Rotations::kRows;
    if (first_ || t.p != p_ || t.q != q_ || t.r != r_) {
      first_ = false;
      p_ = t.p;
      q_ = t.q;
      r_ = t.r;
      inside_ =
          p_ >= -kRows && p_ <= kRows && q_ >= -kRows && q_ <= kRows && r_ >= -kRows && r_ <= kRows;
      if (inside_) {
        PX_ = rot_.CO[0][kRows + p_];
        PY_ = rot_.SI[0][kRows + p_];
        series_math::AddAngles(PX_, PY_, rot_.CO[1][kRows + q_], rot_.SI[1][kRows + q_], PX_, PY_);
        series_math::AddAngles(PX_, PY_, rot_.CO[2][kRows + r_], rot_.SI[2][kRows + r_], PX_, PY_);
      }
    }
    if (!inside_ || t.s < -kRows || t.s > kRows) return false;
    series_math::AddAngles(PX_, PY_, rot_.CO[3][kRows + t.s], rot_.SI[3][kRows + t.s], X, Y);
    return true;
  }

 private:
  const Rotations& rot_;
  bool first_ = true, inside_ = false;
  int p_ = 0, q_ = 0, r_ = 0;
  long double PX_ = 1, PY_ = 0;
};

}  // namespace

std::span<const MoonSolarTerm> MoonSolarTerms() { return kSolarTerms; }

void MoonPosition(long double T, long double& L, long double& B, long double& R) {
  MoonPositionWith(kSolarTerms, T, L, B, R);
}

void MoonPositionWith(std::span<const MoonSolarTerm> terms, long double T, long double& L,
                      long double& B, long double& R) {
  // Long-period corrections (arc seconds; DGAM dimensionless).
  const long double S1 = SinRev(0.19833L + 0.05611L * T);
  const long double S2 = SinRev(0.27869L + 0.04508L * T);
  const long double S3 = SinRev(0.16827L - 0.36903L * T);
  const long double S4 = SinRev(0.34734L - 5.37261L * T);
  const long double S5 = SinRev(0.10498L - 5.37899L * T);
  const long double S6 = SinRev(0.42681L - 0.41855L * T);
  const long double S7 = SinRev(0.14943L - 5.37511L * T);
  const long double DL0 =
      0.84L * S1 + 0.31L * S2 + 14.27L * S3 + 7.26L * S4 + 0.28L * S5 + 0.24L * S6;
  const long double DLA =
      2.94L * S1 + 0.31L * S2 + 14.27L * S3 + 9.34L * S4 + 1.12L * S5 + 0.83L * S6;
  const long double DLS = -6.40L * S1 - 1.89L * S6;
  const long double DF =
      0.21L * S1 + 0.31L * S2 + 14.27L * S3 - 88.70L * S4 - 15.30L * S5 + 0.24L * S6 - 1.86L * S7;
  const long double DD = DL0 - DLS;
  const long double DGAM = -0.000003332L * SinRev(0.59734L - 5.37261L * T) -
                           0.000000539L * SinRev(0.35498L - 5.37899L * T) -
                           0.000000064L * SinRev(0.39943L - 5.37511L * T);

  // Mean arguments, radians.
  const long double T2 = T * T;
  const long double L0 =
      PI2 * Frac01(0.60643382L + MoonMeanMotion * T - 0.00000313L * T2) + DL0 / ARC;
  const long double LA =
      PI2 * Frac01(0.37489701L + 1325.55240982L * T + 0.00002565L * T2) + DLA / ARC;
  const long double LS =
      PI2 * Frac01(0.99312619L + 99.99735956L * T - 0.00000044L * T2) + DLS / ARC;
  const long double F = PI2 * Frac01(MoonMeanLatitudeArgument(T)) + DF / ARC;
  const long double D = PI2 * Frac01(MoonMeanElongation(T)) + DD / ARC;

  Rotations rot;
  rot.Fill(1, LA, 4, 1.000002208L);
  rot.Fill(2, LS, 3, 0.997504612L - 0.002495388L * T);
  rot.Fill(3, F, 4, 1.000002708L + 139.978L * DGAM);
  rot.Fill(4, D, 6, 1.0L);

  // Solar terms.
  long double DLAM = 0, DS = 0, GAM1C = 0, SINPI = 3422.7L;
  long double X, Y;
  TermWalk solar(rot);
  for (const MoonSolarTerm& t : terms) {
    if (!solar.Next(t, X, Y)) continue;
    DLAM = DLAM + t.cl * Y;
    DS = DS + t.cs * Y;
    GAM1C = GAM1C + t.cg * X;
    SINPI = SINPI + t.cp * X;
  }

  // Latitude terms.
  long double N = 0;
  TermWalk latitude(rot);
  for (const LatitudeTerm& t : kLatitudeTerms) {
    if (latitude.Next(t, X, Y)) N = N + t.cn * Y;
  }

  // Planetary terms in longitude.
  DLAM = DLAM + 0.82L * SinRev(0.7736L - 62.5512L * T) + 0.31L * SinRev(0.0466L - 125.1025L * T) +
         0.35L * SinRev(0.5785L - 25.1042L * T) + 0.66L * SinRev(0.4591L + 1335.8075L * T) +
         0.64L * SinRev(0.3130L - 91.5680L * T) + 1.14L * SinRev(0.1480L + 1331.2898L * T) +
         0.21L * SinRev(0.5918L + 1056.5859L * T) + 0.44L * SinRev(0.5784L + 1322.8595L * T) +
         0.24L * SinRev(0.2275L - 5.7374L * T) + 0.28L * SinRev(0.2965L + 2.6929L * T) +
         0.33L * SinRev(0.3132L + 6.3368L * T);

  L = Frac01((L0 + DLAM / ARC) / PI2) * 360 / 180 * Pi;
  const long double S = F + DS / ARC;
  const long double FAC = 1.000002708L + 139.978L * DGAM;
  B = (FAC * (18519.7L + GAM1C) * series_math::Sin(S) - 6.24L * series_math::Sin(3 * S) + N) /
      3600 / 180 * Pi;
  SINPI = SINPI * 0.999953253L;
  R = ARC / SINPI;
}
}  // namespace astro
