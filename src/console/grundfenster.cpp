// TGrundfenster: the full-screen main window, its timer and the two key paths into the queue.
#include "grundfenster.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "console_state.h"

namespace console {
namespace {

// The key-down path: cursor and edit keys with any modifiers, F1..F12 alone or with Shift.
int KeyDownCode(int key, Qt::KeyboardModifiers modifiers, bool mouseButtonHeld) {
  // In the order of their codes, from Key::Left on.
  static constexpr int EditKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                     Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown,
                                     Qt::Key_Insert, Qt::Key_Delete};
  for (int i = 0; i < 10; ++i)
    if (key == EditKeys[i]) return Code(Key::Left) + i;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12 && !mouseButtonHeld) {
    if (modifiers == Qt::NoModifier) return key - Qt::Key_F1 + Code(Key::F1);
    if (modifiers == Qt::ShiftModifier) return key - Qt::Key_F1 + Code(Key::ShiftF1);
  }
  return 0;
}

// Keys that type no character (X11 gives Delete the text DEL; it must not be queued as 127).
bool TypesNoCharacter(int key) {
  return KeyDownCode(key, Qt::NoModifier, false) != 0 ||
         (key >= Qt::Key_F1 && key <= Qt::Key_F35);
}

}  // namespace

TGrundfenster::TGrundfenster(QSize screenSize) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the raster covers every pixel
  QPalette background = palette();
  background.setColor(QPalette::Window, Qt::white);
  setPalette(background);
  resize(screenSize);

  // OnCreate: screen size, the raster as canvas with the window's font, metrics, caption,
  // text cursor. The raster has the screen's device pixels; painters on it take the logical
  // coordinates of the layout, so a high-density screen shows the same picture, only sharper.
  KernGraf.ScreenWidth = screenSize.width();
  KernGraf.ScreenHeight = screenSize.height();
  const qreal ratio = devicePixelRatioF();
  Raster = QImage(screenSize * ratio, QImage::Format_RGB32);
  Raster.setDevicePixelRatio(ratio);
  Raster.fill(Qt::white);
  KernGraf.Font = font();
  TakeFontMetrics();
  setWindowTitle(ToQString(ProgramBaseName()));
  KernGraf.CursorX = KernGraf.CharWidth;
  KernGraf.CursorY = KernGraf.LineHeight;

  // A requested 1 ms; a QTimer never queues a second tick behind a running one.
  Timer.setInterval(BusyInterval);
  Timer.setTimerType(Qt::PreciseTimer);
  connect(&Timer, &QTimer::timeout, this, &TGrundfenster::OnTimer);
  Timer.start();
}

void TGrundfenster::OnTimer() {
  bool keysWaiting = !FensterGraf.KeyQueue.empty();
  // No tick starts inside another: the dialog's event loop, which a tick may run, gets none.
  Timer.stop();
  FensterGraf.TickProcedure();
  Timer.start();
  bool drew = FensterGraf.RasterDirty;
  FlushRaster();
  // A thousand empty wake-ups a second cost more CPU than the waiting program should: after
  // a run of ticks that found no key and drew nothing, tick less often until a key arrives
  // or a tick draws again.
  if (keysWaiting || drew) Awake();
  else if (++IdleTicks == IdleTicksBeforeRest) Timer.setInterval(RestingInterval);
}

void TGrundfenster::Awake() {
  IdleTicks = 0;
  if (Timer.interval() != BusyInterval) Timer.setInterval(BusyInterval);
}

void TGrundfenster::paintEvent(QPaintEvent*) {
  // Device pixel for device pixel; the painter clips to the region to repaint.
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), Raster);
}

void TGrundfenster::keyPressEvent(QKeyEvent* event) {
  Awake();  // the next tick comes 1 ms after the key, even after a rest
  OnKeyDown(event->key(), event->modifiers());
  if (!TypesNoCharacter(event->key())) OnKeyPressed(event->text());
  QWidget::keyPressEvent(event);
}

void TGrundfenster::OnKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  // Shift, Ctrl, Alt and Meta as held; keypad and group-switch flags are not modifiers here.
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier |
                                                  Qt::AltModifier | Qt::MetaModifier);
  bool mouseButtonHeld = QGuiApplication::mouseButtons() != Qt::NoButton;
  if (key == Qt::Key_C && held == Qt::ControlModifier && !mouseButtonHeld) EndProgram(0);
  QueueKey(KeyDownCode(key, held, mouseButtonHeld));
}

void TGrundfenster::OnKeyPressed(const QString& text) {
  // Characters go in by their Latin-1 code; others have no single-byte code and are dropped.
  for (QChar c : text) {
    int code = c.unicode();
    if (code > 255) continue;
    QueueKey(code == '\r' ? Code(Key::Enter) : code);
  }
}

void TGrundfenster::closeEvent(QCloseEvent* event) {
  event->accept();
  EndProgram(0);
}
}  // namespace console
