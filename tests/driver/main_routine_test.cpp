// The setup dialogue with scripted answers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "astr_rout.h"
#include "driver_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "key_tick.h"
#include "main_routine.h"
#include "mathe.h"
#include "text_codec.h"

using namespace text;
using namespace astro;
using namespace geometry;
using namespace console;
using namespace driver;

namespace {

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
                                           TimeCase{"ab:cd:ef", false, 0, 0, 0},
                                           TimeCase{"1x:2y:3z", false, 0, 0, 0},
                                           TimeCase{" 8:00:00", false, 0, 0, 0},
                                           TimeCase{"99:99:99", true, 99, 99, 99},
                                           TimeCase{"8:00:00", false, 0, 0, 0},
                                           TimeCase{"08-00-00", false, 0, 0, 0},
                                           TimeCase{"08:00:000", false, 0, 0, 0},
                                           TimeCase{"", false, 0, 0, 0},
                                           TimeCase{"ä8:00:00", false, 0, 0, 0},
                                           TimeCase{"äé:00:0", false, 0, 0, 0}));

class MainRoutineTest : public DriverTest {};

TEST_F(MainRoutineTest, DefaultSessionAsksEveryQuestionWithItsDefault) {
  StartSession(Enter);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {MenuPrompt, "6"},      {GeocentricPrompt, "n"},   {HorizonPrompt, "j"},
      {StroboPrompt, "n"},  {"Tag", "9"},         {"Monat", "5"},
      {"Jahr", "2016"},       {TimePrompt, "13:00:00"}, {PlacePrompt, "Hannover"}};
  ASSERT_EQ(Prompts().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Prompts()[i].Prompt, expected[i].first);
    EXPECT_EQ(Prompts()[i].Default, expected[i].second);
  }
  EXPECT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::MercuryTransit);
  EXPECT_EQ(Drv.Options.TimeStep, 15);
  EXPECT_TRUE(Drv.Options.HorizonView);
  EXPECT_FALSE(Drv.Options.Geocentric);
  EXPECT_FALSE(Drv.Options.Stroboscopic);
  EXPECT_EQ(Drv.Now.Date().Day, 9);
  EXPECT_EQ(Drv.Now.Date().Month, 5);
  EXPECT_EQ(Drv.Now.Date().Year, 2016);
  EXPECT_NEAR(static_cast<double>(Drv.Now.Clock()), 14.0, 1e-12);
  // Hannover from the first matching line of City.dat.
  EXPECT_EQ(Drv.Answers.SiteLatitudeText, "52.37");
  EXPECT_EQ(Drv.Answers.SiteLongitudeText, "9.73");
  EXPECT_NEAR(static_cast<double>(Drv.Answers.ObserverCoordinates.Latitude / Degree), 52.37, 1e-12);
  EXPECT_NEAR(static_cast<double>(Drv.Scene.Observer.R), 1.0, 0.01);
  EXPECT_TRUE(Drv.Scene.View.SunAltitudeValid);
  EXPECT_EQ(BeepCount, 0);
  EXPECT_EQ(Drv.Files.PictureBaseName, ProgramBaseName());
  EXPECT_EQ(Drv.Files.TextFileName, ProgramBaseName() + ".txt");
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
  EXPECT_EQ(Drv.Answers.DayText, c.Day);
  EXPECT_EQ(Drv.Answers.MonthText, c.Month);
  EXPECT_EQ(Drv.Answers.YearText, c.Year);
  EXPECT_EQ(Drv.Answers.TimeText, c.Time);
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
  const EventKind expected[] = {EventKind::MercuryTransit, EventKind::VenusTransit, EventKind::VenusTransit,
                          EventKind::SolarEclipse,   EventKind::LunarEclipse, EventKind::MercuryTransit,
                          EventKind::LunarEclipse};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i + 1);
    ResetDriverState();
    Drv.State = Session::Setup;
    Answer({std::string(1, static_cast<char>('1' + i)), "j", Enter, Enter, Enter, Enter, Enter,
            Enter});
    KeyTick();
    EXPECT_EQ(Drv.Scene.Event.Kind, expected[i]);
  }
}

