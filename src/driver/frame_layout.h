// What a frame shows, computed from the scene of the instant, the display options and the
// window's metrics: discs in pixels, colours from the sky table, which texts go where. Pure:
// nothing is drawn here.
#pragma once
#include <string>
#include <vector>

#include "driver_state.h"
#include "event_text.h"

namespace driver {
// Scale in pixels per radian for a window whose largest y is maxY: 0.25 degrees are 0.45 maxY.
long double PixelsPerRadian(int maxY);

// "hh:mm:ss" and "d.m.yyyy" of the instant in UT.
std::string UtTimeText(const astro::TInstant& at);
std::string UtDateText(const astro::TInstant& at);
// The row of the exact time model: "wie beobachtet: TT = UT + 69 s", ΔT to the whole second.
std::string TimeModelText(const astro::TInstant& at);

// The time step of the cursor keys: "Schritt: 15 min" (whole minutes, also 0 and negative).
std::string StepText(long double minutes);

// Nearest integer, halves to even; far-off values are held at a size no window reaches.
int RoundPixel(long double x);

// A text on the screen: x at its left end (its right end when right-aligned), y at the bottom
// of its line.
struct PlacedText {
  int X = 0, Y = 0;
  bool RightAligned = false;
  std::string Text;
  console::Colour Ink = console::Colour::Black;
};

// A circle in pixels.
struct PixelCircle {
  int X = 0, Y = 0, R = 0;
};

// Everything a frame draws, in pixels and palette colours, in drawing order.
struct FrameLayout {
  console::Colour Sky = console::Colour::Black;  // the background
  bool ClearWindow = true;  // false: the discs of earlier instants stay (stroboscopic)
  PlacedText Hint;          // "F1": Hilfe
  int CentreX = 0, CentreY = 0, CentreRadius = 0;
  bool DrawCentre = true;
  // At intensity 200: the Sun, or the Moon in a lunar eclipse.
  console::Colour CentreColour = console::Colour::Black;
  int SecondX = 0, SecondY = 0, SecondRadius = 0;
  bool Lunar = false;       // the second circle is the umbra, with the penumbra around it
  int PenumbraRadius = 0;
  console::Colour SecondColour = console::Colour::Black;  // otherwise the body before the Sun
  bool DrawSecond = true;   // false without an event: the centre body alone
  SkyDisc Second;           // the second circle on the sky
  bool EdgeArc = false;     // the Moon's limb or the umbra's edge drawn as a circle line
  console::Colour EdgeColour = console::Colour::Black;  // its pen
  bool SunLimb = false;     // totality: the Sun's limb drawn as a ring over the Moon
  std::vector<PixelCircle> Outlines;  // earlier Moons of a stroboscopic solar eclipse, as limbs
  std::vector<PlacedText> Texts;  // the event rows and the column of place, date and time
  PlacedText Step;                // the time step, below the column
  std::vector<PlacedText> Panel;  // the measurement panel, when it is shown
  std::vector<PlacedText> Contacts;  // the contact times, when they are shown
};

// The window's size and the console font's cell, in pixels.
struct ScreenMetrics {
  int MaxX = 0, MaxY = 0, LineHeight = 0, CharWidth = 0;
};

// The texts of a frame that do not come from the scene: the place and the date as the dialogue
// gave them, and the rows of the contact panel (none while it is hidden).
struct ColumnTexts {
  std::string Place, Date;
  std::vector<geometry::TextRow> Contacts;
};

// Rows of the event text or the panel, at x = 0 and y = y0 + row line heights, in a colour
// (warnings in light red).
std::vector<PlacedText> PlaceRows(const std::vector<geometry::TextRow>& rows, int y0,
                                  int lineHeight, console::Colour colour);
// The event rows and the right-hand column of place, date, time and display system.
std::vector<PlacedText> TextColumn(const geometry::TScene& scene, const DisplayOptions& options,
                                   const ColumnTexts& texts, const ScreenMetrics& m);
// The row of the time step, below the column: '+' and '-' draw it anew by itself.
PlacedText StepRow(const DisplayOptions& options, const ScreenMetrics& m);
// The contact panel's rows: one left-aligned block ending a character before the right edge,
// from row 8 down: below the right-hand column and the event rows.
std::vector<PlacedText> ContactTexts(const std::vector<geometry::TextRow>& rows,
                                     const ScreenMetrics& m);
// With the contact panel on, the discs move left of it, smaller if they must, so that the
// panel covers no part of them.
FrameLayout LayoutFrame(const geometry::TScene& scene, const DisplayOptions& options,
                        const ColumnTexts& texts, const FrameHistory& history,
                        const ScreenMetrics& m);
}  // namespace driver
