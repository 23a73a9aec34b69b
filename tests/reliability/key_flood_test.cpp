// 10,000 keys at once: the queue keeps the first 255 in order and drops the rest, whether they
// are queued directly or arrive as key events at the window; a running simulation works
// through a flood of random key codes without harm.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QWidget>

#include <cmath>
#include <random>
#include <vector>

#include "console_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf.h"
#include "finite_checks.h"
#include "key_tick.h"

namespace {

std::vector<int> DrainQueue() {
  std::vector<int> codes;
  while (KeyWaiting()) codes.push_back(NextKey());
  EXPECT_EQ(NextKey(), 0);
  return codes;
}

QWidget* MainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !qobject_cast<QDialog*>(w)) return w;
  return nullptr;
}

using KeyFlood = ConsoleReliabilityTest;

TEST_F(KeyFlood, QueueKeepsTheFirst255) {
  for (int i = 0; i < 10000; ++i) QueueKey(1 + i % 255);
  const std::vector<int> codes = DrainQueue();
  ASSERT_EQ(codes.size(), 255u);
  for (int i = 0; i < 255; ++i) EXPECT_EQ(codes[i], i + 1);
}

TEST_F(KeyFlood, KeyEventsAtTheWindow) {
  QWidget* window = MainWindow();
  ASSERT_NE(window, nullptr);
  for (int i = 0; i < 5000; ++i) {
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(window, &right);
    QKeyEvent m(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, QStringLiteral("m"));
    QApplication::sendEvent(window, &m);
  }
  const std::vector<int> codes = DrainQueue();
  ASSERT_EQ(codes.size(), 255u);
  for (int i = 0; i < 255; ++i) EXPECT_EQ(codes[i], i % 2 == 0 ? 14 : 109) << i;
}

TEST_F(KeyFlood, RunningSimulationTakesRandomCodes) {
  AnswerDialogue("4", "", "", "", "", false, false);
  Press(0);
  ASSERT_TRUE(AnimationStarted);
  std::mt19937 random(7);
  for (int i = 0; i < 10000; ++i) QueueKey(1 + static_cast<int>(random() % 255));
  int ticks = 0;
  while (KeyWaiting() && ticks < 5000) {
    KeyTick();
    ++ticks;
  }
  EXPECT_FALSE(KeyWaiting());
  EXPECT_LE(ticks, 255);  // one code per tick at most
  EXPECT_TRUE(std::isfinite(Drv.TimeStep));
  EXPECT_GT(Drv.FramesDrawn, 1);
  ExpectDrawableGeometry(OnScreen(), "after the flood");
}

}  // namespace
