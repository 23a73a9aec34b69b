// The key commands, the redraw rule and the frames they draw.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "astr_rout.h"
#include "draw_frame.h"
#include "driver_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf.h"
#include "kern_graf.h"
#include "key_tick.h"
#include "mathe.h"
#include "text_codec.h"

namespace {

class KeyTickTest : public DriverTest {
 protected:
  // Menu 6 (Mercury 2016) from Hannover, with the first frame drawn.
  void StartTransit(const std::string& horizon = Enter, const std::string& strobo = Enter) {
    StartSession(Enter, horizon, strobo);
    ASSERT_TRUE(AnimationStarted);
    ASSERT_EQ(Geo.EventKind, KindMercuryTransit);
  }
  // The answers of a dialogue after Esc that keeps every default.
  void AnswerEscDialogue() { Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter}); }
  int LightGrayInHelpBand() {
    const int H = MaxY(), L = LineHeight();
    return CountPixels(PaletteColour(LightGray), 0, H - 7 * L, 400, H);
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

TEST(HelpLines, TextsAsShown) {
  EXPECT_EQ(HelpLines[0], " weiter mit Tastendruck: ");
  EXPECT_EQ(HelpLines[2], " Cursor rechts/links: Zeitschritt Vorwärts vorwärts/rückwärts");
  EXPECT_EQ(HelpLines[3], "            \"+\", \"-\": Vergrößerung/Verkleinerung des Zeitschritts");
  EXPECT_EQ(HelpLines[6], "            \"Strg-C\": Abbruch des Programmes");
  EXPECT_EQ(HelpLines[1], "               \"m\": zeige Messwerte an/aus (falls nicht horizontal)");
  EXPECT_EQ(HelpLines[5], "               \"Esc\": Eingabe neuer Parameter");
}

TEST_F(KeyTickTest, FirstFrameComesWithoutAKeyThenOnlyKeysDraw) {
  StartTransit();
  EXPECT_EQ(Drv.FramesDrawn, 1);
  EXPECT_TRUE(Drv.FrameShown);
  EXPECT_FALSE(Drv.FirstFrame);
  Press(0);
  Press(0);
  EXPECT_EQ(Drv.FramesDrawn, 1);
  Press('x');  // an unassigned key only redraws
  EXPECT_EQ(Drv.FramesDrawn, 2);
  Press(23);  // Enter
  EXPECT_EQ(Drv.FramesDrawn, 3);
}

TEST_F(KeyTickTest, FrameShowsSkySunAndMercuryAtTheScale) {
  StartTransit("n");  // equatorial: the angles on the screen are the computed ones
  const int W = MaxX(), H = MaxY(), cx = W / 2, cy = H / 2;
  ASSERT_EQ(H, Height - 1);
  const long double k = PixelsPerRadian(H);
  const int r = static_cast<int>(std::lrint(k * Geo.ViewRecord.SunRadius));
  EXPECT_NEAR(r, 364, 2);  // the Sun in May: 15.85 arc minutes
  const uint32_t sky = PaletteColour(LightBlue);
  EXPECT_EQ(sky, 0x0000FCu);
  EXPECT_EQ(PixelAt(20, cy) & 0xFFFFFF, sky);
  EXPECT_EQ(PixelAt(cx, 2) & 0xFFFFFF, sky);
  // The Sun: palette yellow dimmed to intensity 200 (k = 230 of 255).
  const uint32_t sun = PixelAt(cx, cy + r / 2) & 0xFFFFFF;
  EXPECT_EQ(sun, 0xE3E341u);
  // Its edge at the scaled radius, on the side away from Mercury.
  const int side = Geo.ViewRecord.PositionAngle > 0 ? 1 : -1;  // Mercury east: look west
  EXPECT_EQ(PixelAt(cx + side * (r - 3), cy) & 0xFFFFFF, sun);
  EXPECT_EQ(PixelAt(cx + side * (r + 3), cy) & 0xFFFFFF, sky);
  // Mercury: a black disc where position angle and separation put it.
  const long double kD = k * Geo.ViewRecord.Separation, theta = Geo.ViewRecord.PositionAngle;
  const int x2 = cx - static_cast<int>(std::lrint(std::sin(theta) * kD));
  const int y2 = cy - static_cast<int>(std::lrint(std::cos(theta) * kD));
  EXPECT_EQ(PixelAt(x2, y2) & 0xFFFFFF, 0u);
  EXPECT_LT(std::hypot(x2 - cx, y2 - cy), r);
}

TEST_F(KeyTickTest, CursorKeysStepTheInstant) {
  StartTransit();
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "13:15:00");
  EXPECT_NEAR(static_cast<double>(Drv.ClockTime), 14.15, 1e-9);
  EXPECT_EQ(Drv.FramesDrawn, 2);
  Press(KeyLeft);
  Press(KeyLeft);
  EXPECT_EQ(Drv.TimeText, "12:45:00");
  EXPECT_EQ(Drv.FramesDrawn, 4);
}

