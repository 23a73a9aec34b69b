#include "event_table.h"

#include <csignal>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "city_file.h"
#include "contact_panel.h"
#include "data_files.h"
#include "driver_state.h"
#include "frame_layout.h"
#include "local_eclipse.h"
#include "number_text.h"
#include "text_codec.h"
#include "scene.h"
#include "visible_events.h"

namespace driver {
using namespace astro;
using namespace geometry;
using search::Second;
namespace {

constexpr int32_t YearsAhead = 10;  // the default span of a table, years

// The whole numbers of a text split at `separator`; nothing unless each part is one.
std::optional<std::vector<int32_t>> Numbers(const std::string& text, char separator,
                                            std::size_t count) {
  std::vector<int32_t> numbers;
  std::size_t start = 0;
  // A year may carry a minus: in "-500-01-01" the first separator is the sign.
  const bool leadingMinus = separator == '-' && !text.empty() && text[0] == '-';
  if (leadingMinus) start = 1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = i + 1 < count ? text.find(separator, start) : text.size();
    if (end == std::string::npos || end == start) return std::nullopt;
    int32_t value = 0, position = 0;
    text::TextToInteger(text.substr(start, end - start), value, position);
    if (position != 0) return std::nullopt;
    numbers.push_back(value);
    start = end + 1;
  }
  if (leadingMinus) numbers[0] = -numbers[0];
  return numbers;
}

std::string TimeOf(Second s, const TInstant& day, bool tsv) {
  const TInstant at = TInstant::At(s);
  if (tsv) return UtDateText(at) + " " + UtTimeText(at);
  const TCalendarDate& d = at.UtDate();
  const TCalendarDate& same = day.UtDate();
  const bool sameDay = d.Day == same.Day && d.Month == same.Month && d.Year == same.Year;
  return (sameDay ? "" : UtDateText(at) + " ") + UtTimeText(at);
}

std::string PhaseName(EventKind kind, LocalPhase phase) {
  if (kind == EventKind::MercuryTransit || kind == EventKind::VenusTransit)
    return phase == LocalPhase::Annular ? "ganz vor der Sonne" : "am Sonnenrand";
  return LocalPhaseName(phase);
}

std::string LunarPhaseName(LunarPhase phase) {
  switch (phase) {
    case LunarPhase::Penumbral: return "Halbschatten";
    case LunarPhase::Partial: return "partiell";
    case LunarPhase::Total: return "total";
    default: return "";
  }
}

// One contact: its label, second and the altitude of the Sun (or the Moon) there.
struct Contact {
  const char* Label;
  std::optional<Second> At;
  long double Altitude = 0;
};

// The fields of one row, in the order of the TSV header.
struct Row {
  std::string Date, Kind, Phase, Magnitude, Obscuration, Duration;
  Contact Contacts[5];  // 1st, 2nd, greatest, 3rd, 4th
  std::optional<Second> Sunrise, Sunset;
};

Row SolarRow(const search::TFoundEvent& event, const search::TLocalEclipse& local) {
  Row row;
  row.Kind = EventKindName(event.Kind);
  row.Phase = PhaseName(event.Kind, local.Phase);
  if (event.Kind == EventKind::SolarEclipse) {  // a planet's disc is too small for these
    row.Magnitude = text::PlainNumber(local.Magnitude, 1.3L);
    row.Obscuration = text::PlainNumber(100 * local.Obscuration, 1.1L);
  }
  row.Duration = local.CentralSeconds > 0 ? std::to_string(local.CentralSeconds) : "";
  static const char* const labels[] = {"1. Kontakt", "2. Kontakt", "Maximum", "3. Kontakt",
                                       "4. Kontakt"};
  const int slot[] = {2, 0, 1, 3, 4};  // by contact number: 0 is the greatest phase
  for (int i = 0; i < 5; ++i) row.Contacts[i].Label = labels[i];
  for (const search::TSiteContact& c : local.Contacts)
    row.Contacts[slot[c.Number]] = {labels[slot[c.Number]], c.At, c.SunAltitude};
  row.Sunrise = local.Sunrise, row.Sunset = local.Sunset;
  row.Date = UtDateText(TInstant::At(local.StrongestSeen));
  return row;
}

Row LunarRow(const search::TFoundEvent& event, const TObserverCoordinates& site) {
  const search::TEarthContacts earth = search::EarthContacts(event);
  Row row;
  row.Kind = EventKindName(event.Kind);
  row.Phase = LunarPhaseName(event.Phase);
  if (earth.TotalBegin && earth.TotalEnd)
    row.Duration = std::to_string(*earth.TotalEnd - *earth.TotalBegin);
  const std::optional<Second> at[] = {event.Begin, earth.PartialBegin, event.Greatest,
                                      earth.PartialEnd, event.End};
  static const char* const labels[] = {"Beginn", "Kernschatten", "Mitte", "Kernschatten Ende",
                                       "Ende"};
  for (int i = 0; i < 5; ++i) {
    row.Contacts[i].Label = labels[i];
    row.Contacts[i].At = at[i];
    if (at[i])
      row.Contacts[i].Altitude = MoonAltitudeAt(TInstant::At(*at[i]), site, event.Model);
  }
  row.Date = UtDateText(TInstant::At(event.Greatest));
  return row;
}

std::string Altitude(long double degrees) { return text::PlainNumber(degrees, 1.1L); }

std::string TsvLine(const Row& row, const TInstant& day) {
  std::string line = row.Date + "\t" + row.Kind + "\t" + row.Phase + "\t" + row.Magnitude +
                     "\t" + row.Obscuration + "\t" + row.Duration;
  for (const Contact& c : row.Contacts)
    line += "\t" + (c.At ? TimeOf(*c.At, day, true) : "") + "\t" +
            (c.At ? Altitude(c.Altitude) : "");
  line += "\t" + (row.Sunrise ? TimeOf(*row.Sunrise, day, true) : "");
  line += "\t" + (row.Sunset ? TimeOf(*row.Sunset, day, true) : "");
  return line + "\n";
}

std::string TextLine(const Row& row, const TInstant& day) {
  using text::PaddedText;
  std::string line = PaddedText(row.Date, 11) + PaddedText(row.Kind, 17) + PaddedText(row.Phase, 19);
  line += row.Magnitude.empty() ? PaddedText("", 29)
                                : "Größe " + row.Magnitude + "  Bedeckung " +
                                      PaddedText(row.Obscuration + " %", 8);
  if (!row.Duration.empty()) line += "  Dauer " + DurationText(std::stoll(row.Duration));
  for (const Contact& c : row.Contacts)
    if (c.At)
      line += "  " + std::string(c.Label) + " " + TimeOf(*c.At, day, false) + " (" +
              Altitude(c.Altitude) + "°)";
  if (row.Sunrise) line += "  Sonnenaufgang " + TimeOf(*row.Sunrise, day, false);
  if (row.Sunset) line += "  Sonnenuntergang " + TimeOf(*row.Sunset, day, false);
  return line + "\n";
}

TCalendarDate Today() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  return {utc.tm_mday, utc.tm_mon + 1, utc.tm_year + 1900};
}

}  // namespace

