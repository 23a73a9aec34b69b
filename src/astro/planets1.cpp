// Each series expands the planet's elliptic motion in multiples of its own mean anomaly and
// adds the perturbations of the other planets as terms in multiples of two mean anomalies
// (Montenbruck & Pfleger). The multiples come from the angle-addition recurrence, so a call
// costs one sine and one cosine per mean anomaly besides the few long-period terms.
#include "planets1.h"

#include <algorithm>
#include <cmath>

#include "constants.h"
#include "series_math.h"

namespace astro {
namespace {

constexpr long double P2 = SeriesTwoPi;  // 2 pi of the arguments

// Fractional part keeping the sign of x: Frac(-0.25) = -0.25.
inline long double Frac(long double x) { return x - series_math::Trunc(x); }

// Working state of one evaluation. Own multiples Cp[k], Sp[k] for k = -1 .. 9 sit at index
// k + 1; the perturber's C[k], S[k] for k = 0 .. -8 at index -k. Slots a series never fills
// stay zero, and a perturber's table keeps the slots the one before it filled further down.
struct Series {
  static constexpr int kOwnMin = -1, kOwnMax = 9, kPertMin = -8;
  long double T;
  long double Cp[kOwnMax - kOwnMin + 1] = {};
  long double Sp[kOwnMax - kOwnMin + 1] = {};
  long double C[-kPertMin + 1] = {};
  long double S[-kPertMin + 1] = {};
  long double U = 0, V = 0;
  long double DL = 0, DR = 0, DB = 0;

  explicit Series(long double t) : T(t) {}

  // Cp[k], Sp[k] = cos, sin of k M for k = -1 .. kMax.
  void Own(long double M, int kMax) {
    Cp[0 - kOwnMin] = 1;
    Sp[0 - kOwnMin] = 0;
    long double s, c;
    series_math::SinCos(M, s, c);
    Cp[1 - kOwnMin] = c;
    Sp[1 - kOwnMin] = s;
    Cp[-1 - kOwnMin] = c;
    Sp[-1 - kOwnMin] = -s;
    for (int k = 2; k <= kMax; ++k) {
      series_math::AddAngles(Cp[k - 1 - kOwnMin], Sp[k - 1 - kOwnMin], c, s, Cp[k - kOwnMin],
                             Sp[k - kOwnMin]);
    }
  }

  // C[k], S[k] = cos, sin of k Mp for k = 0 .. -kMax.
  void Perturber(long double Mp, int kMax) {
    C[0] = 1;
    S[0] = 0;
    long double s;
    series_math::SinCos(Mp, s, C[1]);
    S[1] = -s;
    for (int k = 1; k < kMax; ++k)
      series_math::AddAngles(C[k], S[k], C[1], S[1], C[k + 1], S[k + 1]);
  }

  // Adds the rows of one table. Each row: U, V = cos, sin of i1 M + i Mp; a row with a power
  // of T multiplies the U, V of the row before it by T once more.
  //
  // The work is done in blocks: first all U, V of a block (Arguments), then the sums. A loop
  // doing both at once needs more values than the eight x87 registers hold, and 80-bit
  // values spilled and read back at once make it several times slower.
  void AddTerms(std::span<const PerturbationTerm> terms) {
    constexpr size_t kBlock = 64;
    long double us[kBlock], vs[kBlock];
    for (size_t start = 0; start < terms.size(); start += kBlock) {
      const size_t n = std::min(kBlock, terms.size() - start);
      const PerturbationTerm* rows = terms.data() + start;
      Arguments(rows, n, us, vs);
      long double dl = DL, dr = DR, db = DB;
      for (size_t k = 0; k < n; ++k) {
        const PerturbationTerm& row = rows[k];
        dl = dl + row.dlc * us[k] + row.dls * vs[k];
        dr = dr + row.drc * us[k] + row.drs * vs[k];
        db = db + row.dbc * us[k] + row.dbs * vs[k];
      }
      DL = dl;
      DR = dr;
      DB = db;
    }
  }

