// One call of each position series. T walks through a few decades so that neither the
// compiler nor the trigonometric functions see the same argument twice in a row.
#include <benchmark/benchmark.h>

#include "moon.h"
#include "planets1.h"

using namespace astro;

namespace {

template <void (*Position)(long double, long double&, long double&, long double&)>
void BM_Position(benchmark::State& state) {
  long double T = -0.2L;
  long double L, B, R;
  for (auto _ : state) {
    Position(T, L, B, R);
    benchmark::DoNotOptimize(L);
    benchmark::DoNotOptimize(B);
    benchmark::DoNotOptimize(R);
    T += 0.0000123L;
    if (T > 0.2L) T = -0.2L;
  }
}

}  // namespace

BENCHMARK(BM_Position<SunPosition>)->Name("SunPosition");
BENCHMARK(BM_Position<MercuryPosition>)->Name("MercuryPosition");
BENCHMARK(BM_Position<VenusPosition>)->Name("VenusPosition");
BENCHMARK(BM_Position<MoonPosition>)->Name("MoonPosition");
