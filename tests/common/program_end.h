// How a test sees the program end: as an exception instead of the process exiting.
#pragma once
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"

// Thrown by the exit handler instead of ending the test program.
struct ProgramEnded {
  int Status;
};

// The console's hooks as every test starts: the program's end thrown, no scripted person at the
// keyboard, no beep heard yet.
inline void ResetConsoleHooks() {
  console::SetExitHandler([](int status) { throw ProgramEnded{status}; });
  console::SetPromptResponder({});
  console::BeepCount = 0;
}
