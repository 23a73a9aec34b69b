// Everything the screen, its texts and the contact panel show of one instant, as one value.
#pragma once
#include "events.h"

namespace geometry {
struct TScene {
  TSky Sky;
  TEvent Event;
  BodyVector Observer;  // zero: the Earth's centre
  TView View;           // no altitude seen from the Earth's centre
  // The position angle of the zenith seen from the Sun (radians, (-pi, pi]): how far the
  // horizon system turns the picture.
  long double ZenithAngle = 0;
  // The apparent radii of the Sun seen from the observer and of the Moon seen from the Earth's
  // centre (radians): the central body of a picture without an event.
  long double SunRadius = 0, MoonRadius = 0;
};

// The scene at an instant in a time model, seen from the site or, with `onEarth` false, from the
// Earth's centre (the site then still gives the horizon system its turn).
TScene SceneAt(const astro::TInstant& at, const TObserverCoordinates& site, bool onEarth,
               astro::TimeModel model);

// The Moon's altitude in degrees seen from the site (with its parallax), as the scene gives it.
long double MoonAltitudeAt(const astro::TInstant& at, const TObserverCoordinates& site,
                           astro::TimeModel model);

// The Sun's parallactic angle for hour angle h, declination delta, latitude phi (radians):
// the position angle of the zenith seen from the Sun, in (-pi, pi].
long double ParallacticAngle(long double h, long double delta, long double phi);
}  // namespace geometry
