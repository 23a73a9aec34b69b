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

// The event of the current instant's sky, stored for the screen.
void ClassifyEvent();
// The observer's view of the current instant, stored for the screen.
void LocalCircumstances();
// The sky and the event of the current instant in the chosen time model.
void ComputeSky();
// The observer turned with the Earth to the current instant, and the view from there.
void ComputeView();
// Both: all the screen shows of the current instant.
void ComputeInstant();
}  // namespace driver