TEST_F(MainRoutineTest, MenuAsksAgainUntilADigitFrom0To8) {
  // "12" counts by its last character.
  Answer({"9", "x", "ä", "12", "j", Enter, Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_EQ(CountPrompts(MenuPrompt), 4);
  EXPECT_EQ(Drv.Answers.MenuChoice, "2");
  EXPECT_EQ(Drv.Answers.DayText, "8");
  EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::VenusTransit);
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
  EXPECT_EQ(Drv.State, Session::Setup);
}

TEST_F(MainRoutineTest, MenuEightEmptiesTheDefaults) {
  Answer({"8", "j", Enter, Enter, "9", "5", "2016", "13:00:00"});
  KeyTick();
  ASSERT_GE(Prompts().size(), 8u);
  EXPECT_EQ(Prompts()[4].Default, "");
  EXPECT_EQ(Prompts()[7].Default, "");
  EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::MercuryTransit);
}

TEST_F(MainRoutineTest, OnlyJOrCapitalJMeansYes) {
  // "ja" ends in 'a': no; "J": yes; "nein": no.
  Answer({Enter, "ja", "J", "nein", Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_FALSE(Drv.Options.Geocentric);
  EXPECT_TRUE(Drv.Options.HorizonView);
  EXPECT_FALSE(Drv.Options.Stroboscopic);
  EXPECT_EQ(Drv.Answers.GeocentricAnswer, "a");
  EXPECT_EQ(CountPrompts(PlacePrompt), 1);
  EXPECT_EQ(AnswersLeft(), 0u);
}

TEST_F(MainRoutineTest, GeocentricSkipsThePlace) {
  Answer({Enter, "J", "n", Enter, Enter, Enter, Enter, Enter});
  KeyTick();
  EXPECT_TRUE(Drv.Options.Geocentric);
  EXPECT_FALSE(Drv.Options.HorizonView);
  EXPECT_EQ(CountPrompts(PlacePrompt), 0);
  EXPECT_EQ(Drv.Scene.Observer.R, 0);
  EXPECT_EQ(Drv.Answers.PlaceName, "Hannover");
  EXPECT_EQ(Drv.State, Session::Running);
}

TEST_F(MainRoutineTest, ImpossibleTimesAreAskedAgainWithTheReason) {
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, "8:00:00", "08-00-00", "ab:cd:ef",
          "12:99:99", "24:00:00", "00:00:00", Enter});
  KeyTick();
  const std::string shape = PromptWithHint(TimePrompt, "Uhrzeit hh:mm:ss erwartet");
  const std::string range =
      PromptWithHint(TimePrompt, "Uhrzeit von 00:00:00 bis 23:59:59 erwartet");
  EXPECT_EQ(CountPrompts(TimePrompt), 1);
  EXPECT_EQ(CountPrompts(shape), 3);
  EXPECT_EQ(CountPrompts(range), 2);
  EXPECT_EQ(BeepCount, 6);  // and one for Hannover on the night side at 0 h UT
  EXPECT_EQ(Prompts()[8].Default, "8:00:00");  // the rejected text is offered again
  EXPECT_NEAR(static_cast<double>(Drv.Now.Clock()), 1.0, 1e-15);
  // No transit yet on 9 May 2016 at 0 h UT; the place is asked all the same, and the time
  // keys get their step.
  EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  EXPECT_EQ(CountPrompts(PlacePrompt), 1);
  EXPECT_EQ(Drv.Options.TimeStep, 15);
  EXPECT_EQ(Drv.State, Session::Running);
}

