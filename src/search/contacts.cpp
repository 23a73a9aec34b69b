// The phases of a found event: for the Earth as a whole as the classification decides, and the
// four contacts of the discs seen from a site. Each change is found by bisection over whole
// seconds from the instant where the phase is strongest.
#include <cmath>

#include "internal.h"

namespace search {

using namespace astro;
using namespace geometry;

namespace {

// The first and last second of a phase that holds at `inside`.
void PhaseBounds(Searcher& s, Second inside, const std::function<bool(Second)>& holds,
                 std::optional<Second>& begin, std::optional<Second>& end) {
  if (!holds(inside)) return;
  begin = s.Boundary(inside, -1, holds);
  end = s.Boundary(inside, +1, holds);
}

}  // namespace

TEarthContacts EarthContacts(const TFoundEvent& event, int* evaluations) {
  Searcher s{event.Model, event.DeltaTShift};
  TEarthContacts c;
  c.Event = event;
  const bool planets = NeedsPlanets(event.Kind);
  if (event.Kind == EventKind::SolarEclipse) {
    PhaseBounds(s, event.Greatest, [&](Second t) {
      const EventCode code = s.Classify(t, planets).Type.Code;
      return code == EventCode::CentralAnnular || code == EventCode::CentralTotal;
    }, c.CentralBegin, c.CentralEnd);
  } else if (event.Kind == EventKind::LunarEclipse) {
    auto phaseAtLeast = [&s](LunarPhase phase) {
      return [&s, phase](Second t) { return s.Classify(t, false).Phase >= phase; };
    };
    PhaseBounds(s, event.Greatest, phaseAtLeast(LunarPhase::Partial), c.PartialBegin,
                c.PartialEnd);
    if (c.PartialBegin)
      PhaseBounds(s, event.Greatest, phaseAtLeast(LunarPhase::Total), c.TotalBegin, c.TotalEnd);
  }
  if (evaluations) *evaluations = s.Evaluations;
  return c;
}

TView Searcher::ViewOf(EventKind kind, long double diameter,
                       const std::optional<TObserverCoordinates>& site, Second t) {
  const TInstant at = TInstant::At(t);
  const TSky sky = SkyOf(at, NeedsPlanets(kind));
  BodyVector observer;
  if (site) ObserverVector(*site, at, observer);
  return ViewAt(at, site.value_or(TObserverCoordinates{}), observer, sky.Sun, diameter,
                Occultor(sky, kind), CentralDiameter(kind, Model));
}

namespace {

// The contacts seen from the site, or from the Earth's centre when there is none.
std::vector<TSiteContact> Contacts(const TFoundEvent& event,
                                   const std::optional<TObserverCoordinates>& site,
                                   int* evaluations) {
  std::vector<TSiteContact> contacts;
  if (event.Kind == EventKind::None || event.Kind == EventKind::LunarEclipse) return contacts;
  Searcher s{event.Model, event.DeltaTShift};
  const bool planets = NeedsPlanets(event.Kind);
  const long double diameter = s.Classify(event.Greatest, planets).OccultorDiameter;
  // The instant, the sky and the observer's place at a second.
  struct TSeen {
    TInstant At;
    TSky Sky;
    BodyVector Observer;
  };
  auto seenAt = [&](Second t) {
    TSeen seen{TInstant::At(t), {}, {}};
    seen.Sky = s.SkyOf(seen.At, planets);
    if (site) ObserverVector(*site, seen.At, seen.Observer);
    return seen;
  };
  auto viewAt = [&](Second t) { return s.ViewOf(event.Kind, diameter, site, t); };
  // The body's direction less the Sun's, seen from the site: least at the greatest phase.
  auto offset = [&](long double jd) {
    const TSeen v = seenAt(SecondOf(jd));
    BodyVector q, p, o;
    VecDiff(Occultor(v.Sky, event.Kind), v.Observer, q);
    VecDiff(v.Sky.Sun, v.Observer, p);
    SetVector(o, q.X / q.R - p.X / p.R, q.Y / q.R - p.Y / p.R, q.Z / q.R - p.Z / p.R);
    return o;
  };
  const Second greatest = SecondOf(s.LeastOffset(offset, JdOf(event.Greatest)));
  const TView most = viewAt(greatest);
  auto add = [&](int number, Second t) {
    const TView v = number == 0 ? most : viewAt(t);
    if (site)
      contacts.push_back({number, t, v.SunAltitude, v.SunBelowHorizon});
    else
      contacts.push_back({number, t, 0, false});
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

}  // namespace

std::vector<TSiteContact> SiteContacts(const TFoundEvent& event, const TObserverCoordinates& site,
                                       int* evaluations) {
  return Contacts(event, site, evaluations);
}

std::vector<TSiteContact> CentreContacts(const TFoundEvent& event, int* evaluations) {
  return Contacts(event, std::nullopt, evaluations);
}

}  // namespace search
