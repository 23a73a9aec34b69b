// Cost of one instant as the time keys compute it, and of its parts.
#include <benchmark/benchmark.h>

#include "astr_rout.h"
#include "bodies.h"
#include "event_text.h"
#include "events.h"
#include "mathe.h"
#include "scene.h"

using namespace astro;
using namespace geometry;

namespace {

const TCalendarDate Date{20, 3, 2015};
constexpr long double Clock = 10.46L;  // total solar eclipse in progress
const TObserverCoordinates Site{-6.6L * Degree, 64.4L * Degree};
const TInstant Instant = TInstant::OfClock(Date, Clock);

// Argument: the time model (0 the program's own, 1 the exact one).
void BM_WholeInstant(benchmark::State& state) {
  const TimeModel model = static_cast<TimeModel>(state.range(0));
  Second step = 0;
  for (auto _ : state) {
    // A new instant each time, one minute apart, as the cursor keys would give.
    const TInstant at = Instant.Plus(step);
    step += 60;
    if (step > 8640) step = 0;
    benchmark::DoNotOptimize(SceneAt(at, Site, true, model));
  }
}
BENCHMARK(BM_WholeInstant)->Arg(0)->Arg(1);

void BM_ComputeBodies(benchmark::State& state) {
  const long double T = SeriesCenturies(Instant, TimeModel::Program);
  long double eps, s, c;
  Obliquity(T, eps, s, c);
  BodyVector sun, moon, mercury, venus;
  for (auto _ : state) {
    ComputeBodies(T, s, c, sun, moon, mercury, venus);
    benchmark::DoNotOptimize(venus);
  }
}
BENCHMARK(BM_ComputeBodies);

void BM_ClassifyAndView(benchmark::State& state) {
  const TSky sky = SkyAt(Instant);
  BodyVector observer;
  ObserverVector(Site, Instant, observer);
  for (auto _ : state) {
    const TEvent event = EventAt(sky);
    const TView view =
        ViewAt(Instant, Site, observer, sky.Sun, event.OccultorDiameter, event.Occultor);
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_ClassifyAndView);

void BM_EventTexts(benchmark::State& state) {
  const TSky sky = SkyAt(Instant);
  const TEvent event = EventAt(sky);
  BodyVector observer;
  ObserverVector(Site, Instant, observer);
  const TView view =
      ViewAt(Instant, Site, observer, sky.Sun, event.OccultorDiameter, event.Occultor);
  for (auto _ : state) {
    auto rows = EventTextRows(event, sky, view);
    auto panel = MeasurementPanelRows(event.Kind, 0.00465L, 0.00454L, -1.2L, 0.0008L);
    benchmark::DoNotOptimize(rows);
    benchmark::DoNotOptimize(panel);
  }
}
BENCHMARK(BM_EventTexts);

}  // namespace
