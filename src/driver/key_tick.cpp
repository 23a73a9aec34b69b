#include "key_tick.h"

#include <cmath>
#include <string>

#include "contact_panel.h"
#include "draw_frame.h"
#include "driver_state.h"
#include "event_search.h"
#include "fenster_graf.h"
#include "frame_text.h"
#include "key_table.h"
#include "main_routine.h"
#include "picture_files.h"

namespace driver {
using namespace astro;
using namespace console;
using namespace geometry;
namespace {

void ShowStatus(const std::string& text, Colour colour) {
  Drv.StatusText = text;
  Drv.StatusColour = colour;
}

void SavePictureKey() {
  // Pictures of earlier runs are never overwritten: the numbers go on past them. A failed
  // save uses up no number; the animation goes on.
  const SavedPicture picture = SavePictureWithFallback(Drv.PictureBaseName, Drv.PictureCounter,
                                                       0, 0, MaxX(), MaxY());
  if (picture.Saved) {
    Drv.PictureCounter = picture.Number;
    ShowStatus(" Bild gespeichert: " + picture.Path, Colour::LightGreen);
  } else {
    ShowStatus(" Bild nicht gespeichert: " + picture.Why, Colour::LightRed);
  }
}

// The instant stays within the years the date prompts accept.
bool WithinYears(long double jd) {
  static const long double firstJd = JulianDay({1, 1, MinYear}, 1.00L);
  static const long double endJd = JulianDay({1, 1, MaxYear + 1}, 1.00L);
  return jd >= firstJd && jd < endJd;
}

void TimeKey(long double minutes) {
  if (!StepTime(minutes)) {
    SystemBeep();
    ShowStatus(" Ende des Zeitbereichs: Jahr " + std::to_string(MinYear) + " bis " +
                   std::to_string(MaxYear),
               Colour::LightRed);
  }
}

// n and v: to the beginning of the next event, or of the latest one that began before the
// instant on the screen.
void EventKey(bool forward) {
  const Second now = Drv.Now.Ut();
  const search::TSearchResult found =
      forward ? search::NextEvent(now, Drv.Model) : search::PreviousEvent(now, Drv.Model);
  // The search may look a little beyond the years the prompts accept: such an event is none.
  if (!found.Event || !WithinYears(search::JdOf(found.Event->Begin))) {
    SystemBeep();
    ShowStatus(" kein Ereignis gefunden", Colour::LightRed);
    return;
  }
  MoveToInstant(TInstant::At(found.Event->Begin));
}

}  // namespace

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

bool StepTime(long double minutes) {
  const TInstant at = Drv.Now.Plus(std::llround(minutes * 60));
  if (!WithinYears(at.Jd())) return false;
  MoveToInstant(at);
  return true;
}

void MoveToInstant(const TInstant& at) {
  Drv.Now = at;
  // The next dialogue offers the instant on the screen: its UT time and UT date.
  Drv.TimeText = UtTimeText(at);
  const TCalendarDate& utDate = at.UtDate();
  Drv.DayText = std::to_string(utDate.Day);
  Drv.MonthText = std::to_string(utDate.Month);
  Drv.YearText = std::to_string(utDate.Year);
  ComputeInstant();
}

std::vector<PlacedText> HelpTexts(int maxY, int lineHeight) {
  std::vector<PlacedText> texts(HelpRows);
  auto place = [&](int row, const std::string& line) {
    texts[row] = {0, maxY - (HelpRows - 1 - row) * lineHeight, false, line, Colour::LightGray};
  };
  place(HelpHeadingRow, HelpHeading);
  for (const KeyHelp& k : KeyTable)
    if (*k.HelpLine) place(k.HelpRow, k.HelpLine);
  return texts;
}

void ShowHelp() {
  for (const PlacedText& t : HelpTexts(MaxY(), LineHeight()))
    DrawTrimmedText(t.X, t.Y, t.Text, t.Ink);
}

// The pause shows no status text: the picture stays as it is until a key ends the pause.
void BeginPause() { Drv.Paused = true; }

void EndPause() { Drv.Paused = false; }

void KeyTick() {
  if (!AnimationStarted) CallMainProcedure();
  if (Drv.AbortRequested || !AnimationStarted) return;
  if (KeyWaiting() && Drv.Paused) {
    EndPause();
    RemoveOverlayText();
    Drv.LastKey = NextKey();  // ends the pause and nothing else
  }
  if (Drv.Paused) return;
  if (Drv.FrameShown && !KeyWaiting()) return;
  Drv.LastKey = NextKey();
  // The status line of the last key goes before anything else is drawn or saved.
  if (Drv.LastKey != 0) RemoveOverlayText();
  const Key key = static_cast<Key>(Drv.LastKey);
  switch (key) {
    case Key::Left:
      TimeKey(-Drv.TimeStep);
      break;
    case Key::Right:
      TimeKey(Drv.TimeStep);
      break;
    case Key::Esc:
      Drv.AbortRequested = true;
      CallMainProcedure();
      break;
    case Key::Plus:
      Drv.TimeStep = LargerStep(Drv.TimeStep);
      Drv.StepChosen = true;
      break;
    case Key::Minus:
      Drv.TimeStep = SmallerStep(Drv.TimeStep);
      Drv.StepChosen = true;
      break;
    case Key::E:
      Drv.FrameShown = !Drv.FrameShown;
      break;
    case Key::M:
      Drv.MeasurementsOn = !Drv.MeasurementsOn;
      break;
    case Key::K:
      Drv.ContactsOn = !Drv.ContactsOn;
      if (!Drv.ContactsOn) Drv.Contacts = {};
      break;
    case Key::N:
      EventKey(true);
      break;
    case Key::V:
      EventKey(false);
      break;
    case Key::T:
      Drv.Model = Drv.Model == TimeModel::Program ? TimeModel::Exact : TimeModel::Program;
      ComputeInstant();
      break;
    case Key::P:
      BeginPause();
      break;
    case Key::S:
      SavePictureKey();
      break;
    case Key::F1:
      ShowHelp();
      break;
    default:
      break;
  }
  // Keys that move the instant or show the contact panel redraw the texts without an event too.
  const bool timeKey = key == Key::Left || key == Key::Right || key == Key::N ||
                       key == Key::V || key == Key::K || key == Key::T;
  const bool eventInView = Drv.Scene.Event.Kind != EventKind::None;
  if (Drv.ContactsOn)
    UpdateContactRows(Drv.Contacts, Drv.Now.Ut(), Drv.Model,
                      !Drv.Geocentric && Drv.ObserverPlaced, Drv.ObserverCoordinates);
  if (eventInView && key != Key::Plus && key != Key::Minus && key != Key::F1) {
    DrawFrame();
  } else if (!eventInView && timeKey) {
    DrawTextsWithoutEvent();
  }
  if (!Drv.StatusText.empty()) {
    // Drawn after the picture was saved and drawn: never part of a saved picture.
    const Colour background = TextBackground();
    SetTextAlign(AlignH::Left, AlignV::Bottom);
    SetTextBackground(Colour::Black);
    DrawOverlayText(0, LineHeight(), Drv.StatusText, Drv.StatusColour);
    SetTextBackground(background);
    Drv.StatusText.clear();
  }
}
}  // namespace driver
