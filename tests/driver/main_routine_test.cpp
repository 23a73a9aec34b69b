// The setup dialogue with scripted answers.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "driver_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf.h"
#include "key_tick.h"
#include "main_routine.h"
#include "mathe.h"
#include "text_codec.h"

namespace {

const std::string MenuPrompt = "Auswahl (0..8)";
const std::string GeoQuestion = "Soll geozentrisch gerechnet werden (j/n) ? ";
const std::string HorizonQuestion =
    "Soll im Horizontsystem dargestellt werden (azimutale Montierung) (j/n) ? ";
const std::string StroboQuestion = "Soll der Vorgang stroboskopisch gezeigt werden (j/n) ? ";
const std::string TimePrompt = " Uhrzeit (UT in hh:mm:ss)";
const std::string PlacePrompt = "Name des Beobachtungsortes";

TEST(MenuLines, NineLinesWithTheArrowsAligned) {
  ASSERT_EQ(MenuLines.size(), 9u);
  // Eight lines of 39 characters end in a comma; the last one has none.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Utf8Length(MenuLines[i]), 39u) << MenuLines[i];
  for (const std::string& line : MenuLines) {
    EXPECT_EQ(Utf8Length(line.substr(0, line.find("-->"))), 33u) << line;
  }
  EXPECT_EQ(MenuLines[0], "          Abbruch des Programmes --> 0,");
  EXPECT_EQ(MenuLines[4], " Sonnenfinsternis    März   2015 --> 4,");
  EXPECT_EQ(MenuLines[8], "                    nichts davon --> 8");
}

struct TimeCase {
  const char* Text;
  bool Accepted;
  int H, M, S;
};

class TimeShapeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeShapeTest, EightCharactersWithColons) {
  const TimeCase& c = GetParam();
  int h = -1, m = -1, s = -1;
  ASSERT_EQ(ParseTimeText(c.Text, h, m, s), c.Accepted);
  if (c.Accepted) {
    EXPECT_EQ(h, c.H);
    EXPECT_EQ(m, c.M);
    EXPECT_EQ(s, c.S);
  }
}

INSTANTIATE_TEST_SUITE_P(Times, TimeShapeTest,
                         ::testing::Values(TimeCase{"08:22:12", true, 8, 22, 12},
                                           TimeCase{"ab:cd:ef", true, 0, 0, 0},
                                           TimeCase{"1x:2y:3z", true, 1, 2, 3},
                                           TimeCase{"99:99:99", true, 99, 99, 99},
                                           TimeCase{"8:00:00", false, 0, 0, 0},
                                           TimeCase{"08-00-00", false, 0, 0, 0},
                                           TimeCase{"08:00:000", false, 0, 0, 0},
                                           TimeCase{"", false, 0, 0, 0},
                                           TimeCase{"ä8:00:00", true, 0, 0, 0},
                                           TimeCase{"äé:00:0", false, 0, 0, 0}));

class MainRoutineTest : public DriverTest {};

TEST_F(MainRoutineTest, DefaultSessionAsksEveryQuestionWithItsDefault) {
  StartSession(Enter);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {MenuPrompt, "6"},      {GeoQuestion, "n"},   {HorizonQuestion, "j"},
      {StroboQuestion, "n"},  {"Tag", "9"},         {"Monat", "5"},
      {"Jahr", "2016"},       {TimePrompt, "13:00:00"}, {PlacePrompt, "Hannover"}};
  ASSERT_EQ(Prompts().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Prompts()[i].Prompt, expected[i].first);
    EXPECT_EQ(Prompts()[i].Default, expected[i].second);
  }
  EXPECT_TRUE(AnimationStarted);
  EXPECT_EQ(Geo.EventKind, KindMercuryTransit);
  EXPECT_EQ(Drv.TimeStep, 15);
  EXPECT_TRUE(Drv.HorizonView);
  EXPECT_FALSE(Drv.Geocentric);
  EXPECT_FALSE(Drv.Stroboscopic);
  EXPECT_EQ(Drv.CurrentDate.Day, 9);
  EXPECT_EQ(Drv.CurrentDate.Month, 5);
  EXPECT_EQ(Drv.CurrentDate.Year, 2016);
  EXPECT_NEAR(static_cast<double>(Drv.ClockTime), 14.0, 1e-12);
  // Hannover from the first matching line of City.dat.
  EXPECT_EQ(Geo.LatitudeText, "52.37");
  EXPECT_EQ(Geo.LongitudeText, "9.73");
  EXPECT_NEAR(static_cast<double>(Drv.ObserverCoordinates.Latitude / Degree), 52.37, 1e-12);
  EXPECT_NEAR(static_cast<double>(Geo.ObserverVec.R), 1.0, 0.01);
  EXPECT_TRUE(Geo.SunAltitudeValid);
  EXPECT_EQ(BeepCount, 0);
  EXPECT_EQ(Drv.PictureBaseName, ProgramBaseName());
  EXPECT_EQ(Drv.TextFileName, ProgramBaseName() + ".txt");
}

