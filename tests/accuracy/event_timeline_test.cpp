// The seven prepared events followed minute by minute, the way the time keys step the program:
// Julian day plus one minute, CalendarDate, T, Obliquity, ComputeBodies, ClassifyEvent.
#include <gtest/gtest.h>

#include <erfa.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "astr_rout.h"
#include "bodies.h"
#include "event_text.h"
#include "events.h"
#include "mathe.h"

using namespace astro;
using namespace geometry;

namespace {

constexpr long double Minute = 1.0L / 1440;
constexpr int Window = 8 * 60;  // minutes before and after the published greatest time
constexpr double ArcsecPerRadian = 206264.80624709636;

// The Sun's light-time correction displaces it by the constant of aberration; the planets'
// vectors carry no such shift.
constexpr double AberrationArcsec = 20.49552;

const std::string Penumbral = "Halbschattenfinsternis";
const std::string Partial = "partielle Mondfinsternis";
const std::string Total = "totale Mondfinsternis";

struct UtTime {
  int year, month, day, hour, minute;
  double second;
};

// Julian day of a published UT time, by ERFA's calendar (independent of the program's).
long double Jd(const UtTime& t) {
  double djm0 = 0, djm = 0;
  eraCal2jd(t.year, t.month, t.day, &djm0, &djm);
  return static_cast<long double>(djm0) + djm + (t.hour + t.minute / 60.0L + t.second / 3600.0L) / 24;
}

std::string Clock(long double jd) {
  const long double f = jd + 0.5L - std::floor(jd + 0.5L);
  const long s = std::lround(static_cast<double>(f * 86400));
  char text[16];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", s / 3600 % 24, s / 60 % 60, s % 60);
  return text;
}

// What ClassifyEvent says at one instant, with the program's own chain from date and clock.
struct Sample {
  long double jd;
  EventKind kind;
  int code;
  std::string lunarText;
};

// The sky and the event of the instant classified last.
struct {
  TSky Sky;
  TEvent Event;
} Last;

Sample Classify(long double jd, const TCalendarDate& date, long double clock) {
  Last.Sky = SkyAt(TInstant::OfClock(date, clock));
  Last.Event = EventAt(Last.Sky);
  const TEvent& e = Last.Event;
  return {jd, e.Kind, static_cast<int>(e.Type.Code),
          e.Kind == EventKind::LunarEclipse ? LunarEclipseText(e.Phase) : std::string()};
}

Sample ClassifyAt(long double jd) {
  TCalendarDate date;
  long double clock;
  CalendarDate(jd, date, clock);
  return Classify(JulianDay(date, clock), date, clock);
}

// From greatest - 8 h to greatest + 8 h in steps of one minute, as cursor right steps.
std::vector<Sample> Follow(long double greatest) {
  TCalendarDate date;
  long double clock;
  CalendarDate(greatest - Window * Minute, date, clock);
  std::vector<Sample> samples;
  long double jd = JulianDay(date, clock);
  samples.push_back(Classify(jd, date, clock));
  for (int k = 1; k <= 2 * Window; ++k) {
    jd = JulianDay(date, clock) + 1.0L / 60 / 24;
    CalendarDate(jd, date, clock);
    samples.push_back(Classify(jd, date, clock));
  }
  return samples;
}

using SamplePredicate = std::function<bool(const Sample&)>;

// The instant, to about a second, where pred changes between two instants.
long double Boundary(long double before, long double after, const SamplePredicate& pred) {
  const bool atBefore = pred(ClassifyAt(before));
  for (int i = 0; i < 12; ++i) {
    const long double mid = (before + after) / 2;
    if (pred(ClassifyAt(mid)) == atBefore)
      before = mid;
    else
      after = mid;
  }
  return (before + after) / 2;
}

// First and last sample index where pred holds; -1 when never.
struct Span {
  int first = -1, last = -1;
};
template <typename Pred>
Span Find(const std::vector<Sample>& s, Pred pred) {
  Span span;
  for (int k = 0; k < int(s.size()); ++k)
    if (pred(s[k])) {
      if (span.first < 0) span.first = k;
      span.last = k;
    }
  return span;
}

// --- The geometry that sets the bounds, from the program's own vectors ---

double Angle(const BodyVector& a, const BodyVector& b) {
  const long double cx = a.Y * b.Z - a.Z * b.Y, cy = a.Z * b.X - a.X * b.Z,
                    cz = a.X * b.Y - a.Y * b.X;
  return double(std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz),
                           a.X * b.X + a.Y * b.Y + a.Z * b.Z));
}

