// The exact time model against the Swiss Ephemeris with JPL's DE431 (REFERENCES.md): contacts
// and local circumstances seen from sites, greatest instants over five millennia, and the
// geocentric contacts of the transits in the README. Each test prints its figures.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "delta_t.h"
#include "event_search.h"
#include "local_eclipse.h"
#include "mathe.h"
#include "visible_events.h"

using namespace astro;
using namespace geometry;
using namespace search;

namespace {

constexpr long double ArcsecPerRadian = 206264.806L;

std::vector<std::vector<std::string>> ReadTsv(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream s(line);
    for (std::string f; std::getline(s, f, '\t');) fields.push_back(f);
    rows.push_back(fields);
  }
  return rows;
}

// Seconds from JD 0.0 of "YYYY-MM-DD hh:mm:ss[.s]" UT (Gregorian), by the standard library.
long double SecondsOfText(const std::string& text) {
  int y, mo, d, h, mi;
  double s;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%lf", &y, &mo, &d, &h, &mi, &s) != 6) return NAN;
  const auto days = std::chrono::sys_days(std::chrono::year(y) / mo / d).time_since_epoch().count();
  return (days + 2440587.5L) * 86400 + h * 3600 + mi * 60 + s;  // JD 2440587.5: 1970-01-01
}

struct Figures {
  int N = 0;
  long double Sum = 0, Sum2 = 0, Max = 0;
  void Add(long double d) {
    ++N, Sum += d, Sum2 += d * d;
    Max = std::fmax(Max, std::fabs(d));
  }
  long double Mean() const { return N ? Sum / N : 0; }
  long double Rms() const { return N ? std::sqrt(Sum2 / N) : 0; }
};

// The Sun and the Moon (of the diameter given, Earth radii) seen from the site at a second.
TView SiteView(const TFoundEvent& e, const TObserverCoordinates& site, Second t,
               long double moonDiameter = MoonDiameter) {
  const TInstant at = TInstant::At(t);
  const TSky sky = SkyAt(at, e.Model, e.DeltaTShift);
  BodyVector observer;
  ObserverVector(site, at, observer);
  return ViewAt(at, site, observer, sky.Sun, moonDiameter, sky.Moon);
}

// Greatest points of hybrid eclipses where the reference's central phase lasts about a second:
// the canon's Moon of the 2nd and 3rd contacts covers the Sun there by at most 0.06" (1930) or
// falls 0.50" short of it (1986), measured at every second of the greatest phase; the Moon's
// series is good to a few arc seconds. Their 2nd and 3rd contacts are left out.
bool CentralBelowAccuracy(const std::vector<std::string>& row) {
  return row[1] == "greatest" &&
         (row[0].rfind("1930-04-28", 0) == 0 || row[0].rfind("1986-10-03", 0) == 0);
}

// Separation less the sum (1st, 4th contact) or the difference (2nd, 3rd) of the radii, radians.
long double LimbGap(const TFoundEvent& e, const TObserverCoordinates& site, Second t, int number) {
  const TViewRecord v = SiteView(e, site, t).Record;
  const bool outer = number == 1 || number == 4;
  return v.Separation - (outer ? v.SunRadius + v.OccultorRadius
                               : std::fabs(v.SunRadius - v.OccultorRadius));
}

