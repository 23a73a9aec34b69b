// The search against an independent list of every event from 1900 to 2100.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "event_search.h"
#include "shown.h"

using namespace astro;
using namespace geometry;
using namespace search;

namespace {

// Seconds from JD 0.0 of "YYYY-MM-DD hh:mm:ss" UT, by the standard library's calendar.
Second SecondsOfText(const std::string& text) {
  int y, mo, d, h, mi, s;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) return 0;
  const auto days = std::chrono::sys_days(std::chrono::year(y) / mo / d).time_since_epoch().count();
  // JD 2440587.5 is 1970-01-01 00:00 UT.
  return (static_cast<Second>(days) * 86400 + 2440587LL * 86400 + 43200) + h * 3600 + mi * 60 + s;
}

struct Listed {
  std::string Kind, Type;
  Second Greatest;
};

std::vector<Listed> ReadList() {
  std::ifstream in(EVENTS_TSV);
  std::vector<Listed> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    Listed row;
    std::string greatest;
    std::getline(fields, row.Kind, '\t');
    std::getline(fields, row.Type, '\t');
    std::getline(fields, greatest, '\t');
    row.Greatest = SecondsOfText(greatest);
    rows.push_back(row);
  }
  return rows;
}

std::string KindText(EventKind k) {
  switch (k) {
    case EventKind::SolarEclipse: return "solar";
    case EventKind::LunarEclipse: return "lunar";
    case EventKind::MercuryTransit: return "transit-mercury";
    case EventKind::VenusTransit: return "transit-venus";
    default: return "none";
  }
}

std::string TypeText(const TFoundEvent& e) {
  if (e.Kind == EventKind::LunarEclipse)
    return e.Phase == LunarPhase::Total     ? "total"
           : e.Phase == LunarPhase::Partial ? "partial"
                                            : "penumbral";
  if (e.Kind != EventKind::SolarEclipse) return "";
  switch (e.Code) {
    case EventCode::Partial: return "partial";
    case EventCode::NonCentralAnnular:
    case EventCode::CentralAnnular: return "annular";
    default: return "total";
  }
}

constexpr long double ArcsecPerRadian = 206264.806L;
constexpr long double KmPerEarthRadius = 6378.137L;

std::vector<TFoundEvent> Walk(Second from, Second to, int direction) {
  std::vector<TFoundEvent> found;
  for (Second s = from;;) {
    const auto r = direction > 0 ? NextEvent(s) : PreviousEvent(s);
    if (!r.Event || (direction > 0 ? r.Event->Begin >= to : r.Event->Begin < to)) break;
    found.push_back(*r.Event);
    s = r.Event->Begin;
  }
  return found;
}

std::string DateText(Second s) {
  const TInstant at = TInstant::At(s + 3600);  // the clock runs one hour ahead of UT
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", at.Date().Year, at.Date().Month,
                at.Date().Day);
  return text;
}

// Where the program and the list differ, and why. The margin is measured at the program's
// greatest instant and must stay below the bound.
struct Difference {
  const char* Date;  // of the program's greatest instant, UT
  const char* Kind;
  const char* Shown;   // the program's strongest phase ("" when the list has no such event)
  const char* Listed;  // "" when the program finds an event the list does not have
  const char* Why;
  long double Bound;
};

