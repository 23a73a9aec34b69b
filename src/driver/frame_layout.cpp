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

FrameLayout LayoutFrame(const TScene& scene, const DisplayOptions& options,
                        const ColumnTexts& column, bool firstFrame, const ScreenMetrics& m) {
  FrameLayout f;
  const int maxX = m.MaxX, maxY = m.MaxY, lineHeight = m.LineHeight, charWidth = m.CharWidth;
  const long double k = PixelsPerRadian(maxY);
  const EventKind kind = scene.Event.Kind;
  f.Lunar = kind == EventKind::LunarEclipse;

  // The angles on the sky: radii, separation and position angle of the second circle.
  long double r1, r2, rp = 0, dist, theta;
  const TShadowRecord& shadow = scene.Event.Shadow;
  const TViewRecord& view = scene.View.Record;
  if (f.Lunar) {
    r1 = shadow.MoonRadius, r2 = shadow.UmbraRadius, rp = shadow.PenumbraRadius;
    dist = shadow.Separation, theta = shadow.PositionAngle;
  } else {
    r1 = view.SunRadius, r2 = view.OccultorRadius;
    dist = view.Separation, theta = view.PositionAngle;
  }
  f.Sky = SkyColour(kind, view.Code, dist, r1);
  // In the horizon system the picture turns by the Sun's parallactic angle: zenith up.
  if (options.HorizonView && !f.Lunar) theta -= scene.ZenithAngle;

  f.ClearWindow = firstFrame || !options.Stroboscopic;
  f.Hint = {maxX - 11 * charWidth, maxY, false, "\"F1\": Hilfe", Colour::DarkGray};
  f.CentreX = maxX / 2, f.CentreY = maxY / 2;
  f.CentreRadius = RoundPixel(k * r1);
  f.CentreColour = f.Lunar ? Colour::White : Colour::Yellow;
  f.DrawCentre = !options.Stroboscopic || f.Lunar || firstFrame;
  // Position angle 0 is up (north, or the zenith), growing towards the left (east).
  const long double kD = k * dist;
  f.SecondX = f.CentreX - RoundPixel(std::sin(theta) * kD);
  f.SecondY = f.CentreY - RoundPixel(std::cos(theta) * kD);
  f.SecondRadius = RoundPixel(k * r2);
  f.PenumbraRadius = RoundPixel(k * rp);
  f.SecondColour = kind == EventKind::SolarEclipse ? f.Sky : Colour::Black;
  f.EdgeArc = kind == EventKind::SolarEclipse || f.Lunar;
  f.EdgeColour = f.Lunar ? Colour::Black : f.Sky;

  f.Texts = TextColumn(scene, options, column, m);
  f.Step = StepRow(options, m);
  // A hidden panel draws nothing at all: sky-coloured boxes would cut into the discs.
  if (!options.HorizonView && options.MeasurementsOn)
    f.Panel = PlaceRows(MeasurementPanelRows(kind, r1, r2, theta, dist), maxY - 7 * lineHeight,
                        lineHeight, Colour::White);
  f.Contacts = ContactTexts(column.Contacts, m);
  return f;
}
}  // namespace driver
