// High-density screens: the raster has device pixels, the layout stays logical. CTest runs
// these tests at scale factors 1, 1.25, 1.5 and 2 (QT_SCALE_FACTOR); each checks device pixels
// against the logical layout times the ratio.
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>

#include <cmath>

#include "console_fixture.h"
#include "eingabe.h"
#include "grundfenster.h"

using namespace console;

namespace {

constexpr QRgb WhitePixel = 0xFFFFFFu;

class HiDpiTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    InstallPalette();
    ClearScreen();
  }

  static const QImage& Device() { return FensterGraf.Window->Raster; }
  static QRgb DevicePixel(int x, int y) { return Device().pixel(x, y) & 0xFFFFFFu; }
  // A logical coordinate in device pixels, rounded as Qt rounds the edges of a fill.
  int Scaled(double logical) const { return static_cast<int>(std::floor(logical * ratio_ + 0.5)); }

  // The bounding box of the device pixels whose colour passes `wanted`, inside `area`.
  template <typename Wanted>
  static QRect DeviceInk(const QRect& area, Wanted wanted) {
    QRect box;
    const QRect inside = area.intersected(Device().rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x)
        if (wanted(DevicePixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
  }
  static QRect DeviceInkOf(const QRect& area, QRgb colour) {
    return DeviceInk(area, [colour](QRgb p) { return p == colour; });
  }
  static int CountDevice(const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) n += DevicePixel(x, y) == colour;
    return n;
  }
  // At ratio 2, logical pixels whose four device pixels differ: none for a picture drawn at
  // its logical size and stretched.
  static int SplitSquares(const QRect& logicalArea) {
    int n = 0;
    for (int y = logicalArea.top(); y <= logicalArea.bottom(); ++y)
      for (int x = logicalArea.left(); x <= logicalArea.right(); ++x) {
        const QRgb p = DevicePixel(2 * x, 2 * y);
        n += p != DevicePixel(2 * x + 1, 2 * y) || p != DevicePixel(2 * x, 2 * y + 1) ||
             p != DevicePixel(2 * x + 1, 2 * y + 1);
      }
    return n;
  }

  // The ratio CTest asked for, so that a run at the wrong density cannot pass unseen.
  const double ratio_ = qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")
                            ? 1.0
                            : qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
};

TEST_F(HiDpiTest, RasterHasTheScreensDevicePixels) {
  EXPECT_EQ(PixelRatio(), ratio_);
  EXPECT_EQ(FensterGraf.Window->devicePixelRatioF(), ratio_);
  EXPECT_EQ(Device().size(), QSize(Scaled(Width), Scaled(Height)));
  EXPECT_EQ(MaxX(), Width - 1);
  EXPECT_EQ(MaxY(), Height - 1);
  QFontMetrics metrics(KernGraf.Font);
  EXPECT_EQ(LineHeight(), metrics.height());  // the layout of ratio 1
  EXPECT_EQ(CharWidth(), metrics.horizontalAdvance(QStringLiteral("T")));
}

TEST_F(HiDpiTest, SavedPictureHasDevicePixels) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  SetFillColour(255, Colour::LightRed, Colour::LightRed);
  FillBox(10, 10, 5, 5);
  const QRgb red = PaletteColour(Colour::LightRed);
  struct Case {
    int X1, Y1, X2, Y2;
  };
  const Case cases[] = {{0, 0, MaxX(), MaxY()}, {10, 10, 14, 14}, {8, 9, 20, 13}};
  for (const Case& c : cases) {
    const QString path = folder.filePath(QStringLiteral("bild%1.bmp").arg(&c - cases));
    ASSERT_TRUE(WritePicture(path.toStdString(), c.X1, c.Y1, c.X2, c.Y2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    const QImage picture(path, "BMP");
    const QRect area(Scaled(c.X1), Scaled(c.Y1), Scaled(c.X2 + 1) - Scaled(c.X1),
                     Scaled(c.Y2 + 1) - Scaled(c.Y1));
    ASSERT_EQ(picture.size(), area.size()) << c.X1 << "," << c.Y1;
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
              Device().copy(area).convertToFormat(QImage::Format_RGB32))
        << c.X1 << "," << c.Y1;
  }
  // The whole screen, in which the box has the device pixels of its logical ones.
  const QImage whole(folder.filePath(QStringLiteral("bild0.bmp")), "BMP");
  EXPECT_EQ(whole.size(), QSize(Scaled(Width), Scaled(Height)));
  const QRect box(Scaled(10), Scaled(10), Scaled(15) - Scaled(10), Scaled(15) - Scaled(10));
  EXPECT_EQ(DeviceInkOf(Device().rect(), red), box);
  EXPECT_EQ(CountDevice(box, red), box.width() * box.height());
}

