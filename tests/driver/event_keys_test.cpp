// The keys n and v, which jump to the beginnings of events the search finds, and k, which shows
// the contact times of the event on the screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <ctime>
#include <string>
#include <vector>

#include "astr_rout.h"
#include "contact_panel.h"
#include "driver_fixture.h"
#include "draw_frame.h"
#include "driver_state.h"
#include "event_search.h"
#include "fenster_graf_testing.h"
#include "frame_layout.h"
#include "kern_graf_testing.h"
#include "key_tick.h"
#include "local_eclipse.h"
#include "scene.h"

using namespace astro;
using namespace console;
using namespace driver;
using namespace geometry;

namespace {

search::Second ScreenSecond() {
  return Drv.Now.Ut();
}

// "d.m.yyyy hh:mm:ss UT" by the C library's calendar: JD 2440587.5 is 1 January 1970, 0 h UT.
std::string UtText(search::Second s) {
  const std::time_t t = static_cast<std::time_t>(s - 2440587 * 86400LL - 43200);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[40];
  std::snprintf(text, sizeof text, "%d.%d.%d %02d:%02d:%02d UT", tm.tm_mday, tm.tm_mon + 1,
                tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return text;
}

TEST(ContactRows, ALunarEclipseSeenFromAPlaceGivesTheMoonsAltitudeAtEachPhase) {
  // 7 August 2017 from Hannover: the Moon rises during the eclipse, about 18:45 UT.
  ContactPanelRows panel;
  const TObserverCoordinates hannover{.Longitude = 9.73L * Degree, .Latitude = 52.37L * Degree};
  UpdateContactRows(panel, TInstant::OfClock({7, 8, 2017}, 19.30L).Ut(), TimeModel::Program,
                    true, hannover);
  ASSERT_EQ(panel.Rows.size(), 6u);  // heading, begin, partial begin, middle, partial end, end
  for (std::size_t i = 1; i < panel.Rows.size(); ++i) {
    const TextRow& row = panel.Rows[i];
    EXPECT_NE(row.Text.find("  Mondhöhe "), std::string::npos) << row.Text;
    EXPECT_EQ(row.Warning, row.Text.find(" unter dem Horizont") != std::string::npos);
  }
  EXPECT_TRUE(panel.Rows[1].Warning) << panel.Rows[1].Text;     // begins before moonrise
  EXPECT_FALSE(panel.Rows.back().Warning) << panel.Rows.back().Text;  // ends after it
}

TEST(ContactTimeText, UtDateAndTimeToTheSecond) {
  const struct {
    long double Jd;
    int Offset;  // seconds
    const char* Text;
  } cases[] = {
      {2451545.0L, 0, "1.1.2000 12:00:00 UT"},
      {2451544.5L, 0, "1.1.2000 00:00:00 UT"},
      {2451544.5L, -1, "31.12.1999 23:59:59 UT"},
      {2461264.5L, 63065, "12.8.2026 17:31:05 UT"},
      {2299160.5L, 0, "15.10.1582 00:00:00 UT"},  // the first Gregorian day
      {2299160.5L, -1, "4.10.1582 23:59:59 UT"},  // the last Julian one
      {0.0L, 0, "1.1.-4712 12:00:00 UT"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ContactTimeText(search::SecondOf(c.Jd) + c.Offset), c.Text) << c.Text;
}

TEST_F(DriverTest, NextAndPreviousEventKeysJumpToBeginnings) {
  AnswerDialogue("8", "1", "8", "2026", "00:00:00", true, false);
  KeyTick();
  ASSERT_EQ(Drv.State, Session::Running);
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::None);
  // The total solar eclipse of 12 August 2026, then back to the lunar eclipse of 3 March.
  const struct {
    Key Pressed;
    EventKind Kind;
    const char *Day, *Month;
  } cases[] = {{Key::N, EventKind::SolarEclipse, "12", "8"},
               {Key::V, EventKind::LunarEclipse, "3", "3"},
               {Key::N, EventKind::SolarEclipse, "12", "8"}};
  for (const auto& c : cases) {
    Press(Code(c.Pressed));
    const search::Second at = ScreenSecond();
    EXPECT_EQ(Drv.Scene.Event.Kind, c.Kind) << c.Day;
    EXPECT_EQ(Drv.Answers.DayText + "." + Drv.Answers.MonthText + "." + Drv.Answers.YearText,
              std::string(c.Day) + "." + c.Month + ".2026");
    EXPECT_EQ(Drv.Answers.TimeText + " UT", UtText(at).substr(UtText(at).find(' ') + 1));
    EXPECT_EQ(Drv.Options.TimeStep, 15);
    EXPECT_EQ(BeepCount, 0);
    // One second earlier the screen shows no event: the instant is the event's first second.
    MoveToInstant(TInstant::At(at - 1));
    EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::None) << c.Day;
    MoveToInstant(TInstant::At(at));
  }
}

TEST_F(DriverTest, EventKeysBeepAndStayWhenNothingIsFound) {
  const struct {
    const char *Day, *Month, *Year, *Time;
    Key Pressed;
  } cases[] = {{"31", "12", "9999", "23:00:00", Key::N}, {"1", "1", "-9999", "00:00:00", Key::V}};
  for (const auto& c : cases)
    for (bool exact : {false, true}) {  // in both time models
      NewRun();
      AnswerDialogue("8", c.Day, c.Month, c.Year, c.Time, true, false);
      KeyTick();
      ASSERT_EQ(Drv.State, Session::Running);
      if (exact) Press(Code(Key::T));
      BeepCount = 0;
      const search::Second at = ScreenSecond();
      Press(Code(c.Pressed));
      EXPECT_EQ(ScreenSecond(), at) << c.Year;
      EXPECT_EQ(Drv.Answers.DayText + "." + Drv.Answers.MonthText + "." + Drv.Answers.YearText + " " + Drv.Answers.TimeText,
                std::string(c.Day) + "." + c.Month + "." + c.Year + " " + c.Time);
      EXPECT_EQ(BeepCount, 1);
      EXPECT_GT(CountPixels(PaletteColour(Colour::LightRed), 0, 0, 500, LineHeight()), 50);
    }
}

TEST_F(DriverTest, TimeModelKeyGivesTimesAsTheyHappen) {
  AnswerDialogue("8", "1", "8", "2026", "00:00:00", true, false);
  KeyTick();
  auto modelRow = [] {
    for (const PlacedText& t : ScreenLayout().Texts)
      if (t.X == MaxX() && t.Y == 4 * LineHeight()) return t.Text;
    return std::string();
  };
  EXPECT_EQ(modelRow(), "");
  Press(Code(Key::N));
  const search::Second program = ScreenSecond();
  Press(Code(Key::T));
  EXPECT_EQ(Drv.Options.Model, TimeModel::Exact);
  EXPECT_EQ(modelRow(), "wie beobachtet: TT = UT + 69 s ");
  // The eclipse begins earlier by Delta T less what the series' Moon gains (69.1 - 0.3 s),
  // give or take the Moon's light-time (a second or two).
  Press(Code(Key::V));
  EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::SolarEclipse);
  EXPECT_NEAR(program - ScreenSecond(), 69, 3);
  Press(Code(Key::K));
  EXPECT_EQ(ScreenLayout().Contacts[0].Text,
            " Kontaktzeiten für die ganze Erde, wie beobachtet:");
  // Kept through Esc, like k; a second t goes back.
  ConfirmUnscripted = true;
  Press(Code(Key::Esc));
  EXPECT_EQ(Drv.Options.Model, TimeModel::Exact);
  Press(Code(Key::T));
  EXPECT_EQ(Drv.Options.Model, TimeModel::Program);
  EXPECT_EQ(modelRow(), "");
}