const Difference Differences[] = {
    {"1900-06-13", "lunar", "penumbral", "partial", "Moon misses the umbra by, arcsec", 15},
    {"1927-01-03", "solar", "total", "annular", "hybrid: umbra diameter at the greatest, km", 30},
    {"1928-05-19", "solar", "total", "partial", "non-central: axis misses by, km", 100},
    {"1948-05-09", "solar", "total", "annular", "hybrid: umbra diameter at the greatest, km", 30},
    {"1935-01-05", "solar", "", "partial", "penumbra misses the Earth by, km", 30},
    {"1950-03-18", "solar", "annular", "partial", "non-central: axis misses by, km", 100},
    {"1951-02-21", "lunar", "penumbral", "", "Moon inside the penumbra by, arcsec", 50},
    {"1957-04-30", "solar", "annular", "partial", "non-central: axis misses by, km", 100},
    {"1957-10-23", "solar", "total", "partial", "non-central: axis misses by, km", 100},
    {"1967-11-02", "solar", "total", "partial", "non-central: axis misses by, km", 100},
    {"2014-04-29", "solar", "annular", "partial", "non-central: axis misses by, km", 100},
    {"2016-08-18", "lunar", "penumbral", "", "Moon inside the penumbra by, arcsec", 50},
    {"2042-10-28", "lunar", "penumbral", "", "Moon inside the penumbra by, arcsec", 50},
    {"2043-04-09", "solar", "total", "partial", "non-central: axis misses by, km", 100},
    {"2043-10-03", "solar", "annular", "partial", "non-central: axis misses by, km", 100},
};

// Distance of the Earth's centre from the Moon's shadow axis, the radius of the penumbra there,
// and the umbra's diameter where the axis meets the Earth (> 0: total), in Earth radii (polar
// axis stretched to a sphere). The Sun's and the Moon's diameters are 218.25 and 0.545 Earth
// radii.
void AxisAndShadow(Second t, long double& axis, long double& penumbra, long double& umbra) {
  const TSky sky = SkyShown(t);
  BodyVector p, s, d;
  SetVector(p, sky.Moon.X, sky.Moon.Y, sky.Moon.Z / OneMinusFlattening);
  SetVector(s, sky.Sun.X, sky.Sun.Y, sky.Sun.Z / OneMinusFlattening);
  VecDiff(p, s, d);
  const long double along = -VecDot(p, d) / d.R;
  axis = std::sqrt(p.R * p.R - along * along);
  penumbra = ((SunDiameter + MoonDiameter) * along / d.R + MoonDiameter) / 2;
  const long double surface = along - std::sqrt(std::fmax(0.0L, 1 - axis * axis));
  umbra = MoonDiameter - (SunDiameter - MoonDiameter) * surface / d.R;
}

long double Margin(const Difference& d, const TFoundEvent& e) {
  const TShadowRecord r = Shown(e.Greatest).Shadow;
  const std::string why = d.Why;
  long double axis = 0, penumbra = 0, umbra = 0;
  if (why.starts_with("Moon misses"))
    return (r.Separation - r.UmbraRadius - r.MoonRadius) * ArcsecPerRadian;
  if (why.starts_with("Moon inside"))
    return (r.PenumbraRadius + r.MoonRadius - r.Separation) * ArcsecPerRadian;
  if (why.starts_with("non-central")) {
    AxisAndShadow(e.Greatest, axis, penumbra, umbra);
    return (axis - 1) * KmPerEarthRadius;
  }
  if (why.starts_with("penumbra misses")) {
    long double least = 1e9L;  // within half an hour of the listed instant
    for (Second t = e.Greatest - 1800; t <= e.Greatest + 1800; t += 10) {
      AxisAndShadow(t, axis, penumbra, umbra);
      least = std::min(least, (axis - penumbra - 1) * KmPerEarthRadius);
    }
    return least;
  }
  // Hybrid: the program's central phase is annular at its ends and total around the greatest
  // instant, where the umbra reaches the ground with a small diameter (km).
  const TEarthContacts c = EarthContacts(e);
  bool annular = false;
  for (Second t = c.CentralBegin.value_or(1); t <= c.CentralEnd.value_or(0); t += 60)
    annular = annular || Shown(t).Type.Code == EventCode::CentralAnnular;
  AxisAndShadow(e.Greatest, axis, penumbra, umbra);
  return annular ? umbra * KmPerEarthRadius : -1;
}

const Difference* Explain(const std::string& date, const std::string& kind) {
  for (const auto& x : Differences)
    if (date == x.Date && kind == x.Kind) return &x;
  return nullptr;
}

