#include "frame_text.h"

#include "driver_state.h"

namespace driver {
using namespace console;
TBox DrawTrimmedText(int x, int y, const std::string& text, Colour colour) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {x, y, 0, 0};
  const std::size_t last = text.find_last_not_of(' ');
  // The console font is monospaced: every blank is one character width.
  const int left = static_cast<int>(first), right = static_cast<int>(text.size() - 1 - last);
  int shift = 0;
  if (HorizontalTextAlign() == AlignH::Left) shift = left * CharWidth();
  else if (HorizontalTextAlign() == AlignH::Right) shift = -right * CharWidth();
  return DrawText(x + shift, y, text.substr(first, last - first + 1), colour);
}

TBox DrawFrameText(int x, int y, const std::string& text, Colour colour) {
  const TBox box = DrawTrimmedText(x, y, text, colour);
  if (box.Width > 0 && TextBackground() != Colour::Transparent)
    Drv.Painter.FrameTexts.push_back({box, TextBackground()});
  return box;
}

void EraseFrameTexts() {
  for (const FrameTextBox& t : Drv.Painter.FrameTexts) {
    SetFillColour(255, t.Background, t.Background);
    FillBox(t.Box.X, t.Box.Y, t.Box.Width, t.Box.Height);
  }
  Drv.Painter.FrameTexts.clear();
}

}  // namespace driver
