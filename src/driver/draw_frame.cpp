#include "draw_frame.h"

#include <cmath>
#include <cstdint>

#include "astr_rout.h"
#include "console_text_drawer.h"
#include "driver_state.h"
#include "event_text.h"
#include "events.h"
#include "fenster_graf.h"
#include "frame_text.h"
#include "mathe.h"
#include "number_text.h"

namespace {

constexpr long double TwoPi = 2 * Pi;

// Nearest integer, halves to even; far-off values are held at a size no window reaches.
int Round(long double x) {
  if (!(x > -1e6L)) return -1000000;  // also NaN
  if (x > 1e6L) return 1000000;
  return static_cast<int>(std::lrint(x));
}

// Two digits, a leading blank turned into '0'.
std::string TwoDigits(int v) {
  std::string s = FormatNumber(v, 2.0L);
  if (!s.empty() && s[0] == ' ') s[0] = '0';
  return s;
}

// The arc of circle (cx, cy, r) from angle `start` to angle `end`, going round the side on
// which the other circle's centre (ox, oy) lies: the points of a circle that lie inside another
// circle are those around the direction to its centre. (A probe a few degrees along the arc
// would misjudge arcs shorter than the probe, as at the first contact of a shadow.)
// Angles are counted with y upwards.
void AppendArc(int cx, int cy, int r, long double start, long double end, int ox, int oy,
               std::vector<TPoint>& points) {
  auto pointAt = [&](long double a) {
    return TPoint{cx + Round(r * std::cos(a)), cy - Round(r * std::sin(a))};
  };
  auto counterClockwise = [](long double from, long double to) {
    long double a = std::fmod(to - from, TwoPi);
    return a < 0 ? a + TwoPi : a;
  };
  const long double toCentre = ArcTan2(-static_cast<long double>(oy - cy),
                                       static_cast<long double>(ox - cx));
  long double step;
  if (counterClockwise(start, toCentre) <= counterClockwise(start, end)) {
    step = 5 * Degree;
    if (end < start) end += TwoPi;
  } else {
    step = -5 * Degree;
    if (end > start) end -= TwoPi;
  }
  long double angle = start;
  points.push_back(pointAt(angle));
  // At most a full turn: 72 steps and the end point. The count also ends the loop should the
  // angles ever not be numbers.
  // (A tangency starts on its end: one step, held at the end, still emits the point again.)
  for (int i = 0; i < 73; ++i) {
    angle += step;
    if ((step > 0 && angle > end) || (step < 0 && angle < end) || i == 72) angle = end;
    points.push_back(pointAt(angle));
    if (angle == end) break;
  }
}

}  // namespace

long double PixelsPerRadian(int maxY) { return maxY * 0.45L / 0.25L / Degree; }

long double ParallacticAngle(long double h, long double delta, long double phi) {
  // Both terms of the textbook quotient times cos(phi) > 0, so that the two-argument
  // arctangent keeps the quadrant: south of the Sun's declination the zenith lies below the
  // Sun's north point, and a one-argument arctangent would turn the picture upside down.
  const long double num = std::sin(h) * std::cos(phi);
  const long double den =
      std::sin(phi) * std::cos(delta) - std::cos(phi) * std::sin(delta) * std::cos(h);
  return ArcTan2(num, den);
}

std::string TimeToText(long double clockTime) {
  long double u = clockTime - 1;
  if (u < 0) u += 24;  // UT hour 23 before the date of the clock value
  int hh = static_cast<int>(std::trunc(u));
  const long double minutes = (u - hh) * 100;
  int mm = static_cast<int>(std::trunc(minutes));
  int ss = Round((minutes - mm) * 60);
  if (ss == 60) {
    mm += 1;
    ss = 0;
  }
  if (mm == 60) {
    hh += 1;
    mm = 0;
  }
  if (hh == 24) hh = 0;
  return TwoDigits(hh) + ":" + TwoDigits(mm) + ":" + TwoDigits(ss);
}

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
  p1 = {x1 + Round(r1 * std::cos(phi + alpha)), y1 + Round(r1 * std::sin(phi + alpha))};
  p2 = {x1 + Round(r1 * std::cos(phi - alpha)), y1 + Round(r1 * std::sin(phi - alpha))};
}

