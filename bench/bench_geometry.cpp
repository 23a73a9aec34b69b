// Cost of one instant as the time keys compute it, and of its parts.
#include <benchmark/benchmark.h>

#include "astr_rout.h"
#include "bodies.h"
#include "event_text.h"
#include "events.h"
#include "mathe.h"

using namespace astro;
using namespace geometry;

namespace {

const TCalendarDate Date{20, 3, 2015};
constexpr long double Clock = 10.46L;  // total solar eclipse in progress
const TObserverCoordinates Site{-6.6L * Degree, 64.4L * Degree};

long double CenturiesOf(long double jd) { return (jd - 2451545) / 36525; }

void BM_WholeInstant(benchmark::State& state) {
  const long double jd = JulianDay(Date, Clock);
  BodyVector observer;
  ObserverVector(Site, Date, Clock, observer);
  long double step = 0;
  for (auto _ : state) {
    // A new instant each time, one minute apart, as the cursor keys would give.
    const long double T = CenturiesOf(jd + step);
    step += 1.0L / 1440;
    if (step > 0.1L) step = 0;
    const TSky sky = SkyAt(T);
    const TEvent event = EventAt(sky, Date, Clock);
    const TView view =
        ViewAt(Date, Clock, Site, observer, sky.Sun, event.OccultorDiameter, event.Occultor);
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_WholeInstant);

void BM_ComputeBodies(benchmark::State& state) {
  const long double T = CenturiesOf(JulianDay(Date, Clock));
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
  const TSky sky = SkyAt(CenturiesOf(JulianDay(Date, Clock)));
  BodyVector observer;
  ObserverVector(Site, Date, Clock, observer);
  for (auto _ : state) {
    const TEvent event = EventAt(sky, Date, Clock);
    const TView view =
        ViewAt(Date, Clock, Site, observer, sky.Sun, event.OccultorDiameter, event.Occultor);
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_ClassifyAndView);

void BM_EventTexts(benchmark::State& state) {
  const TSky sky = SkyAt(CenturiesOf(JulianDay(Date, Clock)));
  const TEvent event = EventAt(sky, Date, Clock);
  BodyVector observer;
  ObserverVector(Site, Date, Clock, observer);
  const TView view =
      ViewAt(Date, Clock, Site, observer, sky.Sun, event.OccultorDiameter, event.Occultor);
  for (auto _ : state) {
    auto rows = EventTextRows(event, sky, view);
    auto panel = MeasurementPanelRows(event.Kind, 0.00465L, 0.00454L, -1.2L, 0.0008L);
    benchmark::DoNotOptimize(rows);
    benchmark::DoNotOptimize(panel);
  }
}
BENCHMARK(BM_EventTexts);

}  // namespace
