// The key commands, the redraw rule and the frames they draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#include <string>

#include "astr_rout.h"
#include "draw_frame.h"
#include "driver_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "frame_layout.h"
#include "command_line.h"
#include "key_table.h"
#include "key_tick.h"
#include "picture_files.h"
#include <QImage>

#include "mathe.h"
#include "text_codec.h"

using namespace text;
using namespace astro;
using namespace geometry;
using namespace console;
using namespace driver;

namespace {

class KeyTickTest : public DriverTest {
 protected:
  // Menu 6 (Mercury 2016) from Hannover, with the first frame drawn.
  void StartTransit(const std::string& horizon = Enter, const std::string& strobo = Enter) {
    StartSession(Enter, horizon, strobo);
    ASSERT_EQ(Drv.State, Session::Running);
    ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::MercuryTransit);
  }
  // The answers of a dialogue after Esc that keeps every default.
  void AnswerEscDialogue() { Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter}); }
  // Pixels of a colour where the status line of a key goes.
  int InStatusBand(Colour colour) {
    return CountPixels(PaletteColour(colour), 0, 0, 500, LineHeight());
  }
  int LightGrayInHelpBand() {
    const int H = MaxY(), L = LineHeight();
    return CountPixels(PaletteColour(Colour::LightGray), 0, H - 7 * L, 400, H);
  }
};

TEST(TimeStepLadder, PlusAndMinusFromFifteen) {
  long double step = 15;
  const long double down[] = {10, 5, 4, 3, 2, 1, 0, -1, -2, -3, -4, -5};
  for (long double expected : down) {
    step = SmallerStep(step);
    EXPECT_EQ(step, expected);
  }
  const long double up[] = {-4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 10, 15, 30, 45, 60};
  for (long double expected : up) {
    step = LargerStep(step);
    EXPECT_EQ(step, expected);
  }
  EXPECT_EQ(SmallerStep(60), 45);
  EXPECT_EQ(SmallerStep(16), 1);
  EXPECT_EQ(LargerStep(14), 19);
}

TEST(PictureName, AtLeastTwoDigitsAndOnPast99) {
  EXPECT_EQ(PictureName("syzygy", 1), "syzygy01.bmp");
  EXPECT_EQ(PictureName("syzygy", 9), "syzygy09.bmp");
  EXPECT_EQ(PictureName("syzygy", 10), "syzygy10.bmp");
  EXPECT_EQ(PictureName("syzygy", 99), "syzygy99.bmp");
  EXPECT_EQ(PictureName("syzygy", 100), "syzygy100.bmp");
  EXPECT_EQ(PictureName("syzygy", 101), "syzygy101.bmp");
}

TEST(HelpLines, TextsAsShownTopToBottom) {
  const char* const lines[] = {
      "                 \"t\": Zeiten wie beobachtet (TT = UT + Delta T) an/aus",
      "            \"n\", \"v\": nächstes/vorheriges Ereignis; \"k\": Kontaktzeiten an/aus",
      " weiter mit Tastendruck: ",
      "               \"m\": zeige Messwerte an/aus (falls nicht horizontal)",
      " Cursor rechts/links: Zeitschritt Vorwärts vorwärts/rückwärts",
      "            \"+\", \"-\": Vergrößerung/Verkleinerung des Zeitschritts",
      "                 \"s\": Speicherung des Bildes",
      "               \"Esc\": Eingabe neuer Parameter",
      "            \"Strg-C\": Abbruch des Programmes",
  };
  const std::vector<PlacedText> help = HelpTexts({}, 767, 21);
  ASSERT_EQ(help.size(), std::size(lines));
  for (std::size_t i = 0; i < help.size(); ++i) {
    EXPECT_EQ(help[i].Text, lines[i]);
    EXPECT_EQ(help[i].Y, 767 - static_cast<int>(8 - i) * 21) << lines[i];
  }
}

// The README's key table, --help and the help lines come from one table.
TEST(KeyTable, ReadmeAndHelpNameEveryKey) {
  std::ifstream readme(SYZYGY_README);
  std::vector<std::string> keys;
  bool inTable = false;
  for (std::string line; std::getline(readme, line);) {
    if (line == "   | Key | Effect |") {
      inTable = true;
    } else if (inTable && line.rfind("   | ", 0) == 0) {
      keys.push_back(line.substr(5, line.find(" |", 5) - 5));
    } else if (inTable && line.rfind("   |---", 0) != 0) {
      break;
    }
  }
  ASSERT_EQ(keys.size(), KeyTable.size());
  const std::string help = HelpText("syzygy", {""}, "");
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i], KeyTable[i].Readme);
    EXPECT_NE(help.find(std::string("\n  ") + KeyTable[i].Keys + "  "), std::string::npos)
        << KeyTable[i].Keys;
  }
}

