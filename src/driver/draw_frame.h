// The picture of the current instant: sky, discs, shadow, text column, measurement panel.
#pragma once
#include <string>
#include <vector>

#include "kern_graf.h"

// Scale in pixels per radian for a window whose largest y is maxY: 0.25 degrees are 0.45 maxY.
long double PixelsPerRadian(int maxY);

// The Sun's parallactic angle for hour angle h, declination delta, latitude phi (radians):
// the position angle of the zenith seen from the Sun, in (-pi, pi].
long double ParallacticAngle(long double h, long double delta, long double phi);

void DrawFrame();
// The event text and the column of place, date, time and display system.
void DrawTextColumn();
// After a time step with no event in view: no picture, but the texts of the new instant.
void DrawTextsWithoutEvent();

// "hh:mm:ss" of the UT time of day of a clock value (UT + 1 h, H.MM form).
std::string TimeToText(long double clockTime);

void CircleIntersections(int x1, int y1, int r1, int x2, int y2, int r2, TPoint& p1, TPoint& p2);

// What FillCircleOverlap draws: nothing, one disc, or a polygon.
struct OverlapShape {
  enum Kind { None, Disc, Polygon } Shape = None;
  int X = 0, Y = 0, R = 0;       // the disc
  std::vector<TPoint> Points;    // the polygon, at most MaxOverlapPoints
};
constexpr std::size_t MaxOverlapPoints = 256;
OverlapShape CircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2);

// Fills the area common to two circles with the current fill.
void FillCircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2);
