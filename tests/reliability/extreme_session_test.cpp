// Whole sessions of the program at extreme instants and places: the dialogue, the first frame,
// the measurement panel and the time keys, at the first and last years the prompts accept (the
// far one before the year -4712 where the calendar counts in whole cycles), with steps of a million
// minutes either way and of nothing, and at the poles and the date line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "astr_rout.h"
#include "console_fixture.h"
#include "draw_frame.h"
#include "fenster_graf_testing.h"
#include "driver_state.h"
#include "events.h"
#include "finite_checks.h"
#include "key_tick.h"
#include "main_routine.h"
#include "number_text.h"
#include "sky_search.h"

using namespace text;
using namespace astro;
using namespace geometry;
using namespace console;
using namespace driver;

namespace {

long double CurrentJulianDay() { return Drv.Now.Jd(); }

// The instant is a real calendar date and clock, and the driver's texts of it are well
// formed: integers for the date, hh:mm:ss for the time.
void ExpectInstantTexts(const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_TRUE(std::isfinite(Drv.Now.Clock()) && std::isfinite(SeriesCenturies(Drv.Now, Drv.Options.Model)));
  EXPECT_TRUE(Drv.Now.Date().Month >= 1 && Drv.Now.Date().Month <= 12) << Drv.Now.Date().Month;
  EXPECT_TRUE(Drv.Now.Date().Day >= 1 && Drv.Now.Date().Day <= 31) << Drv.Now.Date().Day;
  EXPECT_TRUE(Drv.Now.Clock() >= 0 && Drv.Now.Clock() < 25) << static_cast<double>(Drv.Now.Clock());
  int h = -1, m = -1, s = -1;
  EXPECT_TRUE(ParseTimeText(Drv.Answers.TimeText, h, m, s)) << Drv.Answers.TimeText;
  EXPECT_TRUE(h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60) << Drv.Answers.TimeText;
  for (const std::string* text : {&Drv.Answers.DayText, &Drv.Answers.MonthText, &Drv.Answers.YearText}) {
    int32_t v = 0, pos = -1;
    TextToInteger(*text, v, pos);
    EXPECT_EQ(pos, 0) << *text;
  }
}

void ExpectAfterStep(const std::string& where) {
  ExpectDrawableGeometry(OnScreen(), where);
  ExpectInstantTexts(where);
}

// The date and time a person would type for an instant: the UT date and the UT time.
struct Typed {
  std::string Day, Month, Year, Time;
};

Typed TypedInstant(const Instant& t) {
  const TInstant at = TInstant::OfClock(t.Date, t.Clock);
  const TCalendarDate& ut = at.UtDate();
  return {std::to_string(ut.Day), std::to_string(ut.Month), std::to_string(ut.Year),
          UtTimeText(at)};
}

class ExtremeYearSession : public ConsoleReliabilityTest,
                           public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(ExtremeYearSession, DialogueFramesPanelAndTimeKeys) {
  const auto [year, horizon] = GetParam();
  const std::vector<Instant> events = FindEvents(year, 1, 740);
  ASSERT_FALSE(events.empty()) << "no event in two years from " << year;
  const Typed typed = TypedInstant(events[0]);
  NewRun();
  AnswerDialogue("8", typed.Day, typed.Month, typed.Year, typed.Time, false, horizon);
  Press(0);  // the dialogue and the first frame
  ASSERT_EQ(Drv.State, Session::Running);
  ASSERT_NE(Drv.Scene.Event.Kind, EventKind::None) << Describe(events[0]);
  EXPECT_TRUE(FrameOnScreen());
  EXPECT_EQ(Drv.Now.Date().Year, std::stoi(typed.Year));
  ExpectAfterStep("first frame");
  EXPECT_TRUE(PressDraws('m'));
  for (int i = 0; i < 12; ++i) {
    const long double before = CurrentJulianDay();
    Press(Code(Key::Right));
    EXPECT_NEAR(static_cast<double>((CurrentJulianDay() - before) * 1440), 15.0, 0.01) << i;
    ExpectAfterStep("right " + std::to_string(i));
  }
  for (int i = 0; i < 24; ++i) {
    const long double before = CurrentJulianDay();
    Press(Code(Key::Left));
    EXPECT_NEAR(static_cast<double>((CurrentJulianDay() - before) * 1440), -15.0, 0.01) << i;
    ExpectAfterStep("left " + std::to_string(i));
  }
  // A million minutes (1.9 years) towards the years the program accepts, and back.
  Drv.Options.TimeStep = year < 0 ? 1e6L : -1e6L;
  for (int i = 0; i < 3; ++i) {
    Press(Code(Key::Right));
    ExpectAfterStep("million right " + std::to_string(i));
  }
  for (int i = 0; i < 3; ++i) Press(Code(Key::Left));
  EXPECT_EQ(Drv.Now.Date().Year, std::stoi(typed.Year));
  ExpectAfterStep("back");
}

INSTANTIATE_TEST_SUITE_P(Years, ExtremeYearSession,
                         ::testing::Combine(::testing::Values(-9999, 9998), ::testing::Bool()),
                         [](const auto& info) {
                           const int year = std::get<0>(info.param);
                           return (year < 0 ? "Minus" : "Plus") + std::to_string(std::abs(year)) +
                                  (std::get<1>(info.param) ? "Horizon" : "Equatorial");
                         });

using TimeStepSession = ConsoleReliabilityTest;

// Steps of 0 and of +-1e6 minutes from the solar eclipse of March 2015, there and back.
TEST_F(TimeStepSession, MillionMinutesThereAndBackAndZero) {
  AnswerDialogue("4", "", "", "", "", false, false);
  Press(0);
  ASSERT_EQ(Drv.Scene.Event.Kind, EventKind::SolarEclipse);
  const long double start = CurrentJulianDay();

  Drv.Options.TimeStep = 0;
  EXPECT_TRUE(PressDraws(Code(Key::Right)));  // a step of nothing still redraws
  EXPECT_TRUE(PressDraws(Code(Key::Left)));
  EXPECT_EQ(CurrentJulianDay(), start);
  ExpectAfterStep("step 0");

  for (long double step : {1e6L, -1e6L}) {
    Drv.Options.TimeStep = step;
    for (int i = 0; i < 20; ++i) {
      const long double before = CurrentJulianDay();
      Press(Code(Key::Right));
      EXPECT_NEAR(static_cast<double>((CurrentJulianDay() - before) * 1440),
                  static_cast<double>(step), 0.01);
      ExpectAfterStep("step " + std::to_string(static_cast<double>(step)));
    }
    for (int i = 0; i < 20; ++i) Press(Code(Key::Left));
    EXPECT_NEAR(static_cast<double>((CurrentJulianDay() - start) * 1440), 0.0, 0.01);
    EXPECT_EQ(Drv.Answers.TimeText, "10:00:00");
    EXPECT_EQ(Drv.Answers.DayText + "." + Drv.Answers.MonthText + "." + Drv.Answers.YearText, "20.3.2015");
  }
  // '-' far below zero and '+' far above: the ladder has no bounds and stays a number.
  Drv.Options.TimeStep = 15;
  for (int i = 0; i < 2000; ++i) Press(Code(Key::Minus));
  EXPECT_EQ(Drv.Options.TimeStep, 15 - 5 - 5 - 1998);
  Press(Code(Key::Right));
  ExpectAfterStep("after 2000 '-'");
}

struct PoleCase {
  const char* Menu;
  const char* Latitude;
  const char* Longitude;
  bool Horizon;
};

void PrintTo(const PoleCase& c, std::ostream* os) {
  *os << "menu " << c.Menu << " at " << c.Latitude << " " << c.Longitude
      << (c.Horizon ? " horizon" : " equatorial");
}

class PoleSession : public ConsoleReliabilityTest,
                    public ::testing::WithParamInterface<PoleCase> {};

TEST_P(PoleSession, FramesAndStepsStayNumbers) {
  const PoleCase& c = GetParam();
  AnswerDialogue(c.Menu, "", "", "", "", false, c.Horizon, "Pol", c.Latitude, c.Longitude);
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  ASSERT_NE(Drv.Scene.Event.Kind, EventKind::None);
  EXPECT_TRUE(FrameOnScreen());
  EXPECT_EQ(Drv.Answers.ObserverCoordinates.Latitude, std::stold(c.Latitude) * Degree);
  ExpectAfterStep("first frame");
  // The horizon system turns the picture by the parallactic angle, which has its pole there.
  EXPECT_TRUE(std::isfinite(Drv.Scene.ZenithAngle));
  Press('m');
  for (int i = 0; i < 4; ++i) {
    Press(Code(Key::Right));
    ExpectAfterStep("step " + std::to_string(i));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, PoleSession,
    ::testing::Values(PoleCase{"4", "90", "180", true}, PoleCase{"4", "-90", "-180", false},
                      PoleCase{"5", "90", "-180", true}, PoleCase{"5", "-90", "180", false},
                      PoleCase{"6", "0", "180", true}, PoleCase{"6", "0", "-180", true},
                      PoleCase{"2", "90,0", "180,0", true}, PoleCase{"7", "-90", "-180", true}),
    [](const auto& info) {
      std::string name = std::string("Menu") + info.param.Menu + "Lat" + info.param.Latitude +
                         "Lon" + info.param.Longitude + (info.param.Horizon ? "Horizon" : "Equatorial");
      for (char& c : name) {
        if (c == '-') c = 'M';
        if (c == ',') c = '_';
      }
      return name;
    });

}  // namespace