TEST_F(KeyTickTest, TheObserverTurnsWithTheEarth) {
  StartTransit();
  const BodyVector before = Geo.ObserverVec;
  Press(KeyRight);
  // A quarter of an hour turns the site by about 3.76 degrees about the axis.
  const long double angle =
      std::acos((before.X * Geo.ObserverVec.X + before.Y * Geo.ObserverVec.Y) /
                (std::hypot(before.X, before.Y) * std::hypot(Geo.ObserverVec.X, Geo.ObserverVec.Y)));
  EXPECT_NEAR(static_cast<double>(angle / Degree), 3.76, 0.02);
  EXPECT_NEAR(static_cast<double>(Geo.ObserverVec.Z), static_cast<double>(before.Z), 1e-12);
}

TEST_F(KeyTickTest, StepLadderKeysDoNotRedraw) {
  StartTransit();
  for (int i = 0; i < 12; ++i) Press(KeyMinus);
  EXPECT_EQ(Drv.TimeStep, -5);
  EXPECT_EQ(Drv.FramesDrawn, 1);
  // A negative step makes cursor right go backwards.
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "12:55:00");
  Press(KeyMinus);
  Press(KeyMinus);
  EXPECT_EQ(Drv.TimeStep, -7);
  for (int i = 0; i < 14; ++i) Press(KeyPlus);
  EXPECT_EQ(Drv.TimeStep, 15);
  Press(KeyPlus);
  EXPECT_EQ(Drv.TimeStep, 30);
  EXPECT_EQ(Drv.FramesDrawn, 2);
}

TEST_F(KeyTickTest, StepZeroLeavesTheInstant) {
  StartTransit();
  for (int i = 0; i < 7; ++i) Press(KeyMinus);
  ASSERT_EQ(Drv.TimeStep, 0);
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "13:00:00");
}

TEST_F(KeyTickTest, DateTextsFollowTheUtDateAcrossMidnight) {
  // Lunar eclipse of 28 September 2015, 00:30 UT.
  StartSession("5");
  ASSERT_EQ(Geo.EventKind, KindLunarEclipse);
  Press(KeyLeft);
  Press(KeyLeft);
  EXPECT_EQ(Drv.TimeText, "00:00:00");
  EXPECT_EQ(Drv.DayText, "28");
  Press(KeyLeft);
  EXPECT_EQ(Drv.TimeText, "23:45:00");
  EXPECT_EQ(Drv.DayText, "27");
  EXPECT_EQ(Drv.MonthText, "9");
  EXPECT_EQ(Drv.YearText, "2015");
  // The clock value below 1 belongs to the next date in clock form.
  EXPECT_LT(Drv.ClockTime, 1);
  EXPECT_EQ(Drv.CurrentDate.Day, 28);
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "00:00:00");
  EXPECT_EQ(Drv.DayText, "28");
}

TEST_F(KeyTickTest, PauseSwallowsOneKey) {
  StartTransit();
  Press(KeyP);
  EXPECT_TRUE(Drv.Paused);
  EXPECT_EQ(Drv.FramesDrawn, 2);  // 'p' still draws a frame
  Press(0);
  EXPECT_EQ(Drv.FramesDrawn, 2);
  Press(KeyRight);  // ends the pause and does nothing else
  EXPECT_FALSE(Drv.Paused);
  EXPECT_EQ(Drv.TimeText, "13:00:00");
  EXPECT_EQ(Drv.FramesDrawn, 2);
  EXPECT_EQ(Drv.LastKey, KeyRight);
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "13:15:00");
  EXPECT_EQ(Drv.FramesDrawn, 3);
}