// The title screen's hints name every key of the table ("m" for m), in lines that fit the
// screen in Courier.
TEST(KeyTable, TitleFileNamesEveryKey) {
  std::ifstream file(SYZYGY_TITLE_FILE);
  std::string hints;
  for (std::string line; std::getline(file, line);) {
    EXPECT_LE(Utf8Length(line), 90u) << line;
    if (!hints.empty() || line.rfind("Tasten: ", 0) == 0) hints += line + "\n";
  }
  for (const KeyHelp& k : KeyTable) {
    const std::string keys = k.Keys;
    for (std::size_t at = 0, end = 0; at < keys.size(); at = end + 2) {
      end = std::min(keys.find(", ", at), keys.size());
      const std::string key = keys.substr(at, end - at);
      EXPECT_NE(hints.find(key.size() == 1 ? '"' + key + '"' : key), std::string::npos) << key;
    }
  }
}

TEST_F(KeyTickTest, FirstFrameComesWithoutAKeyThenOnlyKeysDraw) {
  StartTransit();
  EXPECT_TRUE(FrameOnScreen());
  EXPECT_TRUE(Drv.Painter.FrameShown);
  EXPECT_FALSE(Drv.Painter.History.First);
  EXPECT_FALSE(PressDraws(0));
  EXPECT_FALSE(PressDraws(0));
  EXPECT_TRUE(PressDraws('x'));  // an unassigned key only redraws
  EXPECT_TRUE(PressDraws(23));   // Enter
}

TEST_F(KeyTickTest, FrameShowsSkySunAndMercuryWhereTheLayoutPutsThem) {
  StartTransit("n");  // equatorial: the angles on the screen are the computed ones
  const FrameLayout f = ScreenLayout();
  const int cx = f.CentreX, cy = f.CentreY, r = f.CentreRadius;
  EXPECT_NEAR(r, 364, 2);  // the Sun in May: 15.85 arc minutes
  const uint32_t sky = PaletteColour(Colour::LightBlue);
  EXPECT_EQ(sky, 0x0000FCu);
  EXPECT_EQ(PixelAt(20, cy) & 0xFFFFFF, sky);
  EXPECT_EQ(PixelAt(cx, 2) & 0xFFFFFF, sky);
  // The Sun: palette yellow dimmed to intensity 200 (k = 230 of 255).
  const uint32_t sun = PixelAt(cx, cy + r / 2) & 0xFFFFFF;
  EXPECT_EQ(sun, 0xE3E341u);
  // Its edge at the scaled radius, on the side away from Mercury.
  const int side = f.SecondX < cx ? 1 : -1;
  EXPECT_EQ(PixelAt(cx + side * (r - 3), cy) & 0xFFFFFF, sun);
  EXPECT_EQ(PixelAt(cx + side * (r + 3), cy) & 0xFFFFFF, sky);
  // Mercury: a black disc on the Sun.
  EXPECT_EQ(PixelAt(f.SecondX, f.SecondY) & 0xFFFFFF, 0u);
  EXPECT_LT(std::hypot(f.SecondX - cx, f.SecondY - cy), r);
}

TEST_F(KeyTickTest, CursorKeysStepTheInstant) {
  StartTransit();
  EXPECT_TRUE(PressDraws(Code(Key::Right)));
  EXPECT_EQ(Drv.Answers.TimeText, "13:15:00");
  EXPECT_NEAR(static_cast<double>(Drv.Now.Clock()), 14.15, 1e-9);
  Press(Code(Key::Left));
  EXPECT_TRUE(PressDraws(Code(Key::Left)));
  EXPECT_EQ(Drv.Answers.TimeText, "12:45:00");
}

TEST_F(KeyTickTest, TheObserverTurnsWithTheEarth) {
  StartTransit();
  const BodyVector before = Drv.Scene.Observer;
  Press(Code(Key::Right));
  // A quarter of an hour turns the site by about 3.76 degrees about the axis.
  const long double angle =
      std::acos((before.X * Drv.Scene.Observer.X + before.Y * Drv.Scene.Observer.Y) /
                (std::hypot(before.X, before.Y) * std::hypot(Drv.Scene.Observer.X, Drv.Scene.Observer.Y)));
  EXPECT_NEAR(static_cast<double>(angle / Degree), 3.76, 0.02);
  EXPECT_NEAR(static_cast<double>(Drv.Scene.Observer.Z), static_cast<double>(before.Z), 1e-12);
}

TEST_F(KeyTickTest, StepLadderKeysDoNotRedraw) {
  StartTransit();
  for (int i = 0; i < 12; ++i) EXPECT_FALSE(PressDraws(Code(Key::Minus)));
  EXPECT_EQ(Drv.Options.TimeStep, -5);
  // The step row alone is drawn anew.
  const Colour sky = Colour::LightBlue;
  EXPECT_TRUE(ShowsExactly(MaxX() - CharWidth(), 6 * LineHeight(), "Schritt: -5 min",
                           Colour::LightGray, AlignH::Right, sky));
  // A negative step makes cursor right go backwards.
  Press(Code(Key::Right));
  EXPECT_EQ(Drv.Answers.TimeText, "12:55:00");
  Press(Code(Key::Minus));
  Press(Code(Key::Minus));
  EXPECT_EQ(Drv.Options.TimeStep, -7);
  for (int i = 0; i < 14; ++i) Press(Code(Key::Plus));
  EXPECT_EQ(Drv.Options.TimeStep, 15);
  EXPECT_FALSE(PressDraws(Code(Key::Plus)));
  EXPECT_EQ(Drv.Options.TimeStep, 30);
}