void CheckMargin(const Difference& d, const TFoundEvent& e) {
  const long double margin = Margin(d, e);
  std::printf("%s %s: %s %.1Lf\n", d.Kind, d.Date, d.Why, margin);
  EXPECT_GE(margin, 0) << d.Date;
  EXPECT_LE(margin, d.Bound) << d.Date;
}

TEST(EventSearch, FindsEveryListedEventForwardsAndBackwards) {
  const auto list = ReadList();
  ASSERT_EQ(list.size(), 943u);
  const Second start = SecondsOfText("1900-01-01 00:00:00");
  const Second stop = SecondsOfText("2101-01-01 00:00:00");
  const auto forwards = Walk(start, stop, +1);
  auto backwards = Walk(stop, start, -1);
  std::reverse(backwards.begin(), backwards.end());
  ASSERT_EQ(forwards.size(), backwards.size());
  for (size_t i = 0; i < forwards.size(); ++i) {
    EXPECT_EQ(forwards[i].Begin, backwards[i].Begin);
    EXPECT_EQ(forwards[i].End, backwards[i].End);
  }

  std::vector<bool> matched(list.size(), false);
  std::vector<bool> explained(std::size(Differences), false);
  Second worst[4] = {};
  for (const auto& e : forwards) {
    const std::string kind = KindText(e.Kind), date = DateText(e.Greatest);
    // The cursor keys see the event from its first to its last second and not beyond.
    EXPECT_NE(Shown(e.Begin - 1).Kind, e.Kind) << date;
    EXPECT_EQ(Shown(e.Begin).Kind, e.Kind) << date;
    EXPECT_EQ(Shown(e.End).Kind, e.Kind) << date;
    EXPECT_NE(Shown(e.End + 1).Kind, e.Kind) << date;
    // The listed event of the same kind with the nearest greatest instant, within an hour.
    size_t best = list.size();
    for (size_t i = 0; i < list.size(); ++i)
      if (list[i].Kind == kind && std::llabs(list[i].Greatest - e.Greatest) < 3600 &&
          (best == list.size() || std::llabs(list[i].Greatest - e.Greatest) <
                                      std::llabs(list[best].Greatest - e.Greatest)))
        best = i;
    const std::string listedType = best < list.size() ? list[best].Type : "";
    if (best < list.size()) {
      EXPECT_FALSE(matched[best]) << date;
      matched[best] = true;
      Second& w = worst[static_cast<int>(e.Kind)];
      w = std::max<Second>(w, std::llabs(list[best].Greatest - e.Greatest));
      if (listedType == TypeText(e)) continue;
    }
    const Difference* d = Explain(date, kind);
    ASSERT_NE(d, nullptr) << kind << " " << date << ": shown " << TypeText(e) << ", listed "
                          << (best < list.size() ? listedType : "nothing");
    explained[d - Differences] = true;
    EXPECT_EQ(TypeText(e), d->Shown) << date;
    EXPECT_EQ(listedType, d->Listed) << date;
    CheckMargin(*d, e);
  }
  for (size_t i = 0; i < list.size(); ++i) {
    if (matched[i]) continue;
    TFoundEvent listed;
    listed.Greatest = list[i].Greatest;
    const Difference* d = Explain(DateText(listed.Greatest), list[i].Kind);
    ASSERT_NE(d, nullptr) << list[i].Kind << " " << DateText(listed.Greatest) << " not found";
    explained[d - Differences] = true;
    EXPECT_EQ(std::string(d->Shown), "");
    EXPECT_EQ(list[i].Type, d->Listed);
    CheckMargin(*d, listed);
  }
  for (size_t i = 0; i < std::size(Differences); ++i) EXPECT_TRUE(explained[i]) << i;
  std::printf("greatest instants within %lld s (solar), %lld s (lunar), %lld s (Mercury), "
              "%lld s (Venus) of the list\n", (long long)worst[0], (long long)worst[3],
              (long long)worst[1], (long long)worst[2]);
}

}  // namespace
