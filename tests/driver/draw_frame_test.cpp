// Clock texts, the common area of two circles, and the frame's scale and orientation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "draw_frame.h"
#include "driver_fixture.h"
#include "kern_graf.h"
#include "mathe.h"

namespace {

struct ClockCase {
  long double Clock;
  const char* Text;
};

class TimeToTextTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(TimeToTextTest, GivesUtClock) { EXPECT_EQ(TimeToText(GetParam().Clock), GetParam().Text); }

INSTANTIATE_TEST_SUITE_P(
    Clocks, TimeToTextTest,
    ::testing::Values(
        ClockCase{24.0L + (59.0L + 59.6L / 60) / 100, "00:00:00"},  // UT 23:59:59.6 rounds up
        ClockCase{1.0L, "00:00:00"},                              // midnight UT
        ClockCase{9.2220L, "08:22:12"},
        ClockCase{0.45L, "23:45:00"},                             // hour 23 of the day before
        ClockCase{14.0L, "13:00:00"},
        ClockCase{1.0001L, "00:00:01"},                           // 0.01 min = 0.6 s rounds to 1
        ClockCase{24.5930L, "23:59:18"},
        ClockCase{13.59999999L, "13:00:00"}));                    // 12:59:59.99... carries twice

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

// Every polygon point lies on one circle and within the other (a pixel of rounding allowed).
void ExpectLens(const OverlapShape& s, int x1, int y1, int r1, int x2, int y2, int r2) {
  ASSERT_EQ(s.Shape, OverlapShape::Polygon);
  EXPECT_LE(s.Points.size(), MaxOverlapPoints);
  for (const TPoint& p : s.Points) {
    const double d1 = std::hypot(p.X - x1, p.Y - y1), d2 = std::hypot(p.X - x2, p.Y - y2);
    EXPECT_LE(d1, r1 + 1.5) << p.X << "," << p.Y;
    EXPECT_LE(d2, r2 + 1.5) << p.X << "," << p.Y;
    EXPECT_TRUE(std::abs(d1 - r1) < 1.5 || std::abs(d2 - r2) < 1.5) << p.X << "," << p.Y;
  }
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
  const uint32_t red = PaletteColour(LightRed), white = PaletteColour(White);
  SetFillColour(255, LightRed, LightRed);
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
  const uint32_t red = PaletteColour(LightRed), white = PaletteColour(White);
  SetFillColour(255, LightRed, LightRed);
  FillCircleOverlap(600, 400, 50, 600, 400, 50);
  EXPECT_EQ(PixelAt(600, 400) & 0xFFFFFF, red);
  EXPECT_EQ(PixelAt(640, 400) & 0xFFFFFF, red);
  EXPECT_EQ(PixelAt(660, 400) & 0xFFFFFF, white);
}

TEST_F(FillOverlapTest, DisjointCirclesDrawNothing) {
  InstallPalette();
  ClearScreen();
  SetFillColour(255, LightRed, LightRed);
  FillCircleOverlap(100, 100, 40, 200, 100, 40);
  EXPECT_EQ(CountPixels(PaletteColour(LightRed), 50, 50, 250, 150), 0);
}

}  // namespace
