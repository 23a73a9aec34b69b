// The event and the sky at a second as the cursor keys see them: the driver's date and clock,
// the whole sky, the screen's classification.
#pragma once
#include "event_search.h"

inline geometry::TSky SkyShown(search::Second s) {
  return geometry::SkyAt(astro::TInstant::At(s));
}

inline geometry::TEvent Shown(search::Second s) {
  return geometry::EventAt(SkyShown(s));
}