TEST(ExactModelTest, ContactsSeenFromSites) {
  const char* const columns[] = {"1st", "2nd", "greatest", "3rd", "4th"};
  const int numbers[] = {1, 2, 0, 3, 4};
  Figures figures[2][5];  // 1900-2025, 2026-2100
  Figures deltaTGap;
  std::map<Second, TFoundEvent> events;
  int belowHorizon = 0, missing = 0;
  for (const auto& r : ReadTsv(REFERENCE_DIR "/local_contacts_1900_2100.tsv")) {
    const Second listed = std::llround(SecondsOfText(r[0]));
    if (!events.count(listed)) {
      const TSearchResult found = EventInProgress(listed, TimeModel::Exact);
      ASSERT_TRUE(found.Event && found.Event->Kind == EventKind::SolarEclipse) << r[0];
      events[listed] = *found.Event;
    }
    TFoundEvent event = events[listed];
    const bool late = r[0] >= "2026";
    // After 2025 both Delta T are extrapolations, different by convention: the program then
    // takes the reference's.
    if (late) {
      event.DeltaTShift = std::stold(r[10]) - DeltaTAtJd(JdOf(listed));
      deltaTGap.Add(event.DeltaTShift);
    }
    const TObserverCoordinates site{std::stold(r[3]) * Degree, std::stold(r[2]) * Degree};
    const std::vector<TSiteContact> contacts = SiteContacts(event, site);
    for (int k = 0; k < 5; ++k) {
      const std::string& text = r[5 + k];
      if (text.empty() || ((numbers[k] == 2 || numbers[k] == 3) && CentralBelowAccuracy(r)))
        continue;
      const TSiteContact* c = nullptr;
      for (const TSiteContact& x : contacts)
        if (x.Number == numbers[k]) c = &x;
      if (!c) {
        ++missing;
        std::printf("  no %s contact: %s at %s\n", columns[k], r[0].c_str(), r[1].c_str());
        continue;
      }
      if (c->SunBelowHorizon) {
        ++belowHorizon;
        continue;
      }
      // A grazing contact: the limbs meet so slowly that 1" moves the contact by over 10 s.
      if (numbers[k] != 0) {
        const long double rate = std::fabs(LimbGap(event, site, c->At + 30, numbers[k]) -
                                           LimbGap(event, site, c->At - 30, numbers[k])) / 60;
        if (rate * ArcsecPerRadian < 0.1L) {
          std::printf("  grazing, left out: %s contact %s at %s (%.3f\"/s)\n", columns[k],
                      r[0].c_str(), r[1].c_str(), static_cast<double>(rate * ArcsecPerRadian));
          continue;
        }
      }
      figures[late][k].Add(c->At - SecondsOfText(text));
    }
  }
  std::printf("  reference's Delta T less the program's after 2025: mean %+.1f s (%d)\n",
              static_cast<double>(deltaTGap.Mean()), deltaTGap.N);
  std::printf("  contacts below the horizon in the program, left out: %d\n", belowHorizon);
  for (int late = 0; late < 2; ++late)
    for (int k = 0; k < 5; ++k) {
      const Figures& f = figures[late][k];
      std::printf("  %s %-8s n %3d  mean %+6.2f s  rms %5.2f s  largest %5.1f s\n",
                  late ? "2026-2100" : "1900-2025", columns[k], f.N,
                  static_cast<double>(f.Mean()), static_cast<double>(f.Rms()),
                  static_cast<double>(f.Max));
      if (late) continue;
      EXPECT_GT(f.N, 20) << columns[k];
      EXPECT_LE(std::fabs(f.Mean()), 2) << columns[k];
      EXPECT_LE(f.Rms(), 5) << columns[k];
      EXPECT_LE(f.Max, 15) << columns[k];
    }
  EXPECT_EQ(missing, 0);
}

// The central phase around the greatest instant at the site for a Moon of the radius given
// (Earth radii), from its first to its last second.
Second CentralSeconds(const TFoundEvent& e, const TObserverCoordinates& site, Second greatest,
                      long double moonRadius) {
  auto inside = [&](Second t) {
    const ViewCode code = SiteView(e, site, t, 2 * moonRadius).Record.Code;
    return code == ViewCode::BodyOnSun || code == ViewCode::SunCovered;
  };
  if (!inside(greatest)) return 0;
  Second ends[2];
  for (int side = 0; side < 2; ++side) {
    Second in = greatest, out = greatest + (side ? 7200 : -7200);  // none lasts two hours
    while (std::llabs(out - in) > 1) {
      const Second mid = in + (out - in) / 2;
      (inside(mid) ? in : out) = mid;
    }
    ends[side] = in;
  }
  return ends[1] - ends[0];
}

