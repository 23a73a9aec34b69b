// The event line with distances and the Sun's altitude, and the measurement panel.
// Rows are composed by pure functions; a TextDrawer puts them on the screen.
#pragma once
#include <string>
#include <vector>

struct TextRow {
  int Row;           // in line heights (event text: from the top; panel: from MaxY - 7 lines)
  std::string Text;  // UTF-8
  int Colour;        // palette index
};

// What the console offers for drawing a text (x, y = bottom left with the default alignment).
class TextDrawer {
 public:
  virtual ~TextDrawer() = default;
  virtual int LineHeight() const = 0;
  virtual int MaxY() const = 0;
  virtual void DrawText(int x, int y, const std::string& text, int colour) = 0;
};

// Rows in drawing order, from the state in Geo.
std::vector<TextRow> EventTextRows(int colour);
std::vector<TextRow> MeasurementPanelRows(int colour, long double r1, long double r2,
                                          long double theta, long double d);

void ShowEventText(TextDrawer& out, int colour);
void MeasurementPanel(TextDrawer& out, int colour, long double r1, long double r2,
                      long double theta, long double d);