TEST_F(HiDpiTest, DiscCentreAndRadiusAreTheLayoutTimesTheRatio) {
  struct Case {
    int X, Y, R;
  };
  // A Sun, a Mercury and a disc partly off the screen.
  const Case cases[] = {{320, 240, 200}, {100, 80, 2}, {620, 30, 50}};
  const QRgb yellow = PaletteColour(Colour::Yellow), red = PaletteColour(Colour::Red);
  for (const Case& c : cases) {
    ClearScreen();
    SetFillColour(255, Colour::Yellow, Colour::Red);
    DrawEllipse(c.X, c.Y, c.R, c.R);
    const QRect ink = DeviceInk(Device().rect(), [](QRgb p) { return p != WhitePixel; });
    // At ratio 1 the disc covers pixels X - R to X + R: a centre at X + 0.5, a radius of
    // R + 0.5. Edges cut by the screen are left out.
    const double centreX = (c.X + 0.5) * ratio_, centreY = (c.Y + 0.5) * ratio_;
    const double radius = (c.R + 0.5) * ratio_;
    // Within half a device pixel: the rounding of fractional ratios.
    EXPECT_NEAR(ink.left(), centreX - radius, 0.5) << c.X << "," << c.Y;
    EXPECT_NEAR(ink.top(), std::max(0.0, centreY - radius), 0.5) << c.X << "," << c.Y;
    EXPECT_NEAR(ink.bottom() + 1, centreY + radius, 0.5) << c.X << "," << c.Y;
    if (c.X + c.R < Width) {
      EXPECT_NEAR(ink.right() + 1, centreX + radius, 0.5) << c.X << "," << c.Y;
    }
    EXPECT_EQ(DevicePixel(static_cast<int>(centreX), static_cast<int>(centreY)), yellow);
    // The outline is one logical pixel wide.
    const int row = static_cast<int>(centreY);
    int outline = 0;
    for (int x = ink.left(); DevicePixel(x, row) == red; ++x) ++outline;
    if (c.R > 2) {
      EXPECT_NEAR(outline, ratio_, 1) << c.X << "," << c.Y;
    }
    if (ratio_ == 2) {
      const QRect disc = QRect(c.X - c.R, c.Y - c.R, 2 * c.R, 2 * c.R).intersected(
          QRect(0, 0, Width, Height));
      EXPECT_GT(SplitSquares(disc), 0) << c.X << "," << c.Y;
    }
  }
}

TEST_F(HiDpiTest, TextRowHasTheLineHeightTimesTheRatio) {
  const QRgb cell = PaletteColour(Colour::LightRed), ink = PaletteColour(Colour::Blue);
  SetTextBackground(Colour::LightRed);
  for (int points : {10, 12, 16}) {
    ClearScreen();
    SelectFont("Courier", points, points == 16);
    const TBox box = DrawText(40, 100, "Höhe 12°", Colour::Blue);
    // The opaque cell lies where the logical layout puts it.
    const QRect expected(Scaled(box.X), Scaled(box.Y), Scaled(box.X + box.Width) - Scaled(box.X),
                         Scaled(box.Y + box.Height) - Scaled(box.Y));
    EXPECT_EQ(box.Height, LineHeight()) << points;
    const QRect drawn =
        DeviceInk(Device().rect(), [](QRgb p) { return p != WhitePixel; });
    EXPECT_EQ(drawn, expected) << points;
    EXPECT_GT(CountDevice(expected, cell), 0) << points;
    // The glyphs have the font's size at this density: their ink is as tall as the font's
    // own ink at logical size, times the ratio.
    const QRect glyphs = DeviceInkOf(expected, ink);
    const int logicalInk = QFontMetrics(KernGraf.Font).tightBoundingRect("Höhe 12°").height();
    EXPECT_NEAR(glyphs.height(), logicalInk * ratio_, ratio_ + 1) << points;
    if (ratio_ == 2) {
      EXPECT_GT(SplitSquares(QRect(box.X, box.Y, box.Width, box.Height)), 0) << points;
    }
  }
}