TEST_F(KeyTickTest, DateTextsFollowTheUtDateAcrossMidnight) {
  // Lunar eclipse of 28 September 2015, 00:30 UT.
  StartSession("5");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::LunarEclipse);
  Press(Code(Key::Left));
  Press(Code(Key::Left));
  EXPECT_EQ(Drv.Answers.TimeText, "00:00:00");
  EXPECT_EQ(Drv.Answers.DayText, "28");
  Press(Code(Key::Left));
  EXPECT_EQ(Drv.Answers.TimeText, "23:45:00");
  EXPECT_EQ(Drv.Answers.DayText, "27");
  EXPECT_EQ(Drv.Answers.MonthText, "9");
  EXPECT_EQ(Drv.Answers.YearText, "2015");
  // The clock value below 1 belongs to the next date in clock form.
  EXPECT_LT(Drv.Now.Clock(), 1);
  EXPECT_EQ(Drv.Now.Date().Day, 28);
  Press(Code(Key::Right));
  EXPECT_EQ(Drv.Answers.TimeText, "00:00:00");
  EXPECT_EQ(Drv.Answers.DayText, "28");
}

TEST_F(KeyTickTest, PauseSwallowsOneKey) {
  StartTransit();
  EXPECT_TRUE(PressDraws(Code(Key::P)));  // 'p' still draws a frame
  EXPECT_EQ(Drv.State, Session::Paused);
  EXPECT_TRUE(StatusLineShows(" Pause: weiter mit einer beliebigen Taste", Colour::White));
  EXPECT_FALSE(PressDraws(0));
  EXPECT_FALSE(PressDraws(Code(Key::Right)));  // ends the pause and does nothing else
  EXPECT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(InStatusBand(Colour::White), 0);
  EXPECT_EQ(Drv.Answers.TimeText, "13:00:00");
  EXPECT_FALSE(KeyWaiting());
  EXPECT_TRUE(PressDraws(Code(Key::Right)));
  EXPECT_EQ(Drv.Answers.TimeText, "13:15:00");
}

TEST_F(KeyTickTest, PicturesAreNumberedThroughEsc) {
  StartTransit();
  for (int i = 0; i < 3; ++i) Press(Code(Key::S));
  AnswerEscDialogue();
  Press(Code(Key::Esc));
  Press(Code(Key::S));
  Press(Code(Key::S));
  const std::string base = ProgramBaseName();
  for (int i = 1; i <= 5; ++i) {
    const std::filesystem::path file = folder_ / PictureName(base, i);
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_GE(std::filesystem::file_size(file), 54u + 3u * Width * Height);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / PictureName(base, 6)));
  EXPECT_EQ(Drv.Files.PictureCounter, 5);
}