const BodyVector& Body(EventKind kind) {
  return kind == EventKind::MercuryTransit ? Last.Sky.Mercury
         : kind == EventKind::VenusTransit ? Last.Sky.Venus
                                    : Last.Sky.Moon;
}

// Geocentric separation (arc seconds) of the body from the Sun (solar events) or from the
// shadow's centre (lunar eclipses).
double Separation(EventKind kind, long double jd) {
  ClassifyAt(jd);
  BodyVector sun = Last.Sky.Sun;
  if (kind == EventKind::LunarEclipse) {
    sun.X = -sun.X;
    sun.Y = -sun.Y;
    sun.Z = -sun.Z;
  }
  return Angle(sun, Body(kind)) * ArcsecPerRadian;
}

// Rate of change of that separation, arc seconds per minute.
double SeparationRate(EventKind kind, long double jd) {
  return (Separation(kind, jd + Minute) - Separation(kind, jd - Minute)) / 2;
}

// Relative speed of the body across the Sun, arc seconds per minute.
double RelativeSpeed(EventKind kind, long double jd) {
  auto offset = [&](long double t, double o[3]) {
    ClassifyAt(t);
    const BodyVector& p = Body(kind);
    const BodyVector& s = Last.Sky.Sun;
    o[0] = double(p.X / p.R - s.X / s.R);
    o[1] = double(p.Y / p.R - s.Y / s.R);
    o[2] = double(p.Z / p.R - s.Z / s.R);
  };
  double a[3], b[3];
  offset(jd - Minute, a);
  offset(jd + Minute, b);
  return std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) +
                   (b[2] - a[2]) * (b[2] - a[2])) /
         2 * ArcsecPerRadian;
}

// Difference of the parallaxes of the body and of the Sun: how much nearer the two centres
// are when some place on the Earth sees the contact than when the Earth's centre sees it.
double ParallaxDifference(EventKind kind, long double jd) {
  ClassifyAt(jd);
  return double(1 / Body(kind).R - 1 / Last.Sky.Sun.R) * ArcsecPerRadian;
}

// --- The events ---

struct Contact {
  const char* name;
  UtTime time;
};

struct EventCase {
  const char* name;
  EventKind kind;
  double deltaT;  // TT - UT in the year of the event, seconds
  UtTime greatest;
  Contact first, last;                    // published geocentric contacts (P1/P4 for lunar)
  Contact umbraFirst, umbraLast;          // lunar eclipses: U1, U4
  Contact totalFirst, totalLast;          // total lunar eclipse: U2, U3
  std::vector<std::string> lunarPhases;   // the expected order of LunarEclipseText
  std::vector<int> codes;                 // the expected order of EventType.Code
};

