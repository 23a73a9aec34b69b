// Which event is in progress at one instant, and how an observer sees it. Pure functions:
// values in, values out.
#pragma once
#include "bodies.h"

namespace geometry {
enum class EventKind : int {
  SolarEclipse = 0,
  MercuryTransit = 1,
  VenusTransit = 2,
  LunarEclipse = 3,
  None = 4,
};

// The class of a solar event for the Earth as a whole (transits: 1, 2 or 4 only).
enum class EventCode : int {
  None = 0,
  Partial = 1,            // only the penumbra reaches the Earth
  NonCentralAnnular = 2,  // the axis misses the Earth, the antumbra does not
  NonCentralTotal = 3,    // the axis misses the Earth, the umbra does not
  CentralAnnular = 4,
  CentralTotal = 5,
};

// The phase an observer sees.
enum class ViewCode : int {
  Apart = 0,       // the discs do not overlap
  Partial = 1,
  BodyOnSun = 4,   // the body wholly on the Sun's disc (annular phase, a planet in transit)
  SunCovered = 5,  // total phase
};

// How deep the Moon stands in the Earth's shadow; None also on the penumbra's very edge.
enum class LunarPhase : int { None = 0, Penumbral = 1, Partial = 2, Total = 3 };

struct TEventType {
  EventCode Code = EventCode::None;
  long double Longitude = 0;  // of the shadow-axis point, radians, (-pi, pi]
  long double Latitude = 0;   // geodetic, radians
};

struct TShadowRecord {
  long double MoonRadius = 0, UmbraRadius = 0, PenumbraRadius = 0, Separation = 0,
              PositionAngle = 0;
};

struct TViewRecord {
  TObserverCoordinates Site;
  ViewCode Code = ViewCode::Apart;
  long double OccultorRadius = 0, SunRadius = 0, Separation = 0, PositionAngle = 0;
};

// The event at an instant, for the Earth as a whole.
struct TEvent {
  EventKind Kind = EventKind::None;
  TEventType Type;            // a solar eclipse or transit: its class and the axis point
  TShadowRecord Shadow;       // a lunar eclipse: the Moon in the Earth's shadow
  LunarPhase Phase = LunarPhase::None;  // a lunar eclipse: its phase, named by the text
  // The body before the Sun or in the shadow; no body (zero vector) without an event.
  long double OccultorDiameter = 0;
  BodyVector Occultor;
};

// The phase an observer sees, with the numbers eclipse tables give for it.
enum class LocalPhase : int { None = 0, Partial = 1, Annular = 2, Total = 3 };
struct TLocalPhase {
  LocalPhase Phase = LocalPhase::None;  // Annular: the body wholly on the Sun (also a transit)
  // The fraction of the Sun's diameter covered; while one disc lies wholly within the other,
  // the ratio of the body's apparent diameter to the Sun's instead.
  long double Magnitude = 0;
  long double Obscuration = 0;  // the fraction of the Sun's disc (area) covered
};

// The observer's view of the Sun and the body before it at an instant.
struct TView {
  TViewRecord Record;
  long double SunAltitude = 0;  // degrees
  bool SunBelowHorizon = false;
  bool SunAltitudeValid = false;
  long double MoonAltitude = 0;  // degrees, seen from the site (with the Moon's parallax)
};

// The altitude in degrees of a direction of the equatorial frame seen from the site at the
// instant (no refraction).
long double AltitudeOf(const BodyVector& direction, const TObserverCoordinates& site,
                       const astro::TInstant& at);

// The event at the instant of the sky: the Moon first, then Mercury, then Venus.
TEvent EventAt(const TSky& sky);
// The eclipse the Moon makes at the instant, if any: what EventAt reports whenever it reports
// an eclipse, and no planet is needed for it.
TEvent MoonEventAt(const TSky& sky);
// The test for one body: kind, class and axis point of a solar event, or the shadow geometry.
// Whenever the body's shadow reaches the Earth the kind is SolarEclipse, whatever the body:
// EventAt names a planet's event a transit.
TEvent TestOccultor(const astro::TInstant& at, BodyVector sun, BodyVector occ,
                    long double sunDiameter, long double occultorDiameter);
// The Moon in the Earth's shadow: kind (lunar eclipse or none), shadow radii, text.
TEvent LunarEclipseGeometry(BodyVector moonDir, BodyVector shadowDir, long double separation,
                           long double moonDistance, long double sunDistance);
// The view from an observer at `observer` (zero: the Earth's centre) on the site `site`.
// `centralDiameter` (0: the body's own) decides whether one disc lies within the other.
TView ViewAt(const astro::TInstant& at, const TObserverCoordinates& site,
             const BodyVector& observer, const BodyVector& sun,
            long double occultorDiameter, const BodyVector& occ,
            long double centralDiameter = 0);
// The diameter that decides the central phase: in times as they happen the Moon of the
// eclipse canons for a solar eclipse (as published tables count totality and annularity),
// otherwise the body's own (0).
long double CentralDiameter(EventKind kind, astro::TimeModel model);
// Phase, magnitude and obscuration of a view as ViewAt measures it (the phase is its code's).
TLocalPhase LocalPhaseOf(const TViewRecord& view);
}  // namespace geometry