TEST(ExactModelTest, LocalCircumstancesAtSites) {
  // The 2nd and 3rd contacts take the eclipse canons' smaller Moon (MoonCentralRadius), as the
  // reference does; with the Moon of the magnitudes (0.2725) totality came out 3.2 s longer and
  // annularity 5.9 s shorter on average. The program counts whole seconds from the first to
  // the last, 1 s short on average.
  // Rows that miss, with the reason measured in the program at the site. The Moon's series
  // is good to a few arc seconds (section Accuracy).
  const std::map<std::pair<std::string, std::string>, const char*> exceptions = {
      {{"1927-01-03", "greatest"},
       "hybrid: the umbra is 1.0 km wide there, the site 0.3 km inside its edge"},
      {{"1930-04-28", "greatest"},
       "hybrid: totality of 1.4 s in the reference; the canon's Moon covers the Sun there by "
       "0.06\" at most"},
      {{"1986-10-03", "greatest"},
       "hybrid: totality of 0.1 s in the reference; the canon's Moon falls 0.50\" short of "
       "covering the Sun there"},
      {{"1988-09-11", "Nairobi"},
       "15 km inside the antumbra's edge (across the shadow): 0.1\" across the path moves "
       "annularity by 0.85 s"},
      {{"2010-01-15", "Nairobi"},
       "65 km inside the antumbra's edge, 52\" off its axis: 0.1\" across the path moves "
       "annularity by 0.46 s"},
      {{"2012-05-20", "Dallas"},
       "6.4 km inside the antumbra's edge (across the shadow): 0.1\" across the path moves "
       "annularity by 1.2 s"},
  };
  const char* const phaseNames[] = {"none", "partial", "annular", "total"};
  std::map<Second, TFoundEvent> events;
  int compared = 0, passed = 0, onHorizon = 0, excepted = 0;
  long double largestMagnitude = 0, largestObscuration = 0;
  Figures canon;
  for (const auto& r : ReadTsv(REFERENCE_DIR "/local_contacts_1900_2100.tsv")) {
    if (r[0] >= "2026") continue;
    const Second listed = std::llround(SecondsOfText(r[0]));
    if (!events.count(listed)) {
      const TSearchResult found = EventInProgress(listed, TimeModel::Exact);
      ASSERT_TRUE(found.Event && found.Event->Kind == EventKind::SolarEclipse) << r[0];
      events[listed] = *found.Event;
    }
    const TFoundEvent& e = events[listed];
    const TObserverCoordinates site{std::stold(r[3]) * Degree, std::stold(r[2]) * Degree};
    const TLocalEclipse local = LocalEclipse(e, site);
    ASSERT_FALSE(local.Contacts.empty()) << r[0] << " at " << r[1];
    Second greatest = 0;
    for (const TSiteContact& c : local.Contacts)
      if (c.Number == 0) greatest = c.At;
    const TLocalPhase atGreatest = LocalPhaseOf(SiteView(e, site, greatest).Record);
    const long double magnitude = std::stold(r[11]), obscuration = std::stold(r[13]),
                      central = std::stold(r[14]);
    const bool partial = r[4] == "partial";
    std::string misses;
    if (phaseNames[static_cast<int>(local.Phase)] != r[4])
      misses += std::string(" phase ") + phaseNames[static_cast<int>(local.Phase)];
    if (!local.Visible) misses += " not visible";
    // Sunrise and sunset: the first and the last second with the Sun's centre up.
    if (local.Sunrise) {
      EXPECT_FALSE(SiteView(e, site, *local.Sunrise).SunBelowHorizon) << r[0] << " " << r[1];
      EXPECT_TRUE(SiteView(e, site, *local.Sunrise - 1).SunBelowHorizon) << r[0] << " " << r[1];
    }
    if (local.Sunset) {
      EXPECT_FALSE(SiteView(e, site, *local.Sunset).SunBelowHorizon) << r[0] << " " << r[1];
      EXPECT_TRUE(SiteView(e, site, *local.Sunset + 1).SunBelowHorizon) << r[0] << " " << r[1];
    }
    if (local.StrongestSeen != greatest) {
      // The strongest phase seen comes as the Sun rises or sets, and the reference keeps the
      // Sun up longer: of the 26 such rows whose magnitudes differ by more than 0.005, 21 give
      // the program's magnitude at a Sun's altitude of -0.33 to -0.38 degrees, the other five
      // (Reykjavik 1913, 1916, 1986, 1998, Madrid 1916) at -0.5 to -3.3 degrees. So there its
      // magnitude must lie between the program's at the horizon and at the greatest instant.
      ++onHorizon;
      if (magnitude < local.Magnitude - 0.005L || magnitude > atGreatest.Magnitude + 0.005L)
        misses += " magnitude";
      if (partial && (obscuration < local.Obscuration - 0.01L ||
                      obscuration > atGreatest.Obscuration + 0.01L))
        misses += " obscuration";
    } else {
      const long double dm = std::fabs(local.Magnitude - magnitude);
      largestMagnitude = std::fmax(largestMagnitude, dm);
      if (dm > 0.005L) misses += " magnitude";
      if (partial) {
        const long double d = std::fabs(local.Obscuration - obscuration);
        largestObscuration = std::fmax(largestObscuration, d);
        if (d > 0.01L) misses += " obscuration";
      }
    }
    // The central phase counts whether the Sun is up or not, in the reference too.
    EXPECT_EQ(local.CentralSeconds, CentralSeconds(e, site, greatest, MoonCentralRadius)) << r[0];
    if (local.CentralSeconds > 0 || central > 0) {
      const long double d = local.CentralSeconds - central;
      canon.Add(d);
      if (std::fabs(d) > 3) {
        char text[32];
        std::snprintf(text, sizeof text, " central %+.1f s", static_cast<double>(d));
        misses += text;
      }
    }
    ++compared;
    const auto exception = exceptions.find({r[0].substr(0, 10), r[1]});
    if (misses.empty()) {
      ++passed;
      EXPECT_EQ(exception, exceptions.end()) << r[0] << " at " << r[1] << " no longer misses";
    } else if (exception != exceptions.end()) {
      ++excepted;
      std::printf("  listed: %s at %s:%s (%s)\n", r[0].c_str(), r[1].c_str(), misses.c_str(),
                  exception->second);
    } else {
      ADD_FAILURE() << r[0] << " at " << r[1] << ":" << misses;
    }
  }
  std::printf("  1900-2025: %d rows, %d agree, %d listed; %d with the Sun on the horizon\n",
              compared, passed, excepted, onHorizon);
  std::printf("  largest difference: magnitude %.4f, obscuration %.4f (partial)\n",
              static_cast<double>(largestMagnitude), static_cast<double>(largestObscuration));
  std::printf("  central phase: n %d  mean %+.2f s  rms %.2f s  largest %.1f s\n", canon.N,
              static_cast<double>(canon.Mean()), static_cast<double>(canon.Rms()),
              static_cast<double>(canon.Max));
  EXPECT_EQ(compared, 340);
}

