// The panel of contact times of the event on the screen: rows composed by pure functions from
// what the search finds, kept in the driver's state until the instant or the site changes.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "event_search.h"
#include "event_text.h"
#include "local_eclipse.h"

namespace driver {
// "1 min 45 s": the length of a central phase.
std::string DurationText(search::Second seconds);
// "12.8.2026 17:31:05 UT": the UT date and time of a whole second.
std::string ContactTimeText(search::Second s);

// The panel's rows, from row 0 down: the Earth-wide phases of the event under a heading that
// names the time model they were found in (none: one row saying there is no event) and, when
// `site` is given, what is seen there: the contacts, the greatest phase's magnitude and
// obscuration, the length of totality or annularity, sunrise or sunset during the event.
// Absent phases and contacts have no row; contacts with the Sun below the horizon are
// warnings. For a lunar eclipse seen from `lunarSite` each phase gives the Moon's altitude
// there, a warning when it is below the horizon.
std::vector<geometry::TextRow> ContactRows(
    const std::optional<search::TEarthContacts>& earth, const search::TLocalEclipse* site,
    const geometry::TObserverCoordinates* lunarSite = nullptr);

// The rows as they were found, and for which instant and site.
struct ContactPanelRows {
  bool Found = false;
  search::Second At = 0;
  astro::TimeModel Model = astro::TimeModel::Program;
  bool Site = false;
  long double Latitude = 0, Longitude = 0;
  std::vector<geometry::TextRow> Rows;
};

// Brings the rows to the instant `at` and the site (none: geocentric), searching only when
// either differs from what they were found for.
void UpdateContactRows(ContactPanelRows& panel, search::Second at, astro::TimeModel model,
                       bool site, const geometry::TObserverCoordinates& coordinates);
}  // namespace driver
