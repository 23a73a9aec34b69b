// The event and the sky at a second as the cursor keys see them: the driver's date and clock,
// the whole sky, the screen's classification.
#pragma once
#include "event_search.h"

inline geometry::TSky SkyShown(search::Second s) {
  return geometry::SkyAt((search::InstantOf(s).Jd - 2451545.0L) / 36525);
}

inline geometry::TEvent Shown(search::Second s) {
  const search::TInstant at = search::InstantOf(s);
  return geometry::EventAt(SkyShown(s), at.Date, at.Clock);
}
