// The title screen: fonts, centring, the version line and the state it leaves.
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "console_fixture.h"
#include "grundfenster.h"

using namespace console;

namespace {

class TitleTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    ASSERT_TRUE(folder_.isValid());
    InstallPalette();
    SetTextBackground(Colour::White);
    ClearScreen();
    // Line heights of the title fonts, then back to the console font.
    SelectFont("Courier", 16, 1);
    lh16_ = LineHeight();
    SelectFont("Courier", 12, 0);
    lh12_ = LineHeight();
    SelectFont("Courier", 10, 0);
    lh10_ = LineHeight();
  }

  std::string Write(const char* name, const QByteArray& contents) {
    QString path = folder_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    return path.toStdString();
  }

  void Show(const std::string& path) { ShowTitleFile(path, "Courier", "15. März 2016", Colour::Black); }

  QTemporaryDir folder_;
  int lh16_ = 0, lh12_ = 0, lh10_ = 0;
};

TEST_F(TitleTest, MissingFileChangesNothing) {
  SetCursor(5, 6);
  SetTextAlign(AlignH::Right, AlignV::Top);
  Show(folder_.filePath("fehlt.txt").toStdString());
  EXPECT_EQ(KernGraf.CursorX, 5);
  EXPECT_EQ(KernGraf.CursorY, 6);
  EXPECT_EQ(KernGraf.TextAlignH, AlignH::Right);
  EXPECT_EQ(KernGraf.Font.pointSize(), 10);
  EXPECT_EQ(InkBox()[2], -1);
}

TEST_F(TitleTest, StateAfterZeroToThreeLines) {
  struct Case {
    const char* Contents;
    int PointSize;
    bool Bold;
    int AlignH;
    int CursorY;
  };
  // Filled in here: the heights depend on the installed fonts.
  const Case cases[] = {
      {"", 10, false, 0, 2 * lh10_},
      {"Titel", 16, true, 1, 2 * lh10_},
      {"Titel\nUntertitel", 12, false, 0, 3 * lh16_ + 2 * lh12_},
      {"Titel\nUntertitel\nText", 12, false, 0, 3 * lh16_ + 3 * lh12_},
      {"Titel\nUntertitel\nText\n", 12, false, 0, 3 * lh16_ + 3 * lh12_},
      {"Titel\nUntertitel\n\n\nEnde", 12, false, 0, 3 * lh16_ + 5 * lh12_},
  };
  for (const Case& c : cases) {
    StartHeadlessConsole(Width, Height);
    InstallPalette();
    SetTextBackground(Colour::White);
    ClearScreen();
    SetCursor(77, 77);
    Show(Write("titel.txt", c.Contents));
    EXPECT_EQ(KernGraf.Font.pointSize(), c.PointSize) << c.Contents;
    EXPECT_EQ(KernGraf.Font.bold(), c.Bold) << c.Contents;
    EXPECT_EQ(static_cast<int>(KernGraf.TextAlignH), c.AlignH) << c.Contents;
    EXPECT_EQ(KernGraf.TextAlignV, AlignV::Bottom) << c.Contents;
    EXPECT_EQ(KernGraf.CursorX, 0) << c.Contents;
    EXPECT_EQ(KernGraf.CursorY, c.CursorY) << c.Contents;
  }
}

TEST_F(TitleTest, TitleIsCentredAndTheVersionLineFollows) {
  Show(Write("titel.txt", "Sonnenfinsternis\nund Transit\nKoerper"));
  // Title and subtitle centred on MaxX div 2: the ink is (nearly) symmetric about it.
  std::array<int, 4> box = InkBox(0, 3 * lh16_);
  EXPECT_LE(std::abs((box[0] + box[2]) / 2 - MaxX() / 2), 8);
  EXPECT_GT(box[0], 100);
  // The first line's bottom edge is at 2 x the 16-point line height.
  int firstInk = box[1];
  EXPECT_GT(firstInk, 2 * lh16_ - lh16_ - 1);
  EXPECT_LT(firstInk, 2 * lh16_);
  // Version line: a row of ink in the cell just above 3 x lh16 + lh12.
  int versionBottom = 3 * lh16_ + lh12_;
  EXPECT_GT(CountPixels(0, versionBottom - lh12_, Width, lh12_, 0x000000), 0);
  // Body text from x = 0.
  int bodyBottom = versionBottom + lh12_;
  int bodyInk = CountPixels(0, bodyBottom - lh12_, 10, lh12_, 0x000000);
  EXPECT_GT(bodyInk, 0);
}

