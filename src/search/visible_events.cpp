#include "visible_events.h"

#include "internal.h"
#include "local_eclipse.h"
#include "scene.h"

namespace search {
namespace {

bool MoonUp(Second s, const TObserverCoordinates& site, TimeModel model) {
  return geometry::MoonAltitudeAt(astro::TInstant::At(s), site, model) > 0;
}

std::optional<Second> FirstMoonUp(const TFoundEvent& event, const TObserverCoordinates& site) {
  auto up = [&](Second s) { return MoonUp(s, site, event.Model); };
  if (up(event.Begin)) return event.Begin;
  const std::vector<Second> changes = Changes(event.Begin, event.End, up);
  if (changes.empty()) return std::nullopt;
  return changes.front();  // the Moon's rising
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