  // U, V of n rows into us, vs; U, V keep the last pair for the next block.
  __attribute__((noinline)) void Arguments(const PerturbationTerm* rows, size_t n, long double* us,
                                           long double* vs) {
    long double u = U, v = V;
    for (size_t k = 0; k < n; ++k) {
      const PerturbationTerm& row = rows[k];
      if (row.it == 0) {
        if (row.i1 >= kOwnMin && row.i1 <= kOwnMax && row.i <= 0 && row.i >= kPertMin) {
          const long double* cp = &Cp[row.i1 - kOwnMin];
          const long double* sp = &Sp[row.i1 - kOwnMin];
          const long double* c = &C[-row.i];
          const long double* s = &S[-row.i];
          u = *cp * *c - *sp * *s;
          v = *sp * *c + *cp * *s;
        } else {
          u = v = 0;  // an argument outside the multiple tables contributes nothing
        }
      } else {
        u = u * T;
        v = v * T;
      }
      us[k] = u;
      vs[k] = v;
    }
    U = u;
    V = v;
  }
};

// Columns: i1, i, it, dlc, dls (arc seconds), drc, drs (1e-6 AU), dbc, dbs (arc seconds).
// The Sun (the Earth's orbit) perturbed by Venus; the six rows with i = 0 are the Earth's own
// elliptic terms, taken in this pass because C[0] = 1 and S[0] = 0.
constexpr PerturbationTerm kSunVenus[] = {
    {1, 0, 0, -0.22L, 6892.76L, -16707.37L, -0.54L, 0, 0},
    {1, 0, 1, -0.06L, -17.35L, 42.04L, -0.15L, 0, 0},
    {1, 0, 2, -0.01L, -0.05L, 0.13L, -0.02L, 0, 0},
    {2, 0, 0, 0, 71.98L, -139.57L, 0, 0, 0},
    {2, 0, 1, 0, -0.36L, 0.7L, 0, 0, 0},
    {3, 0, 0, 0, 1.04L, -1.75L, 0, 0, 0},
    {0, -1, 0, 0.03L, -0.07L, -0.16L, -0.07L, 0.02L, -0.02L},
    {1, -1, 0, 2.35L, -4.23L, -4.75L, -2.64L, 0, 0},
    {1, -2, 0, -0.1L, 0.06L, 0.12L, 0.2L, 0.02L, 0},
    {2, -1, 0, -0.06L, -0.03L, 0.2L, -0.01L, 0.01L, -0.09L},
    {2, -2, 0, -4.7L, 2.9L, 8.28L, 13.42L, 0.01L, -0.01L},
    {3, -2, 0, 1.8L, -1.74L, -1.44L, -1.57L, 0.04L, -0.06L},
    {3, -3, 0, -0.67L, 0.03L, 0.11L, 2.43L, 0.01L, 0},
    {4, -2, 0, 0.03L, -0.03L, 0.1L, 0.09L, 0.01L, -0.01L},
    {4, -3, 0, 1.51L, -0.4L, -0.88L, -3.36L, 0.18L, -0.1L},
    {4, -4, 0, -0.19L, -0.09L, -0.38L, 0.77L, 0, 0},
    {5, -3, 0, 0.76L, -0.68L, 0.3L, 0.37L, 0.01L, 0},
    {5, -4, 0, -0.14L, -0.04L, -0.11L, 0.43L, -0.03L, 0},
    {5, -5, 0, -0.05L, -0.07L, -0.31L, 0.21L, 0, 0},
    {6, -4, 0, 0.15L, -0.04L, -0.06L, -0.21L, 0.01L, 0},
    {6, -5, 0, -0.03L, -0.03L, -0.09L, 0.09L, -0.01L, 0},
    {6, -6, 0, 0, -0.04L, -0.18L, 0.02L, 0, 0},
    {7, -5, 0, -0.12L, -0.03L, -0.08L, 0.31L, -0.02L, -0.01L},
};

// The Sun perturbed by Mars.
constexpr PerturbationTerm kSunMars[] = {
    {1, -1, 0, -0.22L, 0.17L, -0.21L, -0.27L, 0, 0},
    {1, -2, 0, -1.66L, 0.62L, 0.16L, 0.28L, 0, 0},
    {2, -2, 0, 1.96L, 0.57L, -1.32L, 4.55L, 0, 0.01L},
    {2, -3, 0, 0.4L, 0.15L, -0.17L, 0.46L, 0, 0},
    {2, -4, 0, 0.53L, 0.26L, 0.09L, -0.22L, 0, 0},
    {3, -3, 0, 0.05L, 0.12L, -0.35L, 0.15L, 0, 0},
    {3, -4, 0, -0.13L, -0.48L, 1.06L, -0.29L, 0.01L, 0},
    {3, -5, 0, -0.04L, -0.2L, 0.2L, -0.04L, 0, 0},
    {4, -4, 0, 0, -0.03L, 0.1L, 0.04L, 0, 0},
    {4, -5, 0, 0.05L, -0.07L, 0.2L, 0.14L, 0, 0},
    {4, -6, 0, -0.1L, 0.11L, -0.23L, -0.22L, 0, 0},
    {5, -7, 0, -0.05L, 0, 0.01L, -0.14L, 0, 0},
    {5, -8, 0, 0.05L, 0.01L, -0.02L, 0.1L, 0, 0},
};

// The Sun perturbed by Jupiter.
constexpr PerturbationTerm kSunJupiter[] = {
    {-1, -1, 0, 0.01L, 0.07L, 0.18L, -0.02L, 0, -0.02L},
    {0, -1, 0, -0.31L, 2.58L, 0.52L, 0.34L, 0.02L, 0},
    {1, -1, 0, -7.21L, -0.06L, 0.13L, -16.27L, 0, -0.02L},
    {1, -2, 0, -0.54L, -1.52L, 3.09L, -1.12L, 0.01L, -0.17L},
    {1, -3, 0, -0.03L, -0.21L, 0.38L, -0.06L, 0, -0.02L},
    {2, -1, 0, -0.16L, 0.05L, -0.18L, -0.31L, 0.01L, 0},
    {2, -2, 0, 0.14L, -2.73L, 9.23L, 0.48L, 0, 0},
    {2, -3, 0, 0.07L, -0.55L, 1.83L, 0.25L, 0.01L, 0},
    {2, -4, 0, 0.02L, -0.08L, 0.25L, 0.06L, 0, 0},
    {3, -2, 0, 0.01L, -0.07L, 0.16L, 0.04L, 0, 0},
    {3, -3, 0, -0.16L, -0.03L, 0.08L, -0.64L, 0, 0},
    {3, -4, 0, -0.04L, -0.01L, 0.03L, -0.17L, 0, 0},
};

// The Sun perturbed by Saturn.
constexpr PerturbationTerm kSunSaturn[] = {
    {0, -1, 0, 0, 0.32L, 0.01L, 0, 0, 0},
    {1, -1, 0, -0.08L, -0.41L, 0.97L, -0.18L, 0, -0.01L},
    {1, -2, 0, 0.04L, 0.1L, -0.23L, 0.1L, 0, 0},
    {2, -2, 0, 0.04L, 0.1L, -0.35L, 0.13L, 0, 0},
};

// Mercury perturbed by Venus; the 17 rows with i = 0 are Mercury's own elliptic terms.
constexpr PerturbationTerm kMercuryVenus[] = {
    {1, 0, 0, 259.74L, 84547.39L, -78342.34L, 0.01L, 11683.22L, 21203.79L},
    {1, 0, 1, 2.3L, 5.04L, -7.52L, 0.02L, 138.55L, -71.01L},
    {1, 0, 2, 0.01L, -0.01L, 0.01L, 0.01L, -0.19L, -0.54L},
    {2, 0, 0, -549.71L, 10394.44L, -7955.45L, 0, 2390.29L, 4306.79L},
    {2, 0, 1, -4.77L, 8.97L, -1.53L, 0, 28.49L, -14.18L},
    {2, 0, 2, 0, 0, 0, 0, -0.04L, -0.11L},
    {3, 0, 0, -234.04L, 1748.74L, -1212.86L, 0, 535.41L, 984.33L},
    {3, 0, 1, -2.03L, 3.48L, -0.35L, 0, 6.56L, -2.91L},
    {4, 0, 0, -77.64L, 332.63L, -219.23L, 0, 124.4L, 237.03L},
    {4, 0, 1, -0.7L, 1.1L, -0.08L, 0, 1.59L, -0.59L},
    {5, 0, 0, -23.59L, 67.28L, -43.54L, 0, 29.44L, 58.77L},
    {5, 0, 1, -0.23L, 0.32L, -0.02L, 0, 0.39L, -0.11L},
    {6, 0, 0, -6.86L, 14.06L, -9.18L, 0, 7.03L, 14.84L},
    {6, 0, 1, -0.07L, 0.09L, -0.01L, 0, 0.1L, -0.02L},
    {7, 0, 0, -1.94L, 2.98L, -2.02L, 0, 1.69L, 3.8L},
    {8, 0, 0, -0.54L, 0.63L, -0.46L, 0, 0.41L, 0.98L},
    {9, 0, 0, -0.15L, 0.13L, -0.11L, 0, 0.1L, 0.25L},
    {-1, -2, 0, -0.17L, -0.06L, -0.05L, 0.14L, -0.06L, -0.07L},
    {0, -1, 0, 0.24L, -0.16L, -0.11L, -0.16L, 0.04L, -0.01L},
    {0, -2, 0, -0.68L, -0.25L, -0.26L, 0.73L, -0.16L, -0.18L},
    {0, -5, 0, 0.37L, 0.08L, 0.06L, -0.28L, 0.13L, 0.12L},
    {1, -1, 0, 0.58L, -0.41L, 0.26L, 0.36L, 0.01L, -0.01L},
    {1, -2, 0, -3.51L, -1.23L, 0.23L, -0.63L, -0.05L, -0.06L},
    {1, -3, 0, 0.08L, 0.53L, -0.11L, 0.04L, 0.02L, -0.09L},
    {1, -5, 0, 1.44L, 0.31L, 0.3L, -1.39L, 0.34L, 0.29L},
    {2, -1, 0, 0.15L, -0.11L, 0.09L, 0.12L, 0.02L, -0.04L},
    {2, -2, 0, -1.99L, -0.68L, 0.65L, -1.91L, -0.2L, 0.03L},
    {2, -3, 0, -0.34L, -1.28L, 0.97L, -0.26L, 0.03L, 0.03L},
    {2, -4, 0, -0.33L, 0.35L, -0.13L, -0.13L, -0.01L, 0},
    {2, -5, 0, 7.19L, 1.56L, -0.05L, 0.12L, 0.06L, 0.05L},
    {3, -2, 0, -0.52L, -0.18L, 0.13L, -0.39L, -0.16L, 0.03L},
    {3, -3, 0, -0.11L, -0.42L, 0.36L, -0.1L, -0.05L, -0.05L},
    {3, -4, 0, -0.19L, 0.22L, -0.23L, -0.2L, -0.01L, 0.02L},
    {3, -5, 0, 2.77L, 0.49L, -0.45L, 2.56L, 0.4L, -0.12L},
    {4, -5, 0, 0.67L, 0.12L, -0.09L, 0.47L, 0.24L, -0.08L},
    {5, -5, 0, 0.18L, 0.03L, -0.02L, 0.12L, 0.09L, -0.03L},
};

// Mercury perturbed by the Earth.
constexpr PerturbationTerm kMercuryEarth[] = {
    {0, -4, 0, -0.11L, -0.07L, -0.08L, 0.11L, -0.02L, -0.04L},
    {1, -1, 0, 0.1L, -0.2L, 0.15L, 0.07L, 0, 0},
    {1, -2, 0, -0.35L, 0.28L, -0.13L, -0.17L, -0.01L, 0},
    {1, -4, 0, -0.67L, -0.45L, 0, 0.01L, -0.01L, -0.01L},
    {2, -2, 0, -0.2L, 0.16L, -0.16L, -0.2L, -0.01L, 0.02L},
    {2, -3, 0, 0.13L, -0.02L, 0.02L, 0.14L, 0.01L, 0},
    {2, -4, 0, -0.33L, -0.18L, 0.17L, -0.31L, -0.04L, 0},
};

// Mercury perturbed by Jupiter.
constexpr PerturbationTerm kMercuryJupiter[] = {
    {-1, -1, 0, -0.08L, 0.16L, 0.15L, 0.08L, -0.04L, 0.01L},
    {-1, -2, 0, 0.1L, -0.06L, -0.07L, -0.12L, 0.07L, -0.01L},
    {0, -1, 0, -0.31L, 0.48L, -0.02L, 0.13L, -0.03L, -0.02L},
    {0, -2, 0, 0.42L, -0.26L, -0.38L, -0.5L, 0.2L, -0.03L},
    {1, -1, 0, -0.7L, 0.01L, -0.02L, -0.63L, 0, 0.03L},
    {1, -2, 0, 2.61L, -1.97L, 1.74L, 2.32L, 0.01L, 0.01L},
    {1, -3, 0, 0.32L, -0.15L, 0.13L, 0.28L, 0, 0},
    {2, -1, 0, -0.18L, 0.01L, 0, -0.13L, -0.03L, 0.03L},
    {2, -2, 0, 0.75L, -0.56L, 0.45L, 0.6L, 0.08L, -0.17L},
    {3, -2, 0, 0.2L, -0.15L, 0.1L, 0.14L, 0.04L, -0.08L},
};

// Mercury perturbed by Saturn (slot -2 holds 2 M6).
constexpr PerturbationTerm kMercurySaturn[] = {
    {1, -2, 0, -0.19L, 0.33L, 0, 0, 0, 0},
};

// Venus perturbed by Mercury.
constexpr PerturbationTerm kVenusMercury[] = {
    {1, -1, 0, 0, 0, 0.06L, -0.09L, 0.01L, 0},
    {2, -1, 0, 0.25L, -0.09L, -0.09L, -0.27L, 0, 0},
    {4, -2, 0, -0.07L, -0.08L, -0.14L, 0.14L, -0.01L, -0.01L},
    {5, -2, 0, -0.35L, 0.08L, 0.02L, 0.09L, 0, 0},
};

// Venus perturbed by the Earth; the six rows with i = 0 are Venus's own elliptic terms.
constexpr PerturbationTerm kVenusEarth[] = {
    {1, 0, 0, 2.37L, 2793.23L, -4899.07L, 0.11L, 9995.27L, 7027.22L},
    {1, 0, 1, 0.1L, -19.65L, 34.4L, 0.22L, 64.95L, -86.1L},
    {1, 0, 2, 0.06L, 0.04L, -0.07L, 0.11L, -0.55L, -0.07L},
    {2, 0, 0, -170.42L, 73.13L, -16.59L, 0, 67.71L, 47.56L},
    {2, 0, 1, 0.93L, 2.91L, 0.23L, 0, -0.03L, -0.92L},
    {3, 0, 0, -2.31L, 0.9L, -0.08L, 0, 0.04L, 2.09L},
    {1, -1, 0, -2.38L, -4.27L, 3.27L, -1.82L, 0, 0},
    {1, -2, 0, 0.09L, 0, -0.08L, 0.05L, -0.02L, -0.25L},
    {2, -2, 0, -9.57L, -5.93L, 8.57L, -13.83L, -0.01L, -0.01L},
    {2, -3, 0, -2.47L, -2.4L, 0.83L, -0.95L, 0.16L, 0.24L},
    {3, -2, 0, -0.09L, -0.05L, 0.08L, -0.13L, -0.28L, 0.12L},
    {3, -3, 0, 7.12L, 0.32L, -0.62L, 13.76L, -0.07L, 0.01L},
    {3, -4, 0, -0.65L, -0.17L, 0.18L, -0.73L, 0.1L, 0.05L},
    {3, -5, 0, -1.08L, -0.95L, -0.17L, 0.22L, -0.03L, -0.03L},
    {4, -3, 0, 0.06L, 0, -0.01L, 0.08L, 0.14L, -0.18L},
    {4, -4, 0, 0.93L, -0.46L, 1.06L, 2.13L, -0.01L, 0.01L},
    {4, -5, 0, -1.53L, 0.38L, -0.64L, -2.54L, 0.27L, 0},
    {4, -6, 0, -0.17L, -0.05L, 0.03L, -0.11L, 0.02L, 0},
    {5, -5, 0, 0.18L, -0.28L, 0.71L, 0.47L, -0.02L, 0.04L},
    {5, -6, 0, 0.15L, -0.14L, 0.3L, 0.31L, -0.04L, 0.03L},
    {5, -7, 0, -0.08L, 0.02L, -0.03L, -0.11L, 0.01L, 0},
    {5, -8, 0, -0.23L, 0, 0.01L, -0.04L, 0, 0},
    {6, -6, 0, 0.01L, -0.14L, 0.39L, 0.04L, 0, -0.01L},
    {6, -7, 0, 0.02L, -0.05L, 0.12L, 0.04L, -0.01L, 0.01L},
    {6, -8, 0, 0.1L, -0.1L, 0.19L, 0.19L, -0.02L, 0.02L},
    {7, -7, 0, -0.03L, -0.06L, 0.18L, -0.08L, 0, 0},
    {8, -8, 0, -0.03L, -0.02L, 0.06L, -0.08L, 0, 0},
};

// Venus perturbed by Mars.
constexpr PerturbationTerm kVenusMars[] = {
    {1, -3, 0, -0.65L, 1.02L, -0.04L, -0.02L, -0.02L, 0},
    {2, -2, 0, -0.05L, 0.04L, -0.09L, -0.1L, 0, 0},
    {2, -3, 0, -0.5L, 0.45L, -0.79L, -0.89L, 0.01L, 0.03L},
};

// Venus perturbed by Jupiter.
constexpr PerturbationTerm kVenusJupiter[] = {
    {0, -1, 0, -0.05L, 1.56L, 0.16L, 0.04L, -0.08L, -0.04L},
    {1, -1, 0, -2.62L, 1.4L, -2.35L, -4.4L, 0.02L, 0.03L},
    {1, -2, 0, -0.47L, -0.08L, 0.12L, -0.76L, 0.04L, -0.18L},
    {2, -2, 0, -0.73L, -0.51L, 1.27L, -1.82L, -0.01L, 0.01L},
    {2, -3, 0, -0.14L, -0.1L, 0.25L, -0.34L, 0, 0},
    {3, -3, 0, -0.01L, 0.04L, -0.11L, -0.02L, 0, 0},
};

// Venus perturbed by Saturn.
constexpr PerturbationTerm kVenusSaturn[] = {
    {0, -1, 0, 0, 0.21L, 0, 0, 0, -0.01L},
    {1, -1, 0, -0.11L, -0.14L, 0.24L, -0.2L, 0.01L, 0},
};

constexpr SunTables kSunTables{kSunVenus, kSunMars, kSunJupiter, kSunSaturn};
constexpr MercuryTables kMercuryTables{kMercuryVenus, kMercuryEarth, kMercuryJupiter,
                                       kMercurySaturn};
constexpr VenusTables kVenusTables{kVenusMercury, kVenusEarth, kVenusMars, kVenusJupiter,
                                   kVenusSaturn};

}  // namespace

const SunTables& SunSeriesTables() { return kSunTables; }
const MercuryTables& MercurySeriesTables() { return kMercuryTables; }
const VenusTables& VenusSeriesTables() { return kVenusTables; }

void SunPositionWith(const SunTables& tables, long double T, long double& L, long double& B,
                     long double& R) {
  const long double M2 = P2 * Frac(0.1387306L + 162.5485917L * T);
  const long double M3 = P2 * Frac(0.9931266L + 99.9973604L * T);
  const long double M4 = P2 * Frac(0.0543250L + 53.1666028L * T);
  const long double M5 = P2 * Frac(0.0551750L + 8.4293972L * T);
  const long double M6 = P2 * Frac(0.8816500L + 3.3938722L * T);
  const long double D = P2 * Frac(0.8274L + 1236.8531L * T);
  const long double A = P2 * Frac(0.3749L + 1325.5524L * T);
  const long double UU = P2 * Frac(0.2591L + 1342.2278L * T);

  Series e(T);
  e.Own(M3, 7);
  e.Perturber(M2, 6);
  e.AddTerms(tables.venus);
  e.Perturber(M4, 8);
  e.AddTerms(tables.mars);
  e.Perturber(M5, 4);
  e.AddTerms(tables.jupiter);
  e.Perturber(M6, 2);
  e.AddTerms(tables.saturn);

  // The Moon's pull on the Earth.
  long double sD, cD, sDmA, cDmA, sDpA, cDpA, sDmM3, cDmM3, sDpM3, cDpM3;
  series_math::SinCos(D, sD, cD);
  series_math::SinCos(D - A, sDmA, cDmA);
  series_math::SinCos(D + A, sDpA, cDpA);
  series_math::SinCos(D - M3, sDmM3, cDmM3);
  series_math::SinCos(D + M3, sDpM3, cDpM3);
  e.DL = e.DL + 6.45L * sD - 0.42L * sDmA + 0.18L * sDpA + 0.17L * sDmM3 - 0.06L * sDpM3;
  e.DR = e.DR + 30.76L * cD - 3.06L * cDmA + 0.85L * cDpA - 0.58L * cDpM3 + 0.57L * cDmM3;
  e.DB = e.DB + 0.576L * series_math::Sin(UU);

  // Long-period terms.
  e.DL = e.DL + 6.40L * series_math::Sin(P2 * (0.6983L + 0.0561L * T)) +
         1.87L * series_math::Sin(P2 * (0.5764L + 0.4174L * T)) +
         0.27L * series_math::Sin(P2 * (0.4189L + 0.3306L * T)) +
         0.20L * series_math::Sin(P2 * (0.3581L + 2.4814L * T));

  L = TwoPi * Frac(0.7859453L + M3 / P2 + ((6191.2L + 1.1L * T) * T + e.DL) / 1296000);
  R = 1.0001398L - 0.0000007L * T + e.DR * 0.000001L;
  B = (e.DB / 3600) * Degree;
}

void SunPosition(long double T, long double& L, long double& B, long double& R) {
  SunPositionWith(kSunTables, T, L, B, R);
}

void MercuryPositionWith(const MercuryTables& tables, long double T, long double& L, long double& B,
                         long double& R) {
  const long double M1 = P2 * Frac(0.4855407L + 415.2014314L * T);
  const long double M2 = P2 * Frac(0.1394222L + 162.5490444L * T);
  const long double M3 = P2 * Frac(0.9937861L + 99.9978139L * T);
  const long double M5 = P2 * Frac(0.0558417L + 8.4298417L * T);
  const long double M6 = P2 * Frac(0.8823333L + 3.3943333L * T);

  Series p(T);
  p.Own(M1, 9);
  p.Perturber(M2, 5);
  p.AddTerms(tables.venus);
  p.Perturber(M3, 4);
  p.AddTerms(tables.earth);
  p.Perturber(M5, 3);
  p.AddTerms(tables.jupiter);
  // Saturn's single row uses slot -2, filled directly with 2 M6; slot -1 keeps Jupiter's.
  long double s2M6;
  series_math::SinCos(2 * M6, s2M6, p.C[2]);
  p.S[2] = -s2M6;
  p.AddTerms(tables.saturn);

  p.DL = p.DL + (2.8L + 3.2L * T);  // secular addition

  L = Frac(0.2151379L + M1 / P2 + ((5601.7L + 1.1L * T) * T + p.DL) / 1296000) * 360 * Degree;
  R = 0.3952829L + 0.0000016L * T + p.DR * 0.000001L;
  B = (-2522.15L + (-30.18L + 0.04L * T) * T + p.DB) / 3600 * Degree;
}

void MercuryPosition(long double T, long double& L, long double& B, long double& R) {
  MercuryPositionWith(kMercuryTables, T, L, B, R);
}

void VenusPositionWith(const VenusTables& tables, long double T, long double& L, long double& B,
                       long double& R) {
  const long double M1 = P2 * Frac(0.4861431L + 415.2018375L * T);
  const long double M2 = P2 * Frac(0.1400197L + 162.5494552L * T);
  const long double M3 = P2 * Frac(0.9944153L + 99.9982208L * T);
  const long double M4 = P2 * Frac(0.0556297L + 53.1674631L * T);
  const long double M5 = P2 * Frac(0.0567028L + 8.4305083L * T);
  const long double M6 = P2 * Frac(0.8830539L + 3.3947206L * T);

  Series p(T);
  p.Own(M2, 8);
  p.Perturber(M1, 2);
  p.AddTerms(tables.mercury);
  p.Perturber(M3, 8);
  p.AddTerms(tables.earth);
  p.Perturber(M4, 3);
  p.AddTerms(tables.mars);
  p.Perturber(M5, 3);
  p.AddTerms(tables.jupiter);
  p.Perturber(M6, 1);
  p.AddTerms(tables.saturn);

  // Long-period and secular additions.
  p.DL = p.DL + 2.74L * series_math::Sin(P2 * (0.0764L + 0.4174L * T)) +
         0.27L * series_math::Sin(P2 * (0.9201L + 0.3307L * T));
  p.DL = p.DL + (1.9L + 1.8L * T);

  L = TwoPi * Frac(0.3654783L + M2 / P2 + ((5071.2L + 1.1L * T) * T + p.DL) / 1296000);
  R = 0.7233482L - 0.0000002L * T + p.DR * 0.000001L;
  B = (-67.70L + (0.04L + 0.01L * T) * T + p.DB) / 3600 * Degree;
}

void VenusPosition(long double T, long double& L, long double& B, long double& R) {
  VenusPositionWith(kVenusTables, T, L, B, R);
}
}  // namespace astro