TEST_F(KeyTickTest, PicturesAreNumberedThroughEsc) {
  StartTransit();
  for (int i = 0; i < 3; ++i) Press(KeyS);
  AnswerEscDialogue();
  Press(KeyEsc);
  Press(KeyS);
  Press(KeyS);
  const std::string base = ProgramBaseName();
  for (int i = 1; i <= 5; ++i) {
    const std::filesystem::path file = folder_ / PictureName(base, i);
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_GE(std::filesystem::file_size(file), 54u + 3u * Width * Height);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / PictureName(base, 6)));
  EXPECT_EQ(Drv.PictureCounter, 5);
}

TEST_F(KeyTickTest, HundredthPictureHasThreeDigits) {
  StartTransit();
  Drv.PictureCounter = 99;
  Press(KeyS);
  EXPECT_TRUE(std::filesystem::exists(folder_ / (ProgramBaseName() + "100.bmp")));
}

struct PictureFallbackCase {
  const char* Name;
  bool WorkingFolderWorks;
  const char* UserDirs;  // home/.config/user-dirs.dirs; nullptr: none
  bool PicturesBlocked;  // a plain file stands where home/Pictures would be made
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
  // A name in a missing folder cannot be written, by root neither.
  Drv.PictureBaseName =
      c.WorkingFolderWorks ? "syzygy" : (folder_ / "no-such-folder" / "syzygy").string();
  Press(KeyS);

  std::vector<std::string> pictures;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
    if (entry.path().filename() == "syzygy01.bmp") {
      pictures.push_back(entry.path().lexically_relative(folder_).string());
      EXPECT_GE(entry.file_size(), 54u + 3u * Width * Height);
    }
  }
  const std::vector<std::string> expected =
      *c.Saved ? std::vector<std::string>{c.Saved} : std::vector<std::string>{};
  EXPECT_EQ(pictures, expected);
  EXPECT_EQ(BeepCount, c.Beeps);
  // The program goes on either way.
  EXPECT_EQ(Drv.PictureCounter, 1);
  EXPECT_EQ(Drv.FramesDrawn, 2);
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "13:15:00");
}