std::optional<TObserverCoordinates> CoordinatesOfText(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
    return std::nullopt;
  long double latitude = 0, longitude = 0;
  int32_t p1 = 0, p2 = 0;
  text::TextToFloat(text.substr(0, comma), latitude, p1);
  text::TextToFloat(text.substr(comma + 1), longitude, p2);
  if (p1 != 0 || p2 != 0 || comma == 0 || comma + 1 == text.size()) return std::nullopt;
  if (!(latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180))
    return std::nullopt;
  return TObserverCoordinates{longitude * Degree, latitude * Degree};
}

std::optional<TCalendarDate> DateOfText(const std::string& text) {
  std::optional<std::vector<int32_t>> n;
  TCalendarDate date;
  if (text.find('.') != std::string::npos) {
    n = Numbers(text, '.', 3);
    if (n) date = {(*n)[0], (*n)[1], (*n)[2]};
  } else {
    n = Numbers(text, '-', 3);
    if (n) date = {(*n)[2], (*n)[1], (*n)[0]};
  }
  if (!n || date.Year < MinYear || date.Year > MaxYear || !DateExists(date)) return std::nullopt;
  return date;
}

std::optional<EventTableRequest> ReadEventTableRequest(
    const std::vector<std::string>& arguments, const TCalendarDate& today,
    const std::function<std::optional<TObserverCoordinates>(const std::string&)>& lookUp,
    std::string& error) {
  EventTableRequest request;
  std::vector<std::string> positional;
  for (const std::string& a : arguments) {
    if (a == "--tsv") {
      request.Tsv = true;
    } else if (a == "--modell=exakt") {
      request.Model = TimeModel::Exact;
    } else if (a == "--modell=original") {
      request.Model = TimeModel::Program;
    } else if (a.rfind("--", 0) == 0) {
      error = "unbekannte Angabe „" + a + "“";
      return std::nullopt;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.empty() || positional.size() > 3) {
    error = positional.empty() ? "der Ort fehlt" : "zu viele Angaben";
    return std::nullopt;
  }
  request.Place = positional[0];
  std::optional<TObserverCoordinates> site = CoordinatesOfText(request.Place);
  if (!site) site = lookUp(request.Place);
  if (!site) {
    error = "unbekannter Ort „" + request.Place +
            "“ (ein Name aus City.dat oder Breite,Länge in Grad)";
    return std::nullopt;
  }
  request.Site = *site;
  request.From = today;
  for (std::size_t i = 1; i < positional.size(); ++i) {
    const std::optional<TCalendarDate> date = DateOfText(positional[i]);
    if (!date) {
      error = "kein Datum der Jahre " + std::to_string(MinYear) + " bis " +
              std::to_string(MaxYear) + ": „" + positional[i] +
              "“ (erwartet wie 12.8.2026 oder 2026-08-12)";
      return std::nullopt;
    }
    (i == 1 ? request.From : request.To) = *date;
  }
  if (positional.size() < 3) {
    // Ten years on, the same day (28 February for 29 February), within the years.
    request.To = request.From;
    request.To.Year = std::min<int32_t>(MaxYear, request.From.Year + YearsAhead);
    if (!DateExists(request.To)) request.To.Day = 28;
  }
  const TInstant from = TInstant::OfClock(request.From, 1.00L);
  const TInstant to = TInstant::OfClock(request.To, 1.00L);
  if (from.Ut() > to.Ut()) {
    error = "der Anfang liegt nach dem Ende";
    return std::nullopt;
  }
  return request;
}

bool WriteEventTable(const EventTableRequest& request,
                     const std::function<bool(const std::string&)>& write) {
  if (request.Tsv &&
      !write("datum\tereignis\tphase\tgroesse\tbedeckung\tdauer_s\tkontakt1\thoehe1\t"
             "kontakt2\thoehe2\tmaximum\thoehe_max\tkontakt3\thoehe3\tkontakt4\thoehe4\t"
             "sonnenaufgang\tsonnenuntergang\n"))
    return false;
  const Second start = TInstant::OfClock(request.From, 1.00L).Ut();
  const Second end = TInstant::OfClock(request.To, 1.00L).Ut() + 86400;  // TO included
  std::optional<search::TFoundEvent> event = search::EventInProgress(start, request.Model).Event;
  if (!event) event = search::NextEvent(start, request.Model).Event;
  while (event && event->Begin < end) {
    std::optional<Row> row;
    if (event->Kind == EventKind::LunarEclipse) {
      if (search::FirstVisibleSecond(*event, request.Site)) row = LunarRow(*event, request.Site);
    } else {
      const search::TLocalEclipse local = search::LocalEclipse(*event, request.Site);
      if (local.Visible) row = SolarRow(*event, local);
    }
    const TInstant day = TInstant::At(event->Greatest);
    if (row && !write(request.Tsv ? TsvLine(*row, day) : TextLine(*row, day))) return false;
    event = search::NextEvent(event->Begin, request.Model).Event;
  }
  return true;
}

int RunEventTable(const std::string& program, const std::vector<std::string>& arguments) {
  std::string error;
  const auto lookUp = [](const std::string& name) -> std::optional<TObserverCoordinates> {
    places::CityLine city;
    const std::string file = FindDataFile("City.dat");
    if (!places::LookUpCity(file, name, city)) return std::nullopt;
    return TObserverCoordinates{city.Longitude * Degree, city.Latitude * Degree};
  };
  const std::optional<EventTableRequest> request =
      ReadEventTableRequest(arguments, Today(), lookUp, error);
  if (!request) {
    std::fputs((program + " --ereignisse: " + error + "\n").c_str(), stderr);
    return 2;
  }
  // A closed pipe ends the table quietly: the write fails, and nothing more is written.
  std::signal(SIGPIPE, SIG_IGN);
  WriteEventTable(*request, [](const std::string& line) {
    return std::fputs(line.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
  });
  return 0;
}
}  // namespace driver
