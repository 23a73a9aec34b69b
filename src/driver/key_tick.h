// The tick procedure: one key command per timer tick, and the redraw.
#pragma once
#include <array>
#include <string>

// Key codes of the commands.
enum : int {
  KeyF1 = 1,
  KeyLeft = 13,
  KeyRight = 14,
  KeyEsc = 27,
  KeyPlus = 43,
  KeyMinus = 45,
  KeyE = 101,
  KeyM = 109,
  KeyP = 112,
  KeyS = 115,
};

// The help lines, top to bottom.
extern const std::array<std::string, 7> HelpLines;

void KeyTick();
void ShowHelp();
void BeginPause();
void EndPause();

// Moves the instant by a number of minutes and recomputes the sky and the observer's view.
// False, with nothing changed, when the new instant would leave the years the prompts accept.
bool StepTime(long double minutes);
// The time-step ladder of '+' and '-'.
long double LargerStep(long double step);
long double SmallerStep(long double step);
