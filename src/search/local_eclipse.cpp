// The local circumstances of a solar eclipse or transit: the contacts as the panel shows them,
// the strongest phase seen and the Sun's rising or setting during the event.
#include "local_eclipse.h"

#include "internal.h"

namespace search {

using namespace geometry;

TLocalEclipse LocalEclipse(const TFoundEvent& event, const TObserverCoordinates& site,
                           int* evaluations) {
  TLocalEclipse local;
  int contactEvaluations = 0;
  local.Contacts = SiteContacts(event, site, &contactEvaluations);
  Searcher s{event.Model, event.DeltaTShift};
  auto done = [&] {
    if (evaluations) *evaluations = contactEvaluations + s.Evaluations;
    return local;
  };
  if (local.Contacts.empty()) return done();

  auto contact = [&](int number) -> std::optional<Second> {
    for (const TSiteContact& c : local.Contacts)
      if (c.Number == number) return c.At;
    return std::nullopt;
  };
  const long double diameter =
      s.Classify(event.Greatest, NeedsPlanets(event.Kind)).OccultorDiameter;
  auto viewAt = [&](Second t) { return s.ViewOf(event.Kind, diameter, site, t); };

  if (const auto second = contact(2), third = contact(3); second && third)
    local.CentralSeconds = *third - *second;

  // The Sun's altitude here is the one the panel shows: its centre, without refraction. Tables
  // of sunrise count the upper limb and 34' of refraction, so by this altitude the Sun rises a
  // few minutes later and sets a few minutes earlier than they say (more at high latitudes).
  auto up = [&](Second t) { return !viewAt(t).SunBelowHorizon; };
  const Second first = *contact(1), last = *contact(4);
  local.Visible = up(first);
  for (const Second change : Changes(first, last, up)) {
    local.Visible = true;  // up on one side of it
    if (up(change))
      local.Sunrise = change;
    else
      local.Sunset = change - 1;
  }

  // The strongest phase seen: at the greatest instant, or, when the Sun is down then, where it
  // rises or sets, whichever sees the discs nearer (they draw apart on both sides of it).
  local.StrongestSeen = *contact(0);
  TView most = viewAt(local.StrongestSeen);
  if (local.Visible && most.SunBelowHorizon) {
    bool found = false;
    for (const auto& t : {local.Sunrise, local.Sunset}) {
      if (!t) continue;
      const TView v = viewAt(*t);
      if (found && v.Record.Separation >= most.Record.Separation) continue;
      local.StrongestSeen = *t;
      most = v;
      found = true;
    }
  }
  const TLocalPhase phase = LocalPhaseOf(most.Record);
  local.Phase = phase.Phase;
  local.Magnitude = phase.Magnitude;
  local.Obscuration = phase.Obscuration;
  return done();
}

}  // namespace search