TEST_F(KeyTickTest, PicturesOfEarlierRunsAreNeverOverwritten) {
  const std::string base = ProgramBaseName();
  struct Case {
    std::vector<std::string> Files;
    int Counter, Next;
  } cases[] = {
      {{}, 0, 1},
      {{base + "01.bmp"}, 0, 2},
      {{base + "07.bmp", base + "100.bmp", base + "03.bmp"}, 0, 101},
      {{base + "03.bmp"}, 12, 13},
      {{}, 99, 100},
      {{base + "04.png"}, 0, 5},  // one sequence for bitmaps and PNG files
      {{base + "7.bmp", base + "x1.bmp", base + "01.jpg", "other05.bmp", base + "1e3.bmp"}, 0, 1},
  };
  for (const Case& c : cases) {
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      std::filesystem::remove(entry.path());
    for (const std::string& file : c.Files) WriteFile(file, "old");
    EXPECT_EQ(NextPictureNumber(base, c.Counter), c.Next) << c.Files.size();
  }
  WriteFile("City.dat", TestCityFile);
  // In a session: the next free number, and the earlier picture keeps its contents.
  StartTransit();
  Press(Code(Key::S));
  EXPECT_TRUE(std::filesystem::exists(folder_ / PictureName(base, 1)));
  std::ifstream old(folder_ / (base + "x1.bmp"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
}

TEST_F(KeyTickTest, ShiftSSavesThePictureAsPngInTheSameSequence) {
  StartTransit();
  Press(Code(Key::S));
  Press(Code(Key::ShiftS));
  const std::string base = ProgramBaseName(), name = PictureName(base, 2, PictureFormat::Png);
  EXPECT_TRUE(StatusLineShows(" Bild gespeichert: " + name, Colour::LightGreen));
  Press(Code(Key::S));
  const QImage png(QString::fromStdString((folder_ / name).string()), "PNG");
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.size(), QSize(Width, Height));
  // The same pixels as the bitmaps before and after it.
  const std::string bmp = ReadFile(PictureName(base, 3));
  for (const auto& [x, y] : {std::pair{0, 0}, {Width / 2, Height / 2}, {Width - 1, Height - 1}})
    EXPECT_EQ(png.pixel(x, y) & 0xFFFFFF, BmpPixel(bmp, x, y)) << x << "," << y;
}

TEST_F(KeyTickTest, SaveTellsWhatHappenedInALineThatIsNoPartOfAnyPicture) {
  StartTransit();
  const int L = LineHeight();
  Press(Code(Key::S));
  EXPECT_GT(InStatusBand(Colour::LightGreen), 50);
  Press(Code(Key::S));  // the line of the first save is gone before the second is taken
  const std::string second = ReadFile(PictureName(ProgramBaseName(), 2));
  ASSERT_GE(second.size(), 54u + 3u * Width * Height);
  int green = 0;
  const uint32_t lightGreen = PaletteColour(Colour::LightGreen);
  for (int y = 0; y < L; ++y)
    for (int x = 0; x < 500; ++x) green += BmpPixel(second, x, y) == lightGreen;
  EXPECT_EQ(green, 0);
}

struct PictureFallbackCase {
  const char* Name;
  bool WorkingFolderWorks;
  const char* UserDirs;  // home/.config/user-dirs.dirs; nullptr: none
  bool PicturesBlocked;  // a plain file stands where home/Pictures would be made
  const char* Earlier;   // a picture of an earlier run, below the test's folder; "": none
  const char* Saved;     // where the picture lands, below the test's folder; "": nowhere
  int Beeps;
};

class PictureFallbackTest : public KeyTickTest,
                            public ::testing::WithParamInterface<PictureFallbackCase> {};

TEST_P(PictureFallbackTest, WorkingFolderThenPicturesFolderThenBeep) {
  const PictureFallbackCase& c = GetParam();
  StartTransit();
  std::filesystem::create_directories(home_ / ".config");
  if (c.UserDirs) WriteFile("home/.config/user-dirs.dirs", c.UserDirs);
  if (c.PicturesBlocked) WriteFile("home/Pictures", "no folder");
  if (*c.Earlier) {
    std::filesystem::create_directories((folder_ / c.Earlier).parent_path());
    WriteFile(c.Earlier, "old");
  }
  // A name in a missing folder cannot be written, by root neither.
  Drv.Files.PictureBaseName =
      c.WorkingFolderWorks ? "syzygy" : (folder_ / "no-such-folder" / "syzygy").string();
  Press(Code(Key::S));

  std::vector<std::string> pictures;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
    if (entry.path().filename() == std::filesystem::path(c.Saved).filename()) {
      pictures.push_back(entry.path().lexically_relative(folder_).string());
      EXPECT_GE(entry.file_size(), 54u + 3u * Width * Height);
    }
  }
  const std::vector<std::string> expected =
      *c.Saved ? std::vector<std::string>{c.Saved} : std::vector<std::string>{};
  EXPECT_EQ(pictures, expected);
  EXPECT_EQ(BeepCount, c.Beeps);
  // The status line says it in light green, a failure in light red; a failure uses up no number.
  const Colour said = *c.Saved ? Colour::LightGreen : Colour::LightRed;
  const Colour other = *c.Saved ? Colour::LightRed : Colour::LightGreen;
  EXPECT_GT(InStatusBand(said), 50);
  EXPECT_EQ(InStatusBand(other), 0);
  const std::string path = c.WorkingFolderWorks ? c.Saved : (folder_ / c.Saved).string();
  EXPECT_TRUE(StatusLineShows(*c.Saved ? " Bild gespeichert: " + path
                                       : " Bild nicht gespeichert: Ordner nicht gefunden",
                              said));
  if (*c.Earlier) {
    EXPECT_EQ(ReadFile(c.Earlier), "old");
  }
  EXPECT_EQ(Drv.Files.PictureCounter, *c.Saved ? (*c.Earlier ? 2 : 1) : 0);
  // The program goes on either way, and the line is gone with the next frame.
  EXPECT_EQ(Drv.State, Session::Running);
  Press(Code(Key::Right));
  EXPECT_EQ(Drv.Answers.TimeText, "13:15:00");
  EXPECT_EQ(InStatusBand(said), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PictureFallbackTest,
    ::testing::Values(
        PictureFallbackCase{"WorkingFolder", true, nullptr, false, "", "syzygy01.bmp", 0},
        PictureFallbackCase{"WorkingFolderBeforeSettings", true,
                            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", false, "",
                            "syzygy01.bmp", 0},
        PictureFallbackCase{"PicturesMadeWhenMissing", false, nullptr, false, "",
                            "home/Pictures/syzygy01.bmp", 0},
        PictureFallbackCase{"PicturesFolderOfTheSettings", false,
                            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", false, "",
                            "home/Bilder/syzygy01.bmp", 0},
        PictureFallbackCase{"PicturesFolderNumbersOnItsOwnPictures", false,
                            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", false,
                            "home/Bilder/syzygy01.bmp", "home/Bilder/syzygy02.bmp", 0},
        PictureFallbackCase{"NowhereBeepsOnce", false, nullptr, true, "", "", 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(KeyTickTest, HelpIsDrawnOverThePictureWithoutRedraw) {
  StartTransit();
  EXPECT_EQ(LightGrayInHelpBand(), 0);
  EXPECT_FALSE(PressDraws(Code(Key::F1)));
  EXPECT_GT(LightGrayInHelpBand(), 100);
  Press(Code(Key::Plus));  // '+' does not redraw: the help stays
  EXPECT_GT(LightGrayInHelpBand(), 100);
  EXPECT_TRUE(PressDraws('x'));
  EXPECT_EQ(LightGrayInHelpBand(), 0);
}

TEST_F(KeyTickTest, KeysThatCannotShowTheirEffectSaySo) {
  StartTransit();  // the horizon system
  Press(Code(Key::M));
  EXPECT_TRUE(StatusLineShows(" Messwerte nur im Äquatorsystem", Colour::LightRed));
  NewRun();
  AnswerDialogue("8", "9", "5", "2016", "10:00:00", true, false);  // before the transit
  KeyTick();
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  Press(Code(Key::K));
  EXPECT_TRUE(StatusLineShows(" keine Kontaktzeiten: kein Ereignis", Colour::LightRed));
}

TEST_F(KeyTickTest, MeasurementPanelShowsInWhite) {
  StartTransit("n");
  const int H = MaxY(), L = LineHeight();
  const uint32_t white = PaletteColour(Colour::White);
  EXPECT_EQ(CountPixels(white, 0, H - 8 * L, 350, H), 0);
  Press(Code(Key::M));
  EXPECT_TRUE(Drv.Options.MeasurementsOn);
  EXPECT_GT(CountPixels(white, 0, H - 8 * L, 350, H), 200);
  Press(Code(Key::M));
  EXPECT_EQ(CountPixels(white, 0, H - 8 * L, 350, H), 0);
}

TEST_F(KeyTickTest, NoPanelInTheHorizonSystem) {
  StartTransit();  // horizon system by default
  Press(Code(Key::M));
  EXPECT_EQ(CountPixels(PaletteColour(Colour::White), 0, MaxY() - 8 * LineHeight(), 350, MaxY()), 0);
}

TEST_F(KeyTickTest, KeyEFlipsFrameShown) {
  StartTransit();
  EXPECT_TRUE(PressDraws(Code(Key::E)));  // with an event in view the redraw sets it again
  EXPECT_TRUE(Drv.Painter.FrameShown);
  // A new dialogue at an instant without event: its picture, then 'e' leaves FrameShown false.
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, "00:00:00", Enter});
  EXPECT_TRUE(PressDraws(Code(Key::Esc)));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  EXPECT_FALSE(PressDraws(Code(Key::E)));
  EXPECT_FALSE(Drv.Painter.FrameShown);
  EXPECT_FALSE(PressDraws(0));
  EXPECT_FALSE(Drv.Painter.FrameShown);
}

TEST_F(KeyTickTest, EscAsksAgainWithoutMenuOfferingTheInstantShown) {
  StartTransit();
  Press(Code(Key::Right));
  const std::size_t before = Prompts().size();
  AnswerEscDialogue();
  const bool drew = PressDraws(Code(Key::Esc));
  ASSERT_EQ(Prompts().size(), before + 8);
  EXPECT_EQ(Prompts()[before].Prompt, "Soll geozentrisch gerechnet werden (j/n) ? ");
  EXPECT_EQ(CountPrompts("Auswahl (0..8)"), 1);
  EXPECT_EQ(Prompts()[before + 3].Default, "9");
  EXPECT_EQ(Prompts()[before + 6].Default, "13:15:00");
  EXPECT_EQ(Prompts()[before + 7].Default, "Hannover");
  // The first frame of the new simulation follows at once.
  EXPECT_TRUE(drew);
  EXPECT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(Drv.Options.TimeStep, 15);
}

TEST_F(KeyTickTest, WithoutAnEventTheSkyAndTheSunShowUntilOneStarts) {
  // 9 May 2016, 10:00 UT, before Mercury reaches the Sun, stroboscopic.
  Answer({Enter, "j", Enter, "j", Enter, Enter, Enter, "10:00:00"});
  KeyTick();
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  const int cx = MaxX() / 2, cy = MaxY() / 2;
  auto skyAndSunAlone = [&] {
    // Nothing of the dialogue's white screen is left, and no body stands before the Sun.
    EXPECT_EQ(CountPixels(PaletteColour(Colour::White), 0, 0, MaxX(), MaxY()), 0);
    EXPECT_EQ(CountPixels(0, cx - 300, cy - 300, cx + 300, cy + 300), 0);
    EXPECT_EQ(PixelAt(20, cy) & 0xFFFFFF, PaletteColour(Colour::LightBlue));
    EXPECT_EQ(PixelAt(cx, cy) & 0xFFFFFF, 0xE3E341u);
  };
  EXPECT_TRUE(FrameOnScreen());
  skyAndSunAlone();
  // A dialogue without event leaves the usual step too; every step shows its instant.
  int steps = 0;
  while (Drv.Scene.Event.Kind == EventKind::None && steps < 12) {
    EXPECT_TRUE(PressDraws(Code(Key::Right)));
    ++steps;
    if (Drv.Scene.Event.Kind == EventKind::None) skyAndSunAlone();
  }
  EXPECT_EQ(Drv.Answers.TimeText, UtTimeText(Drv.Now));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::MercuryTransit) << Drv.Answers.TimeText;
  EXPECT_GT(steps, 1);
  EXPECT_EQ(PixelAt(20, cy) & 0xFFFFFF, PaletteColour(Colour::LightBlue));
}

namespace {
// The contrast of two colours 0xRRGGBB as the web's accessibility rules define it.
double Contrast(uint32_t a, uint32_t b) {
  auto luminance = [](uint32_t c) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
      const double v = ((c >> (16 - 8 * i)) & 0xFF) / 255.0;
      sum += weights[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

TEST_F(KeyTickTest, WithoutAnEventEveryRowIsCompleteAndLegible) {
  // By day and at night (the warning row) after a transit, and after a lunar eclipse.
  const struct {
    const char *Menu, *Time;
    std::size_t Rows;  // event rows, place, date, time, system
  } cases[] = {{"6", "10:00:00", 7}, {"6", "01:00:00", 8}, {"5", "23:00:00", 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Time);
    NewRun();
    Answer({c.Menu, Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter});
    KeyTick();
    Answer({Enter, Enter, Enter, Enter, Enter, Enter, c.Time, Enter});
    Press(Code(Key::Esc));
    ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
    FrameLayout f = ScreenLayout();
    EXPECT_EQ(f.Texts.size(), c.Rows);
    f.Texts.push_back(f.Step);
    for (const PlacedText& t : f.Texts)
      EXPECT_GE(Contrast(PaletteColour(t.Ink), PaletteColour(f.Sky)), 4.5) << t.Text;
  }
}

TEST_F(KeyTickTest, AStepChosenWithPlusAndMinusOutlivesTheDialogue) {
  StartTransit();
  Press(Code(Key::Plus));
  AnswerEscDialogue();
  Press(Code(Key::Esc));
  EXPECT_EQ(Drv.Options.TimeStep, 30);
  Press(Code(Key::Right));
  EXPECT_EQ(Drv.Answers.TimeText, "13:30:00");
}

TEST_F(KeyTickTest, APlaceAskedBeforeTheEventIsTheOneSeenWhenTheKeysReachIt) {
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, "10:00:00", Enter});  // Hannover
  KeyTick();
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  EXPECT_EQ(CountPrompts("Name des Beobachtungsortes"), 1);
  for (int i = 0; i < 6; ++i) Press(Code(Key::Right));
  ASSERT_EQ(Drv.Answers.TimeText, "11:30:00");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::MercuryTransit);
  // Near noon at Hannover the Sun stands 90 - 52.37 + 17.4 = 55 degrees high.
  EXPECT_NEAR(static_cast<double>(Drv.Scene.View.SunAltitude), 55.0, 0.3);
  std::vector<uint32_t> stepped;
  for (int y = 0; y <= MaxY(); ++y)
    for (int x = 0; x <= MaxX(); ++x) stepped.push_back(PixelAt(x, y));
  // The same picture as a dialogue started at that instant draws.
  AnswerEscDialogue();
  Press(Code(Key::Esc));
  int differing = 0;
  for (int y = 0, i = 0; y <= MaxY(); ++y)
    for (int x = 0; x <= MaxX(); ++x, ++i) differing += PixelAt(x, y) != stepped[i];
  EXPECT_EQ(differing, 0);
}

TEST_F(KeyTickTest, GeocentricNamesNoPlaceAndNoAltitude) {
  Answer({Enter, "j", "n", Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::MercuryTransit);
  EXPECT_FALSE(Drv.Scene.View.SunAltitudeValid);
  EXPECT_EQ(CountPrompts("Name des Beobachtungsortes"), 0);
  // "geozentrisch " right-aligned on row 1: twelve characters of light grey text left of W.
  const int W = MaxX(), L = LineHeight(), C = CharWidth();
  const uint32_t grey = PaletteColour(Colour::LightGray);
  EXPECT_GT(CountPixels(grey, W - 13 * C, 0, W - 10 * C, L), 0);
  EXPECT_EQ(CountPixels(grey, W - 20 * C, 0, W - 14 * C, L), 0);
  // No altitude row.
  EXPECT_EQ(CountPixels(grey, 0, 4 * L, 300, 5 * L), 0);
}

TEST_F(KeyTickTest, TimeKeysStopAtTheEndsOfTheYears) {
  struct Case {
    const char *Day, *Month, *Year, *Time;
    int Blocked, Free;
    const char* After;
  } cases[] = {{"31", "12", "9999", "23:50:00", Code(Key::Right), Code(Key::Left), "23:35:00"},
               {"31", "12", "9999", "23:45:00", Code(Key::Right), Code(Key::Left), "23:30:00"},
               {"1", "1", "-9999", "00:10:00", Code(Key::Left), Code(Key::Right), "00:25:00"}};
  for (const Case& c : cases) {
    ResetDriverState();
    Drv.State = Session::Setup;
    BeepCount = 0;
    Answer({"8", "j", Enter, Enter, c.Day, c.Month, c.Year, c.Time});
    KeyTick();
    ASSERT_EQ(Drv.State, Session::Running);
    Press(c.Blocked);
    EXPECT_EQ(Drv.Answers.TimeText, c.Time);
    EXPECT_EQ(Drv.Answers.YearText, c.Year);
    EXPECT_EQ(BeepCount, 1);
    EXPECT_GT(CountPixels(PaletteColour(Colour::LightRed), 0, 0, 500, LineHeight()), 50);
    Press(c.Free);
    EXPECT_EQ(Drv.Answers.TimeText, c.After);
  }
}

TEST_F(KeyTickTest, EveryTextRowShowsOnlyItsCurrentText) {
  // Out of the lunar eclipse of 28 September 2015 and on without event: the shorter rows
  // keep nothing of the longer ones, and the time row follows the instant.
  StartSession("5", "n", "j");  // stroboscopic: nothing clears the window between frames
  Drv.Options.TimeStep = 4 * 60;
  Press(Code(Key::Right));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::LunarEclipse);
  Press(Code(Key::Right));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  const int L = LineHeight(), C = CharWidth(), W = MaxX();
  const Colour grey = Colour::LightGray;
  EXPECT_TRUE(ShowsExactly(C, 2 * L, "keine Finsternis", grey));
  EXPECT_TRUE(ShowsExactly(C, 3 * L, "Abstand Erde - Sonne  =   1.0 AE", grey));
  EXPECT_TRUE(ShowsExactly(C, 4 * L, "", grey));  // no body, no distance
  EXPECT_TRUE(ShowsExactly(W - C, 3 * L, "08:30:00 Uhr UT", grey, AlignH::Right));
  EXPECT_TRUE(ShowsExactly(W - C, 6 * L, "Schritt: 240 min", grey, AlignH::Right));
}

TEST_F(KeyTickTest, HorizonSystemPutsTheZenithUpAlsoSouthOfTheSun) {
  // Transit of Venus, 6 June 2012, 03:00 UT, seen from Sydney: the Sun stands in the north,
  // so the zenith lies below its north point.
  WriteFile("City.dat", TestCityFile + "Sydney,-33.87,151.21\n");
  StartSession("3", Enter, Enter, "Sydney");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::VenusTransit);
  long double r = 0, alpha = 0, delta = 0;
  RectToSpherical(Drv.Scene.Sky.Sun.X, Drv.Scene.Sky.Sun.Y, Drv.Scene.Sky.Sun.Z, r, alpha, delta);
  const long double lst =
      SiderealTime(Drv.Now.Date(), Drv.Now.Clock(), Drv.Answers.ObserverCoordinates.Longitude);
  const long double zenith =
      ZenithDirection(lst - alpha, delta, Drv.Answers.ObserverCoordinates.Latitude);
  EXPECT_NEAR(static_cast<double>(zenith / Degree), 163.9, 0.1);
  // Venus drawn with the zenith straight up: turned by the zenith's position angle.
  const long double kD = PixelsPerRadian(MaxY()) * Drv.Scene.View.Record.Separation;
  const long double theta = Drv.Scene.View.Record.PositionAngle - zenith;
  const int x2 = MaxX() / 2 - static_cast<int>(std::lrint(std::sin(theta) * kD));
  const int y2 = MaxY() / 2 - static_cast<int>(std::lrint(std::cos(theta) * kD));
  EXPECT_EQ(PixelAt(x2, y2) & 0xFFFFFF, 0u);
  EXPECT_EQ(PixelAt(2 * (MaxX() / 2) - x2, 2 * (MaxY() / 2) - y2) & 0xFFFFFF,
            PixelAt(MaxX() / 2, MaxY() / 2 + 5) & 0xFFFFFF);  // not turned the other way
}

