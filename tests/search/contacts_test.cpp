// Contact times: where the phases change as the cursor keys see them, and the changes found
// for the seven prepared events by the accuracy test's own bisection.
#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <algorithm>

#include "event_search.h"
#include "mathe.h"
#include "shown.h"

using namespace astro;
using namespace geometry;
using namespace search;

namespace {

long double Jd(int y, int mo, int d, int h, int mi, long double s) {
  TCalendarDate date{d, mo, y};
  return JulianDay(date, 1) + (h * 3600 + mi * 60 + s) / 86400;  // clock 1.00 is 0 h UT
}


int LunarPhaseShown(Second s) {
  const TEvent e = Shown(s);
  if (e.Kind != EventKind::LunarEclipse) return 0;
  return std::max(1, static_cast<int>(e.Phase));  // the penumbra's very edge counts as penumbral
}

// The phase holds from `begin` and not a second earlier, up to `end` and not a second later.
void ExpectStraddles(const std::function<bool(Second)>& holds, Second begin, Second end,
                     const std::string& what) {
  EXPECT_FALSE(holds(begin - 1)) << what;
  EXPECT_TRUE(holds(begin)) << what;
  EXPECT_TRUE(holds(end)) << what;
  EXPECT_FALSE(holds(end + 1)) << what;
}

void ExpectEarthContactsStraddle(const TEarthContacts& c) {
  const EventKind kind = c.Event.Kind;
  ExpectStraddles([&](Second s) { return Shown(s).Kind == kind; }, c.Event.Begin, c.Event.End,
                  "event");
  if (c.CentralBegin)
    ExpectStraddles([&](Second s) { return Shown(s).Type.Code >= EventCode::CentralAnnular; },
                    *c.CentralBegin, *c.CentralEnd, "central");
  if (c.PartialBegin)
    ExpectStraddles([](Second s) { return LunarPhaseShown(s) >= 2; }, *c.PartialBegin,
                    *c.PartialEnd, "umbra");
  if (c.TotalBegin)
    ExpectStraddles([](Second s) { return LunarPhaseShown(s) == 3; }, *c.TotalBegin,
                    *c.TotalEnd, "total");
}

// The prepared events, the changes of the README's accuracy table: published UT plus the
// change in minutes (two decimals, so within 0.3 s), and the contact that must match.
struct TableRow {
  const char* Name;
  int Year, Month, Day, Hour, Minute, Second;
  double ChangeMinutes;
  char Contact;  // B, E: the event; P, Q: the umbral phase; T, U: totality
};

const TableRow Table[] = {
    {"Mercury 2003 I", 2003, 5, 7, 5, 13, 0, 3.36, 'B'},
    {"Mercury 2003 IV", 2003, 5, 7, 10, 32, 0, 8.85, 'E'},
    {"Venus 2004 I", 2004, 6, 8, 5, 13, 29, -0.91, 'B'},
    {"Venus 2004 IV", 2004, 6, 8, 11, 25, 59, 11.59, 'E'},
    {"Venus 2012 I", 2012, 6, 5, 22, 9, 38, -0.72, 'B'},
    {"Venus 2012 IV", 2012, 6, 6, 4, 49, 35, 12.12, 'E'},
    {"Mercury 2016 I", 2016, 5, 9, 11, 12, 19, 4.12, 'B'},
    {"Mercury 2016 IV", 2016, 5, 9, 18, 42, 28, 6.91, 'E'},
    {"Lunar 2015 P1", 2015, 9, 28, 0, 11, 47, -0.34, 'B'},
    {"Lunar 2015 U1", 2015, 9, 28, 1, 7, 12, 0.74, 'P'},
    {"Lunar 2015 U2", 2015, 9, 28, 2, 11, 11, 0.64, 'T'},
    {"Lunar 2015 U3", 2015, 9, 28, 3, 23, 5, 1.77, 'U'},
    {"Lunar 2015 U4", 2015, 9, 28, 4, 27, 3, 1.69, 'Q'},
    {"Lunar 2015 P4", 2015, 9, 28, 5, 22, 27, 2.80, 'E'},
    {"Lunar 2017 P1", 2017, 8, 7, 15, 50, 14, -1.16, 'B'},
    {"Lunar 2017 U1", 2017, 8, 7, 17, 22, 55, 0.53, 'P'},
    {"Lunar 2017 U4", 2017, 8, 7, 19, 18, 0, 1.70, 'Q'},
    {"Lunar 2017 P4", 2017, 8, 7, 20, 50, 41, 3.26, 'E'},
};

TEST(Contacts, PreparedEventsChangeWhereTheAccuracyTableSays) {
  for (const TableRow& row : Table) {
    const long double change =
        Jd(row.Year, row.Month, row.Day, row.Hour, row.Minute, row.Second) +
        row.ChangeMinutes / 1440;
    // Asked a minute inside the phase.
    const bool first = row.Contact == 'B' || row.Contact == 'P' || row.Contact == 'T';
    const auto found = EventInProgress(SecondOf(change + (first ? 1 : -1) / 1440.0L));
    ASSERT_TRUE(found.Event) << row.Name;
    const TEarthContacts c = EarthContacts(*found.Event);
    ExpectEarthContactsStraddle(c);
    std::optional<Second> contact;
    switch (row.Contact) {
      case 'B': contact = c.Event.Begin; break;
      case 'E': contact = c.Event.End; break;
      case 'P': contact = c.PartialBegin; break;
      case 'Q': contact = c.PartialEnd; break;
      case 'T': contact = c.TotalBegin; break;
      case 'U': contact = c.TotalEnd; break;
    }
    ASSERT_TRUE(contact) << row.Name;
    // The first second of a phase lies up to a second after the change, the last one before.
    EXPECT_NEAR(static_cast<double>(JdOf(*contact) - change) * 86400, 0, 1.3) << row.Name;
  }
}

TEST(Contacts, SolarEclipseOf2015IsCentralFrom0914To1018) {
  const auto found = EventInProgress(SecondOf(Jd(2015, 3, 20, 9, 45, 39)));
  ASSERT_TRUE(found.Event);
  const TEarthContacts c = EarthContacts(*found.Event);
  ExpectEarthContactsStraddle(c);
  // The accuracy test's minutes: the eclipse from 07:42:39, central from 09:14:39 to 10:18:39,
  // ending 11:50:39 UT; the changes lie within the minute before a first and after a last one.
  const struct { std::optional<Second> At; long double Minute; int Sign; } rows[] = {
      {c.Event.Begin, Jd(2015, 3, 20, 7, 42, 39), -1}, {c.CentralBegin, Jd(2015, 3, 20, 9, 14, 39), -1},
      {c.CentralEnd, Jd(2015, 3, 20, 10, 18, 39), +1}, {c.Event.End, Jd(2015, 3, 20, 11, 50, 39), +1}};
  for (const auto& r : rows) {
    ASSERT_TRUE(r.At);
    const long double seconds = (JdOf(*r.At) - r.Minute) * 86400 * r.Sign;
    EXPECT_GE(seconds, -0.5L);
    EXPECT_LT(seconds, 60.5L);
  }
  EXPECT_EQ(found.Event->Code, EventCode::CentralTotal);
}

// The total eclipse of 12 August 2026 seen from three sites.
TEST(Contacts, SiteContactsOf12August2026) {
  const auto found = NextEvent(SecondOf(Jd(2026, 8, 1, 0, 0, 0)));
  ASSERT_TRUE(found.Event);
  ASSERT_EQ(found.Event->Kind, EventKind::SolarEclipse);
  const struct { const char* Name; long double Lat, Lon; std::vector<int> Numbers; } sites[] = {
      {"Burgos", 42.34L, -3.70L, {1, 2, 0, 3, 4}},   // in the path of totality
      {"Hannover", 52.37L, 9.73L, {1, 0, 4}},         // partial only
      {"Sydney", -33.87L, 151.21L, {}},               // night: the discs never meet
  };
  for (const auto& site : sites) {
    const TObserverCoordinates place{site.Lon * Degree, site.Lat * Degree};
    const auto contacts = SiteContacts(*found.Event, place);
    std::vector<int> numbers;
    for (const auto& c : contacts) numbers.push_back(c.Number);
    EXPECT_EQ(numbers, site.Numbers) << site.Name;
    for (size_t i = 1; i < contacts.size(); ++i) EXPECT_LT(contacts[i - 1].At, contacts[i].At);
    auto code = [&](Second s) {
      const TInstant at = TInstant::At(s);
      const TSky sky = SkyShown(s);
      BodyVector observer;
      ObserverVector(place, at, observer);
      const TView v = ViewAt(at, place, observer, sky.Sun, MoonDiameter, sky.Moon);
      EXPECT_NEAR(static_cast<double>(v.SunAltitude), 0, 90);
      return v.Record.Code;
    };
    for (const auto& c : contacts) {
      const ViewCode before = code(c.At - 1), at = code(c.At), after = code(c.At + 1);
      const ViewCode expected[5][3] = {
          {ViewCode::SunCovered, ViewCode::SunCovered, ViewCode::SunCovered},  // greatest
          {ViewCode::Apart, ViewCode::Partial, ViewCode::Partial},
          {ViewCode::Partial, ViewCode::SunCovered, ViewCode::SunCovered},
          {ViewCode::SunCovered, ViewCode::SunCovered, ViewCode::Partial},
          {ViewCode::Partial, ViewCode::Partial, ViewCode::Apart}};
      if (c.Number == 0 && numbers.size() == 3) continue;  // a partial phase at its greatest
      EXPECT_EQ(before, expected[c.Number][0]) << site.Name << " " << c.Number;
      EXPECT_EQ(at, expected[c.Number][1]) << site.Name << " " << c.Number;
      EXPECT_EQ(after, expected[c.Number][2]) << site.Name << " " << c.Number;
    }
  }
  // In Burgos the Sun stands low in the west at totality, setting soon after.
  const auto burgos = SiteContacts(*found.Event, {-3.70L * Degree, 42.34L * Degree});
  ASSERT_EQ(burgos.size(), 5u);
  EXPECT_NEAR(static_cast<double>(burgos[2].SunAltitude), 9, 6);
  EXPECT_FALSE(burgos[2].SunBelowHorizon);
}

// From the ends of the years the prompts accept the search answers or gives up, quickly.
TEST(Contacts, SearchFromTheFarYearsEnds) {
  for (const long double jd : {Jd(-9999, 1, 1, 0, 0, 0), Jd(9999, 12, 31, 23, 59, 59)}) {
    for (const auto& r : {NextEvent(SecondOf(jd)), PreviousEvent(SecondOf(jd))}) {
      EXPECT_LT(r.Evaluations, 5000);
      if (r.Event) {
        EXPECT_EQ(Shown(r.Event->Begin).Kind, r.Event->Kind);
      }
    }
  }
}

}  // namespace
