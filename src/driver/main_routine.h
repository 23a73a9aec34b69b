// The setup dialogue: title, menu of prepared events, questions, date, time and place.
#pragma once
#include <array>
#include <string>

#include "instant.h"
#include "scene.h"

namespace driver {
// The menu of prepared events, nine lines of 39 characters.
extern const std::array<std::string, 9> MenuLines;

// Runs the dialogue and shows the instant it sets up; false, with nothing asked, while the
// main window is not active (a prompt of its own is open).
bool MainRoutine();

// Splits "hh:mm:ss": false unless the text has 8 characters with ':' as the 3rd and 6th.
// Each field gives the value of its leading digits (0 when there are none).
bool ParseTimeText(const std::string& text, int& hours, int& minutes, int& seconds);

// The scene of an instant for the Earth as a whole: the event at the instant typed, before the
// place is asked.
geometry::TScene ClassifyEvent(const astro::TInstant& at);
// The scene of an instant seen from the place of the answers (from the Earth's centre when the
// computation is geocentric or no place was given yet), in the chosen time model.
geometry::TScene LocalCircumstances(const astro::TInstant& at);
// The instant on the screen and its scene, replaced together.
void ShowInstant(const astro::TInstant& at);
}  // namespace driver