TEST_F(MainRoutineTest, ImpossibleDatesAreAskedAgainWithTheReason) {
  struct Case {
    std::vector<std::string> Date;  // answers from "Tag" on
    std::string Prompt, Hint;       // the question asked again
    int Day, Month, Year;
  } cases[] = {
      {{"abc", "9", Enter, Enter}, "Tag", "ganze Zahl erwartet", 9, 5, 2016},
      {{"32", "9", Enter, Enter}, "Tag", "ganze Zahl von 1 bis 31 erwartet", 9, 5, 2016},
      {{"0", "9", Enter, Enter}, "Tag", "ganze Zahl von 1 bis 31 erwartet", 9, 5, 2016},
      {{Enter, "13", "5", Enter}, "Monat", "ganze Zahl von 1 bis 12 erwartet", 9, 5, 2016},
      {{Enter, Enter, "10000", "2016"}, "Jahr", "ganze Zahl von -9999 bis 9999 erwartet", 9, 5,
       2016},
      {{Enter, Enter, "-2147483648", "-9999"}, "Jahr", "ganze Zahl von -9999 bis 9999 erwartet",
       9, 5, -9999},
      {{"31", "2", "2015", "28"}, "Tag", "den 31.2.2015 gibt es nicht", 28, 2, 2015},
      {{"29", "2", "1900", "1"}, "Tag", "den 29.2.1900 gibt es nicht", 1, 2, 1900},
      {{"31", "4", "2015", "30"}, "Tag", "den 31.4.2015 gibt es nicht", 30, 4, 2015},
      {{"10", "10", "1582", "15"}, "Tag", "den 10.10.1582 gibt es nicht", 15, 10, 1582},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Hint);
    ResetDriverState();
    Drv.State = Session::Setup;
    BeepCount = 0;
    const int before = CountPrompts(PromptWithHint(c.Prompt, c.Hint));
    std::vector<std::string> answers = {Enter, "j", Enter, Enter};  // geocentric: no place
    answers.insert(answers.end(), c.Date.begin(), c.Date.end());
    answers.push_back(Enter);  // the time
    Answer(answers);
    KeyTick();
    EXPECT_EQ(CountPrompts(PromptWithHint(c.Prompt, c.Hint)), before + 1);
    EXPECT_EQ(BeepCount, 1);
    EXPECT_EQ(Drv.Now.Date().Day, c.Day);
    EXPECT_EQ(Drv.Now.Date().Month, c.Month);
    EXPECT_EQ(Drv.Now.Date().Year, c.Year);
    EXPECT_EQ(AnswersLeft(), 0u);
  }
  // Two impossible days in a row: each is asked again with its own reason.
  ResetDriverState();
  Drv.State = Session::Setup;
  BeepCount = 0;
  Answer({Enter, "j", Enter, Enter, "31", "2", "2015", "30", "28", Enter});
  KeyTick();
  EXPECT_EQ(CountPrompts(PromptWithHint("Tag", "den 30.2.2015 gibt es nicht")), 1);
  EXPECT_EQ(BeepCount, 2);
  EXPECT_EQ(Drv.Now.Date().Day, 28);
  EXPECT_EQ(AnswersLeft(), 0u);
  // The last days there are, at the ends of the years and of the Julian calendar: no beep.
  const std::vector<std::vector<std::string>> valid = {
      {"29", "2", "2000"}, {"29", "2", "1500"}, {"4", "10", "1582"}, {"15", "10", "1582"},
      {"31", "12", "9999"}, {"1", "1", "-9999"}, {"29", "2", "-4"}};
  for (const auto& date : valid) {
    ResetDriverState();
    Drv.State = Session::Setup;
    BeepCount = 0;
    Answer({Enter, "j", Enter, Enter, date[0], date[1], date[2], Enter});
    KeyTick();
    EXPECT_EQ(BeepCount, 0) << date[0] << "." << date[1] << "." << date[2];
    EXPECT_EQ(Drv.Now.Date().Day, std::stoi(date[0]));
  }
}

TEST_F(MainRoutineTest, UnknownPlaceIsAskedAsCoordinatesAndTheNightSideBeeps) {
  // At 13:00 UT the Sun stands over the Atlantic; 17 S 166 E is on the night side. Latitudes
  // beyond the poles and longitudes beyond the date line are asked again.
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "Nirgendwo", "-95", "-17",
          "400", "166"});
  KeyTick();
  ASSERT_EQ(CountPrompts(" Breite in Grad"), 1);
  ASSERT_EQ(CountPrompts(" Länge in Grad"), 1);
  EXPECT_EQ(CountPrompts(PromptWithHint(" Breite in Grad", "Zahl von -90 bis 90 erwartet")), 1);
  EXPECT_EQ(CountPrompts(PromptWithHint(" Länge in Grad", "Zahl von -180 bis 180 erwartet")), 1);
  EXPECT_EQ(BeepCount, 3);
  EXPECT_NEAR(static_cast<double>(Drv.Answers.ObserverCoordinates.Longitude / Degree), 166, 1e-12);
  EXPECT_EQ(Drv.Answers.SiteLatitudeText, "-17");
  EXPECT_EQ(Drv.State, Session::Running);
}

