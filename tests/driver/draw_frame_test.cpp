// Clock texts, the common area of two circles, and the frame's scale and orientation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "draw_frame.h"
#include "driver_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "key_tick.h"
#include "main_routine.h"
#include "mathe.h"

using namespace astro;
using namespace geometry;
using namespace console;
using namespace driver;

namespace {

// An instant typed as a UT date and time: its texts, and the clock value (UT + 1 h) the time
// prompt makes, to the bit, on the date typed (from 23:00:01 UT on, the next date's 0.00-0.59).
TEST(UtTextsTest, DateAndTimeOfAnInstant) {
  const struct {
    TCalendarDate Date;
    int H, M, S;
    const char *Time, *Day;
  } cases[] = {
      {{9, 5, 2016}, 13, 0, 0, "13:00:00", "9.5.2016"},
      {{8, 6, 2004}, 8, 22, 12, "08:22:12", "8.6.2004"},
      {{1, 1, 2000}, 0, 0, 0, "00:00:00", "1.1.2000"},
      {{28, 9, 2015}, 23, 0, 0, "23:00:00", "28.9.2015"},
      {{28, 9, 2015}, 23, 45, 59, "23:45:59", "28.9.2015"},
      {{1, 1, -9999}, 0, 0, 1, "00:00:01", "1.1.-9999"},
      {{31, 12, 9999}, 23, 59, 59, "23:59:59", "31.12.9999"},
  };
  for (const auto& c : cases) {
    const long double clock = HMMFromHours(c.H + 1 + (c.M + c.S / 60.0L) / 60.0L);
    const TInstant at = TInstant::OfClock(c.Date, clock);
    EXPECT_EQ(UtTimeText(at), c.Time);
    EXPECT_EQ(UtDateText(at), c.Day);
    const bool nextDate = c.H == 23 && (c.M || c.S);
    if (nextDate) {
      EXPECT_NEAR(static_cast<double>(at.Clock()), static_cast<double>(clock - 24), 1e-15);
    } else {
      EXPECT_EQ(at.Clock(), clock) << c.Time;
    }
    EXPECT_EQ(at.Date().Day == c.Date.Day, !nextDate) << c.Time;
  }
}

TEST(PixelsPerRadian, ScaleOfAFullHdAndAnXgaWindow) {
  // 0.25 degrees are 0.45 of the window height.
  EXPECT_NEAR(static_cast<double>(PixelsPerRadian(767)), 79102.55, 0.01);
  EXPECT_EQ(std::lrint(PixelsPerRadian(767) * 0.27L * Degree), 373);  // a Sun of 0.27 degrees
  EXPECT_NEAR(static_cast<double>(PixelsPerRadian(1079) * 0.25L * Degree), 0.45 * 1079, 1e-9);
}

TEST(ParallacticAngle, PointsToTheZenithInBothHemispheresTropicsAndPolarCaps) {
  struct Case {
    double Latitude, Declination, HourAngle;  // degrees
  };
  const Case cases[] = {
      {52.37, 17.4, 30},   {52.37, 17.4, -60},  {52.37, -10, 150},  // Hannover
      {-33.87, 22.7, 15},  {-33.87, 22.7, -40}, {-33.92, 17.5, 20},  // Sydney, Kapstadt
      {10, 20, 5},         {10, 20, -5},        {10, 20, 100},       // tropics, Sun north
      {-5, -22, 30},       {0, 0, 45},          {0, 23, -90},        // equator
      {89.9, 10, 120},     {-89.9, 10, 120},    {-89.9, -20, -30},   // near the poles
  };
  for (const Case& c : cases) {
    const long double phi = c.Latitude * Degree, delta = c.Declination * Degree,
                      h = c.HourAngle * Degree;
    const long double q = ParallacticAngle(h, delta, phi);
    // Compared as a direction: the difference of the angles reduced into (-pi, pi].
    const long double diff = std::remainder(q - ZenithDirection(h, delta, phi), 2 * Pi);
    EXPECT_NEAR(static_cast<double>(diff), 0.0, 1e-6)
        << c.Latitude << " " << c.Declination << " " << c.HourAngle;
  }
}

// Every polygon point lies on one circle and within the other (a pixel of rounding allowed),
// and so does the middle of every edge: the arcs show no corners.
void ExpectLens(const OverlapShape& s, int x1, int y1, int r1, int x2, int y2, int r2) {
  ASSERT_EQ(s.Shape, OverlapShape::Polygon);
  EXPECT_LE(s.Points.size(), MaxOverlapPoints);
  auto expectOnTheLens = [&](double x, double y, double off) {
    const double d1 = std::hypot(x - x1, y - y1), d2 = std::hypot(x - x2, y - y2);
    EXPECT_LE(d1, r1 + off) << x << "," << y;
    EXPECT_LE(d2, r2 + off) << x << "," << y;
    EXPECT_TRUE(std::abs(d1 - r1) < off || std::abs(d2 - r2) < off) << x << "," << y;
  };
  for (std::size_t i = 0; i < s.Points.size(); ++i) {
    const TPoint p = s.Points[i], q = s.Points[(i + 1) % s.Points.size()];
    expectOnTheLens(p.X, p.Y, 1.5);
    expectOnTheLens((p.X + q.X) / 2.0, (p.Y + q.Y) / 2.0, 1.0);
  }
}

TEST(CircleOverlap, ThePenumbraOnTheMoonAt1920x1080HasNoCorners) {
  // The Moon 505 pixels wide in a penumbra of 2525 pixels, their edges crossing.
  const int moon = 505, penumbra = 2525;
  ExpectLens(CircleOverlap(959, 539, moon, 959 + penumbra + 300, 600, penumbra), 959, 539, moon,
             959 + penumbra + 300, 600, penumbra);
}

TEST(CircleOverlap, DisjointCirclesGiveNothing) {
  EXPECT_EQ(CircleOverlap(0, 0, 10, 21, 0, 10).Shape, OverlapShape::None);
  EXPECT_EQ(CircleOverlap(0, 0, 10, 100, 100, 5).Shape, OverlapShape::None);
}

TEST(CircleOverlap, OuterTangencyIsADegeneratePolygonOfFourPoints) {
  const OverlapShape s = CircleOverlap(0, 0, 10, 20, 0, 10);
  ASSERT_EQ(s.Shape, OverlapShape::Polygon);
  ASSERT_EQ(s.Points.size(), 4u);
  for (const TPoint& p : s.Points) {
    EXPECT_EQ(p.X, 10);
    EXPECT_EQ(p.Y, 0);
  }
}

TEST(CircleOverlap, NestedCirclesGiveTheInnerDisc) {
  OverlapShape s = CircleOverlap(100, 100, 10, 103, 100, 50);  // 1 inside 2
  ASSERT_EQ(s.Shape, OverlapShape::Disc);
  EXPECT_EQ(s.X, 100);
  EXPECT_EQ(s.R, 10);
  s = CircleOverlap(100, 100, 50, 95, 104, 10);  // 2 inside 1
  ASSERT_EQ(s.Shape, OverlapShape::Disc);
  EXPECT_EQ(s.X, 95);
  EXPECT_EQ(s.Y, 104);
  EXPECT_EQ(s.R, 10);
}

TEST(CircleOverlap, InnerTangencyGoesThroughTheIntersectionStep) {
  // d = r1 - r2: neither circle lies strictly inside the other.
  const OverlapShape s = CircleOverlap(0, 0, 10, 5, 0, 5);
  ExpectLens(s, 0, 0, 10, 5, 0, 5);
  EXPECT_EQ(CircleOverlap(0, 0, 10, 3, 4, 5).Shape, OverlapShape::Polygon);
}

TEST(CircleOverlap, EqualCoincidentCirclesGiveCircleOne) {
  const OverlapShape s = CircleOverlap(40, 50, 30, 40, 50, 30);
  ASSERT_EQ(s.Shape, OverlapShape::Disc);
  EXPECT_EQ(s.X, 40);
  EXPECT_EQ(s.Y, 50);
  EXPECT_EQ(s.R, 30);
  EXPECT_EQ(CircleOverlap(0, 0, 0, 0, 0, 0).Shape, OverlapShape::Disc);
}

TEST(CircleOverlap, LensesInEveryDirection) {
  for (int deg = 0; deg < 360; deg += 15) {
    const int x2 = static_cast<int>(std::lrint(300 + 120 * std::cos(deg * M_PI / 180)));
    const int y2 = static_cast<int>(std::lrint(300 - 120 * std::sin(deg * M_PI / 180)));
    SCOPED_TRACE(deg);
    ExpectLens(CircleOverlap(300, 300, 100, x2, y2, 60), 300, 300, 100, x2, y2, 60);
  }
}

TEST(CircleOverlap, ArcShorterThanOneStepTakesTheInnerSide) {
  // Circle 2 reaches 5 pixels into circle 1: the lens arc on circle 1 spans under 5 degrees.
  ExpectLens(CircleOverlap(300, 300, 300, 615, 300, 20), 300, 300, 300, 615, 300, 20);
  ExpectLens(CircleOverlap(615, 300, 20, 300, 300, 300), 615, 300, 20, 300, 300, 300);
  ExpectLens(CircleOverlap(300, 300, 300, 300, 619, 20), 300, 300, 300, 300, 619, 20);
}

TEST(CircleOverlap, HugeAndTinyCirclesStayBounded) {
  // A Moon of 380 pixels against an umbra of thousands, as in a lunar eclipse.
  ExpectLens(CircleOverlap(511, 383, 384, 511, 2000, 1700), 511, 383, 384, 511, 2000, 1700);
  ExpectLens(CircleOverlap(0, 0, 1, 1, 1, 1), 0, 0, 1, 1, 1, 1);
}

TEST(CircleIntersections, SymmetricPointsOfALens) {
  TPoint p1, p2;
  CircleIntersections(0, 0, 5, 8, 0, 5, p1, p2);
  EXPECT_EQ(p1.X, 4);
  EXPECT_EQ(p2.X, 4);
  EXPECT_EQ(p1.Y, 3);
  EXPECT_EQ(p2.Y, -3);
  // Tangent circles: both points at the contact.
  CircleIntersections(0, 0, 3, 4, 3, 2, p1, p2);
  EXPECT_EQ(p1.X, p2.X);
  EXPECT_EQ(p1.Y, p2.Y);
}

class FillOverlapTest : public DriverTest {};

TEST_F(FillOverlapTest, FillsOnlyTheCommonArea) {
  InstallPalette();
  ClearScreen();
  const uint32_t red = PaletteColour(Colour::LightRed), white = PaletteColour(Colour::White);
  SetFillColour(255, Colour::LightRed, Colour::LightRed);
  FillCircleOverlap(300, 300, 100, 420, 300, 100);
  EXPECT_EQ(PixelAt(360, 300) & 0xFFFFFF, red);
  EXPECT_EQ(PixelAt(360, 360) & 0xFFFFFF, red);
  EXPECT_EQ(PixelAt(250, 300) & 0xFFFFFF, white);  // only in circle 1
  EXPECT_EQ(PixelAt(470, 300) & 0xFFFFFF, white);  // only in circle 2
  EXPECT_EQ(PixelAt(360, 390) & 0xFFFFFF, white);  // outside both
}

TEST_F(FillOverlapTest, EqualCoincidentCirclesFillTheDisc) {
  InstallPalette();
  ClearScreen();
  const uint32_t red = PaletteColour(Colour::LightRed), white = PaletteColour(Colour::White);
  SetFillColour(255, Colour::LightRed, Colour::LightRed);
  FillCircleOverlap(600, 400, 50, 600, 400, 50);
  EXPECT_EQ(PixelAt(600, 400) & 0xFFFFFF, red);
  EXPECT_EQ(PixelAt(640, 400) & 0xFFFFFF, red);
  EXPECT_EQ(PixelAt(660, 400) & 0xFFFFFF, white);
}

TEST_F(FillOverlapTest, DisjointCirclesDrawNothing) {
  InstallPalette();
  ClearScreen();
  SetFillColour(255, Colour::LightRed, Colour::LightRed);
  FillCircleOverlap(100, 100, 40, 200, 100, 40);
  EXPECT_EQ(CountPixels(PaletteColour(Colour::LightRed), 50, 50, 250, 150), 0);
}

}  // namespace

