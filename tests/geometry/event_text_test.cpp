#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event_text.h"
#include "events.h"
#include "mathe.h"

namespace {

constexpr long double AU = 23454.78L;

BodyVector Vec(long double x, long double y, long double z) {
  BodyVector v;
  SetVector(v, x, y, z);
  return v;
}

class EventText : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGeometry();
    Geo.SunVec = Vec(0.99L * AU, 0, 0);
  }
};

TEST_F(EventText, EventNamesWithTheirWords) {
  struct Case {
    int kind, code;
    const char* text;
  } cases[] = {
      {0, 1, " partielle Sonnenfinsternis"},
      {0, 2, " nichtzentrale ringförmige Sonnenfinsternis"},
      {0, 3, " nichtzentrale totale Sonnenfinsternis"},
      {0, 4, " zentrale ringförmige Sonnenfinsternis"},
      {0, 5, " zentrale totale Sonnenfinsternis"},
      {1, 1, " partieller Merkurdurchgang"},
      {1, 2, " nichtzentraler Merkurdurchgang"},
      {1, 4, " zentraler Merkurdurchgang"},
      {2, 1, " partieller Venusdurchgang"},
      {2, 2, " nichtzentraler Venusdurchgang"},
      {2, 4, " zentraler Venusdurchgang"},
      {2, 5, " Venusdurchgang"},
      {4, 0, " keine Finsternis"},
      {4, 3, " keine Finsternis"},
  };
  for (const Case& c : cases) {
    Geo.EventKind = c.kind;
    Geo.EventType.Code = c.code;
    std::vector<TextRow> rows = EventTextRows(7);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].Row, 2);
    EXPECT_EQ(rows[0].Text, c.text);
    EXPECT_EQ(rows[0].Colour, 7);
    // Without an event there is no body whose distance row 4 could give.
    EXPECT_EQ(rows.back().Row, c.kind == KindNone ? 3 : 4);
  }
}

TEST_F(EventText, LunarEclipseLines) {
  Geo.EventKind = KindLunarEclipse;
  Geo.LunarEclipseText = "Halbschattenfinsternis";
  Geo.SunVec = Vec(AU, 0, 0);
  Geo.OccultorVec = Vec(-60, 0, 0);
  Geo.OccultorName = "Mond";
  std::vector<TextRow> rows = EventTextRows(0);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Text, " Halbschattenfinsternis");
  EXPECT_EQ(rows[1].Row, 3);
  EXPECT_EQ(rows[1].Text, " Abstand Erde - Sonne  =  390.9 dMond");
  EXPECT_EQ(rows[2].Row, 4);
  EXPECT_EQ(rows[2].Text, " Abstand Erde - Mond =  60.0 rErde");
}

TEST_F(EventText, DistancesInAstronomicalUnits) {
  Geo.EventKind = KindMercuryTransit;
  Geo.EventType.Code = 1;
  Geo.OccultorName = "Merkur";
  Geo.OccultorVec = Vec(0.554L * AU, 0, 0);
  std::vector<TextRow> rows = EventTextRows(7);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].Text, " Abstand Erde - Sonne  =   1.0 AE");
  EXPECT_EQ(rows[2].Text, " Abstand Erde - Merkur =   0.55 AE");
}

TEST_F(EventText, SunAltitudeAndHorizonWarnings) {
  struct Case {
    int kind;
    long double altitude;
    bool below;
    const char* warning;  // nullptr: nothing on row 7
  } cases[] = {
      {KindSolarEclipse, 23.46L, false, nullptr},
      {KindSolarEclipse, -3.0L, true, " Sonne unter dem Horizont"},
      {KindNone, -0.04L, true, " Sonne unter dem Horizont"},
      {KindLunarEclipse, 5.0L, false, " Mond unter dem Horizont"},
      {KindLunarEclipse, -12.0L, true, nullptr},
  };
  const char* shown[] = {" Höhe der Sonne = 23.5°", " Höhe der Sonne = -3.0°",
                         " Höhe der Sonne =  0.0°", " Höhe der Sonne =  5.0°",
                         " Höhe der Sonne =-12.0°"};
  int i = 0;
  for (const Case& c : cases) {
    Geo.EventKind = c.kind;
    Geo.OccultorVec = Vec(60, 0, 0);
    Geo.SunAltitude = c.altitude;
    Geo.SunBelowHorizon = c.below;
    Geo.SunAltitudeValid = true;
    std::vector<TextRow> rows = EventTextRows(7);
    const std::size_t altitude = c.kind == KindNone ? 2 : 3;
    ASSERT_EQ(rows.size(), altitude + (c.warning ? 2 : 1)) << i;
    EXPECT_EQ(rows[altitude].Row, 5);
    EXPECT_EQ(rows[altitude].Text, shown[i]);
    if (c.warning) {
      EXPECT_EQ(rows.back().Row, 7);
      EXPECT_EQ(rows.back().Text, c.warning);
      EXPECT_EQ(rows.back().Colour, 12);
    }
    ++i;
  }
}