OverlapShape CircleOverlap(int x1, int y1, int r1, int x2, int y2, int r2) {
  OverlapShape shape;
  if (r1 < 0 || r2 < 0) return shape;
  const long double dx = x1 - x2, dy = y1 - y2;
  const long double d = std::sqrt(dx * dx + dy * dy);
  if (d > r1 + r2) return shape;
  if (r2 > r1 + d) {  // circle 1 inside circle 2
    shape.Shape = OverlapShape::Disc;
    shape.X = x1, shape.Y = y1, shape.R = r1;
    return shape;
  }
  if (r1 > r2 + d) {  // circle 2 inside circle 1
    shape.Shape = OverlapShape::Disc;
    shape.X = x2, shape.Y = y2, shape.R = r2;
    return shape;
  }
  if (d == 0 || r1 == 0 || r2 == 0) {
    // Equal circles on one centre, or a point on the other circle's edge: no intersection
    // points to speak of. The common area is circle 1 (or, at most, one point).
    shape.Shape = OverlapShape::Disc;
    shape.X = x1, shape.Y = y1, shape.R = r1;
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

void DrawFrame() {
  const int W = MaxX(), H = MaxY();
  const long double k = PixelsPerRadian(H);
  const int cx = W / 2, cy = H / 2;
  const EventKind kind = Drv.Event.Kind;
  const bool lunar = kind == EventKind::LunarEclipse;

  // The Sun's parallactic angle, for the horizon system.
  long double r = 0, alpha = 0, delta = 0;
  RectToSpherical(Drv.Sky.Sun.X, Drv.Sky.Sun.Y, Drv.Sky.Sun.Z, r, alpha, delta);
  const long double lst =
      SiderealTime(Drv.CurrentDate, Drv.ClockTime, Drv.ObserverCoordinates.Longitude);
  const long double q = ParallacticAngle(lst - alpha, delta, Drv.ObserverCoordinates.Latitude);

  long double r1, r2, rp = 0, d, theta;
  const TShadowRecord& shadow = Drv.Event.Shadow;
  const TViewRecord& view = Drv.View.Record;
  if (lunar) {
    r1 = shadow.MoonRadius;
    r2 = shadow.UmbraRadius;
    rp = shadow.PenumbraRadius;
    d = shadow.Separation;
    theta = shadow.PositionAngle;
  } else {
    r1 = view.SunRadius;
    r2 = view.OccultorRadius;
    d = view.Separation;
    theta = view.PositionAngle;
  }
  int sky;
  if (lunar) {
    sky = Black;
  } else if (kind == EventKind::MercuryTransit || kind == EventKind::VenusTransit) {
    sky = LightBlue;
  } else if (view.Code == 5) {
    sky = DarkGray;
  } else if (d < 0.1L * r1) {
    sky = Blue;
  } else {
    sky = LightBlue;
  }
  if (Drv.HorizonView && kind != EventKind::LunarEclipse) theta -= q;

  SetFillColour(255, sky, sky);
  if (Drv.FirstFrame || !Drv.Stroboscopic) {
    FillBox(0, 0, W + 1, H + 1);
    ForgetFrameTexts();
  } else {
    EraseFrameTexts();  // the discs of earlier instants stay, their texts go
  }
  SetTextBackground(sky);
  SetTextAlign(0, 0);
  DrawFrameText(W - 11 * CharWidth(), H, "\"F1\": Hilfe", DarkGray);

  const int c = kind == EventKind::LunarEclipse ? White : Yellow;
  SetFillColour(200, c, c);
  const int r1px = Round(k * r1);
  if (!Drv.Stroboscopic || kind == EventKind::LunarEclipse || Drv.FirstFrame) {
    DrawEllipse(cx, cy, r1px, r1px);
  }

  const long double kD = k * d;
  const int x2 = cx - Round(std::sin(theta) * kD);
  const int y2 = cy - Round(std::cos(theta) * kD);
  const int r2px = Round(k * r2);
  if (kind == EventKind::LunarEclipse) {
    // The umbra's outline and edge are drawn in black, whatever an earlier frame left.
    SetPenColour(Black);
    SetFillColour(150, White, White);
    FillCircleOverlap(cx, cy, r1px, x2, y2, Round(k * rp));
    SetFillColour(20, White, Black);
    FillCircleOverlap(cx, cy, r1px, x2, y2, r2px);
  } else {
    const int b = kind == EventKind::SolarEclipse ? sky : Black;
    SetFillColour(255, b, b);
    DrawEllipse(x2, y2, r2px, r2px);
  }
  if (kind == EventKind::SolarEclipse) SetPenColour(sky);
  if (kind == EventKind::SolarEclipse || kind == EventKind::LunarEclipse) DrawArc(x2, y2, r2px, 0, 360);

  DrawTextColumn();

  if (Drv.AbortRequested) {
    // An Esc whose dialogue could not start (the window was not active): start it now. When it
    // runs, the rest of this frame belongs to the old simulation; the next tick draws the
    // first frame of the new one.
    Drv.AbortRequested = false;
    const int32_t dialogues = Drv.DialoguesRun;
    CallMainProcedure();
    if (Drv.DialoguesRun != dialogues) {
      Drv.FrameShown = false;
      return;
    }
  }

  // A hidden panel draws nothing at all: sky-coloured boxes would cut into the discs.
  if (!Drv.HorizonView && Drv.MeasurementsOn) {
    ConsoleTextDrawer drawer;
    MeasurementPanel(drawer, kind, White, r1, r2, theta, d);
  }
  Drv.FrameShown = true;
  Drv.FirstFrame = false;
  ++Drv.FramesDrawn;
}

void DrawTextColumn() {
  ConsoleTextDrawer drawer;
  ShowEventText(drawer, Drv.Event, Drv.Sky, Drv.View, LightGray);
  const int W = MaxX(), L = LineHeight();
  SetTextAlign(2, 0);
  DrawFrameText(W, L, (Drv.Geocentric ? "geozentrisch" : Drv.PlaceName) + " ", LightGray);
  DrawFrameText(W, 2 * L, Drv.DayText + "." + Drv.MonthText + "." + Drv.YearText + " ",
                LightGray);
  DrawFrameText(W, 3 * L, TimeToText(Drv.ClockTime) + " Uhr UT ", LightGray);
  DrawFrameText(W, 5 * L, Drv.HorizonView ? "Horizontsystem " : "Äquatorsystem ", LightGray);
  SetTextAlign(0, 0);
}

void DrawTextsWithoutEvent() {
  EraseFrameTexts();
  SetTextAlign(0, 0);
  DrawTextColumn();
}
