// Texts over the picture. Blanks around a text draw nothing (a box of sky colour behind them
// would cut into the discs), and the boxes painted behind the texts of a frame are kept, so
// that a frame that does not clear the window can erase exactly those texts.
#pragma once
#include <string>

#include "kern_graf.h"

namespace driver {
// Draws the text without its leading and trailing blanks, where the whole text would have put
// them, and keeps its box for EraseFrameTexts.
console::TBox DrawFrameText(int x, int y, const std::string& text, console::Colour colour);
// The same without keeping the box (help lines stay until the window is cleared).
console::TBox DrawTrimmedText(int x, int y, const std::string& text, console::Colour colour);
// Paints the kept boxes in the background they were drawn on, and forgets them.
void EraseFrameTexts();
}  // namespace driver
