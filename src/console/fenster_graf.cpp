// FensterGraf: the main window, its timer, the key queue, the program's start and end.
#include "fenster_graf.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "console_state.h"
#include "eingabe.h"
#include "fenster_graf_testing.h"
#include "grundfenster.h"

namespace console {
TFensterGrafState FensterGraf;
TConsoleHooks ConsoleHooks;
int BeepCount = 0;

namespace {

constexpr std::size_t KeyQueueLimit = 255;

// argv[0], used for the program's name when the running file cannot be found.
std::string StartName;

void DoNothing() {}

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

std::string BaseNameOfPath(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

void ResetFensterGraf() {
  FensterGraf.TickProcedure = DoNothing;
  FensterGraf.KeyQueue.clear();
  FensterGraf.PromptsOpen = 0;
  FensterGraf.AbortGoesBack = false;
  FensterGraf.RasterDirty = false;
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

bool MainWindowActive() {
  // Our own prompt count decides, not the window manager's idea of focus: without a window
  // manager (Xvfb) or with focus-stealing prevention the window may never be "activated".
  TGrundfenster* window = FensterGraf.Window;
  return window && window->isVisible() && !window->isMinimized() &&
         FensterGraf.PromptsOpen == 0 && QApplication::activeModalWidget() == nullptr;
}

void SetTickProcedure(ConsoleProcedure tickProcedure) {
  FensterGraf.TickProcedure = tickProcedure ? tickProcedure : DoNothing;
}

void SetMainWindowShown(bool shown) {
  if (FensterGraf.Window) FensterGraf.Window->setVisible(shown);
}

void ConsoleTick() {
  if (FensterGraf.Window) FensterGraf.Window->OnTimer();
}

void RepaintWindow() {
  if (!FensterGraf.Window) return;
  QApplication::processEvents();  // a window not yet exposed paints nothing
  FensterGraf.Window->repaint();
}

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? "" : self.string();
}

const std::string& ProgramBaseName() {
  static const std::string name = [] {
    const std::string path = ExecutablePath();
    std::string base = BaseNameOfPath(path.empty() ? StartName : path);
    return base.empty() ? std::string("syzygy") : base;
  }();
  return name;
}

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

int RunConsole(int argc, char** argv, ConsoleProcedure tickProcedure) {
  static int qtArgc;  // QApplication keeps a reference to it
  qtArgc = argc;
  if (argc > 0 && argv && argv[0]) StartName = argv[0];
  ProgramBaseName();
  QApplication application(qtArgc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  CreateConsole(screen ? screen->size() : QSize(1024, 768));
  SetTickProcedure(tickProcedure);
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
}  // namespace console
