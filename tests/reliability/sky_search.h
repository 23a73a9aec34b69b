// The sky at one instant computed as the driver does it, and a search for instants with an
// event in progress (to reach the drawing path at any year).
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "astr_rout.h"
#include "bodies.h"
#include "events.h"
#include "scene.h"
#include "mathe.h"
#include "vectors.h"

using namespace astro;
using namespace geometry;

struct Instant {
  TCalendarDate Date;
  long double Clock = 1;  // UT + 1 h, H.MM
};

inline std::string Describe(const Instant& t, const TObserverCoordinates& site = {}) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%d.%d.%d clock %.4Lf, site lat %Lg lon %Lg", t.Date.Day,
                t.Date.Month, t.Date.Year, t.Clock, site.Latitude / Degree,
                site.Longitude / Degree);
  return buffer;
}

// All the screen shows of one instant, from the Earth's centre when site is null.
using InstantResult = TScene;
inline InstantResult ComputeSkyAt(const Instant& t, const TObserverCoordinates* site) {
  return SceneAt(TInstant::OfClock(t.Date, t.Clock), site ? *site : TObserverCoordinates{},
                 site != nullptr, TimeModel::Program);
}

// Steps two hours at a time from 1 January of the year, for `days` days, and returns the first
// instants (at most `wanted`, at least 20 days apart) with an event in progress.
inline std::vector<Instant> FindEvents(int year, int wanted, int days) {
  std::vector<Instant> found;
  const long double start = JulianDay(TCalendarDate{1, 1, year}, 1.0L);
  for (long double jd = start; jd < start + days && static_cast<int>(found.size()) < wanted;
       jd += 2.0L / 24) {
    Instant t;
    CalendarDate(jd, t.Date, t.Clock);
    if (ComputeSkyAt(t, nullptr).Event.Kind != EventKind::None) {
      found.push_back(t);
      jd += 20;
    }
  }
  return found;
}
