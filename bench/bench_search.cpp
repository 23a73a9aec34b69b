// The event search: one 'n' or 'v' query from random instants of 1900 to 2100, one contact
// panel (Earth-wide and for a site) and one Shift+N. The counters give the instants computed
// per query.
#include <benchmark/benchmark.h>

#include <random>

#include "event_search.h"
#include "visible_events.h"
#include "mathe.h"

namespace {

using namespace astro;
using namespace geometry;
using namespace search;

constexpr long double Jd1900 = 2415020.5L, Jd2100 = 2488069.5L;

// Argument: the time model (0 the program's own, 1 the exact one).
template <TSearchResult (*Query)(Second, TimeModel)>
void BM_Query(benchmark::State& state) {
  const TimeModel model = static_cast<TimeModel>(state.range(0));
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> instant(Jd1900, Jd2100);
  long evaluations = 0;
  for (auto _ : state) {
    const TSearchResult r = Query(SecondOf(instant(random)), model);
    evaluations += r.Evaluations;
    benchmark::DoNotOptimize(r);
  }
  state.counters["instants"] =
      benchmark::Counter(evaluations, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Query<NextEvent>)->Name("NextEvent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Query<PreviousEvent>)
    ->Name("PreviousEvent")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The panel of the event found from a random instant: the event in progress, its Earth-wide
// phases and the contacts at a site on the central line's side of the Earth (Burgos).
void BM_ContactPanel(benchmark::State& state) {
  std::mt19937_64 random(2);
  std::uniform_real_distribution<double> instant(Jd1900, Jd2100);
  const TObserverCoordinates site{-3.70L * Degree, 42.34L * Degree};
  long evaluations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const auto next = NextEvent(SecondOf(instant(random)));
    const Second at = next.Event ? next.Event->Greatest : 0;
    state.ResumeTiming();
    const TSearchResult now = EventInProgress(at);
    int earth = 0, local = 0;
    if (now.Event) {
      benchmark::DoNotOptimize(EarthContacts(*now.Event, &earth));
      benchmark::DoNotOptimize(SiteContacts(*now.Event, site, &local));
    }
    evaluations += now.Evaluations + earth + local;
  }
  state.counters["instants"] =
      benchmark::Counter(evaluations, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ContactPanel)->Unit(benchmark::kMillisecond);

}  // namespace

// Shift+N from a random instant: the next event seen from a place (Madrid; the North Pole,
// where the Sun stays down for half a year).
void BM_NextVisibleEvent(benchmark::State& state) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> instant(Jd1900, Jd2100);
  const TObserverCoordinates site =
      state.range(0) ? TObserverCoordinates{0, 90 * Degree}
                     : TObserverCoordinates{-3.70L * Degree, 40.42L * Degree};
  const Second limit = SecondOf(Jd2100 + 3 * 365.25L);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        NextVisibleEvent(SecondOf(instant(random)), site, TimeModel::Exact, limit));
}
BENCHMARK(BM_NextVisibleEvent)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);
