// Finding eclipses and transits: the next or previous event from an instant, and the instants at
// which its phases begin and end, Earth-wide and for an observer. Pure functions of the
// chosen time model: every instant is classified as the screen would classify it.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "events.h"

namespace search {

using geometry::BodyVector;
using geometry::EventCode;
using geometry::EventKind;
using geometry::TEvent;
using geometry::TObserverCoordinates;

using astro::JdOf;
using astro::Second;
using astro::SecondOf;
using astro::TimeModel;

// An event as the classification sees it: the first and the last second it reports the kind.
struct TFoundEvent {
  EventKind Kind = EventKind::None;
  Second Begin = 0, End = 0;
  Second Greatest = 0;  // least distance of the shadow axis (or the Moon from it), to a second
  // The strongest phase: for solar events and transits the class at the greatest instant, for
  // lunar eclipses the phase there.
  EventCode Code = EventCode::None;
  geometry::LunarPhase Phase = geometry::LunarPhase::None;
  TimeModel Model = TimeModel::Program;  // the model it was found in; its contacts use it too
  long double DeltaTShift = 0;  // seconds added to the exact model's ΔT (SeriesCenturies)
};

struct TSearchResult {
  // None when no event begins within three years: the search has left the years the series
  // describe. An event found may lie beyond the years the date prompts accept.
  std::optional<TFoundEvent> Event;
  int Evaluations = 0;               // instants computed for the answer
};

// The event that begins first after `from` (strictly later), and the one that begins last before
// it (strictly earlier; inside an event that is its own beginning).
TSearchResult NextEvent(Second from, TimeModel model = TimeModel::Program);
TSearchResult PreviousEvent(Second from, TimeModel model = TimeModel::Program);
// The event in progress at `at` (classified there), with its beginning, end and greatest instant.
TSearchResult EventInProgress(Second at, TimeModel model = TimeModel::Program);

// Phase changes for the Earth as a whole. Absent phases are empty.
struct TEarthContacts {
  TFoundEvent Event;
  std::optional<Second> CentralBegin, CentralEnd;  // solar eclipse: the axis meets the Earth
  std::optional<Second> PartialBegin, PartialEnd;  // lunar eclipse: the Moon touches the umbra
  std::optional<Second> TotalBegin, TotalEnd;      // lunar eclipse: the Moon inside the umbra
};
TEarthContacts EarthContacts(const TFoundEvent& event, int* evaluations = nullptr);

// One contact seen from a site, with the Sun's altitude there.
struct TSiteContact {
  int Number = 0;  // 1 to 4; 0 for the greatest phase
  Second At = 0;
  long double SunAltitude = 0;  // degrees
  bool SunBelowHorizon = false;
};
// First to fourth contact and the greatest phase of a solar eclipse or transit seen from the
// site (in time order); empty when the discs do not meet there or for a lunar eclipse.
std::vector<TSiteContact> SiteContacts(const TFoundEvent& event, const TObserverCoordinates& site,
                                       int* evaluations = nullptr);
// The same seen from the Earth's centre (the geocentric contacts that tables of transits give);
// no altitudes.
std::vector<TSiteContact> CentreContacts(const TFoundEvent& event, int* evaluations = nullptr);

}  // namespace search
