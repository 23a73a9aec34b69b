// A solar eclipse (or a transit) as one site sees it: its contacts, its strongest phase with
// the numbers eclipse tables give, and whether the Sun is up for it.
#pragma once
#include <optional>
#include <vector>

#include "event_search.h"

namespace search {

struct TLocalEclipse {
  // The 1st to 4th contact and the greatest phase, as SiteContacts gives them (each with the
  // Sun's altitude); empty when the discs do not meet at the site.
  std::vector<TSiteContact> Contacts;
  // The strongest phase seen there and when: at the greatest instant, or, when the Sun is
  // below the horizon then, at its rising or setting (at the greatest instant when it is never
  // up during the eclipse).
  Second StrongestSeen = 0;
  geometry::LocalPhase Phase = geometry::LocalPhase::None;
  long double Magnitude = 0, Obscuration = 0;
  // Totality or annularity, from the 2nd to the 3rd contact, whether the Sun is up or not.
  Second CentralSeconds = 0;
  // The instants the Sun's centre crosses the horizon between the 1st and the 4th contact:
  // the first second it is up, the last second it is up.
  std::optional<Second> Sunrise, Sunset;
  // The discs meet while the Sun is up at some instant (also when it rises or sets eclipsed).
  bool Visible = false;
};

// The local circumstances of a solar eclipse or transit at the site, in the event's time model;
// nothing for a lunar eclipse.
TLocalEclipse LocalEclipse(const TFoundEvent& event, const TObserverCoordinates& site,
                           int* evaluations = nullptr);

}  // namespace search
