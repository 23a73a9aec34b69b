// Shared checks of the reliability tests: every number the picture and its texts are made
// from is finite, and no text shows "nan" or "inf".
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "event_text.h"
#include "events.h"
#include "sky_search.h"

using namespace geometry;

inline bool Finite(const BodyVector& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z) && std::isfinite(v.R);
}

// A text a person could read: no "nan", "inf" (any case).
inline bool ShowsNonNumber(const std::string& text) {
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// The values the frame draws (disc radii, separation, position angle) as it picks them.
struct DrawnValues {
  long double R1, R2, Rp, D, Theta;
};

inline DrawnValues ValuesOfFrame(const InstantResult& r) {
  if (r.Event.Kind == EventKind::LunarEclipse) {
    const TShadowRecord& s = r.Event.Shadow;
    return {s.MoonRadius, s.UmbraRadius, s.PenumbraRadius, s.Separation, s.PositionAngle};
  }
  const TViewRecord& v = r.View.Record;
  return {v.SunRadius, v.OccultorRadius, 0, v.Separation, v.PositionAngle};
}

// Everything of an instant that a frame or a text line is made from, when an event is in view.
// `where` names the instant in failure messages. With `physical`, the distances must also be
// positive (not so at instants millions of years away, where the series mean nothing).
inline void ExpectDrawableGeometry(const InstantResult& r, const std::string& where,
                                   bool physical = true) {
  SCOPED_TRACE(where);
  EXPECT_TRUE(Finite(r.Sky.Sun));
  EXPECT_TRUE(Finite(r.Sky.Moon));
  EXPECT_TRUE(Finite(r.Sky.Mercury));
  EXPECT_TRUE(Finite(r.Sky.Venus));
  EXPECT_TRUE(Finite(r.Observer));
  if (physical) {
    EXPECT_GT(r.Sky.Sun.R, 0);
    EXPECT_GT(r.Sky.Moon.R, 0);
  }
  EXPECT_TRUE(std::isfinite(r.Sky.SinObliquity) && std::isfinite(r.Sky.CosObliquity));
  for (const TextRow& row : EventTextRows(r.Event, r.Sky, r.View))
    EXPECT_FALSE(ShowsNonNumber(row.Text)) << row.Text;
  if (r.Event.Kind == EventKind::None) return;
  EXPECT_TRUE(Finite(r.Event.Occultor));
  EXPECT_TRUE(std::isfinite(r.Event.OccultorDiameter));
  EXPECT_TRUE(std::isfinite(r.View.SunAltitude));
  EXPECT_LE(std::fabs(r.View.SunAltitude), 90.0L);
  const DrawnValues v = ValuesOfFrame(r);
  for (long double x : {v.R1, v.R2, v.Rp, v.D, v.Theta}) EXPECT_TRUE(std::isfinite(x)) << x;
  if (physical) {
    EXPECT_GT(v.R1, 0);
  }
  for (const TextRow& row : MeasurementPanelRows(r.Event.Kind, v.R1, v.R2, v.Theta, v.D))
    EXPECT_FALSE(ShowsNonNumber(row.Text)) << row.Text;
}