TEST_F(TitleTest, VersionLineText) {
  Show(Write("a.txt", "A\nB"));
  QImage shown = FensterGraf.Window->Raster.copy();
  ClearScreen();
  SelectFont("Courier", 12, 0);
  SetTextAlign(AlignH::Centre, AlignV::Bottom);
  DrawText(MaxX() / 2, 3 * lh16_ + lh12_, "(Version: 15. März 2016)", Colour::Black);
  QImage expected = FensterGraf.Window->Raster.copy(0, 3 * lh16_, Width, lh12_);
  EXPECT_EQ(shown.copy(0, 3 * lh16_, Width, lh12_), expected);
}

TEST_F(TitleTest, CrLfAndLfDrawTheSame) {
  Show(Write("lf.txt", "Titel\nUntertitel\nZeile 1\nZeile 2\n"));
  QImage lf = FensterGraf.Window->Raster.copy();
  int cursorLf = KernGraf.CursorY;
  ClearScreen();
  SelectFont("Courier", 10, 0);
  Show(Write("crlf.txt", "Titel\r\nUntertitel\r\nZeile 1\r\nZeile 2\r\n"));
  EXPECT_EQ(FensterGraf.Window->Raster, lf);
  EXPECT_EQ(KernGraf.CursorY, cursorLf);
}

TEST_F(TitleTest, Latin1AndUtf8DrawTheSame) {
  Show(Write("utf8.txt", "M\xc3\xa4rz\nGr\xc3\xb6\xc3\x9f" "e\n\xc3\x9c" "ber 50\xc2\xb0"));
  QImage utf8 = FensterGraf.Window->Raster.copy();
  ClearScreen();
  SelectFont("Courier", 10, 0);
  Show(Write("latin1.txt", "M\xe4rz\nGr\xf6\xdf" "e\n\xdc" "ber 50\xb0"));
  EXPECT_EQ(FensterGraf.Window->Raster, utf8);
  // And not the same as a text without the umlaut.
  ClearScreen();
  SelectFont("Courier", 10, 0);
  Show(Write("plain.txt", "Marz\nGrosse\nUber 50"));
  EXPECT_NE(FensterGraf.Window->Raster, utf8);
}

TEST_F(TitleTest, HugeFileKeepsTheCursorRule) {
  const int lines = 5'000'000;
  QByteArray contents(2 * lines, '\n');
  for (int i = 0; i < lines; ++i) contents[2 * i] = 'x';
  Show(Write("gross.txt", contents));
  EXPECT_EQ(KernGraf.CursorY, 3 * lh16_ + lines * lh12_);
  EXPECT_EQ(KernGraf.CursorX, 0);
}

TEST_F(TitleTest, BinaryFileDoesNoHarm) {
  QByteArray contents(10 * 1024 * 1024, '\0');
  QRandomGenerator random(7);
  for (char& c : contents) c = static_cast<char>(random.bounded(256));
  contents[5] = '\n';  // a title line, then one endless line
  contents[100] = '\n';
  long long newlines = contents.count('\n');
  Show(Write("binaer.txt", contents));
  long long expectedLines = newlines + (contents.endsWith('\n') ? 0 : 1);
  EXPECT_EQ(KernGraf.CursorY, 3 * lh16_ + expectedLines * lh12_);
  EXPECT_EQ(KernGraf.Font.pointSize(), 12);
}

TEST_F(TitleTest, LongSingleLineIsDrawn) {
  QByteArray contents(3 * 1024 * 1024, 'W');
  Show(Write("lang.txt", contents));
  EXPECT_EQ(KernGraf.CursorY, 2 * lh10_);
  // Wider than the window: ink from edge to edge in the title row.
  EXPECT_GT(CountPixels(0, lh16_, 4, lh16_, 0x000000), 0);
  EXPECT_GT(CountPixels(Width - 4, lh16_, 4, lh16_, 0x000000), 0);
}

}  // namespace