const std::vector<EventCase>& Events() {
  static const std::vector<EventCase> events = {
      {"Mercury 2003-05-07", EventKind::MercuryTransit, 64.5, {2003, 5, 7, 7, 52, 0},
       {"I", {2003, 5, 7, 5, 13, 0}}, {"IV", {2003, 5, 7, 10, 32, 0}}, {}, {}, {}, {}, {}, {1, 2, 1}},
      {"Venus 2004-06-08", EventKind::VenusTransit, 64.6, {2004, 6, 8, 8, 19, 44},
       {"I", {2004, 6, 8, 5, 13, 29}}, {"IV", {2004, 6, 8, 11, 25, 59}}, {}, {}, {}, {}, {}, {1, 2, 1}},
      {"Venus 2012-06-05/06", EventKind::VenusTransit, 66.8, {2012, 6, 6, 1, 29, 36},
       {"I", {2012, 6, 5, 22, 9, 38}}, {"IV", {2012, 6, 6, 4, 49, 35}}, {}, {}, {}, {}, {}, {1, 2, 1}},
      {"Solar eclipse 2015-03-20", EventKind::SolarEclipse, 67.7, {2015, 3, 20, 9, 45, 39},
       {}, {}, {}, {}, {}, {}, {}, {1, 3, 5, 3, 1}},
      {"Lunar eclipse 2015-09-28", EventKind::LunarEclipse, 67.9, {2015, 9, 28, 2, 47, 27},
       {"P1", {2015, 9, 28, 0, 11, 47}}, {"P4", {2015, 9, 28, 5, 22, 27}},
       {"U1", {2015, 9, 28, 1, 7, 12}}, {"U4", {2015, 9, 28, 4, 27, 3}},
       {"U2", {2015, 9, 28, 2, 11, 11}}, {"U3", {2015, 9, 28, 3, 23, 5}},
       {Penumbral, Partial, Total, Partial, Penumbral}, {}},
      {"Mercury 2016-05-09", EventKind::MercuryTransit, 68.2, {2016, 5, 9, 14, 57, 26},
       {"I", {2016, 5, 9, 11, 12, 19}}, {"IV", {2016, 5, 9, 18, 42, 28}}, {}, {}, {}, {}, {}, {1, 2, 1}},
      {"Lunar eclipse 2017-08-07", EventKind::LunarEclipse, 68.8, {2017, 8, 7, 18, 20, 27},
       {"P1", {2017, 8, 7, 15, 50, 14}}, {"P4", {2017, 8, 7, 20, 50, 41}},
       {"U1", {2017, 8, 7, 17, 22, 55}}, {"U4", {2017, 8, 7, 19, 18, 0}}, {}, {},
       {Penumbral, Partial, Penumbral}, {}},
  };
  return events;
}

std::vector<int> CodeSequence(const std::vector<Sample>& s, EventKind kind) {
  std::vector<int> seq;
  for (const Sample& x : s)
    if (x.kind == kind && (seq.empty() || seq.back() != x.code)) seq.push_back(x.code);
  return seq;
}

std::vector<std::string> PhaseSequence(const std::vector<Sample>& s) {
  std::vector<std::string> seq;
  for (const Sample& x : s)
    if (x.kind == EventKind::LunarEclipse && (seq.empty() || seq.back() != x.lunarText))
      seq.push_back(x.lunarText);
  return seq;
}

TEST(AccuracyTimeSteps, StepsStayOnTheMinuteGrid) {
  // 960 steps through JulianDay and CalendarDate must not drift off the minute grid.
  const long double start = Jd({2004, 6, 8, 0, 19, 44});
  const std::vector<Sample> s = Follow(start + Window * Minute);
  ASSERT_EQ(s.size(), 2u * Window + 1);
  for (int k = 0; k < int(s.size()); ++k)
    ASSERT_NEAR(double((s[k].jd - start) / Minute), k, 1e-6) << k;
}

// --- The bounds ---
//
// A published time is geocentric and on the UT scale. Against it the program's first and
// last minutes are shifted, for reasons that are part of the program's design:
// - the series take UT as their time argument, so everything happens Delta T late;
// - the Sun's light-time iteration gives it the aberration (20.5" behind its geometric place)
//   while the planets' vectors carry none: relative to the Sun a planet stands 20.5" east of
//   its apparent place, and as it crosses the Sun from east to west every contact of a transit
//   comes 20.5" / v late (v the planet's speed across the Sun);
// - TestOccultor asks whether the body's penumbral cone touches the Earth anywhere, which
//   happens while the geocentric separation is still larger by the difference of the two
//   parallaxes: a transit begins that much earlier and ends that much later;
// - the lunar shadow is enlarged by 2 % (umbra and penumbra radii), where the published times
//   enlarge the Earth's radius by 1/85 (Danjon): the program's penumbra is about 50" and its
//   umbra about 10" larger, so its eclipse begins earlier and ends later by that much divided
//   by the speed of the Moon across the shadow.
// Around the shift so predicted the minute must lie within what the series' errors allow:
// the separation error divided by the rate at which the separation changes at the contact,
// plus the one minute of the step on the side away from the contact.
constexpr double TransitSeparationError = 8;  // arcsec: ~5" series, ~3" aberration across the path
constexpr double LunarSeparationError = 5;    // arcsec: the Moon's series, a few arc seconds