TEST_F(KeyTickTest, AbbruchInTheQuestionsAfterEscGoesBackToThePicture) {
  StartTransit();
  Press(Code(Key::Right));
  Press(Code(Key::Plus));
  Press(Code(Key::K));
  const std::vector<TextRow> panel = Drv.Painter.Contacts.Rows;
  ASSERT_FALSE(panel.empty());
  Answer({Enter, Enter, Enter, "10"});  // then "Abbruch" at the month
  EXPECT_TRUE(PressDraws(Code(Key::Esc)));
  EXPECT_EQ(CountPrompts(MonthPrompt), 2);
  EXPECT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(Drv.Answers.DayText, "9");
  EXPECT_EQ(Drv.Answers.TimeText, "13:15:00");
  EXPECT_EQ(UtTimeText(Drv.Now), "13:15:00");
  EXPECT_EQ(Drv.Options.TimeStep, 30);
  EXPECT_TRUE(Drv.Options.ContactsOn);
  EXPECT_EQ(ScreenLayout().Contacts.size(), panel.size());
  // In the first dialogue of a run "Abbruch" ends the program.
  NewRun();
  EXPECT_THROW(KeyTick(), ProgramEnded);
}

TEST_F(KeyTickTest, AnEscWhileTheWindowIsHiddenAsksOnceItShows) {
  StartTransit();
  SetMainWindowShown(false);
  EXPECT_FALSE(PressDraws(Code(Key::Esc)));
  EXPECT_EQ(Drv.State, Session::Setup);
  EXPECT_FALSE(PressDraws(Code(Key::Right)));  // waits behind the dialogue
  EXPECT_EQ(CountPrompts("Tag"), 1);
  SetMainWindowShown(true);
  AnswerEscDialogue();
  EXPECT_TRUE(PressDraws(0));  // the dialogue, then the key that waited
  EXPECT_EQ(CountPrompts("Tag"), 2);
  EXPECT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(Drv.Answers.TimeText, "13:15:00");
}