struct MenuCase {
  const char* Answer;
  const char *Day, *Month, *Year, *Time;
};

class PreparedEventTest : public DriverTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(PreparedEventTest, MenuAnswerFillsTheDateAndTimeDefaults) {
  const MenuCase& c = GetParam();
  // Geocentric, so no place is asked whatever the instant shows.
  Answer({c.Answer, "j", Enter, Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  ASSERT_EQ(CountPrompts("Tag"), 1);
  EXPECT_EQ(Drv.DayText, c.Day);
  EXPECT_EQ(Drv.MonthText, c.Month);
  EXPECT_EQ(Drv.YearText, c.Year);
  EXPECT_EQ(Drv.TimeText, c.Time);
  EXPECT_EQ(CountPrompts(PlacePrompt), 0);
}

INSTANTIATE_TEST_SUITE_P(Menu, PreparedEventTest,
                         ::testing::Values(MenuCase{"1", "7", "5", "2003", "08:00:00"},
                                           MenuCase{"2", "8", "6", "2004", "08:22:12"},
                                           MenuCase{"3", "6", "6", "2012", "03:00:00"},
                                           MenuCase{"4", "20", "3", "2015", "10:00:00"},
                                           MenuCase{"5", "28", "9", "2015", "00:30:00"},
                                           MenuCase{"6", "9", "5", "2016", "13:00:00"},
                                           MenuCase{"7", "7", "8", "2017", "18:30:00"}));

TEST_F(MainRoutineTest, PreparedEventsAreInProgressAtTheirInstant) {
  const int expected[] = {KindMercuryTransit, KindVenusTransit, KindVenusTransit,
                          KindSolarEclipse,   KindLunarEclipse, KindMercuryTransit,
                          KindLunarEclipse};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i + 1);
    ResetDriverState();
    ResetGeometry();
    AnimationStarted = false;
    Answer({std::string(1, static_cast<char>('1' + i)), "j", Enter, Enter, Enter, Enter, Enter,
            Enter});
    KeyTick();
    EXPECT_EQ(Geo.EventKind, expected[i]);
  }
}

