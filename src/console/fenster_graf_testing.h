// FensterGraf for tests: a console without a person at the keyboard, and the program's end and
// beeps made visible.
#pragma once
#include <functional>

#include "fenster_graf.h"

namespace console {
// Creates the window (shown, offscreen or under a display) with a raster of this size and
// runs the console start-up without entering the event loop. Needs a QApplication; the
// function creates one when none exists.
void StartHeadlessConsole(int width, int height);
// Replaces ending the program: the handler must not return (tests throw from it).
void SetExitHandler(std::function<void(int status)> handler);
// Counts the beeps (tests read and reset it).
extern int BeepCount;
// The procedure the timer ticks call, as RunConsole sets it (null: one that does nothing).
void SetTickProcedure(ConsoleProcedure tickProcedure);
// Shows or hides the main window (a hidden window is not active: no dialogue starts).
void SetMainWindowShown(bool shown);
// One tick of the window's timer, run at once.
void ConsoleTick();
// Handles waiting window events, then copies the raster to the screen at once (a tick leaves
// that to the event loop).
void RepaintWindow();
}  // namespace console
