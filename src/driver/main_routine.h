// The setup dialogue: title, menu of prepared events, questions, date, time and place.
#pragma once
#include <array>
#include <string>

namespace driver {
// The menu of prepared events, nine lines of 39 characters.
extern const std::array<std::string, 9> MenuLines;

// Runs the dialogue when the main window is active (not while a prompt of its own is open).
void MainRoutine();

// Splits "hh:mm:ss": false unless the text has 8 characters with ':' as the 3rd and 6th.
// Each field gives the value of its leading digits (0 when there are none).
bool ParseTimeText(const std::string& text, int& hours, int& minutes, int& seconds);

// The scene of the current instant in the chosen time model (sky, event, the observer turned
// with the Earth, the view), replacing the one on the screen.
void ComputeInstant();
// The dialogue's two steps, which compute that scene: the event at the instant typed, before
// the place is asked, and the observer's view once it is known.
void ClassifyEvent();
void LocalCircumstances();
}  // namespace driver