// The night-side warning comes for a site where the Sun stands a degree below the horizon and
// not for one where it stands 0.3 degrees above. The sites lie on the equator, at the longitude
// where the textbook formula sin h = cos(dec) cos(H) gives that altitude, with the sidereal time
// by Meeus's formula (independent of the program's).
TEST_F(MainRoutineTest, NightSideWarningBelowTheHorizonOnly) {
  WriteFile(ProgramBaseName() + ".txt", "Titel\nUntertitel\n");  // the lines start at the top
  Answer({Enter, "j", Enter, Enter, Enter, Enter, Enter, Enter});  // 9 May 2016, 13:00 UT
  KeyTick();
  long double r = 0, alpha = 0, delta = 0;
  RectToSpherical(Drv.Scene.Sky.Sun.X, Drv.Scene.Sky.Sun.Y, Drv.Scene.Sky.Sun.Z, r, alpha, delta);
  const long double jd = Drv.Now.Jd(), t = (jd - 2451545) / 36525;
  const long double gmst =
      (280.46061837L + 360.98564736629L * (jd - 2451545) + 0.000387933L * t * t) * Degree;
  int black[2] = {0, 0};
  const struct {
    double Altitude;
    int Beeps;
  } cases[] = {{0.3, 0}, {-1.0, 1}};
  for (int i = 0; i < 2; ++i) {
    const long double h = cases[i].Altitude * Degree;
    const long double hourAngle = std::acos(std::sin(h) / std::cos(delta));
    const long double longitude = std::remainder(alpha + hourAngle - gmst, 2 * Pi) / Degree;
    ResetDriverState();
    BeepCount = 0;
    char typed[32];
    std::snprintf(typed, sizeof typed, "%.6Lf", longitude);
    Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "Nirgendwo", "0", typed});
    MainRoutine();  // the dialogue alone: its screen stays without a frame over it
    EXPECT_EQ(BeepCount, cases[i].Beeps) << cases[i].Altitude;
    black[i] = CountPixels(0, 0, 0, MaxX(), MaxY());
  }
  // " Nachtseite der Erde !" is the only line that differs between the two screens.
  EXPECT_GT(black[1] - black[0], 100);
}

TEST_F(MainRoutineTest, CoordinatePromptsOfferTheShadowAxisPoint) {
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, Enter, Enter, "Nirgendwo", Enter, "10,5"});
  KeyTick();
  ASSERT_EQ(CountPrompts(" Breite in Grad"), 1);
  // The event test wrote the point nearest to Mercury's shadow axis as a number text.
  const std::string latitudeDefault = Prompts()[9].Default;
  EXPECT_EQ(Utf8Length(latitudeDefault), 6u) << latitudeDefault;
  EXPECT_NEAR(static_cast<double>(Drv.Answers.ObserverCoordinates.Longitude / Degree), 10.5, 1e-12);
  EXPECT_EQ(Drv.Answers.SiteLongitudeText, "10,5");
  EXPECT_EQ(BeepCount, 0);
  // Without an event at the start instant no axis point is offered, but the site typed last.
  Answer({Enter, Enter, Enter, Enter, Enter, Enter, "10:00:00", "Nirgendwo", Enter, Enter});
  Press(Code(Key::Esc));
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  EXPECT_EQ(Prompts().back().Default, "10,5");
  EXPECT_EQ(Prompts()[Prompts().size() - 2].Default, latitudeDefault);
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
  EXPECT_NEAR(static_cast<double>(Drv.Answers.ObserverCoordinates.Latitude / Degree),
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
  EXPECT_FALSE(Drv.Files.CityFileFound);
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
  EXPECT_EQ(Drv.Files.CityFileFound, fromFile);
  EXPECT_EQ(CountPrompts(" Breite in Grad"), fromFile ? 0 : 1);
  EXPECT_NEAR(static_cast<double>(Drv.Answers.ObserverCoordinates.Latitude / Degree),
              fromFile ? c.Latitude : 1.5, 1e-12);
  const std::string title = ProgramBaseName() + ".txt";
  EXPECT_EQ(Drv.Files.TextFileName, *c.TitleFile ? (folder_ / c.TitleFile / title).string() : title);
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
  ConsoleTick();  // the timer calls KeyTick, which runs the dialogue
  EXPECT_EQ(Drv.State, Session::Running);
  EXPECT_TRUE(FrameOnScreen());
  // Later ticks ask nothing while the picture runs.
  const std::size_t prompts = Prompts().size();
  ConsoleTick();
  ConsoleTick();
  EXPECT_EQ(Prompts().size(), prompts);
}

}  // namespace