struct Expectation {
  long double time;      // the predicted contact, Julian day
  double tolerance;      // minutes, for the separation error
};

// The program's contact as predicted from the published one. sign -1 for a first contact,
// +1 for a last one; enlargement is how much larger the program's circle is, arc seconds.
Expectation Predict(const EventCase& e, const Contact& c, int sign, double enlargement,
                    double error) {
  const long double published = Jd(c.time);
  const double rate = std::fabs(SeparationRate(e.kind, published));
  double shift = e.deltaT / 60 + sign * enlargement / rate;
  if (e.kind != EventKind::LunarEclipse)
    shift += AberrationArcsec / RelativeSpeed(e.kind, Jd(e.greatest));
  return {published + shift * Minute, error / rate};
}

// How much larger the program's lunar shadow circle is than Danjon's at the instant.
double Enlargement(long double jd, bool penumbra) {
  ClassifyAt(jd);
  const long double moonParallax = 1 / Last.Sky.Moon.R;
  const long double sunParallax = 1 / Last.Sky.Sun.R;
  const long double sunRadius = 109.125L / Last.Sky.Sun.R;
  const long double danjon = (1 + 1.0L / 85) * moonParallax + sunParallax +
                             (penumbra ? sunRadius : -sunRadius);
  const long double program = penumbra ? Last.Event.Shadow.PenumbraRadius
                                       : Last.Event.Shadow.UmbraRadius;
  return double(program - danjon) * ArcsecPerRadian;
}

// Checks one first (sign -1) or last (sign +1) minute in the phase inPhase against its
// prediction; reports also the instant of the change, found to a second.
void CheckContact(const EventCase& e, const char* what, const Contact& c, int sign,
                  long double minute, const SamplePredicate& inPhase, double enlargement,
                  double error) {
  const Expectation x = Predict(e, c, sign, enlargement, error);
  const long double published = Jd(c.time);
  const long double exact = sign < 0 ? Boundary(minute - Minute, minute, inPhase)
                                     : Boundary(minute, minute + Minute, inPhase);
  const double offset = double((minute - published) / Minute);
  const double predicted = double((x.time - published) / Minute);
  // The first minute in the phase lies up to one step after the change, the last one before.
  const double low = predicted - x.tolerance - (sign > 0 ? 1 : 0);
  const double high = predicted + x.tolerance + (sign < 0 ? 1 : 0);
  std::printf("    %-7s %-3s published %s  minute %s (%+6.2f min)  change at %s (%+6.2f min)"
              "  predicted %+6.2f, allowed [%+6.2f, %+6.2f]\n",
              what, c.name, Clock(published).c_str(), Clock(minute).c_str(), offset,
              Clock(exact).c_str(), double((exact - published) / Minute), predicted, low, high);
  ::testing::Test::RecordProperty(std::string(e.name) + " " + c.name + " offset_min",
                                  std::to_string(offset));
  EXPECT_GE(offset, low) << e.name << " " << c.name;
  EXPECT_LE(offset, high) << e.name << " " << c.name;
}

// 0 no eclipse, 1 penumbral, 2 partial, 3 total.
int LunarPhase(const Sample& s) {
  if (s.kind != EventKind::LunarEclipse) return 0;
  if (s.lunarText == Penumbral) return 1;
  if (s.lunarText == Partial) return 2;
  if (s.lunarText == Total) return 3;
  return -1;
}

class AccuracyEvents : public ::testing::TestWithParam<int> {};
class AccuracyContacts : public ::testing::TestWithParam<int> {};

