#include "event_text.h"

#include <cmath>

#include "mathe.h"
#include "number_text.h"

namespace geometry {
using namespace astro;
using namespace text;
namespace {

std::string ClassificationWord(EventKind kind, EventCode eventCode) {
  const int code = static_cast<int>(eventCode);
  static const char* const solar[] = {"",
                                      " partielle",
                                      " nichtzentrale ringförmige",
                                      " nichtzentrale totale",
                                      " zentrale ringförmige",
                                      " zentrale totale"};
  static const char* const transit[] = {"", " partieller", " nichtzentraler", "",
                                        " zentraler", ""};
  if (code < 0 || code > 5) return "";
  if (kind == EventKind::SolarEclipse) return solar[code];
  if (kind == EventKind::MercuryTransit || kind == EventKind::VenusTransit) return transit[code];
  return "";
}

struct PanelWords {
  const char* reference;
  const char* second;
  const char* pair;
};

}  // namespace

std::string EventKindName(EventKind kind) {
  static const char* const names[] = {"Sonnenfinsternis", "Merkurdurchgang", "Venusdurchgang",
                                      "Mondfinsternis", "keine Finsternis"};
  const int k = static_cast<int>(kind);
  return k >= 0 && k <= 4 ? names[k] : "";
}

std::string LocalPhaseName(LocalPhase phase) {
  switch (phase) {
    case LocalPhase::Partial: return "partiell";
    case LocalPhase::Annular: return "ringförmig";
    case LocalPhase::Total: return "total";
    default: return "";
  }
}

std::string OccultorName(EventKind kind) {
  switch (kind) {
    case EventKind::SolarEclipse:
    case EventKind::LunarEclipse: return "Mond";
    case EventKind::MercuryTransit: return "Merkur";
    case EventKind::VenusTransit: return "Venus";
    default: return "";
  }
}

std::string LunarEclipseText(LunarPhase phase) {
  switch (phase) {
    case LunarPhase::Penumbral: return "Halbschattenfinsternis";
    case LunarPhase::Partial: return "partielle Mondfinsternis";
    case LunarPhase::Total: return "totale Mondfinsternis";
    default: return std::string(24, ' ');
  }
}

std::string LocalPhaseText(const TEvent& event, const TView& view) {
  const EventKind kind = event.Kind;
  if (kind == EventKind::LunarEclipse)
    return view.MoonAltitude > 0 ? " am Ort sichtbar" : " am Ort nicht sichtbar";
  const TLocalPhase local = LocalPhaseOf(view.Record);
  if (local.Phase == LocalPhase::None || view.SunBelowHorizon) return " am Ort nicht sichtbar";
  if (kind != EventKind::SolarEclipse) return " am Ort: " + OccultorName(kind) + " vor der Sonne";
  std::string text = " am Ort: " + LocalPhaseName(local.Phase) +
                     ", Größe " + PlainNumber(local.Magnitude, 1.3L);
  if (local.Phase != LocalPhase::Total)
    text += ", Bedeckung " + PlainNumber(100 * local.Obscuration, 2.1L) + " %";
  return text;
}

std::vector<TextRow> EventTextRows(const TEvent& event, const TSky& sky, const TView& view) {
  std::vector<TextRow> rows;
  const EventKind kind = event.Kind;
  const bool lunar = kind == EventKind::LunarEclipse;

  if (lunar) {
    rows.push_back({2, " " + LunarEclipseText(event.Phase)});
  } else {
    const std::string name = " " + EventKindName(kind);
    rows.push_back({2, ClassificationWord(kind, event.Type.Code) + name});
  }

  const std::string sunLine = " Abstand Erde - Sonne  = ";
  const std::string occultorLine = " Abstand Erde - " + OccultorName(kind) + " = ";
  if (lunar) {  // the Sun in Moon distances, the Moon in Earth radii
    const long double ratio = sky.Sun.R / event.Occultor.R;
    rows.push_back({3, sunLine + FormatNumber(ratio, 3.1L) + " dMond"});
    rows.push_back({4, occultorLine + FormatNumber(event.Occultor.R, 2.1L) + " rErde"});
  } else {
    const long double sun = sky.Sun.R / EarthRadiiPerAU;
    rows.push_back({3, sunLine + FormatNumber(sun, 2.1L) + " AE"});
    // Without an event no body stands before the Sun: no distance of a body of another instant.
    if (kind != EventKind::None) {
      const long double body = event.Occultor.R / EarthRadiiPerAU;
      rows.push_back({4, occultorLine + FormatNumber(body, 2.2L) + " AE"});
    }
  }

  if (view.SunAltitudeValid && lunar) {
    // The Moon's own altitude, with its parallax: near the horizon it differs from the Sun's
    // opposite point by up to a degree.
    rows.push_back({5, " Höhe des Mondes =" + FormatNumber(view.MoonAltitude, 2.1L) + "°"});
    if (view.MoonAltitude < 0) rows.push_back({7, " Mond unter dem Horizont", true});
  } else if (view.SunAltitudeValid && view.SunAltitude != 0) {
    rows.push_back({5, " Höhe der Sonne =" + FormatNumber(view.SunAltitude, 2.1L) + "°"});
    if (view.SunBelowHorizon) rows.push_back({7, " Sonne unter dem Horizont", true});
  }
  // What is seen from the place: the line above names the event for the Earth as a whole.
  if (view.SunAltitudeValid && kind != EventKind::None)
    rows.insert(rows.end() - (rows.back().Row == 7), {6, LocalPhaseText(event, view)});
  return rows;
}

std::vector<TextRow> MeasurementPanelRows(EventKind kind, long double r1, long double r2,
                                          long double theta, long double d) {
  static const PanelWords words[] = {
      {" der Sonne:", " des Mondes:", " Sonne/Mond:"},
      {" der Sonne:", " von Merkur:", " Merkur/Sonne:"},
      {" der Sonne:", " von Venus:", " Venus/Sonne:"},
      {" des Mondes:", " des Kernschattens:", " Mond/Kernschatten:"},
  };
  std::vector<TextRow> rows;
  if (kind == EventKind::None) return rows;
  const PanelWords& w = words[static_cast<int>(kind)];

  std::string angle;
  AngleToDMS(r1, angle);
  rows.push_back({0, std::string(" Winkelradius") + w.reference + angle});
  AngleToDMS(r2, angle);
  rows.push_back({1, std::string(" Winkelradius") + w.second + angle});
  if (theta < 0) theta += TwoPi;
  rows.push_back({5, " theta' = " + FormatNumber(theta / Degree, 3.2L) + "°"});
  AngleToDMS(d, angle);
  rows.push_back({2, std::string(" Winkelabstand") + w.pair + angle});
  const long double ratio = d / r1;
  rows.push_back({4, "     r' = " + FormatNumber(ratio, 1.4L)});
  rows.push_back({6, "      x = " + FormatNumber(-ratio * std::sin(theta), 1.4L)});
  rows.push_back({7, "      y = " + FormatNumber(ratio * std::cos(theta), 1.4L)});
  return rows;
}
}  // namespace geometry
