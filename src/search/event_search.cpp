// Finding events. Candidates come from mean motions: syzygies near the Moon's node for eclipses,
// inferior conjunctions near the planet's node for transits. Each candidate is confirmed with
// the real chain (series, event classification) at its least distance, and its phases are
// found by bisection over whole seconds, so each boundary is exactly where the classification
// on the screen changes.
#include "event_search.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "instant.h"
#include "internal.h"
#include "mathe.h"
#include "moon.h"
#include "planets1.h"

namespace search {

using namespace astro;
using namespace geometry;

namespace {

// Angle from x to the nearer of the two directions n and n + pi (radians, 0 to pi/2).
long double FromLine(long double x, long double n) { return std::fabs(std::remainder(x - n, Pi)); }

// Mean syzygy number k: D = k / 2 revolutions (even k new moons, odd k full moons). D grows
// almost uniformly, so a few secant steps over a century settle it.
long double MeanSyzygy(int64_t k) {
  long double T = 0;
  for (int i = 0; i < 4; ++i) {
    const long double d = MoonMeanElongation(T);
    T -= (d - k / 2.0L) / (MoonMeanElongation(T + 1) - d);
  }
  return 2451545.0L + T * 36525;
}

int64_t SyzygyBefore(long double jd) {
  return static_cast<int64_t>(std::floor(2 * MoonMeanElongation(JulianCenturies(jd))));
}

// Eclipses need the Moon near a node at the syzygy. 35 degrees covers the largest eclipse limit
// (about 18.5 degrees) with what the mean syzygy and the mean F may be off from the true ones.
bool MoonNearNode(long double jd) {
  const long double F = MoonMeanLatitudeArgument(JulianCenturies(jd)) * TwoPi;
  return FromLine(F, 0) < 35 * Degree;
}

// A planet whose transits are sought: mean inferior conjunctions, its node, and how far a
// true conjunction may be from the mean one.
struct TPlanet {
  EventKind Kind;
  long double Epoch, SynodicPeriod;     // days
  long double Node, NodeRate;           // degrees, degrees per century
  long double Window;                   // degrees of the Sun's longitude from the node line
  long double MaxShift;                 // days from the mean to the true conjunction
  void (*Position)(long double, long double&, long double&, long double&);
};

const TPlanet Mercury{EventKind::MercuryTransit, 2451612.023L, 115.8774771L, 48.330893L,
                      1.1861890L, 25, 15, MercuryPosition};
const TPlanet Venus{EventKind::VenusTransit, 2451996.706L, 583.921361L, 76.679920L, 0.9011190L,
                    12, 6, VenusPosition};

long double MeanConjunction(const TPlanet& p, int64_t k) {
  return p.Epoch + p.SynodicPeriod * static_cast<long double>(k);
}

bool PlanetNearNode(const TPlanet& p, long double jd) {
  const long double T = JulianCenturies(jd);
  const long double sun = (280.46646L + 36000.76983L * T) * Degree;
  return FromLine(sun, (p.Node + p.NodeRate * T) * Degree) < p.Window * Degree;
}

// The heliocentric conjunction of the planet with the Earth near jd, by the secant method on
// the difference of their longitudes (the planet gains on the Earth all the time).
long double TrueConjunction(const TPlanet& p, long double jd) {
  auto gap = [&](long double t) {
    long double L, B, R, Ls, Bs, Rs;
    p.Position(JulianCenturies(t), L, B, R);
    SunPosition(JulianCenturies(t), Ls, Bs, Rs);
    return std::remainder(L - (Ls + Pi), TwoPi);
  };
  long double t0 = jd, g0 = gap(t0), t1 = jd + 1, g1 = gap(t1);
  for (int i = 0; i < 12 && std::fabs(t1 - t0) > 1e-4L && g1 != g0; ++i) {
    long double step = -g1 * (t1 - t0) / (g1 - g0);
    step = std::fmax(-p.MaxShift, std::fmin(p.MaxShift, step));
    t0 = t1;
    g0 = g1;
    t1 += step;
    g1 = gap(t1);
  }
  return t1;
}

}  // namespace

// ---- events near a candidate

TSearchResult NextEvent(Second from, TimeModel model) { return Searcher{model}.Walk(from, +1); }
TSearchResult PreviousEvent(Second from, TimeModel model) {
  return Searcher{model}.Walk(from, -1);
}

TSearchResult EventInProgress(Second at, TimeModel model) {
  Searcher s{model};
  TSearchResult result;
  const TEvent now = s.Classify(at, true);
  if (now.Kind != EventKind::None) result.Event = s.EventNear(now.Kind, JdOf(at));
  if (result.Event && !(s.FindEnd(*result.Event) && result.Event->Begin <= at &&
                        at <= result.Event->End))
    result.Event.reset();
  result.Evaluations = s.Evaluations;
  return result;
}

std::optional<TFoundEvent> Searcher::EventNear(EventKind kind, long double jd) {
  const bool planets = NeedsPlanets(kind);
  const Second greatest =
      SecondOf(LeastOffset([&](long double t) { return Offset(kind, t); }, jd));
  const TEvent there = Classify(greatest, planets);
  if (there.Kind != kind) return std::nullopt;
  const auto begin = Boundary(greatest, -1, Holds(kind));
  if (!begin) return std::nullopt;
  TFoundEvent found;
  found.Kind = kind;
  found.Begin = *begin;
  found.Greatest = greatest;
  found.Code = there.Type.Code;
  found.Phase = there.Phase;
  found.Model = Model;
  found.DeltaTShift = DeltaTShift;
  return found;
}

std::function<bool(Second)> Searcher::Holds(EventKind kind) {
  return [this, kind](Second s) { return Classify(s, NeedsPlanets(kind)).Kind == kind; };
}

bool Searcher::FindEnd(TFoundEvent& event) {
  const auto end = Boundary(event.Greatest, +1, Holds(event.Kind));
  if (end) event.End = *end;
  return end.has_value();
}

std::optional<Second> Searcher::Boundary(Second inside, int direction,
                                         const std::function<bool(Second)>& holds) {
  // Out from the inside in doubling steps until the phase is left, then bisection.
  constexpr Second Hour = 3600, Limit = 48 * Hour;
  const Second start = inside;
  Second step = Hour, out = inside + direction * step;
  while (holds(out)) {
    inside = out;
    if (std::llabs(inside - start) > Limit) return std::nullopt;
    if (step < 8 * Hour) step *= 2;
    out = inside + direction * step;
  }
  while (std::llabs(out - inside) > 1) {
    const Second mid = inside + (out - inside) / 2;
    (holds(mid) ? inside : out) = mid;
  }
  return inside;
}

std::vector<Second> Changes(Second first, Second last, const std::function<bool(Second)>& holds) {
  std::vector<Second> changes;
  const Second samples = std::max<Second>(1, (last - first + 599) / 600);
  Second before = first;
  bool was = holds(first);
  for (Second i = 1; i <= samples; ++i) {
    const Second t = first + (last - first) * i / samples;
    const bool is = holds(t);
    if (is != was) {
      Second lo = before, hi = t;
      while (hi - lo > 1) {
        const Second mid = lo + (hi - lo) / 2;
        (holds(mid) == was ? lo : hi) = mid;
      }
      changes.push_back(hi);
    }
    before = t;
    was = is;
  }
  return changes;
}

TSky Searcher::SkyOf(const TInstant& at, bool planets) {
  ++Evaluations;
  return planets ? SkyAt(at, Model, DeltaTShift) : SunAndMoonAt(at, Model, DeltaTShift);
}

TEvent Searcher::Classify(Second s, bool planets) {
  const TSky sky = SkyOf(TInstant::At(s), planets);
  return planets ? EventAt(sky) : MoonEventAt(sky);
}

long double Searcher::SeriesJd(long double jdUt) const {
  return astro::SeriesJd(jdUt, Model, DeltaTShift);
}

long double Searcher::UtJd(long double seriesJd) const {
  // ΔT changes by less than a second in the ΔT itself: one step back is enough.
  return Model == TimeModel::Program
             ? seriesJd
             : seriesJd - (SeriesDeltaT(seriesJd) + DeltaTShift) / SecondsPerDay;
}

BodyVector Searcher::Offset(EventKind kind, long double jd) {
  ++Evaluations;
  const TSky sky =
      BodiesAt(SeriesCenturies(jd, Model, DeltaTShift), NeedsPlanets(kind), Model);
  const BodyVector& body = Occultor(sky, kind);
  return kind == EventKind::LunarEclipse ? ShadowOffset(sky.Sun, body) : AxisOffset(sky.Sun, body);
}

long double Searcher::LeastOffset(const std::function<BodyVector(long double)>& offset,
                                  long double jd) {
  // The offset moves almost uniformly for hours: its least length lies where it is
  // perpendicular to its motion. Each step takes the motion from the last two points.
  constexpr long double Probe = 600 / SecondsPerDay, Settled = 0.1L / SecondsPerDay;
  long double t1 = jd, t2 = jd + Probe;
  BodyVector o1 = offset(t1), o2 = offset(t2);
  for (int i = 0; i < 10; ++i) {
    BodyVector v;
    VecDiff(o2, o1, v);
    const long double vv = VecDot(v, v);
    if (!(vv > 0)) break;
    long double step = -VecDot(o2, v) / vv * (t2 - t1);
    step = std::fmax(-0.5L, std::fmin(0.5L, step));
    if (std::fabs(step) < Settled) return t2 + step;
    t1 = t2;
    o1 = o2;
    t2 += step;
    o2 = offset(t2);
  }
  return t2;
}

BodyVector AxisOffset(const BodyVector& sun, const BodyVector& body) {
  BodyVector p, s, d, o;
  SetVector(p, body.X, body.Y, body.Z / OneMinusFlattening);
  SetVector(s, sun.X, sun.Y, sun.Z / OneMinusFlattening);
  VecDiff(p, s, d);
  const long double along = VecDot(p, d) / (d.R * d.R);
  SetVector(o, p.X - along * d.X, p.Y - along * d.Y, p.Z - along * d.Z);
  return o;
}

BodyVector ShadowOffset(const BodyVector& sun, const BodyVector& moon) {
  BodyVector p, s, o;
  SetVector(p, moon.X, moon.Y, moon.Z / OneMinusFlattening);
  SetVector(s, sun.X, sun.Y, sun.Z / OneMinusFlattening);
  SetVector(o, p.X / p.R + s.X / s.R, p.Y / p.R + s.Y / s.R, p.Z / p.R + s.Z / s.R);
  return o;
}

bool NeedsPlanets(EventKind kind) {
  return kind == EventKind::MercuryTransit || kind == EventKind::VenusTransit;
}

const BodyVector& Occultor(const TSky& sky, EventKind kind) {
  if (kind == EventKind::MercuryTransit) return sky.Mercury;
  if (kind == EventKind::VenusTransit) return sky.Venus;
  return sky.Moon;
}

// ---- walking through the candidates

namespace {

// The true syzygy is within 0.6 days of the mean one, and an eclipse lasts less than 0.3 days
// on either side of it: one day of margin keeps every candidate that could come first.
constexpr long double MoonMargin = 1;
// Eclipses come at least twice a year; a search that finds none in three years has left the
// years the series describe and gives up.
constexpr long double GiveUpDays = 3 * 365.25L;

bool Better(const std::optional<TFoundEvent>& candidate, const std::optional<TFoundEvent>& best,
            int direction) {
  if (!candidate) return false;
  if (!best) return true;
  return direction > 0 ? candidate->Begin < best->Begin : candidate->Begin > best->Begin;
}

}  // namespace

TSearchResult Searcher::Walk(Second from, int direction) {
  const long double jd = JdOf(from);
  std::optional<TFoundEvent> best;
  auto beyond = [&](const TFoundEvent& e) {
    return direction > 0 ? e.Begin > from : e.Begin < from;
  };
  // Candidates whose event cannot begin on the searched side of `from`.
  auto behind = [&](long double candidate, long double margin) {
    return direction > 0 ? candidate + margin < jd : candidate - margin > jd;
  };
  auto passed = [&](long double candidate, long double margin) {
    if (!best) return direction * (candidate - jd) > GiveUpDays;
    return direction > 0 ? candidate - margin > JdOf(best->Begin)
                         : candidate + margin < JdOf(best->Begin);
  };

  // Eclipses: the syzygies from one before `from` on, in the direction of the search. Mean
  // motions run in the series' time; the candidates are compared in UT.
  for (int64_t k = SyzygyBefore(SeriesJd(jd)) + (direction > 0 ? -1 : 2);; k += direction) {
    const long double series = MeanSyzygy(k);
    const long double mean = UtJd(series);
    if (passed(mean, MoonMargin)) break;
    if (behind(mean, MoonMargin) || !MoonNearNode(series)) continue;
    const EventKind kind = k % 2 == 0 ? EventKind::SolarEclipse : EventKind::LunarEclipse;
    const auto found = EventNear(kind, mean);
    if (found && beyond(*found) && Better(found, best, direction)) best = found;
  }
  // Transits before the eclipse found (or within the years searched).
  for (const TPlanet* p : {&Mercury, &Venus}) {
    const long double margin = p->MaxShift + 1;
    int64_t k = static_cast<int64_t>(std::floor((SeriesJd(jd) - p->Epoch) / p->SynodicPeriod));
    k += direction > 0 ? -1 : 2;
    for (;; k += direction) {
      const long double series = MeanConjunction(*p, k);
      if (passed(UtJd(series), margin)) break;
      if (behind(UtJd(series), margin) || !PlanetNearNode(*p, series)) continue;
      const auto found = EventNear(p->Kind, UtJd(TrueConjunction(*p, series)));
      if (found && beyond(*found) && Better(found, best, direction)) best = found;
    }
  }
  TSearchResult result;
  if (best && FindEnd(*best)) result.Event = best;
  result.Evaluations = Evaluations;
  return result;
}

}  // namespace search