INSTANTIATE_TEST_SUITE_P(
    Places, PictureFallbackTest,
    ::testing::Values(
        PictureFallbackCase{"WorkingFolder", true, nullptr, false, "syzygy01.bmp", 0},
        PictureFallbackCase{"WorkingFolderBeforeSettings", true,
                            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", false, "syzygy01.bmp", 0},
        PictureFallbackCase{"PicturesMadeWhenMissing", false, nullptr, false,
                            "home/Pictures/syzygy01.bmp", 0},
        PictureFallbackCase{"PicturesFolderOfTheSettings", false,
                            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", false,
                            "home/Bilder/syzygy01.bmp", 0},
        PictureFallbackCase{"NowhereBeepsOnce", false, nullptr, true, "", 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(KeyTickTest, HelpIsDrawnOverThePictureWithoutRedraw) {
  StartTransit();
  EXPECT_EQ(LightGrayInHelpBand(), 0);
  Press(KeyF1);
  EXPECT_EQ(Drv.FramesDrawn, 1);
  EXPECT_GT(LightGrayInHelpBand(), 100);
  Press(KeyPlus);  // '+' does not redraw: the help stays
  EXPECT_GT(LightGrayInHelpBand(), 100);
  Press('x');
  EXPECT_EQ(Drv.FramesDrawn, 2);
  EXPECT_EQ(LightGrayInHelpBand(), 0);
}

TEST_F(KeyTickTest, MeasurementPanelShowsInWhite) {
  StartTransit("n");
  const int H = MaxY(), L = LineHeight();
  const uint32_t white = PaletteColour(White);
  EXPECT_EQ(CountPixels(white, 0, H - 8 * L, 350, H), 0);
  Press(KeyM);
  EXPECT_TRUE(Drv.MeasurementsOn);
  EXPECT_GT(CountPixels(white, 0, H - 8 * L, 350, H), 200);
  Press(KeyM);
  EXPECT_EQ(CountPixels(white, 0, H - 8 * L, 350, H), 0);
}

TEST_F(KeyTickTest, NoPanelInTheHorizonSystem) {
  StartTransit();  // horizon system by default
  Press(KeyM);
  EXPECT_EQ(CountPixels(PaletteColour(White), 0, MaxY() - 8 * LineHeight(), 350, MaxY()), 0);
}

TEST_F(KeyTickTest, KeyEFlipsFrameShown) {
  StartTransit();
  Press(KeyE);  // with an event in view the redraw sets it again
  EXPECT_TRUE(Drv.FrameShown);
  EXPECT_EQ(Drv.FramesDrawn, 2);
  // A new dialogue at an instant without event: no frames; 'e' leaves FrameShown false.
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, "00:00:00"});
  Press(KeyEsc);
  ASSERT_EQ(Geo.EventKind, KindNone);
  EXPECT_EQ(Drv.FramesDrawn, 2);
  Press(KeyE);
  EXPECT_FALSE(Drv.FrameShown);
  Press(0);
  EXPECT_FALSE(Drv.FrameShown);
  EXPECT_EQ(Drv.FramesDrawn, 2);
}

TEST_F(KeyTickTest, EscAsksAgainWithoutMenuOfferingTheInstantShown) {
  StartTransit();
  Press(KeyRight);
  const std::size_t before = Prompts().size();
  AnswerEscDialogue();
  Press(KeyEsc);
  ASSERT_EQ(Prompts().size(), before + 8);
  EXPECT_EQ(Prompts()[before].Prompt, "Soll geozentrisch gerechnet werden (j/n) ? ");
  EXPECT_EQ(CountPrompts("Auswahl (0..8)"), 1);
  EXPECT_EQ(Prompts()[before + 3].Default, "9");
  EXPECT_EQ(Prompts()[before + 6].Default, "13:15:00");
  EXPECT_EQ(Prompts()[before + 7].Default, "Hannover");
  // The first frame of the new simulation follows at once.
  EXPECT_EQ(Drv.FramesDrawn, 3);
  EXPECT_FALSE(Drv.AbortRequested);
  EXPECT_EQ(Drv.TimeStep, 15);
}

TEST_F(KeyTickTest, TicksDuringAnEscDialogueDoNothing) {
  StartTransit();
  // The person at the keyboard is asked the first question; meanwhile ticks arrive.
  SetPromptResponder([](const std::string&, std::string&) {
    QueueKey(KeyRight);
    KeyTick();
    KeyTick();
    return true;
  });
  Press(KeyEsc);
  // Every nested tick returned at once: the instant did not move and the keys wait.
  EXPECT_EQ(Drv.TimeText, "13:00:00");
  EXPECT_TRUE(KeyWaiting());
  EXPECT_FALSE(Drv.AbortRequested);
}

TEST_F(KeyTickTest, KeysWithoutEventStepTheInstantAndDrawNothingUntilOneStarts) {
  // 9 May 2016, 10:00 UT, before Mercury reaches the Sun. Stroboscopic, so that the first
  // frame has to clear the dialogue screen by itself.
  Answer({Enter, "j", Enter, "j", Enter, Enter, Enter, "10:00:00"});
  KeyTick();
  ASSERT_EQ(Geo.EventKind, KindNone);
  EXPECT_EQ(Drv.FramesDrawn, 0);
  // The step stays 0 after a first dialogue without event.
  Press(KeyRight);
  EXPECT_EQ(Drv.TimeText, "10:00:00");
  for (int i = 0; i < 7; ++i) Press(KeyPlus);  // 0 -> 15
  ASSERT_EQ(Drv.TimeStep, 15);
  int steps = 0;
  while (Geo.EventKind == KindNone && steps < 12) {
    EXPECT_EQ(Drv.FramesDrawn, 0);
    Press(KeyRight);
    ++steps;
  }
  ASSERT_EQ(Geo.EventKind, KindMercuryTransit) << Drv.TimeText;
  EXPECT_GT(steps, 1);
  EXPECT_EQ(Drv.FramesDrawn, 1);
  // That first frame clears the dialogue screen.
  EXPECT_EQ(PixelAt(20, MaxY() / 2) & 0xFFFFFF, PaletteColour(LightBlue));
}

TEST_F(KeyTickTest, HorizonSystemTurnsByTheParallacticAngle) {
  StartTransit();  // horizon system
  long double r = 0, alpha = 0, delta = 0;
  RectToSpherical(Geo.SunVec.X, Geo.SunVec.Y, Geo.SunVec.Z, r, alpha, delta);
  const long double lst =
      SiderealTime(Drv.CurrentDate, Drv.ClockTime, Drv.ObserverCoordinates.Longitude);
  const long double q = ParallacticAngle(lst - alpha, delta, Drv.ObserverCoordinates.Latitude);
  EXPECT_GT(std::fabs(q), 0.1);  // in the afternoon the picture is visibly turned
  const long double k = PixelsPerRadian(MaxY());
  const long double kD = k * Geo.ViewRecord.Separation;
  const long double theta = Geo.ViewRecord.PositionAngle - q;
  const int x2 = MaxX() / 2 - static_cast<int>(std::lrint(std::sin(theta) * kD));
  const int y2 = MaxY() / 2 - static_cast<int>(std::lrint(std::cos(theta) * kD));
  EXPECT_EQ(PixelAt(x2, y2) & 0xFFFFFF, 0u);
}

TEST_F(KeyTickTest, UnfinishedEscIsTakenUpByTheNextFrame) {
  StartTransit();
  // An Esc whose dialogue could not start leaves AbortRequested set; the frame starts it.
  Drv.AbortRequested = true;
  Press(KeyRight);  // ignored while the request is open
  EXPECT_EQ(Drv.TimeText, "13:00:00");
  AnswerEscDialogue();
  DrawFrame();
  EXPECT_EQ(CountPrompts("Tag"), 2);
  EXPECT_FALSE(Drv.AbortRequested);
  // The frame of the old simulation is not finished; the next tick draws the new first frame.
  EXPECT_FALSE(Drv.FrameShown);
  const int frames = Drv.FramesDrawn;
  Press(0);
  EXPECT_EQ(Drv.FramesDrawn, frames + 1);
  EXPECT_TRUE(Drv.FrameShown);
}

TEST_F(KeyTickTest, StroboscopicFramesKeepEarlierDiscs) {
  StartTransit("n", "j");
  const long double k = PixelsPerRadian(MaxY());
  auto mercury = [&]() {
    const long double kD = k * Geo.ViewRecord.Separation, t = Geo.ViewRecord.PositionAngle;
    return TPoint{MaxX() / 2 - static_cast<int>(std::lrint(std::sin(t) * kD)),
                  MaxY() / 2 - static_cast<int>(std::lrint(std::cos(t) * kD))};
  };
  const TPoint first = mercury();
  for (int i = 0; i < 4; ++i) Press(KeyRight);
  const TPoint later = mercury();
  ASSERT_GT(std::hypot(later.X - first.X, later.Y - first.Y), 10);
  EXPECT_EQ(PixelAt(first.X, first.Y) & 0xFFFFFF, 0u);
  EXPECT_EQ(PixelAt(later.X, later.Y) & 0xFFFFFF, 0u);
}

TEST_F(KeyTickTest, LunarEclipseFrame) {
  StartSession("5", "n");
  ASSERT_EQ(Geo.EventKind, KindLunarEclipse);
  const int cx = MaxX() / 2, cy = MaxY() / 2;
  EXPECT_EQ(PixelAt(5, cy) & 0xFFFFFF, PaletteColour(Black));
  // Totality at 02:47 UT: step there and find the Moon's centre almost black (intensity 20).
  for (int i = 0; i < 9; ++i) Press(KeyRight);
  ASSERT_EQ(Drv.TimeText, "02:45:00");
  EXPECT_EQ(PixelAt(cx, cy) & 0xFFFFFF, 0x171717u);
}

}  // namespace
