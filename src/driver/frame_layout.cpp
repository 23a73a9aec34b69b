#include "frame_layout.h"

#include <algorithm>
#include <cmath>

#include "delta_t.h"
#include "mathe.h"
#include "number_text.h"
#include "text_codec.h"

namespace driver {
using namespace astro;
using namespace console;
using namespace geometry;
namespace {

// The sky's colour: black around the eclipsed Moon, dark when the Sun is covered, blue when the
// Moon stands near the Sun's centre, light blue otherwise.
Colour SkyColour(EventKind kind, ViewCode viewCode, long double d, long double r1) {
  if (kind == EventKind::LunarEclipse) return Colour::Black;
  if (kind == EventKind::MercuryTransit || kind == EventKind::VenusTransit) return Colour::LightBlue;
  if (viewCode == ViewCode::SunCovered) return Colour::DarkGray;
  if (d < 0.1L * r1) return Colour::Blue;
  return Colour::LightBlue;
}

}  // namespace

long double PixelsPerRadian(int maxY) { return maxY * 0.45L / 0.25L / Degree; }

int RoundPixel(long double x) {
  if (!(x > -1e6L)) return -1000000;  // also NaN
  if (x > 1e6L) return 1000000;
  return static_cast<int>(std::lrint(x));
}

std::string UtTimeText(const TInstant& at) {
  const int s = at.UtSecondOfDay();
  return text::WholeNumberText(s / 3600, 2, '0') + ":" +
         text::WholeNumberText(s / 60 % 60, 2, '0') + ":" + text::WholeNumberText(s % 60, 2, '0');
}

std::string UtDateText(const TInstant& at) {
  const TCalendarDate& d = at.UtDate();
  return std::to_string(d.Day) + "." + std::to_string(d.Month) + "." + std::to_string(d.Year);
}

std::string TimeModelText(const TInstant& at) {
  const long double deltaT = std::nearbyint(DeltaTAtJd(at.Jd()));
  return "wie beobachtet: TT = UT " + std::string(deltaT < 0 ? "- " : "+ ") +
         text::WholeNumberText(std::fabs(deltaT), 1) + " s";
}

std::string StepText(long double minutes) {
  return "Schritt: " + std::to_string(std::llround(minutes)) + " min";
}

std::vector<PlacedText> PlaceRows(const std::vector<TextRow>& rows, int y0, int lineHeight,
                                  Colour colour) {
  std::vector<PlacedText> placed;
  for (const TextRow& row : rows)
    placed.push_back({0, y0 + row.Row * lineHeight, false, row.Text,
                      row.Warning ? Colour::LightRed : colour});
  return placed;
}

std::vector<PlacedText> TextColumn(const TScene& scene, const DisplayOptions& options,
                                   const ColumnTexts& column, const ScreenMetrics& m) {
  const int L = m.LineHeight, x = m.MaxX;
  std::vector<PlacedText> texts =
      PlaceRows(EventTextRows(scene.Event, scene.Sky, scene.View), 0, L, Colour::LightGray);
  texts.push_back({x, L, true, column.Place + " ", Colour::LightGray});
  texts.push_back({x, 2 * L, true, column.Date + " ", Colour::LightGray});
  texts.push_back({x, 3 * L, true, UtTimeText(scene.Sky.At) + " Uhr UT ", Colour::LightGray});
  // The program's own model has no row of its own: its pictures stay as they always were.
  if (options.Model == TimeModel::Exact)
    texts.push_back({x, 4 * L, true, TimeModelText(scene.Sky.At) + " ", Colour::LightGray});
  texts.push_back({x, 5 * L, true, options.HorizonView ? "Horizontsystem " : "Äquatorsystem ",
                   Colour::LightGray});
  return texts;
}

PlacedText StepRow(const DisplayOptions& options, const ScreenMetrics& m) {
  return {m.MaxX, 6 * m.LineHeight, true, StepText(options.TimeStep) + " ", Colour::LightGray};
}

std::vector<PlacedText> ContactTexts(const std::vector<TextRow>& rows, const ScreenMetrics& m) {
  std::size_t widest = 0;
  for (const TextRow& row : rows) widest = std::max(widest, text::Utf8Length(row.Text));
  std::vector<PlacedText> texts = PlaceRows(rows, 8 * m.LineHeight, m.LineHeight, Colour::White);
  for (PlacedText& t : texts) t.X = m.MaxX - static_cast<int>(widest + 1) * m.CharWidth;
  return texts;
}

namespace {

// With the contact panel on, the discs move left of it, and shrink if they must: the panel
// covers no part of a body and no limb. `extent` is how far the discs reach from the centre
// body's centre (radians); k and cx come in as they would be without the panel.
void KeepDiscsLeftOf(const std::vector<PlacedText>& panel, long double extent,
                     const ScreenMetrics& m, long double& k, int& cx) {
  if (panel.empty()) return;
  const int left = panel.front().X, top = panel.front().Y - m.LineHeight;
  const int bottom = panel.back().Y;
  const int cy = m.MaxY / 2, reach = RoundPixel(k * extent) + 2;
  // Nearest point of the panel's block to the centre: clear of the discs' reach, nothing moves.
  const long double dx = std::max(0, left - cx), dy = std::max({0, top - cy, cy - bottom});
  if (dx * dx + dy * dy > static_cast<long double>(reach) * reach) return;
  const int room = left - 3;  // pixels left of the panel, with a margin
  if (room < 2) return;
  if (2 * reach <= room) {
    cx = room - reach;
  } else {
    k = k * room / (2 * reach);
    cx = room / 2;
  }
}

}  // namespace

FrameLayout LayoutFrame(const TScene& scene, const DisplayOptions& options,
                        const ColumnTexts& column, const FrameHistory& history,
                        const ScreenMetrics& m) {
  FrameLayout f;
  const int maxX = m.MaxX, maxY = m.MaxY, lineHeight = m.LineHeight, charWidth = m.CharWidth;
  const EventKind kind = scene.Event.Kind;
  const bool none = kind == EventKind::None, solar = kind == EventKind::SolarEclipse;
  f.Lunar = kind == EventKind::LunarEclipse;
  // Without an event the picture keeps the central body of the last frame.
  const bool moonCentre = f.Lunar || (none && history.LunarLast);

  // The angles on the sky: radii, separation and position angle of the second circle.
  long double r1, r2 = 0, rp = 0, dist = 0, theta = 0;
  const TShadowRecord& shadow = scene.Event.Shadow;
  const TViewRecord& view = scene.View.Record;
  if (f.Lunar) {
    r1 = shadow.MoonRadius, r2 = shadow.UmbraRadius, rp = shadow.PenumbraRadius;
    dist = shadow.Separation, theta = shadow.PositionAngle;
  } else if (none) {
    r1 = moonCentre ? scene.MoonRadius : scene.SunRadius;
  } else {
    r1 = view.SunRadius, r2 = view.OccultorRadius;
    dist = view.Separation, theta = view.PositionAngle;
  }
  const bool totality = solar && view.Code == ViewCode::SunCovered;
  f.Sky = none ? (moonCentre ? Colour::Black : Colour::LightBlue)
               : SkyColour(kind, view.Code, dist, r1);
  // In the horizon system the picture turns by the Sun's parallactic angle: zenith up.
  if (options.HorizonView && !f.Lunar) theta -= scene.ZenithAngle;
  f.Second = {dist, theta, r2};

  // The stroboscopic display keeps the planets and the shadows of earlier instants on the
  // screen; a solar eclipse is drawn whole each time, with the earlier Moons as outlines.
  const bool chain = options.Stroboscopic && !history.First && !none && !solar;
  f.ClearWindow = !chain;
  f.DrawCentre = !chain || f.Lunar;
  f.DrawSecond = !none;
  std::vector<SkyDisc> earlier;
  if (solar && options.Stroboscopic && !history.First) earlier = history.EarlierMoons;

  f.Texts = TextColumn(scene, options, column, m);
  // Without an event the Sun stands on a light blue sky also at night: its warning is yellow
  // there, which reads on blue (light red would not).
  if (none && !moonCentre)
    for (PlacedText& t : f.Texts)
      if (t.Ink == Colour::LightRed) t.Ink = Colour::Yellow;
  f.Step = StepRow(options, m);
  f.Hint = {maxX - 11 * charWidth, maxY, false, "\"F1\": Hilfe", Colour::DarkGray};
  f.Contacts = ContactTexts(column.Contacts, m);

  long double k = PixelsPerRadian(maxY);
  f.CentreX = maxX / 2, f.CentreY = maxY / 2;
  long double extent = r1;
  if (f.DrawSecond && !f.Lunar) extent = std::max(extent, dist + r2);
  for (const SkyDisc& d : earlier) extent = std::max(extent, d.Distance + d.Radius);
  KeepDiscsLeftOf(f.Contacts, extent, m, k, f.CentreX);

  // Position angle 0 is up (north, or the zenith), growing towards the left (east).
  auto place = [&](const SkyDisc& d) {
    const long double kD = k * d.Distance;
    return PixelCircle{f.CentreX - RoundPixel(std::sin(d.Angle) * kD),
                       f.CentreY - RoundPixel(std::cos(d.Angle) * kD), RoundPixel(k * d.Radius)};
  };
  f.CentreRadius = RoundPixel(k * r1);
  f.CentreColour = moonCentre ? Colour::White : Colour::Yellow;
  const PixelCircle second = place(f.Second);
  f.SecondX = second.X, f.SecondY = second.Y, f.SecondRadius = second.R;
  f.PenumbraRadius = RoundPixel(k * rp);
  // In totality the Moon is black before the dark sky, and the Sun's limb shows around it.
  f.SecondColour = solar ? (totality ? Colour::Black : f.Sky) : Colour::Black;
  f.EdgeArc = solar || f.Lunar;
  f.EdgeColour = f.Lunar ? Colour::Black : f.Sky;
  f.SunLimb = totality;
  for (const SkyDisc& d : earlier) f.Outlines.push_back(place(d));

  // A hidden panel draws nothing at all: sky-coloured boxes would cut into the discs.
  if (!options.HorizonView && options.MeasurementsOn && !none)
    f.Panel = PlaceRows(MeasurementPanelRows(kind, r1, r2, theta, dist), maxY - 7 * lineHeight,
                        lineHeight, Colour::White);
  return f;
}
}  // namespace driver
