// FensterGraf: the full-screen main window, its timer, the key queue and the program's start.
// This header is free of Qt so that the driver can use it.
#pragma once
#include <string>

namespace console {
using ConsoleProcedure = void (*)();

// Runs the whole program: creates the window and the hidden input dialog, selects the console
// font and runs the event loop, which hands every timer tick to the tick procedure. Returns the
// exit status.
int RunConsole(int argc, char** argv, ConsoleProcedure tickProcedure);

// The key codes of the queue, one byte a key, shared by the window's key paths and the driver:
// F1 to F12 are 1 to 12 (with Shift 28 to 39), the cursor and edit keys 13 to 22 (left, right,
// up, down, home, end, page up, page down, insert, delete), typed characters their Latin-1
// code with Enter as 23; 0 is no key. Only the codes with a command or a place in this
// numbering are named.
enum class Key : int {
  None = 0,
  F1 = 1,
  Left = 13,
  Right = 14,
  Enter = 23,
  Esc = 27,
  ShiftF1 = 28,
  Plus = '+',
  Minus = '-',
  E = 'e',
  K = 'k',
  M = 'm',
  N = 'n',
  ShiftN = 'N',
  P = 'p',
  S = 's',
  ShiftS = 'S',
  T = 't',
  V = 'v',
  ShiftV = 'V',
};
constexpr int Code(Key key) { return static_cast<int>(key); }

// The next key code (0 when none) and whether one is waiting.
int NextKey();
bool KeyWaiting();
// Appends a code as the key paths do (dropped when 255 are waiting).
void QueueKey(int code);

// Whether the main window is the active window (false while a prompt is open).
bool MainWindowActive();

// The running program's file (/proc/self/exe); empty when the system does not say.
std::string ExecutablePath();
// The program's file name without folder and extension.
const std::string& ProgramBaseName();
// The same for any path: the file name cut before its last "."; a name without "." (or
// with only a leading one) stays whole.
std::string BaseNameOfPath(const std::string& path);

// Ends the program at once with this status.
[[noreturn]] void EndProgram(int status);
// The platform's plain beep.
void SystemBeep();
}  // namespace console