TEST_F(MainRoutineTest, MenuAsksAgainUntilADigitFrom0To8) {
  // "12" counts by its last character.
  Answer({"9", "x", "ä", "12", "j", Enter, Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_EQ(CountPrompts(MenuPrompt), 4);
  EXPECT_EQ(Drv.MenuChoice, "2");
  EXPECT_EQ(Drv.DayText, "8");
  EXPECT_EQ(Geo.EventKind, KindVenusTransit);
}

TEST_F(MainRoutineTest, MenuZeroEndsBeforeAnyQuestion) {
  Answer({"0"});
  try {
    KeyTick();
    FAIL() << "the program went on";
  } catch (const ProgramEnded& e) {
    EXPECT_EQ(e.Status, 0);
  }
  EXPECT_EQ(Prompts().size(), 1u);
  EXPECT_FALSE(AnimationStarted);
}

TEST_F(MainRoutineTest, MenuEightEmptiesTheDefaults) {
  Answer({"8", "j", Enter, Enter, "9", "5", "2016", "13:00:00"});
  KeyTick();
  ASSERT_GE(Prompts().size(), 8u);
  EXPECT_EQ(Prompts()[4].Default, "");
  EXPECT_EQ(Prompts()[7].Default, "");
  EXPECT_EQ(Geo.EventKind, KindMercuryTransit);
}

TEST_F(MainRoutineTest, OnlyJOrCapitalJMeansYes) {
  // "ja" ends in 'a': no; "J": yes; "nein": no.
  Answer({Enter, "ja", "J", "nein", Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_FALSE(Drv.Geocentric);
  EXPECT_TRUE(Drv.HorizonView);
  EXPECT_FALSE(Drv.Stroboscopic);
  EXPECT_EQ(Drv.GeocentricAnswer, "a");
  EXPECT_EQ(CountPrompts(PlacePrompt), 1);
  EXPECT_EQ(AnswersLeft(), 0u);
}

TEST_F(MainRoutineTest, GeocentricSkipsThePlace) {
  Answer({Enter, "J", "n", Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_TRUE(Drv.Geocentric);
  EXPECT_FALSE(Drv.HorizonView);
  EXPECT_EQ(CountPrompts(PlacePrompt), 0);
  EXPECT_EQ(Geo.ObserverVec.R, 0);
  EXPECT_EQ(Drv.PlaceName, "Hannover");
  EXPECT_TRUE(AnimationStarted);
}

TEST_F(MainRoutineTest, TimeOfTheWrongShapeIsAskedAgain) {
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, "8:00:00", "08-00-00", "ab:cd:ef"});
  KeyTick();
  EXPECT_EQ(CountPrompts(TimePrompt), 3);
  // The rejected text is offered again.
  EXPECT_EQ(Prompts()[8].Default, "8:00:00");
  // ab:cd:ef is 00:00:00 UT, clock 1.00; on 9 May 2016 no transit is in progress yet.
  EXPECT_NEAR(static_cast<double>(Drv.ClockTime), 1.0, 1e-15);
  EXPECT_EQ(Geo.EventKind, KindNone);
  // No event: no place, and the time step stays as it was (0 in the first dialogue).
  EXPECT_EQ(CountPrompts(PlacePrompt), 0);
  EXPECT_EQ(Drv.TimeStep, 0);
  EXPECT_TRUE(AnimationStarted);
}

TEST_F(MainRoutineTest, InvalidDayIsAskedAgain) {
  Answer({Enter, Enter, Enter, Enter, "abc", "9", Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_EQ(CountPrompts("Tag"), 2);
  EXPECT_EQ(Prompts()[5].Default, "abc");
  EXPECT_EQ(Drv.CurrentDate.Day, 9);
  EXPECT_EQ(Geo.EventKind, KindMercuryTransit);
}

TEST_F(MainRoutineTest, UnknownPlaceIsAskedAsCoordinatesAndTheNightSideBeeps) {
  // At 13:00 UT the Sun stands over the Atlantic; 17 S 166 E is on the night side.
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "Nirgendwo", "-17", "166"});
  KeyTick();
  ASSERT_EQ(CountPrompts(" Breite in Grad"), 1);
  ASSERT_EQ(CountPrompts(" Länge in Grad"), 1);
  EXPECT_EQ(BeepCount, 1);
  EXPECT_NEAR(static_cast<double>(Drv.ObserverCoordinates.Longitude / Degree), 166, 1e-12);
  EXPECT_EQ(Geo.LatitudeText, "-17");
  EXPECT_TRUE(AnimationStarted);
}

TEST_F(MainRoutineTest, CoordinatePromptsOfferTheShadowAxisPoint) {
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "Nirgendwo", Enter, "10,5"});
  KeyTick();
  ASSERT_EQ(CountPrompts(" Breite in Grad"), 1);
  // The event test wrote the point nearest to Mercury's shadow axis as a number text.
  const std::string latitudeDefault = Prompts()[9].Default;
  EXPECT_EQ(Utf8Length(latitudeDefault), 6u) << latitudeDefault;
  EXPECT_NEAR(static_cast<double>(Drv.ObserverCoordinates.Longitude / Degree), 10.5, 1e-12);
  EXPECT_EQ(Geo.LongitudeText, "10,5");
  EXPECT_EQ(BeepCount, 0);
}

struct PlaceCase {
  const char* Name;
  std::string File;
  std::string Typed;
  bool FromFile;
  double Latitude;
};

class PlaceLookUpTest : public DriverTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PlaceLookUpTest, FileOrCoordinates) {
  const PlaceCase& c = GetParam();
  WriteFile("City.dat", c.File);
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, c.Typed, "1.5", "2.5"});
  KeyTick();
  EXPECT_EQ(CountPrompts(" Breite in Grad"), c.FromFile ? 0 : 1);
  EXPECT_NEAR(static_cast<double>(Drv.ObserverCoordinates.Latitude / Degree),
              c.FromFile ? c.Latitude : 1.5, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceLookUpTest,
    ::testing::Values(
        PlaceCase{"LowerCase", "HANNOVER,52.37,9.73\n", "hannover", true, 52.37},
        PlaceCase{"UpperCase", "Hannover,52.37,9.73\n", "HANNOVER", true, 52.37},
        PlaceCase{"TrailingBlankTyped", "Hannover,52.37,9.73\n", "Hannover ", false, 0},
        PlaceCase{"UmlautSameCase", "M\xFCNCHEN,48.14,11.58\n", "münchen", true, 48.14},
        PlaceCase{"UmlautOtherCase", "M\xDCNCHEN,48.14,11.58\n", "münchen", false, 0},
        PlaceCase{"Utf8File", "München,48.14,11.58\n", "MüNCHEN", true, 48.14},
        PlaceCase{"WindowsLineEnds", "Berlin,52.52,13.40\r\nHannover,52.37,9.73\r\n", "Hannover",
                  true, 52.37},
        PlaceCase{"BlanksAroundNumbers", "Hannover, 52.37 , 9.73 \n", "Hannover", true, 52.37},
        PlaceCase{"OneComma", "Hannover,9.73\n", "Hannover", false, 0},
        PlaceCase{"Unconvertible", "Hannover,52.37N,9.73E\n", "Hannover", false, 0},
        PlaceCase{"EmptyFile", "", "Hannover", false, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainRoutineTest, MissingCityFileMeansCoordinates) {
  std::filesystem::remove(folder_ / "City.dat");
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "52.37", "9.73"});
  KeyTick();
  EXPECT_FALSE(Drv.CityFileFound);
  EXPECT_EQ(CountPrompts(" Breite in Grad"), 1);
}

