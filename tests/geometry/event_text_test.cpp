#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event_text.h"
#include "events.h"
#include "mathe.h"

using namespace astro;
using namespace geometry;

namespace {

constexpr long double AU = EarthRadiiPerAU;

BodyVector Vec(long double x, long double y, long double z) {
  BodyVector v;
  SetVector(v, x, y, z);
  return v;
}

class EventText : public ::testing::Test {
 protected:
  void SetUp() override { sky.Sun = Vec(0.99L * AU, 0, 0); }
  std::vector<TextRow> Rows() const { return EventTextRows(ev, sky, view); }
  TEvent ev;
  TSky sky;
  TView view;
};

TEST_F(EventText, EventNamesWithTheirWords) {
  struct Case {
    EventKind kind;
    int code;
    const char* text;
  } cases[] = {
      {EventKind::SolarEclipse, 1, " partielle Sonnenfinsternis"},
      {EventKind::SolarEclipse, 2, " nichtzentrale ringförmige Sonnenfinsternis"},
      {EventKind::SolarEclipse, 3, " nichtzentrale totale Sonnenfinsternis"},
      {EventKind::SolarEclipse, 4, " zentrale ringförmige Sonnenfinsternis"},
      {EventKind::SolarEclipse, 5, " zentrale totale Sonnenfinsternis"},
      {EventKind::MercuryTransit, 1, " partieller Merkurdurchgang"},
      {EventKind::MercuryTransit, 2, " nichtzentraler Merkurdurchgang"},
      {EventKind::MercuryTransit, 4, " zentraler Merkurdurchgang"},
      {EventKind::VenusTransit, 1, " partieller Venusdurchgang"},
      {EventKind::VenusTransit, 2, " nichtzentraler Venusdurchgang"},
      {EventKind::VenusTransit, 4, " zentraler Venusdurchgang"},
      {EventKind::VenusTransit, 5, " Venusdurchgang"},
      {EventKind::None, 0, " keine Finsternis"},
      {EventKind::None, 3, " keine Finsternis"},
  };
  for (const Case& c : cases) {
    ev.Kind = c.kind;
    ev.Type.Code = static_cast<EventCode>(c.code);
    std::vector<TextRow> rows = Rows();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].Row, 2);
    EXPECT_EQ(rows[0].Text, c.text);
    EXPECT_FALSE(rows[0].Warning);
    // Without an event there is no body whose distance row 4 could give.
    EXPECT_EQ(rows.back().Row, c.kind == EventKind::None ? 3 : 4);
  }
}

TEST_F(EventText, LunarEclipseLines) {
  ev.Kind = EventKind::LunarEclipse;
  ev.Phase = LunarPhase::Penumbral;
  sky.Sun = Vec(AU, 0, 0);
  ev.Occultor = Vec(-60, 0, 0);
  std::vector<TextRow> rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Text, " Halbschattenfinsternis");
  EXPECT_EQ(rows[1].Row, 3);
  EXPECT_EQ(rows[1].Text, " Abstand Erde - Sonne  =  390.9 dMond");
  EXPECT_EQ(rows[2].Row, 4);
  EXPECT_EQ(rows[2].Text, " Abstand Erde - Mond =  60.0 rErde");
}

TEST_F(EventText, DistancesInAstronomicalUnits) {
  ev.Kind = EventKind::MercuryTransit;
  ev.Type.Code = EventCode::Partial;
  ev.Occultor = Vec(0.554L * AU, 0, 0);
  std::vector<TextRow> rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].Text, " Abstand Erde - Sonne  =   1.0 AE");
  EXPECT_EQ(rows[2].Text, " Abstand Erde - Merkur =   0.55 AE");
}