TEST_F(KeyTickTest, StroboscopicFramesKeepEarlierDiscs) {
  StartTransit("n", "j");
  auto mercury = [&]() {
    const FrameLayout f = ScreenLayout();
    return TPoint{f.SecondX, f.SecondY};
  };
  const TPoint first = mercury();
  for (int i = 0; i < 4; ++i) Press(Code(Key::Right));
  const TPoint later = mercury();
  ASSERT_GT(std::hypot(later.X - first.X, later.Y - first.Y), 10);
  EXPECT_EQ(PixelAt(first.X, first.Y) & 0xFFFFFF, 0u);
  EXPECT_EQ(PixelAt(later.X, later.Y) & 0xFFFFFF, 0u);
}

TEST_F(KeyTickTest, LunarEclipseFrame) {
  StartSession("5", "n");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::LunarEclipse);
  const int cx = MaxX() / 2, cy = MaxY() / 2;
  EXPECT_EQ(PixelAt(5, cy) & 0xFFFFFF, PaletteColour(Colour::Black));
  // Totality at 02:47 UT: step there and find the Moon's centre almost black (intensity 20).
  for (int i = 0; i < 9; ++i) Press(Code(Key::Right));
  ASSERT_EQ(Drv.Answers.TimeText, "02:45:00");
  EXPECT_EQ(PixelAt(cx, cy) & 0xFFFFFF, 0x171717u);
}

}  // namespace