TEST_F(EventText, NoAltitudeWhenInvalidOrExactlyZero) {
  Geo.EventKind = KindSolarEclipse;
  Geo.SunAltitudeValid = true;
  Geo.SunAltitude = 0;
  Geo.SunBelowHorizon = true;
  EXPECT_EQ(EventTextRows(7).size(), 3u);
  Geo.SunAltitudeValid = false;
  Geo.SunAltitude = 10;
  EXPECT_EQ(EventTextRows(7).size(), 3u);
}

class RecordingDrawer : public TextDrawer {
 public:
  int LineHeight() const override { return 18; }
  int MaxY() const override { return 767; }
  void DrawText(int x, int y, const std::string& text, int colour) override {
    calls.push_back({x, y, text, colour});
  }
  struct Call {
    int x, y;
    std::string text;
    int colour;
  };
  std::vector<Call> calls;
};

TEST_F(EventText, ShowEventTextDrawsTheRowsAtLineHeights) {
  Geo.EventKind = KindSolarEclipse;
  Geo.EventType.Code = 5;
  Geo.SunAltitudeValid = true;
  Geo.SunAltitude = -1;
  Geo.SunBelowHorizon = true;
  RecordingDrawer drawer;
  ShowEventText(drawer, 0);
  const std::vector<TextRow> rows = EventTextRows(0);
  ASSERT_EQ(drawer.calls.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(drawer.calls[i].x, 0);
    EXPECT_EQ(drawer.calls[i].y, rows[i].Row * 18);
    EXPECT_EQ(drawer.calls[i].text, rows[i].Text);
    EXPECT_EQ(drawer.calls[i].colour, rows[i].Colour);
  }
  EXPECT_EQ(drawer.calls[0].text, " zentrale totale Sonnenfinsternis");
  EXPECT_EQ(drawer.calls.back().colour, 12);
}

// 0.5 rad and 1e-6 rad have known angle texts.
const std::string HalfRadian = " 28°38'52\".403";
const std::string Microradian = "  0°00'00\".206";

TEST_F(EventText, PanelRowsInDrawingOrder) {
  Geo.EventKind = KindSolarEclipse;
  std::vector<TextRow> rows = MeasurementPanelRows(15, 0.5L, 0.000001L, -Pi / 2, 0.5L);
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
    EXPECT_EQ(rows[i].Colour, 15);
  }
}

TEST_F(EventText, PanelWordsForEachKind) {
  const char* words[][3] = {
      {" der Sonne:", " des Mondes:", " Sonne/Mond:"},
      {" der Sonne:", " von Merkur:", " Merkur/Sonne:"},
      {" der Sonne:", " von Venus:", " Venus/Sonne:"},
      {" des Mondes:", " des Kernschattens:", " Mond/Kernschatten:"},
  };
  for (int kind = 0; kind < 4; ++kind) {
    Geo.EventKind = kind;
    std::vector<TextRow> rows = MeasurementPanelRows(3, 0.5L, 0.5L, 0, 0.25L);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].Text, std::string(" Winkelradius") + words[kind][0] + HalfRadian);
    EXPECT_EQ(rows[1].Text, std::string(" Winkelradius") + words[kind][1] + HalfRadian);
    EXPECT_EQ(rows[2].Text, " theta' =    0.00°");
    EXPECT_EQ(rows[3].Text.rfind(std::string(" Winkelabstand") + words[kind][2], 0), 0u);
    EXPECT_EQ(rows[4].Text, "     r' =  0.5000");
    EXPECT_EQ(rows[5].Text, "      x =  0.0000");
    EXPECT_EQ(rows[6].Text, "      y =  0.5000");
  }
}

TEST_F(EventText, PanelOnlyDuringAnEvent) {
  Geo.EventKind = KindNone;
  EXPECT_TRUE(MeasurementPanelRows(15, 0.5L, 0.5L, 0, 0.25L).empty());
  RecordingDrawer drawer;
  MeasurementPanel(drawer, 15, 0.5L, 0.5L, 0, 0.25L);
  EXPECT_TRUE(drawer.calls.empty());
}

TEST_F(EventText, PanelIsDrawnAboveTheBottom) {
  Geo.EventKind = KindVenusTransit;
  RecordingDrawer drawer;
  MeasurementPanel(drawer, 9, 0.5L, 0.5L, Pi / 4, 0.25L);
  const std::vector<TextRow> rows = MeasurementPanelRows(9, 0.5L, 0.5L, Pi / 4, 0.25L);
  ASSERT_EQ(drawer.calls.size(), 7u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(drawer.calls[i].x, 0);
    EXPECT_EQ(drawer.calls[i].y, 767 - 7 * 18 + rows[i].Row * 18);
    EXPECT_EQ(drawer.calls[i].colour, 9);
  }
  EXPECT_EQ(drawer.calls.back().y, 767);  // row 7 sits on the last pixel row
  EXPECT_EQ(rows[5].Text, "      x = -0.3536");  // north-east: x toward the west is negative
  EXPECT_EQ(rows[6].Text, "      y =  0.3536");
}

}  // namespace
