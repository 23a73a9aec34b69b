// What the search's files share: the instant evaluations (counted) and the bisection.
#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "event_search.h"

namespace search {

using astro::SecondsPerDay;

// The distance of the Earth's centre from the shadow axis of the body (Earth radii, the Earth
// stretched to a sphere as the classification does), as a vector: its least length is the
// greatest phase of a solar eclipse or transit.
BodyVector AxisOffset(const BodyVector& sun, const BodyVector& body);
// The Moon's direction less the direction of the shadow's centre: least at a lunar eclipse's
// greatest phase.
BodyVector ShadowOffset(const BodyVector& sun, const BodyVector& moon);
bool NeedsPlanets(EventKind kind);
// The body that makes an event of the kind: the Moon, Mercury or Venus.
const BodyVector& Occultor(const geometry::TSky& sky, EventKind kind);

// The seconds from `first` to `last` at which `holds` changes, each the first second of the new
// state: samples at most ten minutes apart, then bisection to the second. In an event's few
// hours the Sun or the Moon crosses the horizon at most twice; both crossings fall between two
// samples only where it barely grazes it.
std::vector<Second> Changes(Second first, Second last, const std::function<bool(Second)>& holds);

// One search: counts the instants it computes.
struct Searcher {
  TimeModel Model = TimeModel::Program;
  long double DeltaTShift = 0;
  int Evaluations = 0;

  // The Julian day of the series' time at a UT Julian day, and back (the same in the program's
  // own model).
  long double SeriesJd(long double jdUt) const;
  long double UtJd(long double seriesJd) const;
  // The event that begins first after (+1) or last before (-1) `from`.
  TSearchResult Walk(Second from, int direction);
  // The event of the kind whose least offset is nearest to jd, if the classification reports
  // it there; its end is left to FindEnd.
  std::optional<TFoundEvent> EventNear(EventKind kind, long double jd);
  // Whether the classification reports the kind at a second.
  std::function<bool(Second)> Holds(EventKind kind);
  // The event's last second; false when it does not end within two days.
  bool FindEnd(TFoundEvent& event);
  // The classification at the instant the driver shows for the second.
  TEvent Classify(Second s, bool planets);
  // The sky at the instant (with the planets, or the Sun and the Moon alone).
  geometry::TSky SkyOf(const astro::TInstant& at, bool planets);
  // The Sun and the event's body of the given diameter seen from the site (from the Earth's
  // centre when there is none) at a second.
  geometry::TView ViewOf(EventKind kind, long double diameter,
                         const std::optional<TObserverCoordinates>& site, Second t);
  BodyVector Offset(EventKind kind, long double jd);
  // Least length of a vector that moves almost uniformly, searched from jd.
  long double LeastOffset(const std::function<BodyVector(long double)>& offset, long double jd);
  // The last second of a phase that holds at `inside`, going forwards (+1) or backwards (-1);
  // empty when the phase does not end within two days.
  std::optional<Second> Boundary(Second inside, int direction,
                                 const std::function<bool(Second)>& holds);
};

}  // namespace search