namespace {
// The area of the lens two circles have in common, in square pixels.
double LensArea(double R, double r, double d) {
  if (d >= R + r) return 0;
  if (d <= std::abs(R - r)) return M_PI * std::min(R, r) * std::min(R, r);
  const double a = std::acos((d * d + R * R - r * r) / (2 * d * R));
  const double b = std::acos((d * d + r * r - R * R) / (2 * d * r));
  return R * R * (a - std::sin(2 * a) / 2) + r * r * (b - std::sin(2 * b) / 2);
}
}  // namespace

TEST_F(KeyTickTest, TotalityAndTheStroboscopeShowTheSunAndTheMoon) {
  // 12 August 2026: total at Burgos at 18:30:30 UT, partial at Madrid, whose stroboscopic
  // chain from 17:45:30 must leave the Sun's uncovered part visible.
  const uint32_t sun = 0xE3E341u, limb = PaletteColour(Colour::Yellow);
  const struct {
    const char *Latitude, *Longitude, *Time, *Strobo;
    std::vector<Key> Keys;
  } cases[] = {{"42.34", "-3.70", "18:30:30", "n", {}},
               {"42.34", "-3.70", "18:30:30", "j", {Key::Left, Key::Right}},
               {"40.42", "-3.70", "17:45:30", "j", std::vector<Key>(5, Key::Right)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Latitude) + " " + c.Time + " " + c.Strobo);
    NewRun();
    Answer(StroboPrompt, c.Strobo);  // before the dialogue's own "n"
    AnswerDialogue("8", "12", "8", "2026", c.Time, false, false, "Ort", c.Latitude, c.Longitude);
    KeyTick();
    for (const Key key : c.Keys) Press(Code(key));
    ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::SolarEclipse);
    const FrameLayout f = ScreenLayout();
    const int W = MaxX(), H = MaxY();
    if (Drv.Scene.View.Record.Code == ViewCode::SunCovered) {
      EXPECT_GT(CountPixels(limb, 0, 0, W, H), 1000);  // the Sun's limb as a ring
      EXPECT_EQ(PixelAt(f.SecondX, f.SecondY) & 0xFFFFFF, 0u);  // a black Moon
      continue;
    }
    const double R = f.CentreRadius, r = f.SecondRadius;
    const double d = std::hypot(f.SecondX - f.CentreX, f.SecondY - f.CentreY);
    const double uncovered = M_PI * R * R - LensArea(R, r, d);
    EXPECT_GT(uncovered, 0.3 * M_PI * R * R);
    // The limbs of the earlier Moons cross the Sun as lines one pixel wide.
    EXPECT_NEAR(CountPixels(sun, 0, 0, W, H), uncovered, 0.06 * M_PI * R * R);
  }
}
