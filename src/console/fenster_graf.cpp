// FensterGraf: the main window, its timer, the key queue, the program's start and end.
#include "fenster_graf.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "console_state.h"
#include "eingabe.h"
#include "grundfenster.h"
#include "kern_graf.h"

TFensterGrafState FensterGraf;
TConsoleHooks ConsoleHooks;
bool AnimationStarted = false;
int BeepCount = 0;

namespace {

constexpr std::size_t KeyQueueLimit = 255;

// argv[0], used for the program's name when the running file cannot be found.
std::string StartName;

// The key-down path: cursor and edit keys with any modifiers, F1..F12 alone or with Shift.
int KeyDownCode(int key, Qt::KeyboardModifiers modifiers, bool mouseButtonHeld) {
  switch (key) {
    case Qt::Key_Left: return 13;
    case Qt::Key_Right: return 14;
    case Qt::Key_Up: return 15;
    case Qt::Key_Down: return 16;
    case Qt::Key_Home: return 17;
    case Qt::Key_End: return 18;
    case Qt::Key_PageUp: return 19;
    case Qt::Key_PageDown: return 20;
    case Qt::Key_Insert: return 21;
    case Qt::Key_Delete: return 22;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12 && !mouseButtonHeld) {
    if (modifiers == Qt::NoModifier) return key - Qt::Key_F1 + 1;
    if (modifiers == Qt::ShiftModifier) return key - Qt::Key_F1 + 28;
  }
  return 0;
}

// Keys that type no character (X11 gives Delete the text DEL; it must not be queued as 127).
bool TypesNoCharacter(int key) {
  return KeyDownCode(key, Qt::NoModifier, false) != 0 ||
         (key >= Qt::Key_F1 && key <= Qt::Key_F35);
}

// Shift, Ctrl, Alt and Meta as held; keypad and group-switch flags are not modifiers here.
Qt::KeyboardModifiers HeldModifiers(Qt::KeyboardModifiers modifiers) {
  return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                      Qt::MetaModifier);
}

void DoNothing() {}

}  // namespace