TEST_F(DriverTest, ContactPanelShowsTheTimesTheSearchFinds) {
  // Hannover sees the eclipse of 12 August 2026 as a partial one low in the west; the horizon
  // system shows the panel too.
  AnswerDialogue("8", "1", "8", "2026", "00:00:00", false, true, "Hannover");
  KeyTick();
  ASSERT_EQ(Drv.State, Session::Running);
  auto panel = [] { return ScreenLayout().Contacts; };
  Press(Code(Key::K));
  ASSERT_EQ(panel().size(), 1u);
  EXPECT_EQ(panel()[0].Text, " Kontaktzeiten: kein Ereignis");

  Press(Code(Key::N));
  const search::TFoundEvent event = *search::EventInProgress(ScreenSecond()).Event;
  const search::TEarthContacts earth = search::EarthContacts(event);
  const std::vector<search::TSiteContact> site =
      search::SiteContacts(event, Drv.Answers.ObserverCoordinates);
  ASSERT_TRUE(earth.CentralBegin && earth.CentralEnd);
  ASSERT_EQ(site.size(), 3u);  // partial there: first and fourth contact and the greatest phase
  std::vector<std::string> expected = {
      " Kontaktzeiten für die ganze Erde, Modell des Programms:",
      " Beginn          " + UtText(event.Begin),
      " Beginn zentral  " + UtText(*earth.CentralBegin),
      " Ende zentral    " + UtText(*earth.CentralEnd),
      " Ende            " + UtText(event.End),
      " Kontaktzeiten am Beobachtungsort:"};
  const char* labels[] = {"größte Phase    ", "1. Kontakt      ", "2. Kontakt      ",
                          "3. Kontakt      ", "4. Kontakt      "};
  int below = 0;
  for (const search::TSiteContact& c : site) {
    char altitude[16];
    std::snprintf(altitude, sizeof altitude, "%.1f", static_cast<double>(c.SunAltitude));
    expected.push_back(std::string(" ") + labels[c.Number] + UtText(c.At) + "  Sonnenhöhe " +
                       altitude + "°" + (c.SunBelowHorizon ? " unter dem Horizont" : ""));
    below += c.SunBelowHorizon;
  }
  EXPECT_GT(below, 0);  // the Sun sets before the eclipse ends there
  // Then the sunset during the eclipse and the greatest phase seen there.
  const search::TLocalEclipse local = search::LocalEclipse(event, Drv.Answers.ObserverCoordinates);
  ASSERT_TRUE(local.Sunset);
  expected.push_back(" Sonnenuntergang " + UtText(*local.Sunset));
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "Größe %.3f, Bedeckung %.1f %%",
                static_cast<double>(local.Magnitude), static_cast<double>(100 * local.Obscuration));
  expected.push_back(std::string(" größte Phase am Ort: ") + numbers);
  const std::vector<PlacedText> rows = panel();
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].Text, expected[i]);
    const bool warning = i >= 6 && i < 6 + site.size() && site[i - 6].SunBelowHorizon;
    EXPECT_EQ(rows[i].Ink, warning ? Colour::LightRed : Colour::White) << i;
  }
  Press(Code(Key::K));
  EXPECT_TRUE(panel().empty());
}

}  // namespace

