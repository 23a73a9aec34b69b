// The tick procedure: one key command per timer tick, and the redraw.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "fenster_graf.h"
#include "frame_layout.h"
#include "instant.h"

namespace driver {
// The keys as the console's key queue delivers them.
using console::Code;
using console::Key;

// The help lines of the key table where ShowHelp draws them over a frame, top to bottom: the
// bottom one on the window's last pixel row, or above the measurement panel when it is shown.
std::vector<PlacedText> HelpTexts(const FrameLayout& frame, int maxY, int lineHeight);

// One tick of the session: the dialogue while it is set up, otherwise one key and the redraw.
void KeyTick();
// The two transitions of the pause: 'p' begins it, the next key ends it and is used up.
void BeginPause();
void EndPause();
void ShowHelp();

// Moves the instant by a number of minutes and recomputes the sky and the observer's view.
// False, with nothing changed, when the new instant would leave the years the prompts accept.
bool StepTime(long double minutes);
// Moves the driver to an instant. The sky, the event and the observer's view follow, and so do
// the date and time texts the next dialogue offers.
void MoveToInstant(const astro::TInstant& at);
// The time-step ladder of '+' and '-'.
long double LargerStep(long double step);
long double SmallerStep(long double step);
}  // namespace driver