// The folder goes first, so that a "." in a folder name cannot cut the path.
std::string BaseNameOfPath(const std::string& path) {
  std::string name = path;
  std::size_t slash = name.find_last_of('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// ---- The window ----

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
  BaseCaption = ToQString(ProgramBaseName());
  setWindowTitle(BaseCaption);
  KernGraf.CursorX = KernGraf.CharWidth;
  KernGraf.CursorY = KernGraf.LineHeight;

  // A requested 1 ms; a QTimer never queues a second tick behind a running one.
  Timer.setInterval(BusyInterval);
  Timer.setTimerType(Qt::PreciseTimer);
  connect(&Timer, &QTimer::timeout, this, &TGrundfenster::OnTimer);
  Timer.start();
}

void TGrundfenster::OnTimer() {
  if (KernGraf.CaptionPrefix.empty()) {
    if (windowTitle() != BaseCaption) setWindowTitle(BaseCaption);
  } else {
    QString wanted = ToQString(KernGraf.CaptionPrefix) + QStringLiteral(": ") + BaseCaption;
    if (windowTitle() != wanted) setWindowTitle(wanted);
  }
  bool keysWaiting = !FensterGraf.KeyQueue.empty();
  FensterGraf.TickProcedure();
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
  Qt::KeyboardModifiers held = HeldModifiers(modifiers);
  bool mouseButtonHeld = QGuiApplication::mouseButtons() != Qt::NoButton;
  if (key == Qt::Key_C && held == Qt::ControlModifier && !mouseButtonHeld) EndProgram(0);
  QueueKey(KeyDownCode(key, held, mouseButtonHeld));
}

void TGrundfenster::OnKeyPressed(const QString& text) {
  // Characters go in by their Latin-1 code; others have no single-byte code and are dropped.
  for (QChar c : text) {
    int code = c.unicode();
    if (code > 255) continue;
    QueueKey(code == 13 ? 23 : code);
  }
}

void TGrundfenster::closeEvent(QCloseEvent* event) {
  event->accept();
  EndProgram(0);
}

// ---- State and raster bookkeeping ----

void ResetFensterGraf() {
  FensterGraf.MainProcedure = DoNothing;
  FensterGraf.TickProcedure = DoNothing;
  FensterGraf.KeyQueue.clear();
  FensterGraf.PromptsOpen = 0;
  FensterGraf.RasterDirty = false;
  AnimationStarted = false;
}

QImage& Raster() {
  static QImage none;
  return FensterGraf.Window ? FensterGraf.Window->Raster : none;
}

void MarkRasterDirty() { FensterGraf.RasterDirty = true; }

void FlushRaster() {
  if (!FensterGraf.RasterDirty) return;
  FensterGraf.RasterDirty = false;
  if (FensterGraf.Window) FensterGraf.Window->update();
}

QRect MainClientRect() {
  TGrundfenster* window = FensterGraf.Window;
  if (!window) return QRect(0, 0, KernGraf.ScreenWidth, KernGraf.ScreenHeight);
  return QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
}

QRect WrittenTextBox() {
  const QRect& text = KernGraf.WrittenText;
  if (text.isEmpty()) return text;
  TGrundfenster* window = FensterGraf.Window;
  return window ? text.translated(window->mapToGlobal(QPoint(0, 0))) : text;
}

// ---- Key queue ----

void QueueKey(int code) {
  if (code < 1 || code > 255) return;
  if (FensterGraf.KeyQueue.size() < KeyQueueLimit)
    FensterGraf.KeyQueue.push_back(static_cast<char>(code));
}

int NextKey() {
  if (FensterGraf.KeyQueue.empty()) return 0;
  int code = static_cast<unsigned char>(FensterGraf.KeyQueue.front());
  FensterGraf.KeyQueue.erase(0, 1);
  return code;
}

bool KeyWaiting() { return !FensterGraf.KeyQueue.empty(); }

void ClearKeyQueue() { FensterGraf.KeyQueue.clear(); }

// ---- Window state, slots, program name ----

bool MainWindowActive() {
  // Our own prompt count decides, not the window manager's idea of focus: without a window
  // manager (Xvfb) or with focus-stealing prevention the window may never be "activated".
  TGrundfenster* window = FensterGraf.Window;
  return window && window->isVisible() && !window->isMinimized() &&
         FensterGraf.PromptsOpen == 0 && QApplication::activeModalWidget() == nullptr;
}

void CallMainProcedure() { FensterGraf.MainProcedure(); }

void SetConsoleProcedures(ConsoleProcedure mainProcedure, ConsoleProcedure tickProcedure) {
  FensterGraf.MainProcedure = mainProcedure ? mainProcedure : DoNothing;
  FensterGraf.TickProcedure = tickProcedure ? tickProcedure : DoNothing;
}

void ConsoleTick() {
  if (FensterGraf.Window) FensterGraf.Window->OnTimer();
}

void RepaintWindow() {
  if (!FensterGraf.Window) return;
  QApplication::processEvents();  // a window not yet exposed paints nothing
  FensterGraf.Window->repaint();
}

const std::string& ProgramBaseName() {
  static const std::string name = [] {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string path = error ? StartName : self.string();
    std::string base = BaseNameOfPath(path);
    return base.empty() ? std::string("syzygy") : base;
  }();
  return name;
}

// ---- Ending the program ----

void SetExitHandler(std::function<void(int status)> handler) {
  ConsoleHooks.ExitHandler = std::move(handler);
}

void EndProgram(int status) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  if (ConsoleHooks.ExitHandler) ConsoleHooks.ExitHandler(status);
  // At once, also from inside a dialog's event loop: no unwinding through Qt.
  std::_Exit(status);
}

void SystemBeep() {
  ++BeepCount;
  if (qApp) QApplication::beep();
}

// ---- Start-up ----

namespace {

// Start-up steps 1, 2, 4, 5 and 6: state, window (OnCreate), hidden dialog, console font.
void CreateConsole(QSize screenSize) {
  ResetKernGraf();
  ResetFensterGraf();
  delete FensterGraf.Window;  // a test starting a second console; the dialog is its child
  FensterGraf.Window = nullptr;
  FensterGraf.Dialog = nullptr;
  FensterGraf.Window = new TGrundfenster(screenSize);
  FensterGraf.Dialog = new TEingabeDialog(FensterGraf.Window);
  InitConsole("Courier", 10, 0);
}

}  // namespace

int RunConsole(int argc, char** argv, ConsoleProcedure mainProcedure,
               ConsoleProcedure tickProcedure) {
  static int qtArgc;  // QApplication keeps a reference to it
  qtArgc = argc;
  if (argc > 0 && argv && argv[0]) StartName = argv[0];
  ProgramBaseName();
  QApplication application(qtArgc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  CreateConsole(screen ? screen->size() : QSize(1024, 768));
  SetConsoleProcedures(mainProcedure, tickProcedure);
  FensterGraf.Window->showFullScreen();
  int status = application.exec();
  // The windows go before the application object does.
  delete FensterGraf.Window;
  FensterGraf.Window = nullptr;
  FensterGraf.Dialog = nullptr;
  return status;
}

void StartHeadlessConsole(int width, int height) {
  static int qtArgc = 1;
  static char name[] = "syzygy";
  static char* qtArgv[] = {name, nullptr};
  // Without any display a window needs the offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qApp) new QApplication(qtArgc, qtArgv);  // lives until the process ends
  CreateConsole(QSize(width, height));
  FensterGraf.Window->show();
}