TEST(ExactModelTest, GreatestInstantsInTT) {
  Figures before, early, recent;
  for (const auto& r : ReadTsv(REFERENCE_DIR "/greatest_-2000_3000.tsv")) {
    const long double ut = std::stold(r[2]), tt = std::stold(r[3]);
    const EventKind kind = r[0] == "solar" ? EventKind::SolarEclipse : EventKind::LunarEclipse;
    // The first eclipse of the kind that begins after a quarter day before the listed one.
    std::optional<TFoundEvent> e = NextEvent(SecondOf(ut - 0.25L), TimeModel::Exact).Event;
    while (e && e->Kind != kind && JdOf(e->Begin) < ut)
      e = NextEvent(e->Begin, TimeModel::Exact).Event;
    ASSERT_TRUE(e && e->Kind == kind) << r[0] << " " << r[2];
    const long double greatest = JdOf(e->Greatest);
    const long double d = (greatest + DeltaTAtJd(greatest) / SecondsPerDay - tt) * SecondsPerDay;
    const long double year = 2000 + (ut - 2451545) / 365.25L;
    (year < -1000 ? before : year < 500 ? early : recent).Add(d);
    if (year >= -1000) {
      EXPECT_LE(std::fabs(d), year >= 500 ? 120 : 300) << r[0] << " " << r[2];
    }
  }
  const std::pair<const char*, const Figures*> eras[] = {
      {"-2000 to -1001", &before}, {"-1000 to 499", &early}, {"500 to 3000", &recent}};
  for (const auto& [name, f] : eras)
    std::printf("  %-15s n %3d  mean %+7.1f s  rms %6.1f s  largest %6.1f s\n", name, f->N,
                static_cast<double>(f->Mean()), static_cast<double>(f->Rms()),
                static_cast<double>(f->Max));
}

