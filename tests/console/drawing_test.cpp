// Drawing on the raster: palette, fills, outlines, arcs, text anchors and the text cursor.
#include <QFontInfo>
#include <QFontMetrics>

#include <cmath>

#include "console_fixture.h"

using namespace console;

namespace {

constexpr uint32_t WhiteRgb = 0xFFFFFF;
constexpr uint32_t BlackRgb = 0x000000;

class DrawingTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    InstallPalette();
    ClearScreen();
  }
};

uint32_t Rgb(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

uint32_t FillRgb() {
  return KernGraf.FillColour.rgb() & 0xFFFFFFu;
}

TEST_F(DrawingTest, PaletteEntries) {
  const std::vector<std::pair<int, uint32_t>> cases = {
      {0, Rgb(0, 0, 0)},         {1, Rgb(0, 0, 160)},          // Black, Blue
      {4, Rgb(160, 28, 28)},     {7, Rgb(196, 196, 196)},      // Red, LightGray
      {12, Rgb(252, 40, 40)},    {14, Rgb(252, 252, 72)},      // LightRed, Yellow
      {15, Rgb(255, 255, 255)},  {31, Rgb(252, 252, 252)},     // White
      {16 + 4, Rgb(160, 28, 28)}, {255, Rgb(252, 252, 252)},
      {16 * 8 + 13, Rgb(176, 0, 252)},
  };
  for (auto [index, rgb] : cases) EXPECT_EQ(PaletteColour(index), rgb) << index;
  EXPECT_EQ(KernGraf.TextBackground, Colour::White);
  EXPECT_EQ(PixelAt(0, 0), WhiteRgb);  // the last entry written through pixel (0, 0)
}

TEST_F(DrawingTest, PaletteEntryPassesThroughPixelZero) {
  SetPaletteEntry(40, 2, 10, 20, 30);
  EXPECT_EQ(PaletteColour(40), Rgb(20, 40, 60));
  EXPECT_EQ(PixelAt(0, 0), Rgb(20, 40, 60));
}

TEST_F(DrawingTest, SetFillColourScalesByIntensity) {
  struct Case {
    int Intensity;
    Colour Fill, Border;
    uint32_t Rgb;
    bool Outlined;
  };
  const Case cases[] = {
      {100, Colour::LightRed, Colour::LightRed, Rgb(114, 18, 18), false},
      {255, Colour::LightRed, Colour::Black, Rgb(252, 40, 40), true},
      {10, Colour::White, Colour::White, Rgb(12, 12, 12), false},   // k = 11.5 -> 12
      {30, Colour::White, Colour::White, Rgb(34, 34, 34), false},   // k = 34.5 -> 34
      {222, Colour::Yellow, Colour::Red, Rgb(252, 252, 72), true},  // k = 255.3 -> 255: unchanged
      {0, Colour::White, Colour::Blue, Rgb(0, 0, 0), true},
      {1000, Colour::Blue, Colour::Blue, Rgb(0, 0, 160), false},
  };
  for (const Case& c : cases) {
    SetFillColour(c.Intensity, c.Fill, c.Border);
    EXPECT_EQ(FillRgb(), c.Rgb) << c.Intensity;
    EXPECT_EQ(KernGraf.FillOutlined, c.Outlined) << c.Intensity;
    EXPECT_EQ(KernGraf.BorderColour, c.Border);
  }
}

TEST_F(DrawingTest, FillBoxWithFrameJustOutside) {
  SetFillColour(255, Colour::LightRed, Colour::Black);
  FillBox(10, 10, 5, 5);
  const uint32_t red = Rgb(252, 40, 40);
  for (int y = 9; y <= 16; ++y)
    for (int x = 9; x <= 16; ++x) {
      uint32_t expected = WhiteRgb;
      bool frame = (x == 10 || x == 15) && y >= 10 && y <= 15;
      frame = frame || ((y == 10 || y == 15) && x >= 10 && x <= 15);
      if (frame) expected = BlackRgb;
      else if (x >= 11 && x <= 14 && y >= 11 && y <= 14) expected = red;
      EXPECT_EQ(PixelAt(x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(KernGraf.PenColour.rgb() & 0xFFFFFFu, BlackRgb);
}

TEST_F(DrawingTest, FillBoxWithoutFrame) {
  SetFillColour(255, Colour::Green, Colour::Green);
  FillBox(10, 10, 5, 5);
  EXPECT_EQ(CountPixels(10, 10, 5, 5, Rgb(0, 160, 0)), 25);
  EXPECT_EQ(CountPixels(9, 9, 7, 7, WhiteRgb), 49 - 25);
}

TEST_F(DrawingTest, DrawLineLeavesOutItsEndPoint) {
  DrawLine(20, 20, 30, 20, Colour::Blue);
  EXPECT_EQ(PixelAt(20, 20), Rgb(0, 0, 160));
  EXPECT_EQ(PixelAt(29, 20), Rgb(0, 0, 160));
  EXPECT_EQ(PixelAt(30, 20), WhiteRgb);
  EXPECT_EQ(KernGraf.PenColour.rgb() & 0xFFFFFFu, Rgb(0, 0, 160));  // stays
  // In every direction the start is set and the end is not.
  const int lines[][4] = {{60, 20, 50, 20}, {50, 40, 50, 30}, {50, 50, 60, 57},
                          {70, 70, 60, 62}, {80, 80, 80, 80}};
  for (const auto& l : lines) {
    ClearScreen();
    DrawLine(l[0], l[1], l[2], l[3], Colour::Red);
    bool point = l[0] == l[2] && l[1] == l[3];
    EXPECT_EQ(PixelAt(l[0], l[1]), point ? WhiteRgb : Rgb(160, 28, 28)) << l[0] << "," << l[1];
    EXPECT_EQ(PixelAt(l[2], l[3]), WhiteRgb) << l[2] << "," << l[3];
  }
}

TEST_F(DrawingTest, PolygonUsesTheAlternateRuleAndThePenColour) {
  // A pentagram: its centre lies inside twice, so the alternate rule leaves it empty.
  std::vector<TPoint> star;
  for (int i = 0; i < 5; ++i) {
    double a = (90 + i * 144) * M_PI / 180;
    star.push_back({200 + static_cast<int>(std::lround(100 * std::cos(a))),
                    200 - static_cast<int>(std::lround(100 * std::sin(a)))});
  }
  SetPenColour(Colour::Blue);
  SetFillColour(255, Colour::LightRed, Colour::Black);  // outlined, but the outline is the pen's colour
  FillPolygon(star);
  const uint32_t red = Rgb(252, 40, 40);
  EXPECT_EQ(PixelAt(200, 200), WhiteRgb);  // centre: inside twice
  EXPECT_EQ(PixelAt(200, 130), red);       // upper point: inside once
  EXPECT_EQ(PixelAt(200, 100), Rgb(0, 0, 160));  // the top vertex on the outline
  EXPECT_EQ(CountPixels(0, 0, Width, Height, BlackRgb), 0);
}

TEST_F(DrawingTest, PolygonOutlineClosesThroughEveryCorner) {
  SetPenColour(Colour::Blue);
  SetFillColour(255, Colour::Green, Colour::Black);
  FillPolygon({{10, 10}, {60, 10}, {60, 60}, {10, 60}});
  const uint32_t blue = Rgb(0, 0, 160);
  for (TPoint corner : {TPoint{10, 10}, TPoint{60, 10}, TPoint{60, 60}, TPoint{10, 60}})
    EXPECT_EQ(PixelAt(corner.X, corner.Y), blue) << corner.X << "," << corner.Y;
  EXPECT_EQ(PixelAt(10, 35), blue);
  EXPECT_EQ(PixelAt(35, 60), blue);
  EXPECT_EQ(PixelAt(35, 35), Rgb(0, 160, 0));
  EXPECT_EQ(PixelAt(61, 35), WhiteRgb);
}

TEST_F(DrawingTest, PolygonWithoutOutline) {
  SetPenColour(Colour::Blue);
  SetFillColour(255, Colour::Green, Colour::Green);
  FillPolygon({{10, 10}, {60, 10}, {60, 60}, {10, 60}});
  EXPECT_EQ(PixelAt(30, 30), Rgb(0, 160, 0));
  EXPECT_EQ(CountPixels(0, 0, 100, 100, Rgb(0, 0, 160)), 0);
}

TEST_F(DrawingTest, EllipseIsOutlinedInBorderColourAndRestoresThePen) {
  SetPenColour(Colour::Green);
  SetFillColour(255, Colour::Yellow, Colour::Yellow);  // no outline for boxes; ellipses get one anyway
  SetFillColour(255, Colour::Yellow, Colour::Red);
  SetFillColour(255, Colour::Yellow, Colour::Yellow);
  KernGraf.BorderColour = Colour::Red;
  DrawEllipse(100, 100, 40, 20);
  EXPECT_EQ(PixelAt(100, 100), Rgb(252, 252, 72));
  EXPECT_EQ(PixelAt(60, 100), Rgb(160, 28, 28));   // left end of the outline
  EXPECT_EQ(PixelAt(140, 100), Rgb(160, 28, 28));  // right end
  EXPECT_EQ(PixelAt(100, 80), Rgb(160, 28, 28));   // top
  EXPECT_EQ(PixelAt(141, 100), WhiteRgb);
  EXPECT_EQ(KernGraf.PenColour.rgb() & 0xFFFFFFu, Rgb(0, 160, 0));
}

TEST_F(DrawingTest, ArcRunsCounterClockwiseBetweenTheRays) {
  SetPenColour(Colour::Blue);
  const uint32_t blue = Rgb(0, 0, 160);
  // Quarter from 0 to 90 degrees: the upper right only.
  DrawArc(200, 200, 50, 0, 90);
  EXPECT_GT(CountPixels(200, 150, 51, 51, blue), 50);
  EXPECT_EQ(CountPixels(140, 140, 59, 130, blue), 0);  // left half
  EXPECT_EQ(CountPixels(200, 202, 60, 60, blue), 0);   // lower right
  ClearScreen();
  // From 90 to 0 degrees: three quarters, everything but the upper right.
  DrawArc(200, 200, 50, 90, 0);
  EXPECT_EQ(CountPixels(202, 140, 60, 58, blue), 0);
  EXPECT_GT(CountPixels(140, 140, 59, 130, blue), 100);
  ClearScreen();
  // Same ray twice: the whole circle.
  DrawArc(200, 200, 50, 0, 360);
  EXPECT_GT(CountPixels(202, 140, 60, 58, blue), 50);
  EXPECT_GT(CountPixels(140, 140, 59, 130, blue), 100);
  EXPECT_EQ(PixelAt(200, 200), WhiteRgb);  // nothing filled
}

TEST_F(DrawingTest, ConsoleFontIsMonospacedCourier) {
  QFontInfo info(KernGraf.Font);
  EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
  EXPECT_EQ(KernGraf.Font.pointSize(), 10);
  EXPECT_GT(CharWidth(), 0);
  EXPECT_GT(LineHeight(), CharWidth());
  QFontMetrics metrics(KernGraf.Font);
  EXPECT_EQ(metrics.horizontalAdvance("TTTT"), 4 * CharWidth());
}

TEST_F(DrawingTest, SelectFontRetakesTheMetrics) {
  int height10 = LineHeight();
  SetCursor(33, 44);
  SelectFont("Courier", 20, 1);
  EXPECT_GT(LineHeight(), height10);
  EXPECT_TRUE(KernGraf.Font.bold());
  EXPECT_EQ(KernGraf.CursorX, 33);
  EXPECT_EQ(KernGraf.CursorY, 44);
  SelectFont("Courier", 10, 2);  // only 1 means bold
  EXPECT_FALSE(KernGraf.Font.bold());
  EXPECT_EQ(LineHeight(), height10);
}

TEST_F(DrawingTest, DrawTextAnchors) {
  const int w = 4 * CharWidth(), h = LineHeight();
  SetTextBackground(Colour::LightRed);  // the opaque cell shows where the text went
  const uint32_t cell = Rgb(252, 40, 40);
  for (int horizontal = 0; horizontal < 3; ++horizontal)
    for (int vertical = 0; vertical < 3; ++vertical) {
      ClearScreen();
      SetTextAlign(static_cast<AlignH>(horizontal), static_cast<AlignV>(vertical));
      DrawText(300, 200, "TTTT", Colour::Blue);
      int left = 300 - (horizontal == 0 ? 0 : horizontal == 1 ? w / 2 : w);
      int top = 200 - (vertical == 0 ? h : vertical == 1 ? h / 2 : 0);
      std::array<int, 4> expected{left, top, left + w - 1, top + h - 1};
      EXPECT_EQ(InkBox(), expected) << horizontal << "," << vertical;
      EXPECT_EQ(PixelAt(left, top), cell);
      EXPECT_GT(CountPixels(left, top, w, h, Rgb(0, 0, 160)), 0);
    }
  EXPECT_EQ(KernGraf.FontColour.rgb() & 0xFFFFFFu, Rgb(0, 0, 160));  // stays
}

TEST_F(DrawingTest, TextBackgroundOpaqueOrTransparent) {
  const int w = 4 * CharWidth(), h = LineHeight();
  SetFillColour(255, Colour::Green, Colour::Green);
  FillBox(100, 100, 100, 60);
  const uint32_t green = Rgb(0, 160, 0);

  SetTextBackground(Colour::Transparent);
  DrawText(110, 110 + h, "TTTT", Colour::Black);
  int glyph = CountPixels(110, 110, w, h, BlackRgb);
  EXPECT_GT(glyph, 0);
  EXPECT_EQ(glyph + CountPixels(110, 110, w, h, green), w * h);

  SetTextBackground(Colour::White);
  DrawText(110, 140 + h, "TTTT", Colour::Black);
  EXPECT_EQ(CountPixels(110, 140, w, h, BlackRgb), glyph);
  EXPECT_EQ(glyph + CountPixels(110, 140, w, h, WhiteRgb), w * h);
}

TEST_F(DrawingTest, WriteTextAdvancesAndWraps) {
  const int cw = CharWidth(), lh = LineHeight();
  SetCursor(cw, lh);
  WriteText("abc");
  EXPECT_EQ(KernGraf.CursorX, cw + 3 * cw);
  EXPECT_EQ(KernGraf.CursorY, lh);
  // Does not fit before MaxX: next line first, then the text.
  SetCursor(MaxX() - 2 * cw, 3 * lh);
  WriteText("abc");
  EXPECT_EQ(KernGraf.CursorX, cw + 3 * cw);
  EXPECT_EQ(KernGraf.CursorY, 4 * lh);
  EXPECT_GT(CountPixels(cw, 3 * lh, 3 * cw, lh, BlackRgb), 0);
  // Wider than the screen: wraps even from the left margin.
  std::string wide(Width / cw + 5, 'x');
  SetCursor(cw, 6 * lh);
  WriteText(wide);
  EXPECT_EQ(KernGraf.CursorY, 7 * lh);
  EXPECT_EQ(KernGraf.CursorX, cw + static_cast<int>(wide.size()) * cw);
  // An empty text still wraps only when it does not fit.
  SetCursor(MaxX() + 1, 9 * lh);
  WriteText("");
  EXPECT_EQ(KernGraf.CursorX, cw);
  EXPECT_EQ(KernGraf.CursorY, 10 * lh);
}

TEST_F(DrawingTest, WriteLineMovesToTheNextLineUntilTheBottom) {
  const int cw = CharWidth(), lh = LineHeight();
  SetCursor(50, 2 * lh);
  WriteLine("Zeile");
  EXPECT_EQ(KernGraf.CursorX, cw);  // margin is one character, not 0
  EXPECT_EQ(KernGraf.CursorY, 3 * lh);
  EXPECT_GT(CountPixels(50, lh, 5 * cw, lh, BlackRgb), 0);

  SetCursor(cw, Height - 1);
  WriteLine("");
  EXPECT_EQ(KernGraf.CursorY, Height - 1 + lh);
  WriteLine("unten");  // at or below the bottom: no further move
  EXPECT_EQ(KernGraf.CursorY, Height - 1 + lh);
  WriteLine("unten");
  EXPECT_EQ(KernGraf.CursorY, Height - 1 + lh);
}

TEST_F(DrawingTest, WrittenTextIsBlackOnTheTextBackground) {
  SetFillColour(255, Colour::Green, Colour::Green);
  FillBox(0, 0, Width, Height);
  SetTextBackground(Colour::Yellow);
  SetCursor(20, 100);
  WriteText("TT");
  const int w = 2 * CharWidth(), h = LineHeight();
  int black = CountPixels(20, 100 - h, w, h, BlackRgb);
  EXPECT_GT(black, 0);
  EXPECT_EQ(black + CountPixels(20, 100 - h, w, h, Rgb(252, 252, 72)), w * h);
}

TEST_F(DrawingTest, ClearScreenPaintsWhiteAndKeepsTheCursor) {
  SetFillColour(255, Colour::Blue, Colour::Blue);
  FillBox(0, 0, Width, Height);
  SetCursor(77, 88);
  ClearScreen();
  EXPECT_EQ(CountPixels(0, 0, Width, Height, WhiteRgb), Width * Height);
  EXPECT_EQ(KernGraf.CursorX, 77);
  EXPECT_EQ(KernGraf.CursorY, 88);
}

TEST_F(DrawingTest, StartUpState) {
  StartHeadlessConsole(Width, Height);
  EXPECT_EQ(KernGraf.TextAlignH, AlignH::Left);
  EXPECT_EQ(KernGraf.TextAlignV, AlignV::Bottom);
  EXPECT_EQ(KernGraf.TextBackground, Colour::Black);
  EXPECT_EQ(FillRgb(), WhiteRgb);
  EXPECT_TRUE(KernGraf.FillOutlined);
  EXPECT_EQ(KernGraf.BorderColour, Colour::Black);
  EXPECT_EQ(KernGraf.Font.pointSize(), 10);
  EXPECT_FALSE(KeyWaiting());
}

}  // namespace
