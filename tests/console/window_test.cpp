// The main window: key codes from both key paths, the queue limit, Ctrl+C, ticks, caption.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <vector>

#include "console_fixture.h"
#include "grundfenster.h"

using namespace console;

namespace {

void Press(int key, Qt::KeyboardModifiers modifiers, const QString& text = QString()) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(FensterGraf.Window, &event);
}

std::vector<int> TakeAllKeys() {
  std::vector<int> codes;
  while (KeyWaiting()) codes.push_back(NextKey());
  return codes;
}

struct KeyCase {
  const char* Name;
  int Key;
  Qt::KeyboardModifiers Modifiers;
  QString Text;
  std::vector<int> Codes;
};

using WindowTest = ConsoleTest;

TEST_F(WindowTest, KeysGiveTheirCodes) {
  const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier,
                              ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
  const std::vector<KeyCase> cases = {
      {"left", Qt::Key_Left, none, {}, {13}},
      {"ctrl+shift+left", Qt::Key_Left, ctrl | shift, {}, {13}},
      {"right", Qt::Key_Right, none, {}, {14}},
      {"alt+right", Qt::Key_Right, alt, {}, {14}},
      {"up", Qt::Key_Up, shift, {}, {15}},
      {"down", Qt::Key_Down, none, {}, {16}},
      {"home", Qt::Key_Home, ctrl, {}, {17}},
      {"end", Qt::Key_End, none, {}, {18}},
      {"page up", Qt::Key_PageUp, none, {}, {19}},
      {"page down", Qt::Key_PageDown, alt, {}, {20}},
      {"insert", Qt::Key_Insert, none, {}, {21}},
      {"delete, whose X11 text DEL is no character", Qt::Key_Delete, none, "\x7f", {22}},
      {"keypad left", Qt::Key_Left, Qt::KeypadModifier, {}, {13}},
      {"F1", Qt::Key_F1, none, {}, {1}},
      {"F3", Qt::Key_F3, none, {}, {3}},
      {"F12", Qt::Key_F12, none, {}, {12}},
      {"shift+F1", Qt::Key_F1, shift, {}, {28}},
      {"shift+F3", Qt::Key_F3, shift, {}, {30}},
      {"shift+F12", Qt::Key_F12, shift, {}, {39}},
      {"ctrl+F3", Qt::Key_F3, ctrl, {}, {}},
      {"alt+F3", Qt::Key_F3, alt, {}, {}},
      {"ctrl+shift+F3", Qt::Key_F3, ctrl | shift, {}, {}},
      {"F13", Qt::Key_F13, none, {}, {}},
      {"enter", Qt::Key_Return, none, "\r", {23}},
      {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", {23}},
      {"escape", Qt::Key_Escape, none, "\x1b", {27}},
      {"backspace", Qt::Key_Backspace, none, "\b", {8}},
      {"plus", Qt::Key_Plus, shift, "+", {43}},
      {"minus", Qt::Key_Minus, none, "-", {45}},
      {"s", Qt::Key_S, none, "s", {115}},
      {"a umlaut", Qt::Key_Adiaeresis, none, QString::fromUtf8("ä"), {228}},
      {"degree sign", Qt::Key_degree, shift, QString::fromUtf8("°"), {176}},
      {"euro sign has no single-byte code", Qt::Key_E, alt, QString::fromUtf8("€"), {}},
      {"ctrl+a like F1", Qt::Key_A, ctrl, "\x01", {1}},
      {"ctrl+shift+c", Qt::Key_C, ctrl | shift, "\x03", {3}},
      {"ctrl+alt+c does not end the program", Qt::Key_C, ctrl | alt, {}, {}},
      {"shift alone", Qt::Key_Shift, shift, {}, {}},
  };
  for (const KeyCase& c : cases) {
    while (NextKey() != 0) {}  // an empty key queue
    Press(c.Key, c.Modifiers, c.Text);
    EXPECT_EQ(TakeAllKeys(), c.Codes) << c.Name;
  }
}

TEST_F(WindowTest, CtrlCEndsTheProgramWithStatusZero) {
  try {
    Press(Qt::Key_C, Qt::ControlModifier, "\x03");
    FAIL() << "Ctrl+C did not end the program";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.Status, 0);
  }
  EXPECT_FALSE(KeyWaiting());
}

TEST_F(WindowTest, QueueKeepsTheFirst255Codes) {
  // A flood of keys of both paths: the first 255 codes in order, the rest dropped.
  for (int i = 0; i < 5000; ++i) {
    Press(Qt::Key_Right, Qt::NoModifier);
    Press(Qt::Key_A, Qt::NoModifier, QString(QChar('a' + i % 26)));
  }
  std::vector<int> codes = TakeAllKeys();
  ASSERT_EQ(codes.size(), 255u);
  for (int i = 0; i < 255; ++i) ASSERT_EQ(codes[i], i % 2 == 0 ? 14 : 'a' + i / 2 % 26) << i;
  // Room again once codes are taken.
  Press(Qt::Key_F2, Qt::NoModifier);
  EXPECT_EQ(NextKey(), 2);
}

