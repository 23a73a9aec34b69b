// Puts the geometry's text rows on the console.
#pragma once
#include "event_text.h"

class ConsoleTextDrawer : public TextDrawer {
 public:
  int LineHeight() const override;
  int MaxY() const override;
  void DrawText(int x, int y, const std::string& text, int colour) override;
};
