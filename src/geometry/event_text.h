// The event line with distances and the Sun's altitude, and the measurement panel.
// Rows are composed by pure functions; the driver places them and puts them on the screen.
#pragma once
#include <string>
#include <vector>

#include "events.h"

namespace geometry {
struct TextRow {
  int Row;           // in line heights (event text: from the top; panel: from MaxY - 7 lines)
  std::string Text;  // UTF-8
  bool Warning = false;  // the body below the horizon: shown in light red
};

// "Sonnenfinsternis", "Merkurdurchgang", "Venusdurchgang", "Mondfinsternis", "keine Finsternis".
std::string EventKindName(EventKind kind);
// The phase seen at a place: "partiell", "ringförmig", "total" (none: "").
std::string LocalPhaseName(LocalPhase phase);
// The body before the Sun or in the Earth's shadow ("Mond", "Merkur", "Venus"; none: "").
std::string OccultorName(EventKind kind);
// The phase of a lunar eclipse as the event line names it; on the penumbra's very edge 24
// blanks, which erase a longer text of an earlier frame.
std::string LunarEclipseText(LunarPhase phase);

// What is seen of the event from the place at the instant: " am Ort: partiell, Größe 0.634,
// Bedeckung 57.3 %", " am Ort: Merkur vor der Sonne", " am Ort sichtbar" (a lunar eclipse),
// or " am Ort nicht sichtbar" (the discs apart there, the Sun or the Moon below the horizon).
std::string LocalPhaseText(const TEvent& event, const TView& view);

// Rows in drawing order: the event, the distances of the sky's bodies, the view's altitude,
// what is seen from the place.
std::vector<TextRow> EventTextRows(const TEvent& event, const TSky& sky, const TView& view);
std::vector<TextRow> MeasurementPanelRows(EventKind kind, long double r1, long double r2,
                                          long double theta, long double d);
}  // namespace geometry
