// Events as one place sees them: whether and from when an eclipse or transit can be seen there,
// and the next or previous one that can.
#pragma once
#include <optional>

#include "event_search.h"

namespace search {

// The first second at which the event can be seen from the site: a solar eclipse or transit
// while the discs meet there with the Sun up, a lunar eclipse while the Moon is in the penumbra
// or the umbra and above the horizon there. Nothing when it cannot be seen at all.
std::optional<Second> FirstVisibleSecond(const TFoundEvent& event, const TObserverCoordinates& site);

struct TVisibleEvent {
  TFoundEvent Event;
  Second FirstVisible = 0;
};

// The next event whose first visible second lies after `from` (an event in progress counts when
// its visible part is still to come), or the latest one whose first visible second lies before
// it; the search gives up at `limit` (a second beyond which no event may begin).
std::optional<TVisibleEvent> NextVisibleEvent(Second from, const TObserverCoordinates& site,
                                              TimeModel model, Second limit);
std::optional<TVisibleEvent> PreviousVisibleEvent(Second from, const TObserverCoordinates& site,
                                                  TimeModel model, Second limit);
}  // namespace search