TEST_P(AccuracyEvents, KindHoldsFromFirstToLastMinute) {
  const EventCase& e = Events()[GetParam()];
  const std::vector<Sample> s = Follow(Jd(e.greatest));
  const Span span = Find(s, [&](const Sample& x) { return x.kind == e.kind; });
  std::printf("  %s: %s to %s UT\n", e.name, span.first < 0 ? "-" : Clock(s[span.first].jd).c_str(),
              span.last < 0 ? "-" : Clock(s[span.last].jd).c_str());
  ASSERT_GT(span.first, 0) << "the event must begin inside the window";
  ASSERT_LT(span.last, int(s.size()) - 1) << "the event must end inside the window";
  for (int k = span.first; k <= span.last; ++k)
    ASSERT_EQ(s[k].kind, e.kind) << e.name << ": gap at " << Clock(s[k].jd);
  if (e.kind == EventKind::LunarEclipse) {
    EXPECT_EQ(PhaseSequence(s), e.lunarPhases);
    for (int k = 1; k < int(s.size()); ++k) {
      ASSERT_GE(LunarPhase(s[k]), 0) << Clock(s[k].jd) << " [" << s[k].lunarText << "]";
      ASSERT_LE(std::abs(LunarPhase(s[k]) - LunarPhase(s[k - 1])), 1)
          << e.name << ": phase jumps at " << Clock(s[k].jd);
    }
  } else {
    EXPECT_EQ(CodeSequence(s, e.kind), e.codes) << e.name;
  }
}

TEST_P(AccuracyContacts, AgreeWithPublishedTimes) {
  const EventCase& e = Events()[GetParam()];
  ASSERT_NE(e.first.name, nullptr);
  const std::vector<Sample> s = Follow(Jd(e.greatest));
  const SamplePredicate inEvent = [&](const Sample& x) { return x.kind == e.kind; };
  const SamplePredicate inUmbra = [](const Sample& x) { return LunarPhase(x) >= 2; };
  const SamplePredicate inTotality = [](const Sample& x) { return LunarPhase(x) == 3; };
  const Span span = Find(s, inEvent);
  ASSERT_GT(span.first, 0);
  ASSERT_LT(span.last, int(s.size()) - 1);
  std::printf("  %s (Delta T %.1f s)\n", e.name, e.deltaT);
  if (e.kind != EventKind::LunarEclipse) {
    const double parallax = ParallaxDifference(e.kind, Jd(e.greatest));
    std::printf("    speed across the Sun %.3f\"/min, aberration delay %.2f min, parallax "
                "difference %.2f\"\n",
                RelativeSpeed(e.kind, Jd(e.greatest)),
                AberrationArcsec / RelativeSpeed(e.kind, Jd(e.greatest)), parallax);
    CheckContact(e, "transit", e.first, -1, s[span.first].jd, inEvent, parallax, TransitSeparationError);
    CheckContact(e, "transit", e.last, +1, s[span.last].jd, inEvent, parallax, TransitSeparationError);
    return;
  }
  const double penumbra = Enlargement(Jd(e.greatest), true);
  const double umbra = Enlargement(Jd(e.greatest), false);
  std::printf("    program's penumbra %.1f\", umbra %.1f\" larger than Danjon's\n", penumbra, umbra);
  CheckContact(e, "penumb.", e.first, -1, s[span.first].jd, inEvent, penumbra, LunarSeparationError);
  CheckContact(e, "penumb.", e.last, +1, s[span.last].jd, inEvent, penumbra, LunarSeparationError);
  const Span u = Find(s, inUmbra);
  ASSERT_GE(u.first, 0);
  CheckContact(e, "umbra", e.umbraFirst, -1, s[u.first].jd, inUmbra, umbra, LunarSeparationError);
  CheckContact(e, "umbra", e.umbraLast, +1, s[u.last].jd, inUmbra, umbra, LunarSeparationError);
  const Span t = Find(s, inTotality);
  if (!e.totalFirst.name) {
    EXPECT_LT(t.first, 0) << "a partial eclipse must not become total";
    return;
  }
  ASSERT_GE(t.first, 0);
  // Totality begins when the umbra's circle has passed the Moon's far limb: a larger umbra
  // lets it begin earlier and end later, as for the outer contacts.
  CheckContact(e, "total", e.totalFirst, -1, s[t.first].jd, inTotality, umbra, LunarSeparationError);
  CheckContact(e, "total", e.totalLast, +1, s[t.last].jd, inTotality, umbra, LunarSeparationError);
}

