#include "scene.h"

#include <cmath>

#include "mathe.h"

namespace geometry {
using namespace astro;

long double ParallacticAngle(long double h, long double delta, long double phi) {
  // Both terms of the textbook quotient times cos(phi) > 0, so that the two-argument
  // arctangent keeps the quadrant: south of the Sun's declination the zenith lies below the
  // Sun's north point, and a one-argument arctangent would turn the picture upside down.
  const long double num = std::sin(h) * std::cos(phi);
  const long double den =
      std::sin(phi) * std::cos(delta) - std::cos(phi) * std::sin(delta) * std::cos(h);
  return ArcTan2(num, den);
}

namespace {
long double MoonAltitudeFrom(const TSky& sky, const BodyVector& observer,
                             const TObserverCoordinates& site, const TInstant& at) {
  BodyVector toMoon;
  VecDiff(sky.Moon, observer, toMoon);
  return AltitudeOf(toMoon, site, at);
}
}  // namespace

long double MoonAltitudeAt(const TInstant& at, const TObserverCoordinates& site,
                           TimeModel model) {
  BodyVector observer;
  ObserverVector(site, at, observer);
  return MoonAltitudeFrom(SunAndMoonAt(at, model), observer, site, at);
}

TScene SceneAt(const TInstant& at, const TObserverCoordinates& site, bool onEarth,
               TimeModel model) {
  TScene scene;
  scene.Sky = SkyAt(at, model);
  scene.Event = EventAt(scene.Sky);
  // The observer turns with the Earth.
  if (onEarth) ObserverVector(site, at, scene.Observer);
  scene.View = ViewAt(at, site, scene.Observer, scene.Sky.Sun, scene.Event.OccultorDiameter,
                      scene.Event.Occultor, CentralDiameter(scene.Event.Kind, model));
  scene.View.SunAltitudeValid = onEarth;
  scene.View.MoonAltitude = MoonAltitudeFrom(scene.Sky, scene.Observer, site, at);
  BodyVector toSun;
  VecDiff(scene.Sky.Sun, scene.Observer, toSun);
  scene.SunRadius = SunRadius / toSun.R;
  scene.MoonRadius = MoonRadius / scene.Sky.Moon.R;
  long double r = 0, alpha = 0, delta = 0;
  RectToSpherical(scene.Sky.Sun.X, scene.Sky.Sun.Y, scene.Sky.Sun.Z, r, alpha, delta);
  scene.ZenithAngle =
      ParallacticAngle(SiderealTime(at, site.Longitude) - alpha, delta, site.Latitude);
  return scene;
}
}  // namespace geometry