TEST_F(HiDpiTest, LinesLeaveOutTheirEndPixel) {
  const int lines[][4] = {{20, 20, 30, 20}, {60, 20, 50, 20}, {50, 40, 50, 30}, {50, 50, 60, 57}};
  const QRgb red = PaletteColour(Colour::Red);
  for (const auto& l : lines) {
    ClearScreen();
    DrawLine(l[0], l[1], l[2], l[3], Colour::Red);
    const QRect end(Scaled(l[2]), Scaled(l[3]), Scaled(l[2] + 1) - Scaled(l[2]),
                    Scaled(l[3] + 1) - Scaled(l[3]));
    EXPECT_EQ(CountDevice(end, WhitePixel), end.width() * end.height()) << l[0] << "," << l[1];
    EXPECT_EQ(PixelAt(l[0], l[1]), red) << l[0] << "," << l[1];
    // One logical pixel thick: a horizontal line has the rows of its logical row.
    if (l[1] == l[3]) {
      const int middle = Scaled((l[0] + l[2]) / 2);
      const QRect band = DeviceInkOf(QRect(middle, 0, 1, Device().height()), red);
      EXPECT_EQ(band.top(), Scaled(l[1]));
      EXPECT_EQ(band.bottom() + 1, Scaled(l[1] + 1));
    }
  }
}

TEST_F(HiDpiTest, FramedBoxCoversItsLogicalPixels) {
  SetFillColour(255, Colour::Green, Colour::Black);
  FillBox(10, 10, 5, 5);
  // The frame runs through pixels 10 and 15, the fill is 11 to 14 inside it.
  const QRect outer(Scaled(10), Scaled(10), Scaled(16) - Scaled(10), Scaled(16) - Scaled(10));
  const QRect inner(Scaled(11), Scaled(11), Scaled(15) - Scaled(11), Scaled(15) - Scaled(11));
  EXPECT_EQ(DeviceInk(Device().rect(), [](QRgb p) { return p != WhitePixel; }), outer);
  EXPECT_EQ(CountDevice(inner, PaletteColour(Colour::Green)), inner.width() * inner.height());
  EXPECT_EQ(CountDevice(outer, PaletteColour(Colour::Black)),
            outer.width() * outer.height() - inner.width() * inner.height());
}

TEST_F(HiDpiTest, OverlayTextGivesBackEveryDevicePixel) {
  SetFillColour(200, Colour::Yellow, Colour::Yellow);
  DrawEllipse(60, 20, 40, 40);
  DrawLine(0, 5, 200, 17, Colour::Blue);
  const QImage before = Device().copy();
  DrawOverlayText(0, LineHeight(), " Bild gespeichert: syzygy01.bmp", Colour::LightGreen);
  EXPECT_NE(Device(), before);
  RemoveOverlayText();
  EXPECT_EQ(Device(), before);
}

TEST_F(HiDpiTest, PaletteEntryFillsTheFirstLogicalPixel) {
  SetPaletteEntry(40, 2, 10, 20, 30);
  const QRect first(0, 0, Scaled(1), Scaled(1));
  EXPECT_EQ(CountDevice(first, 0x14283Cu), first.width() * first.height());
  EXPECT_EQ(PixelAt(0, 0), 0x14283Cu);
  EXPECT_EQ(PixelAt(1, 1), WhitePixel);
}

TEST_F(HiDpiTest, WindowShowsTheRasterPixelForPixel) {
  SetFillColour(255, Colour::LightRed, Colour::Black);
  DrawEllipse(300, 200, 120, 90);
  DrawText(30, 40, "Sonnenfinsternis", Colour::Blue);
  const QImage shown = FensterGraf.Window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.size(), Device().size());
  EXPECT_TRUE(shown == Device().convertToFormat(QImage::Format_RGB32));
}

TEST_F(HiDpiTest, TitleLinesAreCentredAtTheirLogicalRows) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("titel.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Sonnenfinsternis\n");
  file.close();
  SelectFont("Courier", 16, 1);
  const int lh16 = LineHeight();
  SelectFont("Courier", 10, 0);
  ShowTitleFile(path.toStdString(), "Courier", "1.0", Colour::Black);
  // The only line: bold 16 point, centred on MaxX / 2, in the row ending at 2 x its height.
  const QRect ink = DeviceInkOf(Device().rect(), 0x000000u);
  EXPECT_GE(ink.top(), Scaled(lh16));
  EXPECT_LE(ink.bottom() + 1, Scaled(2 * lh16));
  EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0, (MaxX() / 2) * ratio_, 4 * ratio_);
}

TEST_F(HiDpiTest, DialogKeepsItsLayoutWithIconsAtTheDensity) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  dialog->Prepare("Auswahl (0..8)", "6");
  EXPECT_EQ(dialog->height(), 167);  // logical, as at ratio 1
  EXPECT_EQ(dialog->OKBtn->y(), 108);
  for (QPushButton* button : {dialog->OKBtn, dialog->EscBtn}) {
    const QPixmap icon = button->icon().pixmap(QSize(18, 18), ratio_);
    EXPECT_EQ(icon.size(), QSize(18, 18) * ratio_);
  }
  const QPixmap shown = dialog->grab();
  EXPECT_EQ(shown.size(), dialog->size() * ratio_);
}

}  // namespace