TEST_F(WindowTest, NextKeyOnAnEmptyQueue) {
  EXPECT_EQ(NextKey(), 0);
  EXPECT_FALSE(KeyWaiting());
  QueueKey(228);
  QueueKey(0);    // "no key" is never queued
  QueueKey(256);  // not a byte
  EXPECT_TRUE(KeyWaiting());
  EXPECT_EQ(NextKey(), 228);
  EXPECT_EQ(NextKey(), 0);
}

TEST_F(WindowTest, WindowProperties) {
  TGrundfenster* window = FensterGraf.Window;
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window->cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(window->windowTitle().toStdString(), ProgramBaseName());
  EXPECT_EQ(ProgramBaseName(), "console_tests");
  EXPECT_EQ(window->Raster.size(), QSize(Width, Height));
  EXPECT_EQ(MaxX(), Width - 1);
  EXPECT_EQ(MaxY(), Height - 1);
  EXPECT_EQ(PixelAt(Width / 2, Height / 2), 0xFFFFFFu);
}

TEST_F(WindowTest, NoTickStartsInsideAnother) {
  // A tick that runs an event loop of its own (as a dialog does) gets no tick inside it.
  static int ticks, deepest, depth;
  ticks = deepest = depth = 0;
  SetTickProcedure([] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    --depth;
  });
  ConsoleTick();
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(FensterGraf.Window->windowTitle().toStdString(), ProgramBaseName());
}

TEST_F(WindowTest, TheTimerRunsTheTickProcedure) {
  static int ticks;
  ticks = 0;
  SetTickProcedure([] { ++ticks; });
  QElapsedTimer waited;
  waited.start();
  while (ticks < 3 && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_GE(ticks, 3);
}

TEST_F(WindowTest, ActiveUnlessOneOfOurPromptsIsOpen) {
  EXPECT_TRUE(MainWindowActive());
  static bool activeInsidePrompt;
  activeInsidePrompt = true;
  SetPromptResponder([](const std::string&, std::string&) {
    activeInsidePrompt = MainWindowActive();
    return true;
  });
  std::string text = "x";
  AskText("Frage", text);
  EXPECT_FALSE(activeInsidePrompt);
  EXPECT_TRUE(MainWindowActive());
  FensterGraf.Window->hide();
  EXPECT_FALSE(MainWindowActive());
}

// Repaint only after ticks that drew something.
class PaintCounter : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

TEST_F(WindowTest, IdleTicksDoNotRepaint) {
  PaintCounter counter;
  SetTickProcedure(nullptr);
  ConsoleTick();  // shows the start-up picture
  QApplication::processEvents();
  FensterGraf.Window->installEventFilter(&counter);
  SetTickProcedure(nullptr);
  for (int i = 0; i < 5; ++i) ConsoleTick();
  QApplication::processEvents();
  EXPECT_EQ(counter.Paints, 0);

  SetTickProcedure([] { DrawLine(0, 0, 10, 10, Colour::Black); });
  ConsoleTick();
  SetTickProcedure(nullptr);
  QApplication::processEvents();
  EXPECT_EQ(counter.Paints, 1);
  FensterGraf.Window->removeEventFilter(&counter);
}

}  // namespace

namespace {

TEST_F(WindowTest, IdleTimerRestsUntilAKeyOrADrawing) {
  TGrundfenster* window = FensterGraf.Window;
  SetTickProcedure(nullptr);
  ConsoleTick();
  EXPECT_EQ(window->TimerInterval(), TGrundfenster::BusyInterval);
  for (int i = 0; i < TGrundfenster::IdleTicksBeforeRest; ++i) ConsoleTick();
  EXPECT_EQ(window->TimerInterval(), TGrundfenster::RestingInterval);

  Press(Qt::Key_Right, Qt::NoModifier);
  EXPECT_EQ(window->TimerInterval(), TGrundfenster::BusyInterval);

  // A tick that takes the key keeps the fast pace, and so does one that draws.
  ConsoleTick();
  while (NextKey() != 0) {}  // an empty key queue
  for (int i = 0; i < TGrundfenster::IdleTicksBeforeRest; ++i) ConsoleTick();
  ASSERT_EQ(window->TimerInterval(), TGrundfenster::RestingInterval);
  SetTickProcedure([] { DrawLine(0, 0, 5, 5, Colour::Black); });
  ConsoleTick();
  EXPECT_EQ(window->TimerInterval(), TGrundfenster::BusyInterval);
}

}  // namespace

namespace {

TEST(ProgramNameTest, BaseNameOfPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/local/bin/PROG.EXE", "PROG"},
      {"/opt/syzygy/syzygy", "syzygy"},
      {"/home/u/v1.2/syzygy", "syzygy"},
      {"/home/u/syzygy.alt.bin", "syzygy.alt"},
      {"syzygy", "syzygy"},
      {"/tmp/.hidden", ".hidden"},
      {"", ""},
  };
  for (auto [path, base] : cases) EXPECT_EQ(BaseNameOfPath(path), base) << path;
}

TEST(EndProgramTest, EndsAtOnceWithTheStatus) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SetExitHandler({});
        std::fputs("before the end", stderr);
        EndProgram(3);
      },
      ::testing::ExitedWithCode(3), "before the end");
  EXPECT_EXIT(
      {
        SetExitHandler({});
        EndProgram(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
