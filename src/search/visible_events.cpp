#include "visible_events.h"

#include "local_eclipse.h"
#include "scene.h"

namespace search {
namespace {

// The Moon is looked for above the horizon in steps of this many seconds, then to the second.
constexpr Second MoonStep = 600;

bool MoonUp(Second s, const TObserverCoordinates& site, TimeModel model) {
  return geometry::MoonAltitudeAt(astro::TInstant::At(s), site, model) > 0;
}

std::optional<Second> FirstMoonUp(const TFoundEvent& event, const TObserverCoordinates& site) {
  if (MoonUp(event.Begin, site, event.Model)) return event.Begin;
  Second below = event.Begin;
  for (Second s = event.Begin + MoonStep;; s += MoonStep) {
    if (s > event.End) s = event.End;
    if (MoonUp(s, site, event.Model)) {
      while (s - below > 1) {  // the rising, to the second
        const Second mid = below + (s - below) / 2;
        (MoonUp(mid, site, event.Model) ? s : below) = mid;
      }
      return s;
    }
    if (s == event.End) return std::nullopt;
    below = s;
  }
}

}  // namespace

std::optional<Second> FirstVisibleSecond(const TFoundEvent& event,
                                         const TObserverCoordinates& site) {
  if (event.Kind == EventKind::None) return std::nullopt;
  if (event.Kind == EventKind::LunarEclipse) return FirstMoonUp(event, site);
  const TLocalEclipse local = LocalEclipse(event, site);
  if (!local.Visible || local.Contacts.empty()) return std::nullopt;
  const TSiteContact& first = local.Contacts.front();
  if (!first.SunBelowHorizon) return first.At;
  return local.Sunrise;
}

std::optional<TVisibleEvent> NextVisibleEvent(Second from, const TObserverCoordinates& site,
                                              TimeModel model, Second limit) {
  std::optional<TFoundEvent> event = EventInProgress(from, model).Event;
  for (;;) {
    if (event) {
      if (event->Begin > limit) return std::nullopt;
      const std::optional<Second> first = FirstVisibleSecond(*event, site);
      if (first && *first > from) return TVisibleEvent{*event, *first};
    }
    const Second after = event ? event->Begin : from;
    event = NextEvent(after, model).Event;
    if (!event) return std::nullopt;
  }
}

std::optional<TVisibleEvent> PreviousVisibleEvent(Second from, const TObserverCoordinates& site,
                                                  TimeModel model, Second limit) {
  Second before = from;
  for (;;) {
    const std::optional<TFoundEvent> event = PreviousEvent(before, model).Event;
    if (!event || event->Begin < limit) return std::nullopt;
    const std::optional<Second> first = FirstVisibleSecond(*event, site);
    if (first && *first < from) return TVisibleEvent{*event, *first};
    before = event->Begin;
  }
}
}  // namespace search
