// The picture of the current instant: sky, discs, shadow, text column, measurement panel.
#pragma once
#include <vector>

#include "frame_layout.h"
#include "kern_graf.h"

namespace driver {
// The layout of the instant on the screen, in the window as it is.
FrameLayout ScreenLayout();
// The picture of the instant on the screen: that layout, painted.
void DrawFrame();
// The event text of a scene in a colour, at the top left (the dialogue's black one).
void ShowEventText(const geometry::TScene& scene, console::Colour colour);
// The row of the time step drawn anew where it stood ('+' and '-' redraw nothing else).
void RedrawStepRow();

void CircleIntersections(int x1, int y1, int r1, int x2, int y2, int r2, console::TPoint& p1,
                         console::TPoint& p2);

// What FillCircleOverlap draws: nothing, one disc, or a polygon.
struct OverlapShape {
  enum Kind { None, Disc, Polygon } Shape = None;
  int X = 0, Y = 0, R = 0;       // the disc
  std::vector<console::TPoint> Points;  // the polygon, at most MaxOverlapPoints
};
constexpr std::size_t MaxOverlapPoints = 1024;
OverlapShape CircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2);

// Fills the area common to two circles with the current fill.
void FillCircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2);
}  // namespace driver