std::string EventName(const ::testing::TestParamInfo<int>& info) {
  std::string name = Events()[info.param].name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(PreparedEvents, AccuracyEvents, ::testing::Range(0, int(Events().size())),
                         EventName);
// Every event but the solar eclipse, for which no contact times are compared.
INSTANTIATE_TEST_SUITE_P(PreparedEvents, AccuracyContacts, ::testing::Values(0, 1, 2, 4, 5, 6),
                         EventName);

// The total eclipse of 2015-03-20: the shadow axis meets the Earth around greatest eclipse
// (09:45:39 UT published; Delta T later in the program), so the code is 5, central total.
TEST(AccuracyEclipse2015, CentralTotalAroundGreatestEclipse) {
  const EventCase& e = Events()[3];
  const std::vector<Sample> s = Follow(Jd(e.greatest));
  const Span central = Find(s, [](const Sample& x) { return x.kind == EventKind::SolarEclipse && x.code == 5; });
  ASSERT_GE(central.first, 0);
  std::printf("  central total (code 5) from %s to %s UT\n", Clock(s[central.first].jd).c_str(),
              Clock(s[central.last].jd).c_str());
  for (int k = Window - 10; k <= Window + 10; ++k) {
    EXPECT_EQ(s[k].kind, EventKind::SolarEclipse) << Clock(s[k].jd);
    EXPECT_EQ(s[k].code, 5) << Clock(s[k].jd);
  }
}

// The point where an off-centre shadow axis enters the Earth, against the same point put on
// the spheroid by ERFA (geodetic latitude and longitude to geocentric position, f = 1/298.257).
TEST(AccuracyAxisPoint, OffCentreAxisMeetsTheSpheroidWhereErfaPutsTheSite) {
  const TCalendarDate date{20, 3, 2015};
  const long double clock = 11.00L;
  const TInstant at = TInstant::OfClock(date, clock);
  const long double gst = SiderealTime(date, clock, 0);
  const struct {
    double Latitude, Longitude;  // degrees
  } sites[] = {{50, 30}, {-35, 150}, {70, -100}, {5, 0}, {-80, -45}};
  for (const auto& site : sites) {
    const double phi = site.Latitude * Degree, lambda = site.Longitude * Degree;
    double xyz[3];
    ASSERT_EQ(eraGd2gce(1.0, 1 / 298.257, lambda, phi, 0.0, xyz), 0);
    // Earth-fixed to the equator and equinox of date: turned by the sidereal time.
    const long double c = std::cos(gst), s = std::sin(gst);
    const long double px = c * xyz[0] - s * xyz[1], py = s * xyz[0] + c * xyz[1], pz = xyz[2];
    // The Sun 55 to 60 degrees high at the site, off to the east: the axis misses the centre.
    const long double a = lambda + gst;
    long double ux = std::cos(phi) * std::cos(a) - 0.6L * std::sin(a);
    long double uy = std::cos(phi) * std::sin(a) + 0.6L * std::cos(a);
    long double uz = std::sin(phi);
    const long double n = std::sqrt(ux * ux + uy * uy + uz * uz);
    ux /= n, uy /= n, uz /= n;
    BodyVector sun, moon;
    const long double au = EarthRadiiPerAU;
    SetVector(sun, px + au * ux, py + au * uy, pz + au * uz);
    SetVector(moon, px + 57 * ux, py + 57 * uy, pz + 57 * uz);
    const TEvent e = TestOccultor(at, sun, moon, SunDiameter, MoonDiameter);
    SCOPED_TRACE(site.Latitude);
    EXPECT_EQ(static_cast<int>(e.Type.Code), 5);
    EXPECT_NEAR(static_cast<double>(e.Type.Latitude), phi, 1e-12);
    EXPECT_NEAR(static_cast<double>(std::remainder(e.Type.Longitude - lambda, 2 * Pi)),
                0.0, 1e-12);
  }
}

}  // namespace