// City.dat and the title file are read from the first data folder that has them.
struct DataFolderCase {
  const char* Name;
  bool InWorking;     // the fixture's City.dat: Hannover at 52.37
  bool InUser;        // home/.local/share/syzygy: Hannover at 10
  bool InXdgDataHome; // $XDG_DATA_HOME/syzygy: Hannover at 20
  double Latitude;    // 0: asked as coordinates
  const char* TitleFile;
};

class DataFolderTest : public DriverTest, public ::testing::WithParamInterface<DataFolderCase> {
 protected:
  void Place(const std::string& folder, const std::string& latitude) {
    std::filesystem::create_directories(folder_ / folder);
    WriteFile(folder + "/City.dat", "Hannover," + latitude + ",9.73\n");
    WriteFile(folder + "/" + ProgramBaseName() + ".txt", "Titel\n");
  }
};

TEST_P(DataFolderTest, FirstFolderThatHasTheFileWins) {
  const DataFolderCase& c = GetParam();
  if (c.InWorking) {
    WriteFile(ProgramBaseName() + ".txt", "Titel\n");
  } else {
    std::filesystem::remove(folder_ / "City.dat");
  }
  if (c.InUser) Place("home/.local/share/syzygy", "10");
  if (c.InXdgDataHome) {
    Place("xdg/syzygy", "20");
    environment_.Set("XDG_DATA_HOME", (folder_ / "xdg").string());
  }
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "1.5", "2.5"});
  KeyTick();
  const bool fromFile = c.Latitude != 0;
  EXPECT_EQ(Drv.CityFileFound, fromFile);
  EXPECT_EQ(CountPrompts(" Breite in Grad"), fromFile ? 0 : 1);
  EXPECT_NEAR(static_cast<double>(Drv.ObserverCoordinates.Latitude / Degree),
              fromFile ? c.Latitude : 1.5, 1e-12);
  const std::string title = ProgramBaseName() + ".txt";
  EXPECT_EQ(Drv.TextFileName, *c.TitleFile ? (folder_ / c.TitleFile / title).string() : title);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DataFolderTest,
    ::testing::Values(
        DataFolderCase{"WorkingFolderWins", true, true, false, 52.37, ""},
        DataFolderCase{"UserFolder", false, true, false, 10, "home/.local/share/syzygy"},
        DataFolderCase{"XdgDataHomeReplacesTheDefault", false, true, true, 20, "xdg/syzygy"},
        DataFolderCase{"Nowhere", false, false, false, 0, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainRoutineTest, TheConsoleTimerStartsTheDialogue) {
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter});
  ConsoleTick();  // the timer calls KeyTick, which calls the main procedure
  EXPECT_TRUE(AnimationStarted);
  EXPECT_EQ(Drv.DialoguesRun, 1);
  EXPECT_EQ(Drv.FramesDrawn, 1);
}

TEST_F(MainRoutineTest, DoesNothingWhileAnimationRuns) {
  StartSession(Enter);
  const std::size_t prompts = Prompts().size();
  KeyTick();
  KeyTick();
  EXPECT_EQ(Prompts().size(), prompts);
}

}  // namespace