TEST_F(EventText, SunAltitudeAndHorizonWarnings) {
  struct Case {
    EventKind kind;
    long double altitude;  // of the Sun, and for a lunar eclipse of the Moon
    bool below;
    const char* warning;  // nullptr: nothing on row 7
  } cases[] = {
      {EventKind::SolarEclipse, 23.46L, false, nullptr},
      {EventKind::SolarEclipse, -3.0L, true, " Sonne unter dem Horizont"},
      {EventKind::None, -0.04L, true, " Sonne unter dem Horizont"},
      {EventKind::LunarEclipse, -0.3L, false, " Mond unter dem Horizont"},
      {EventKind::LunarEclipse, 12.0L, true, nullptr},
  };
  const char* shown[] = {" Höhe der Sonne = 23.5°", " Höhe der Sonne = -3.0°",
                         " Höhe der Sonne =  0.0°", " Höhe des Mondes = -0.3°",
                         " Höhe des Mondes = 12.0°"};
  int i = 0;
  for (const Case& c : cases) {
    ev.Kind = c.kind;
    ev.Occultor = Vec(60, 0, 0);
    view.SunAltitude = view.MoonAltitude = c.altitude;
    view.SunBelowHorizon = c.below;
    view.SunAltitudeValid = true;
    std::vector<TextRow> rows = Rows();
    const std::size_t altitude = c.kind == EventKind::None ? 2 : 3;
    const std::size_t local = c.kind == EventKind::None ? 0 : 1;  // what is seen at the place
    ASSERT_EQ(rows.size(), altitude + local + (c.warning ? 2 : 1)) << i;
    if (local) {
      EXPECT_EQ(rows[altitude + 1].Row, 6);
    }
    EXPECT_EQ(rows[altitude].Row, 5);
    EXPECT_EQ(rows[altitude].Text, shown[i]);
    if (c.warning) {
      EXPECT_EQ(rows.back().Row, 7);
      EXPECT_EQ(rows.back().Text, c.warning);
      EXPECT_TRUE(rows.back().Warning);
    }
    ++i;
  }
}

TEST_F(EventText, NoAltitudeWhenInvalidOrExactlyZero) {
  ev.Kind = EventKind::SolarEclipse;
  view.SunAltitudeValid = true;
  view.SunAltitude = 0;
  view.SunBelowHorizon = true;
  EXPECT_EQ(Rows().size(), 4u);  // no altitude, but what is seen at the place
  view.SunAltitudeValid = false;
  view.SunAltitude = 10;
  EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(EventText, WhatIsSeenAtThePlace) {
  const long double R = 0.27L * Degree;
  const struct {
    EventKind Kind;
    ViewCode Code;
    long double Body, Separation;  // in the Sun's radii
    bool SunBelow;
    long double MoonAltitude;
    const char* Text;
  } cases[] = {
      {EventKind::SolarEclipse, ViewCode::Partial, 1, 1, false, 0,
       " am Ort: partiell, Größe 0.500, Bedeckung 39.1 %"},
      {EventKind::SolarEclipse, ViewCode::SunCovered, 1.05L, 0, false, 0,
       " am Ort: total, Größe 1.050"},
      {EventKind::SolarEclipse, ViewCode::BodyOnSun, 0.9L, 0, false, 0,
       " am Ort: ringförmig, Größe 0.900, Bedeckung 81.0 %"},
      {EventKind::SolarEclipse, ViewCode::Partial, 1, 1, true, 0, " am Ort nicht sichtbar"},
      {EventKind::SolarEclipse, ViewCode::Apart, 1, 3, false, 0, " am Ort nicht sichtbar"},
      {EventKind::VenusTransit, ViewCode::BodyOnSun, 0.03L, 0.5L, false, 0,
       " am Ort: Venus vor der Sonne"},
      {EventKind::LunarEclipse, ViewCode::Apart, 0, 0, true, 12, " am Ort sichtbar"},
      {EventKind::LunarEclipse, ViewCode::Apart, 0, 0, false, -0.5L, " am Ort nicht sichtbar"},
  };
  for (const auto& c : cases) {
    ev.Kind = c.Kind;
    view.Record.Code = c.Code;
    view.Record.SunRadius = R;
    view.Record.OccultorRadius = c.Body * R;
    view.Record.Separation = c.Separation * R;
    view.SunBelowHorizon = c.SunBelow;
    view.MoonAltitude = c.MoonAltitude;
    EXPECT_EQ(LocalPhaseText(ev, view), c.Text);
  }
}

// 0.5 rad and 1e-6 rad have known angle texts.
const std::string HalfRadian = " 28°38'52\".403";
const std::string Microradian = "  0°00'00\".206";

TEST_F(EventText, PanelRowsInDrawingOrder) {
  ev.Kind = EventKind::SolarEclipse;
  std::vector<TextRow> rows = MeasurementPanelRows(ev.Kind, 0.5L, 0.000001L, -Pi / 2, 0.5L);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, " Winkelradius der Sonne:" + HalfRadian},
      {1, " Winkelradius des Mondes:" + Microradian},
      {5, " theta' =  270.00°"},
      {2, " Winkelabstand Sonne/Mond:" + HalfRadian},
      {4, "     r' =  1.0000"},
      {6, "      x =  1.0000"},
      {7, "      y =  0.0000"},
  };
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].Row, expected[i].first);
    EXPECT_EQ(rows[i].Text, expected[i].second);
    EXPECT_FALSE(rows[i].Warning);
  }
}

