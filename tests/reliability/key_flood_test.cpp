// 10,000 random key codes into a running simulation: it works through them without harm, one
// code a tick. (The queue's limit of 255 is tested with the window's key events.)
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "console_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "finite_checks.h"
#include "key_tick.h"

using namespace geometry;
using namespace console;
using namespace driver;

namespace {

using KeyFlood = ConsoleReliabilityTest;

TEST_F(KeyFlood, RunningSimulationTakesRandomCodes) {
  AnswerDialogue("4", "", "", "", "", false, false);
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  std::mt19937 random(7);
  for (int i = 0; i < 10000; ++i) QueueKey(1 + static_cast<int>(random() % 255));
  int ticks = 0, frames = 0;
  while (KeyWaiting() && ticks < 5000) {
    frames += PressDraws(0);
    ++ticks;
  }
  EXPECT_FALSE(KeyWaiting());
  EXPECT_LE(ticks, 255);  // one code per tick at most
  EXPECT_TRUE(std::isfinite(Drv.Options.TimeStep));
  EXPECT_GT(frames, 1);
  ExpectDrawableGeometry(OnScreen(), "after the flood");
}

}  // namespace
