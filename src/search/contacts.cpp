// The phases of a found event: for the Earth as a whole as the classification decides, and the
// four contacts of the discs seen from a site. Each change is found by bisection over whole
// seconds from the instant where the phase is strongest.
#include <cmath>

#include "internal.h"

namespace search {

namespace {

// The first and last second of a phase that holds at `inside`.
void PhaseBounds(Searcher& s, Second inside, const std::function<bool(Second)>& holds,
                 std::optional<Second>& begin, std::optional<Second>& end) {
  if (!holds(inside)) return;
  begin = s.Boundary(inside, -1, holds);
  end = s.Boundary(inside, +1, holds);
}

const BodyVector& Body(const TSky& sky, EventKind kind) {
  if (kind == EventKind::MercuryTransit) return sky.Mercury;
  if (kind == EventKind::VenusTransit) return sky.Venus;
  return sky.Moon;
}

}  // namespace

TEarthContacts EarthContacts(const TFoundEvent& event, int* evaluations) {
  Searcher s;
  TEarthContacts c;
  c.Event = event;
  const bool planets = NeedsPlanets(event.Kind);
  if (event.Kind == EventKind::SolarEclipse) {
    PhaseBounds(s, event.Greatest, [&](Second t) {
      const EventCode code = s.Classify(t, planets).Type.Code;
      return code == EventCode::CentralAnnular || code == EventCode::CentralTotal;
    }, c.CentralBegin, c.CentralEnd);
  } else if (event.Kind == EventKind::LunarEclipse) {
    auto phaseAtLeast = [&](int phase) {
      return [&s, phase](Second t) { return LunarPhase(s.Classify(t, false)) >= phase; };
    };
    PhaseBounds(s, event.Greatest, phaseAtLeast(2), c.PartialBegin, c.PartialEnd);
    if (c.PartialBegin)
      PhaseBounds(s, event.Greatest, phaseAtLeast(3), c.TotalBegin, c.TotalEnd);
  }
  if (evaluations) *evaluations = s.Evaluations;
  return c;
}

std::vector<TSiteContact> SiteContacts(const TFoundEvent& event, const TObserverCoordinates& site,
                                       int* evaluations) {
  std::vector<TSiteContact> contacts;
  if (event.Kind == EventKind::None || event.Kind == EventKind::LunarEclipse) return contacts;
  Searcher s;
  const bool planets = NeedsPlanets(event.Kind);
  const long double diameter = s.Classify(event.Greatest, planets).OccultorDiameter;
  auto viewAt = [&](Second t) {
    const TInstant at = InstantOf(t);
    const TSky sky = s.SkyOf(t, planets);
    BodyVector observer;
    ObserverVector(site, at.Date, at.Clock, observer);
    return ViewAt(at.Date, at.Clock, site, observer, sky.Sun, diameter, Body(sky, event.Kind));
  };
  // The body's direction less the Sun's, seen from the site: least at the greatest phase.
  auto offset = [&](long double jd) {
    const Second t = SecondOf(jd);
    const TInstant at = InstantOf(t);
    const TSky sky = s.SkyOf(t, planets);
    BodyVector observer, q, p, o;
    ObserverVector(site, at.Date, at.Clock, observer);
    VecDiff(Body(sky, event.Kind), observer, q);
    VecDiff(sky.Sun, observer, p);
    SetVector(o, q.X / q.R - p.X / p.R, q.Y / q.R - p.Y / p.R, q.Z / q.R - p.Z / p.R);
    return o;
  };
  const Second greatest = SecondOf(s.LeastOffset(offset, JdOf(event.Greatest)));
  const TView most = viewAt(greatest);
  auto add = [&](int number, Second t) {
    const TView v = number == 0 ? most : viewAt(t);
    contacts.push_back({number, t, v.SunAltitude, v.SunBelowHorizon});
  };
  if (most.Record.Code != ViewCode::Apart) {
    auto overlap = [&](Second t) { return viewAt(t).Record.Code != ViewCode::Apart; };
    auto inside = [&](Second t) {
      const ViewCode code = viewAt(t).Record.Code;
      return code == ViewCode::BodyOnSun || code == ViewCode::SunCovered;
    };
    std::optional<Second> first, last, second, third;
    PhaseBounds(s, greatest, overlap, first, last);
    PhaseBounds(s, greatest, inside, second, third);
    if (first && last) {
      add(1, *first);
      if (second && third) add(2, *second);
      add(0, greatest);
      if (second && third) add(3, *third);
      add(4, *last);
    }
  }
  if (evaluations) *evaluations = s.Evaluations;
  return contacts;
}

}  // namespace search