TEST(ExactModelTest, GeocentricContactsOfTransits) {
  // Published geocentric first and last contacts (the table in the README's Accuracy section),
  // within 30 s but where the series' own error is larger: near inferior conjunction 1" of
  // Venus or of the Sun moves a contact by 15 s, and the series err by a few arc seconds there.
  // Mercury 2003 is published to the minute, which adds 30 s.
  const struct {
    const char* Name;
    const char *First, *Last;
    long double FirstBound, LastBound;  // seconds
  } transits[] = {
      {"Mercury 2003", "2003-05-07 05:13:00", "2003-05-07 10:32:00", 60, 60},
      {"Venus 2004", "2004-06-08 05:13:29", "2004-06-08 11:25:59", 45, 30},   // I: -42 s
      {"Venus 2012", "2012-06-05 22:09:38", "2012-06-06 04:49:35", 30, 62},   // IV: -58 s
      {"Mercury 2016", "2016-05-09 11:12:19", "2016-05-09 18:42:28", 30, 30},
  };
  for (const auto& t : transits) {
    const long double first = SecondsOfText(t.First), last = SecondsOfText(t.Last);
    const TSearchResult found = EventInProgress(std::llround((first + last) / 2), TimeModel::Exact);
    ASSERT_TRUE(found.Event) << t.Name;
    const std::vector<TSiteContact> c = CentreContacts(*found.Event);
    ASSERT_EQ(c.size(), 5u) << t.Name;
    const long double dFirst = c.front().At - first, dLast = c.back().At - last;
    std::printf("  %-13s I %+5.1f s  IV %+5.1f s\n", t.Name, static_cast<double>(dFirst),
                static_cast<double>(dLast));
    EXPECT_LE(std::fabs(dFirst), t.FirstBound) << t.Name;
    EXPECT_LE(std::fabs(dLast), t.LastBound) << t.Name;
  }
}

}  // namespace

TEST(ExactModelTest, ShiftNFromEachCityFindsTheEclipsesListedThere) {
  // The reference lists every other solar eclipse of 1900-2025 at each of ten cities where it
  // can be seen. Walking with Shift+N from 1900 must find each listed one whose first and fourth
  // contact are both up there, and no eclipse of the reference that it does not list there.
  // Rows with a contact below the horizon may be found or not: the reference leaves such
  // contacts out, so its rows do not say whether the Sun is up at some instant between.
  std::vector<Second> eclipses;  // the greatest instants the reference covers
  std::map<std::string, std::map<Second, bool>> listed;  // city: eclipse, both contacts up
  std::map<std::string, TObserverCoordinates> cities;
  for (const auto& r : ReadTsv(REFERENCE_DIR "/local_contacts_1900_2100.tsv")) {
    if (r[0] >= "2026") continue;
    const Second greatest = std::llround(SecondsOfText(r[0]));
    if (eclipses.empty() || eclipses.back() != greatest) eclipses.push_back(greatest);
    if (r[1] == "greatest") continue;
    cities[r[1]] = {std::stold(r[3]) * Degree, std::stold(r[2]) * Degree};
    listed[r[1]][greatest] = !r[5].empty() && !r[9].empty();
  }
  const Second from = std::llround(SecondsOfText("1900-01-01 00:00:00"));
  const Second end = std::llround(SecondsOfText("2026-01-01 00:00:00"));
  int found = 0, partlyUpFound = 0, partlyUp = 0;
  for (const auto& [city, site] : cities) {
    std::map<Second, bool> seen;
    for (auto v = NextVisibleEvent(from, site, TimeModel::Exact, end); v;
         v = NextVisibleEvent(v->FirstVisible, site, TimeModel::Exact, end)) {
      if (v->Event.Kind != EventKind::SolarEclipse) continue;
      for (const Second g : eclipses)
        if (std::llabs(g - v->Event.Greatest) < 3600) seen[g] = true;
    }
    for (const auto& [eclipse, bothUp] : listed[city]) {
      if (bothUp) {
        EXPECT_TRUE(seen.count(eclipse)) << city << " " << eclipse << " not found";
      }
      partlyUp += !bothUp;
      partlyUpFound += !bothUp && seen.count(eclipse);
    }
    for (const auto& [eclipse, yes] : seen)
      EXPECT_TRUE(listed[city].count(eclipse)) << city << " " << eclipse << " found, not listed";
    found += seen.size();
  }
  std::printf("Shift+N from 1900 at %zu cities: %d listed eclipses found; of the %d rows with a "
              "contact below the horizon %d found\n",
              cities.size(), found, partlyUp, partlyUpFound);
}
