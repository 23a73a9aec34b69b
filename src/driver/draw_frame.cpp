#include "draw_frame.h"

#include <cmath>
#include <cstdint>

#include "fenster_graf.h"
#include "frame_text.h"
#include "mathe.h"

namespace driver {
using namespace astro;
using namespace console;
using geometry::EventKind;
namespace {

// The arcs of a lens go in steps of one degree: a chord then stands at most 0.1 pixels off a
// penumbra 2500 pixels wide (the Moon of 1920 x 1080 and its shadow), so no corner shows.
constexpr int ArcSteps = 360;
constexpr long double ArcStep = TwoPi / ArcSteps;


// The arc of circle (cx, cy, r) from angle `start` to angle `end`, going round the side on
// which the other circle's centre (ox, oy) lies: the points of a circle that lie inside another
// circle are those around the direction to its centre. (A probe a few degrees along the arc
// would misjudge arcs shorter than the probe, as at the first contact of a shadow.)
// Angles are counted with y upwards.
void AppendArc(int cx, int cy, int r, long double start, long double end, int ox, int oy,
               std::vector<TPoint>& points) {
  auto pointAt = [&](long double a) {
    return TPoint{cx + RoundPixel(r * std::cos(a)), cy - RoundPixel(r * std::sin(a))};
  };
  auto counterClockwise = [](long double from, long double to) {
    long double a = std::fmod(to - from, TwoPi);
    return a < 0 ? a + TwoPi : a;
  };
  const long double toCentre = ArcTan2(-static_cast<long double>(oy - cy),
                                       static_cast<long double>(ox - cx));
  long double step;
  if (counterClockwise(start, toCentre) <= counterClockwise(start, end)) {
    step = ArcStep;
    if (end < start) end += TwoPi;
  } else {
    step = -ArcStep;
    if (end > start) end -= TwoPi;
  }
  long double angle = start;
  points.push_back(pointAt(angle));
  // At most a full turn: ArcSteps steps and the end point. The count also ends the loop should
  // the angles ever not be numbers.
  // (A tangency starts on its end: one step, held at the end, still emits the point again.)
  for (int i = 0; i <= ArcSteps; ++i) {
    angle += step;
    if ((step > 0 && angle > end) || (step < 0 && angle < end) || i == ArcSteps) angle = end;
    points.push_back(pointAt(angle));
    if (angle == end) break;
  }
}

void PaintStepRow(const PlacedText& step) {
  SetTextAlign(AlignH::Right, AlignV::Bottom);
  Drv.Painter.StepBox = {DrawFrameText(step.X, step.Y, step.Text, step.Ink), TextBackground()};
  SetTextAlign(AlignH::Left, AlignV::Bottom);
}

void PaintTexts(const std::vector<PlacedText>& texts) {
  for (const PlacedText& t : texts) {
    SetTextAlign(t.RightAligned ? AlignH::Right : AlignH::Left, AlignV::Bottom);
    DrawFrameText(t.X, t.Y, t.Text, t.Ink);
  }
  SetTextAlign(AlignH::Left, AlignV::Bottom);
}

// Sky, discs, shadow and texts of a layout, on the console.
void PaintFrame(const FrameLayout& f) {
  SetFillColour(255, f.Sky, f.Sky);
  if (f.ClearWindow) {
    FillBox(0, 0, MaxX() + 1, MaxY() + 1);
    Drv.Painter.FrameTexts.clear();  // the window is cleared: no box to erase
  } else {
    EraseFrameTexts();  // the discs of earlier instants stay, their texts go
  }
  SetTextBackground(f.Sky);
  PaintTexts({f.Hint});

  SetFillColour(200, f.CentreColour, f.CentreColour);
  if (f.DrawCentre) DrawEllipse(f.CentreX, f.CentreY, f.CentreRadius, f.CentreRadius);
  if (f.Lunar) {
    // The umbra's outline and edge are drawn in black, whatever an earlier frame left.
    SetPenColour(Colour::Black);
    SetFillColour(150, Colour::White, Colour::White);
    FillCircleOverlap(f.CentreX, f.CentreY, f.CentreRadius, f.SecondX, f.SecondY,
                      f.PenumbraRadius);
    SetFillColour(20, Colour::White, Colour::Black);
    FillCircleOverlap(f.CentreX, f.CentreY, f.CentreRadius, f.SecondX, f.SecondY,
                      f.SecondRadius);
  } else if (f.DrawSecond) {
    SetPenColour(f.EdgeColour);
    for (const PixelCircle& c : f.Outlines) DrawArc(c.X, c.Y, c.R, 0, 360);
    SetFillColour(255, f.SecondColour, f.SecondColour);
    DrawEllipse(f.SecondX, f.SecondY, f.SecondRadius, f.SecondRadius);
  }
  if (f.EdgeArc) {
    SetPenColour(f.EdgeColour);
    DrawArc(f.SecondX, f.SecondY, f.SecondRadius, 0, 360);
  }
  if (f.SunLimb) {  // a thin ring of the Sun's yellow, two pixels wide
    SetPenColour(Colour::Yellow);
    DrawArc(f.CentreX, f.CentreY, f.CentreRadius, 0, 360);
    DrawArc(f.CentreX, f.CentreY, f.CentreRadius + 1, 0, 360);
  }
  PaintTexts(f.Texts);
  PaintStepRow(f.Step);
}

ScreenMetrics Metrics() { return {MaxX(), MaxY(), LineHeight(), CharWidth()}; }

// The place and date as the dialogue gave them, and the contact rows while the panel is shown.
ColumnTexts ColumnTextsOf(const DriverState& d) {
  ColumnTexts texts;
  texts.Place = d.Options.Geocentric ? "geozentrisch" : d.Answers.PlaceName;
  texts.Date = d.Answers.DayText + "." + d.Answers.MonthText + "." + d.Answers.YearText;
  if (d.Options.ContactsOn) texts.Contacts = d.Painter.Contacts.Rows;
  return texts;
}

}  // namespace

void CircleIntersections(int x1, int y1, int r1, int x2, int y2, int r2, TPoint& p1, TPoint& p2) {
  const long double dx = x1 - x2, dy = y1 - y2;
  const long double d = std::sqrt(dx * dx + dy * dy);
  const long double phi = ArcTan2(y2 - y1, x2 - x1);
  long double c = (d * d + static_cast<long double>(r1) * r1 - static_cast<long double>(r2) * r2) /
                  (2.0L * r1 * d);
  // Rounded pixel radii can push a tangency just past +-1.
  if (c > 1) c = 1;
  if (c < -1) c = -1;
  const long double alpha = ArcCos(c);
  p1 = {x1 + RoundPixel(r1 * std::cos(phi + alpha)), y1 + RoundPixel(r1 * std::sin(phi + alpha))};
  p2 = {x1 + RoundPixel(r1 * std::cos(phi - alpha)), y1 + RoundPixel(r1 * std::sin(phi - alpha))};
}

OverlapShape CircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2) {
  OverlapShape shape;
  if (r1 < 0 || r2 < 0) return shape;
  const long double dx = x1 - x2, dy = y1 - y2;
  const long double d = std::sqrt(dx * dx + dy * dy);
  if (d > r1 + r2) return shape;
  // One circle inside the other; or equal circles on one centre, or a point on the other
  // circle's edge: no intersection points to speak of, the common area is circle 1 (or, at
  // most, one point).
  const bool firstInside = r2 > r1 + d, secondInside = !firstInside && r1 > r2 + d;
  if (firstInside || secondInside || d == 0 || r1 == 0 || r2 == 0) {
    shape.Shape = OverlapShape::Disc;
    shape.X = secondInside ? x2 : x1, shape.Y = secondInside ? y2 : y1;
    shape.R = secondInside ? r2 : r1;
    return shape;
  }
  TPoint p1, p2;
  CircleIntersections(x1, y1, r1, x2, y2, r2, p1, p2);
  auto angle = [](TPoint p, int cx, int cy) {
    return ArcTan2(-static_cast<long double>(p.Y - cy), static_cast<long double>(p.X - cx));
  };
  shape.Shape = OverlapShape::Polygon;
  AppendArc(x1, y1, r1, angle(p1, x1, y1), angle(p2, x1, y1), x2, y2, shape.Points);
  AppendArc(x2, y2, r2, angle(p2, x2, y2), angle(p1, x2, y2), x1, y1, shape.Points);
  if (shape.Points.size() > MaxOverlapPoints) shape.Points.resize(MaxOverlapPoints);
  return shape;
}

void FillCircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2) {
  const OverlapShape shape = CircleOverlap(x1, y1, r1, x2, y2, r2);
  if (shape.Shape == OverlapShape::Disc) {
    DrawEllipse(shape.X, shape.Y, shape.R, shape.R);
  } else if (shape.Shape == OverlapShape::Polygon) {
    FillPolygon(shape.Points);
  }
}

FrameLayout ScreenLayout() {
  return LayoutFrame(Drv.Scene, Drv.Options, ColumnTextsOf(Drv), Drv.Painter.History,
                     Metrics());
}

void DrawFrame() {
  PainterMemory& painter = Drv.Painter;
  const FrameLayout layout = ScreenLayout();
  PaintFrame(layout);
  PaintTexts(layout.Panel);
  PaintTexts(layout.Contacts);
  painter.FrameShown = true;
  // What the next frame keeps of this one.
  FrameHistory& history = painter.History;
  const EventKind kind = Drv.Scene.Event.Kind;
  if (kind == EventKind::SolarEclipse && Drv.Options.Stroboscopic) {
    if (history.First) history.EarlierMoons.clear();
    history.EarlierMoons.push_back(layout.Second);
  } else {
    history.EarlierMoons.clear();
  }
  if (kind != EventKind::None) history.LunarLast = kind == EventKind::LunarEclipse;
  history.First = false;
}

void ShowEventText(const geometry::TScene& scene, Colour colour) {
  // The dialogue shows no altitude: the place is not asked yet.
  PaintTexts(PlaceRows(EventTextRows(scene.Event, scene.Sky, {}), 0, LineHeight(), colour));
}

void RedrawStepRow() {
  const FrameTextBox old = Drv.Painter.StepBox;
  SetFillColour(255, old.Background, old.Background);
  FillBox(old.Box.X, old.Box.Y, old.Box.Width, old.Box.Height);
  const Colour background = TextBackground();
  SetTextBackground(old.Background);
  PaintStepRow(StepRow(Drv.Options, Metrics()));
  SetTextBackground(background);
}
}  // namespace driver