TEST_F(EventText, PanelWordsForEachKind) {
  // Radii of 0.5 rad, 0.25 rad apart straight north: r' = 0.5, x = 0, y = 0.5.
  const struct {
    EventKind Kind;
    const char *Reference, *Second, *Pair;
  } cases[] = {
      {EventKind::SolarEclipse, " Winkelradius der Sonne: 28°38'52\".403",
       " Winkelradius des Mondes: 28°38'52\".403", " Winkelabstand Sonne/Mond: 14°19'26\".202"},
      {EventKind::MercuryTransit, " Winkelradius der Sonne: 28°38'52\".403",
       " Winkelradius von Merkur: 28°38'52\".403",
       " Winkelabstand Merkur/Sonne: 14°19'26\".202"},
      {EventKind::VenusTransit, " Winkelradius der Sonne: 28°38'52\".403",
       " Winkelradius von Venus: 28°38'52\".403", " Winkelabstand Venus/Sonne: 14°19'26\".202"},
      {EventKind::LunarEclipse, " Winkelradius des Mondes: 28°38'52\".403",
       " Winkelradius des Kernschattens: 28°38'52\".403",
       " Winkelabstand Mond/Kernschatten: 14°19'26\".202"},
  };
  for (const auto& c : cases) {
    const std::vector<TextRow> rows = MeasurementPanelRows(c.Kind, 0.5L, 0.5L, 0, 0.25L);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].Text, c.Reference);
    EXPECT_EQ(rows[1].Text, c.Second);
    EXPECT_EQ(rows[2].Text, " theta' =    0.00°");
    EXPECT_EQ(rows[3].Text, c.Pair);
    EXPECT_EQ(rows[4].Text, "     r' =  0.5000");
    EXPECT_EQ(rows[5].Text, "      x =  0.0000");
    EXPECT_EQ(rows[6].Text, "      y =  0.5000");
  }
}

TEST_F(EventText, PanelOnlyDuringAnEvent) {
  ev.Kind = EventKind::None;
  EXPECT_TRUE(MeasurementPanelRows(ev.Kind, 0.5L, 0.5L, 0, 0.25L).empty());
}

TEST_F(EventText, PanelCoordinatesNorthEast) {
  const std::vector<TextRow> rows =
      MeasurementPanelRows(EventKind::VenusTransit, 0.5L, 0.5L, Pi / 4, 0.25L);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[5].Text, "      x = -0.3536");  // north-east: x toward the west is negative
  EXPECT_EQ(rows[6].Text, "      y =  0.3536");
}

}  // namespace