namespace {

// Whether the event on the screen can be seen from the place at a second: the discs meet there
// with the Sun up, or the Moon is in the shadow and up.
bool SeenAt(search::Second s) {
  const TScene scene = SceneAt(TInstant::At(s), Drv.Answers.ObserverCoordinates, true,
                               Drv.Options.Model);
  if (scene.Event.Kind == EventKind::LunarEclipse) return scene.View.MoonAltitude > 0;
  return scene.Event.Kind != EventKind::None &&
         scene.View.Record.Code != ViewCode::Apart && !scene.View.SunBelowHorizon;
}

}  // namespace

TEST_F(DriverTest, ShiftNAndVGoToTheFirstVisibleInstantOfEventsSeenFromThePlace) {
  // From Hannover at New Year 2026: the annular eclipse of 17 February and the lunar eclipse of
  // 3 March cannot be seen there, the partial eclipse of 12 August can, and before New Year the
  // lunar eclipse of 7 September 2025 rising in the evening.
  AnswerDialogue("8", "1", "1", "2026", "00:00:00", false, false, "Hannover");
  KeyTick();
  BeepCount = 0;  // the night side's warning
  const search::Second start = ScreenSecond();
  Press('N');
  EXPECT_EQ(UtDateText(Drv.Now), "12.8.2026");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::SolarEclipse);
  const search::Second august = ScreenSecond();
  EXPECT_TRUE(SeenAt(august));
  EXPECT_FALSE(SeenAt(august - 1));
  Press('V');
  EXPECT_EQ(UtDateText(Drv.Now), "7.9.2025");
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::LunarEclipse);
  EXPECT_TRUE(SeenAt(ScreenSecond()));
  EXPECT_FALSE(SeenAt(ScreenSecond() - 1));
  EXPECT_LT(ScreenSecond(), start);
  EXPECT_EQ(BeepCount, 0);
  // Without a place they are n and v.
  NewRun();
  AnswerDialogue("8", "1", "1", "2026", "00:00:00", true, false);
  KeyTick();
  Press('N');
  const search::Second shifted = ScreenSecond();
  Press(Code(Key::V));
  Press(Code(Key::N));
  EXPECT_EQ(ScreenSecond(), shifted);
}
