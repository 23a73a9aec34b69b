// The table of the events seen from a place, for worksheets and scripts, without a window:
//   syzygy --ereignisse PLACE [FROM [TO]] [--tsv] [--modell=exakt|original]
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "astr_rout.h"
#include "instant.h"
#include "vectors.h"

namespace driver {
struct EventTableRequest {
  std::string Place;  // as typed
  geometry::TObserverCoordinates Site;
  astro::TCalendarDate From, To;  // both days included
  bool Tsv = false;
  astro::TimeModel Model = astro::TimeModel::Exact;  // tables are compared with published ones
};

// A place typed as "latitude,longitude" (degrees, north and east positive).
std::optional<geometry::TObserverCoordinates> CoordinatesOfText(const std::string& text);
// A date typed as "12.8.2026" or "2026-08-12" (years -9999 to 9999, the date must exist).
std::optional<astro::TCalendarDate> DateOfText(const std::string& text);

// Reads the arguments after "--ereignisse". A place that is no pair of coordinates is looked up
// by `lookUp`; FROM is `today` and TO ten years on unless given. Nothing, and the German reason
// in `error`, when the arguments are wrong.
std::optional<EventTableRequest> ReadEventTableRequest(
    const std::vector<std::string>& arguments, const astro::TCalendarDate& today,
    const std::function<std::optional<geometry::TObserverCoordinates>(const std::string&)>& lookUp,
    std::string& error);

// Writes the table line by line (a header line first for TSV); stops, false, when `write`
// fails (a closed pipe).
bool WriteEventTable(const EventTableRequest& request,
                     const std::function<bool(const std::string&)>& write);

// syzygy --ereignisse ...: the table on standard output, or a German message on standard error
// and status 2.
int RunEventTable(const std::string& program, const std::vector<std::string>& arguments);
}  // namespace driver