namespace {

class FramePictureTest : public DriverTest {
 protected:
  void TearDown() override {
    StartHeadlessConsole(Width, Height);  // the other tests' window
    DriverTest::TearDown();
  }
  // A new console of this size and a first dialogue of the prepared event `menu` from
  // Hannover in the equatorial system, at `time`.
  void NewRun(int width, int height, const std::string& menu, const std::string& time) {
    StartHeadlessConsole(width, height);
    SetTickProcedure(KeyTick);
    ResetDriverState();
    Answer({menu, "n", "n", Enter, Enter, Enter, Enter, time, Enter});
    KeyTick();
  }
  std::vector<uint32_t> Picture() const {
    std::vector<uint32_t> pixels;
    for (int y = 0; y <= MaxY(); ++y)
      for (int x = 0; x <= MaxX(); ++x) pixels.push_back(PixelAt(x, y) & 0xFFFFFF);
    return pixels;
  }
};

// Every pixel of a disc that is not next to a visible text has the colour of the disc (or of
// the shadow on it): no box of a blank or hidden text cuts into the limbs.
TEST_F(FramePictureTest, DiscsHaveTheirColourAwayFromVisibleText) {
  const struct {
    int W, H;
  } screens[] = {{1024, 768}, {1280, 800}, {1920, 1080}};
  for (const auto& screen : screens) {
    for (const char* menu : {"4", "5"}) {
      SCOPED_TRACE(std::to_string(screen.W) + " " + menu);
      // A title file switches the console to its 12-point font, as in a real run.
      WriteFile(ProgramBaseName() + ".txt", "Titel\nUntertitel\nText\n");
      NewRun(screen.W, screen.H, menu, menu[0] == '4' ? "09:45:00" : "02:00:00");
      ASSERT_NE(Drv.Scene.Event.Kind, EventKind::None);
      for (int panel = 0; panel < 2; ++panel) {
        if (panel) Press('m');
        const int W = MaxX(), H = MaxY(), L = LineHeight(), C = CharWidth();
        // Pixels of a text colour, and which pixels lie within a line and two characters of
        // one (blanks inside a text, up to three in a row, belong to it).
        const uint32_t textColours[] = {PaletteColour(Colour::LightGray), PaletteColour(Colour::White),
                                        PaletteColour(Colour::DarkGray)};
        std::vector<int> sum((W + 2) * (H + 2), 0);  // 2D prefix sums of text pixels
        auto at = [&](int x, int y) -> int& { return sum[y * (W + 2) + x]; };
        for (int y = 0; y <= H; ++y)
          for (int x = 0; x <= W; ++x) {
            const uint32_t p = PixelAt(x, y) & 0xFFFFFF;
            const bool text = std::find(std::begin(textColours), std::end(textColours), p) !=
                              std::end(textColours);
            at(x + 1, y + 1) = text + at(x, y + 1) + at(x + 1, y) - at(x, y);
          }
        auto nearText = [&](int x, int y) {
          const int x1 = std::max(0, x - 2 * C), y1 = std::max(0, y - L);
          const int x2 = std::min(W, x + 2 * C), y2 = std::min(H, y + L);
          return at(x2 + 1, y2 + 1) - at(x1, y2 + 1) - at(x2 + 1, y1) + at(x1, y1) > 0;
        };
        // The discs where the layout puts them: 0.25 degrees are 0.45 H.
        const double k = H * 1.8 / (M_PI / 180);
        const bool lunar = Drv.Scene.Event.Kind == EventKind::LunarEclipse;
        const double r1 = k * (lunar ? Drv.Scene.Event.Shadow.MoonRadius : Drv.Scene.View.Record.SunRadius);
        const double r2 = k * (lunar ? Drv.Scene.Event.Shadow.UmbraRadius : Drv.Scene.View.Record.OccultorRadius);
        const double rp = k * Drv.Scene.Event.Shadow.PenumbraRadius;
        const double d = k * (lunar ? Drv.Scene.Event.Shadow.Separation : Drv.Scene.View.Record.Separation);
        const double theta = lunar ? Drv.Scene.Event.Shadow.PositionAngle : Drv.Scene.View.Record.PositionAngle;
        const double cx = W / 2, cy = H / 2;
        const double x2 = cx - std::sin(theta) * d, y2 = cy - std::cos(theta) * d;
        const uint32_t sky = PixelAt(3, H / 2) & 0xFFFFFF;
        int wrong = 0, checked = 0;
        for (int y = 0; y <= H; ++y)
          for (int x = 0; x <= W; ++x) {
            const double d1 = std::hypot(x - cx, y - cy), d2 = std::hypot(x - x2, y - y2);
            if (d1 > r1 - 2 || std::fabs(d2 - r2) < 2.5 || nearText(x, y)) continue;
            uint32_t expected;
            if (!lunar) {
              expected = d2 < r2 ? sky : 0xE3E341u;  // the Sun: yellow at intensity 200
            } else {
              if (lunar && std::fabs(d2 - rp) < 2.5) continue;
              expected = d2 < r2 ? 0x171717u : d2 < rp ? 0xACACACu : 0xE6E6E6u;
            }
            ++checked;
            wrong += (PixelAt(x, y) & 0xFFFFFF) != expected;
          }
        EXPECT_GT(checked, 100000);
        EXPECT_EQ(wrong, 0) << "panel " << panel;
      }
    }
  }
}

// A frame draws the same picture whatever was drawn before it: a lunar eclipse after a solar
// eclipse looks as it does in a new run (no pen colour of the solar frame on the umbra).
TEST_F(FramePictureTest, ALunarEclipseLooksTheSameAfterASolarEclipse) {
  NewRun(Width, Height, "5", "02:00:00");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::LunarEclipse);
  const std::vector<uint32_t> fresh = Picture();
  Answer({Enter, Enter, Enter, "20", "3", Enter, "09:45:00", Enter});
  Press(Code(Key::Esc));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::SolarEclipse);
  Answer({Enter, Enter, Enter, "28", "9", Enter, "02:00:00", Enter});
  Press(Code(Key::Esc));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::LunarEclipse);
  const std::vector<uint32_t> after = Picture();
  int differing = 0;
  for (std::size_t i = 0; i < fresh.size(); ++i) differing += fresh[i] != after[i];
  EXPECT_EQ(differing, 0);
}

}  // namespace
