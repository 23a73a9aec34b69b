// One cursor key: KeyTick takes it, steps the instant, recomputes bodies, event and view, and
// draws the frame. Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <string>

#include "driver_state.h"
#include "events.h"
#include "fenster_graf.h"
#include "kern_graf.h"
#include "key_tick.h"
#include "main_routine.h"

namespace {

// Sets up a simulation through the dialogue with scripted answers (the site as coordinates).
void StartSimulation(const std::string& menu, const std::string& horizon) {
  static bool started = false;
  if (!started) {
    StartHeadlessConsole(1920, 1080);
    SetConsoleProcedures(MainRoutine, KeyTick);
    started = true;
  }
  ResetDriverState();
  AnimationStarted = false;
  ClearKeyQueue();
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
  if (Drv.Event.Kind == EventKind::None) state.SkipWithError("no event in view");
  state.counters["frames"] = Drv.FramesDrawn;
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

// An idle tick: no key waiting, the frame already shown.
void BM_IdleTick(benchmark::State& state) {
  StartSimulation("6", "j");
  for (auto _ : state) KeyTick();
}
BENCHMARK(BM_IdleTick);

}  // namespace
