#include "key_tick.h"

#include <cstdio>

#include "astr_rout.h"
#include "bodies.h"
#include "console_text_drawer.h"
#include "draw_frame.h"
#include "driver_state.h"
#include "event_text.h"
#include "events.h"
#include "fenster_graf.h"
#include "kern_graf.h"
#include "main_routine.h"
#include "picture_fallback.h"

const std::array<std::string, 7> HelpLines = {
    " weiter mit Tastendruck: ",
    "               \"m\": zeige Messwerte an/aus (falls nicht horizontal)",
    " Cursor rechts/links: Zeitschritt Vorwärts vorwärts/rückwärts",
    "            \"+\", \"-\": Vergrößerung/Verkleinerung des Zeitschritts",
    "                 \"s\": Speicherung des Bildes",
    "               \"Esc\": Eingabe neuer Parameter",
    "            \"Strg-C\": Abbruch des Programmes",
};

namespace {

std::string DecimalText(int v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", v);
  return buffer;
}

void SavePictureKey() {
  ++Drv.PictureCounter;
  // A picture that fits nowhere beeps; the animation goes on.
  SavePictureWithFallback(PictureName(Drv.PictureBaseName, Drv.PictureCounter), 0, 0, MaxX(),
                          MaxY());
}

}  // namespace

std::string PictureName(const std::string& base, int counter) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", counter);
  return base + digits + ".bmp";
}

long double LargerStep(long double step) {
  if (step < 5) return step + 1;
  if (step < 15) return step + 5;
  return step + 15;
}

long double SmallerStep(long double step) {
  if (step > 15) return step - 15;
  if (step > 5) return step - 5;
  return step - 1;
}

void StepTime(long double minutes) {
  const long double jd = JulianDay(Drv.CurrentDate, Drv.ClockTime) + minutes / 60 / 24;
  CalendarDate(jd, Drv.CurrentDate, Drv.ClockTime);
  // The next dialogue offers the instant on the screen: its UT time and UT date. The date is
  // that of the time as shown, rounded to the second (an instant a hair before midnight shows
  // 00:00:00 of the next day). A clock value below 1 stands for UT hour 23 of the day before
  // the date in clock form; one hour earlier the clock form and the UT date agree.
  Drv.TimeText = TimeToText(Drv.ClockTime);
  const long double shown = jd + 0.5L / 86400;
  TCalendarDate utDate;
  long double clock = 0;
  CalendarDate(shown, utDate, clock);
  if (clock < 1) CalendarDate(shown - 1.0L / 24, utDate, clock);
  Drv.DayText = DecimalText(utDate.Day);
  Drv.MonthText = DecimalText(utDate.Month);
  Drv.YearText = DecimalText(utDate.Year);
  // The observer turns with the Earth.
  if (Drv.Geocentric) {
    SetVector(Geo.ObserverVec, 0, 0, 0);
  } else if (Drv.ObserverPlaced) {
    ObserverVector(Drv.ObserverCoordinates, Drv.CurrentDate, Drv.ClockTime, Geo.ObserverVec);
  }
  ComputeSky();
  ConsoleTextDrawer drawer;
  ShowEventText(drawer, LightGray);
  LocalCircumstances(Drv.CurrentDate, Drv.ObserverCoordinates, Geo.SunVec, Drv.ClockTime,
                     Geo.OccultorDiameter, Geo.OccultorVec);
}

void ShowHelp() {
  const int H = MaxY(), L = LineHeight();
  for (int i = 0; i < 7; ++i) DrawText(0, H - (6 - i) * L, HelpLines[i], LightGray);
}

// The pause shows no status text: the picture stays as it is until a key ends the pause.
void BeginPause() { Drv.Paused = true; }

void EndPause() { Drv.Paused = false; }

void KeyTick() {
  if (!AnimationStarted) CallMainProcedure();
  if (Drv.AbortRequested || !AnimationStarted) return;
  if (KeyWaiting() && Drv.Paused) {
    EndPause();
    Drv.LastKey = NextKey();  // ends the pause and nothing else
  }
  if (Drv.Paused) return;
  if (Drv.FrameShown && !KeyWaiting()) return;
  Drv.LastKey = NextKey();
  switch (Drv.LastKey) {
    case KeyLeft:
      StepTime(-Drv.TimeStep);
      break;
    case KeyRight:
      StepTime(Drv.TimeStep);
      break;
    case KeyEsc:
      Drv.AbortRequested = true;
      CallMainProcedure();
      break;
    case KeyPlus:
      Drv.TimeStep = LargerStep(Drv.TimeStep);
      break;
    case KeyMinus:
      Drv.TimeStep = SmallerStep(Drv.TimeStep);
      break;
    case KeyE:
      Drv.FrameShown = !Drv.FrameShown;
      break;
    case KeyM:
      Drv.MeasurementsOn = !Drv.MeasurementsOn;
      break;
    case KeyP:
      BeginPause();
      break;
    case KeyS:
      SavePictureKey();
      break;
    case KeyF1:
      ShowHelp();
      break;
    default:
      break;
  }
  if (Geo.EventKind != KindNone && Drv.LastKey != KeyPlus && Drv.LastKey != KeyMinus &&
      Drv.LastKey != KeyF1) {
    DrawFrame();
  }
}
