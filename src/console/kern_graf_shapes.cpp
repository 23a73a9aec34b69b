// KernGraf: the pen colour, ellipses and arcs.
#include <cmath>

#include "console_state.h"

namespace console {
void SetPenColour(Colour colour) { KernGraf.PenColour = PaletteQColor(colour); }

void DrawEllipse(int x, int y, int rx, int ry) {
  if (Raster().isNull()) return;
  QPainter painter;
  BeginRasterPainter(painter);
  // Outlined in BorderColour always; the pen colour of the state is left as it was. The fill
  // moves with the outline: at ratio 1 the ellipse fills just the pixels inside its outline.
  painter.translate(StrokeOffset(), StrokeOffset());
  painter.setPen(ConsolePen(PaletteQColor(KernGraf.BorderColour)));
  painter.setBrush(KernGraf.BrushColour);
  painter.drawEllipse(QRect(x - rx, y - ry, 2 * rx, 2 * ry));
  MarkRasterDirty();
}

void DrawArc(int x, int y, int r, double startDegrees, double endDegrees) {
  if (Raster().isNull()) return;
  // The two rays run through points 100 pixels out, rounded as a raster would take them.
  constexpr double Radians = 0.017453292519943295769;
  auto rayAngle = [](double degrees) {
    double dx = std::nearbyint(std::cos(degrees * Radians) * 100);
    double dy = std::nearbyint(std::sin(degrees * Radians) * 100);
    return std::atan2(dy, dx) / Radians;
  };
  double start = rayAngle(startDegrees);
  double span = std::fmod(rayAngle(endDegrees) - start, 360.0);
  if (span < 0) span += 360;
  int start16 = static_cast<int>(std::lround(start * 16));
  int span16 = static_cast<int>(std::lround(span * 16));
  if (span16 <= 0 || span16 >= 360 * 16) span16 = 360 * 16;  // same ray: the whole circle

  QPainter painter;
  BeginRasterPainter(painter);
  painter.translate(StrokeOffset(), StrokeOffset());
  painter.setPen(ConsolePen(KernGraf.PenColour));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRect(x - r, y - r, 2 * r, 2 * r), start16, span16);
  MarkRasterDirty();
}
}  // namespace console
