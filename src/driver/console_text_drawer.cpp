#include "console_text_drawer.h"

#include "frame_text.h"
#include "kern_graf.h"

int ConsoleTextDrawer::LineHeight() const { return ::LineHeight(); }

int ConsoleTextDrawer::MaxY() const { return ::MaxY(); }

void ConsoleTextDrawer::DrawText(int x, int y, const std::string& text, int colour) {
  DrawFrameText(x, y, text, colour);
}
