// FensterGraf: the full-screen main window, its timer, the key queue and the program's start.
// This header is free of Qt so that the driver can use it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

using ConsoleProcedure = void (*)();

// Runs the whole program: creates the window and the hidden input dialog, selects the console
// font, fills the two procedure slots and runs the event loop. Returns the exit status.
int RunConsole(int argc, char** argv, ConsoleProcedure mainProcedure,
               ConsoleProcedure tickProcedure);

// The main procedure slot (MainRoutine), called by the tick procedure.
void CallMainProcedure();

// Set by the main routine once a simulation is set up; read by the tick procedure.
extern bool AnimationStarted;

// The next key code (0 when none) and whether one is waiting.
int NextKey();
bool KeyWaiting();
// Appends a code as the key paths do (dropped when 255 are waiting).
void QueueKey(int code);
void ClearKeyQueue();

// Whether the main window is the active window (false while a prompt is open).
bool MainWindowActive();

// The program's file name without folder and extension.
const std::string& ProgramBaseName();
// The same for any path: the file name cut before its last "."; a name without "." (or
// with only a leading one) stays whole.
std::string BaseNameOfPath(const std::string& path);

// Ends the program at once with this status.
[[noreturn]] void EndProgram(int status);
// The platform's plain beep.
void SystemBeep();

// ---- For tests: a console without a person at the keyboard ----
// Creates the window (shown, offscreen or under a display) with a raster of this size and
// runs the console start-up without entering the event loop. Needs a QApplication; the
// function creates one when none exists.
void StartHeadlessConsole(int width, int height);
// Replaces ending the program: the handler must not return (tests throw from it).
void SetExitHandler(std::function<void(int status)> handler);
// Counts the beeps (tests read and reset it).
extern int BeepCount;
// Fills the two procedure slots as RunConsole does (null: a procedure that does nothing).
void SetConsoleProcedures(ConsoleProcedure mainProcedure, ConsoleProcedure tickProcedure);
// One tick of the window's timer, run at once.
void ConsoleTick();
// Handles waiting window events, then copies the raster to the screen at once (a tick leaves
// that to the event loop).
void RepaintWindow();
