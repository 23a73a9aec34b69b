// One cursor key: KeyTick takes it, steps the instant, recomputes bodies, event and view, and
// draws the frame. Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "driver_state.h"
#include "event_table.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "key_tick.h"
#include "main_routine.h"

using namespace geometry;
using namespace console;
using namespace driver;

// The screen's scale factor: 1 here; bench_driver_hidpi draws the 1920 x 1080 layout at 2,
// on 3840 x 2160 device pixels.
#ifndef BENCH_SCALE_FACTOR
#define BENCH_SCALE_FACTOR "1"
#endif

namespace {

// Sets up a simulation through the dialogue with scripted answers (the site as coordinates).
void StartSimulation(const std::string& menu, const std::string& horizon) {
  static bool started = false;
  if (!started) {
    setenv("QT_SCALE_FACTOR", BENCH_SCALE_FACTOR, 1);  // read when the console starts
    StartHeadlessConsole(1920, 1080);
    SetTickProcedure(KeyTick);
    started = true;
  }
  ResetDriverState();
  while (NextKey() != 0) {}  // an empty key queue
  SetPromptResponder([menu, horizon](const std::string& prompt, std::string& text) {
    if (prompt == "Auswahl (0..8)") text = menu;
    if (prompt.rfind("Soll im Horizontsystem", 0) == 0) text = horizon;
    if (prompt == "Name des Beobachtungsortes") text = "Hannover-Bench";
    if (prompt == " Breite in Grad") text = "52.37";
    if (prompt == " Länge in Grad") text = "9.73";
    return true;
  });
  KeyTick();  // the dialogue and the first frame
}

// Cursor right and left in turn, so that the instant stays inside the event.
void RunCursorKeys(benchmark::State& state) {
  int key = Code(Key::Right);
  for (auto _ : state) {
    QueueKey(key);
    KeyTick();
    key = key == Code(Key::Right) ? Code(Key::Left) : Code(Key::Right);
  }
  if (Drv.Scene.Event.Kind == EventKind::None) state.SkipWithError("no event in view");
  if (PixelRatio() != std::atof(BENCH_SCALE_FACTOR)) state.SkipWithError("wrong scale factor");
  state.counters["device_width"] = 1920 * PixelRatio();
}

void BM_CursorKeyMercuryTransitHorizon(benchmark::State& state) {
  StartSimulation("6", "j");
  RunCursorKeys(state);
}
BENCHMARK(BM_CursorKeyMercuryTransitHorizon)->Unit(benchmark::kMillisecond);

void BM_CursorKeySolarEclipsePanel(benchmark::State& state) {
  StartSimulation("4", "n");
  QueueKey(Code(Key::M));
  KeyTick();
  RunCursorKeys(state);
}
BENCHMARK(BM_CursorKeySolarEclipsePanel)->Unit(benchmark::kMillisecond);

void BM_CursorKeyLunarEclipsePanel(benchmark::State& state) {
  StartSimulation("5", "n");
  QueueKey(Code(Key::M));
  KeyTick();
  RunCursorKeys(state);
}
BENCHMARK(BM_CursorKeyLunarEclipsePanel)->Unit(benchmark::kMillisecond);

// Showing a frame: the window copies the whole raster to the screen (offscreen into memory;
// under X, with DISPLAY set and QT_QPA_PLATFORM=xcb, to the X server).
void BM_RepaintWindow(benchmark::State& state) {
  StartSimulation("6", "j");
  for (auto _ : state) RepaintWindow();
  state.counters["device_width"] = 1920 * PixelRatio();
}
BENCHMARK(BM_RepaintWindow)->Unit(benchmark::kMillisecond);

// An idle tick: no key waiting, the frame already shown.
void BM_IdleTick(benchmark::State& state) {
  StartSimulation("6", "j");
  for (auto _ : state) KeyTick();
}
BENCHMARK(BM_IdleTick);

// The table of a hundred years at Madrid (--ereignisse Madrid 1.1.2000 31.12.2099), without
// writing it.
void BM_EventTable(benchmark::State& state) {
  EventTableRequest request;
  request.Site = {-3.70L * astro::Degree, 40.42L * astro::Degree};
  request.From = {1, 1, 2000};
  request.To = {31, 12, 2099};
  int lines = 0;
  for (auto _ : state)
    WriteEventTable(request, [&lines](const std::string&) { return ++lines > 0; });
  state.counters["lines"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EventTable)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
