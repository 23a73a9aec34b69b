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
#include "visible_events.h"

namespace driver {
using namespace astro;
using namespace console;
using namespace geometry;
namespace {

void ShowStatus(const std::string& text, Colour colour) {
  Drv.Painter.StatusText = text;
  Drv.Painter.StatusColour = colour;
}

// A key that cannot do what it asks: a beep, and why in the red line.
void Refuse(const std::string& why) {
  SystemBeep();
  ShowStatus(why, Colour::LightRed);
}

void SavePictureKey(PictureFormat format) {
  // Pictures of earlier runs are never overwritten: the numbers go on past them. A failed
  // save uses up no number; the animation goes on.
  RunFiles& files = Drv.Files;
  const SavedPicture picture = SavePictureWithFallback(
      files.PictureBaseName, files.PictureCounter, format, 0, 0, MaxX(), MaxY());
  if (picture.Saved) {
    files.PictureCounter = picture.Number;
    ShowStatus(" Bild gespeichert: " + picture.Path, Colour::LightGreen);
  } else {
    ShowStatus(" Bild nicht gespeichert: " + picture.Why, Colour::LightRed);
  }
}

// The years the date prompts accept, to the second: the first one and the one after the last.
const Second FirstSecond = TInstant::OfClock({1, 1, MinYear}, 1.00L).Ut();
const Second EndSecond = TInstant::OfClock({1, 1, MaxYear + 1}, 1.00L).Ut();

// The instant stays within those years.
bool WithinYears(Second ut) { return ut >= FirstSecond && ut < EndSecond; }

void TimeKey(long double minutes) {
  if (!StepTime(minutes)) {
    Refuse(" Ende des Zeitbereichs: Jahr " + std::to_string(MinYear) + " bis " +
           std::to_string(MaxYear));
  }
}

// n and v: to the beginning of the next event, or of the latest one that began before the
// instant on the screen.
void EventKey(bool forward) {
  const Second now = Drv.Now.Ut();
  const search::TSearchResult found =
      forward ? search::NextEvent(now, Drv.Options.Model)
              : search::PreviousEvent(now, Drv.Options.Model);
  // The search may look a little beyond the years the prompts accept: such an event is none.
  if (!found.Event || !WithinYears(found.Event->Begin)) {
    return Refuse(" kein Ereignis gefunden");
  }
  MoveToInstant(TInstant::At(found.Event->Begin));
}

// Shift+N and Shift+V: to the first instant at which the next or previous event can be seen
// from the place; without a place as n and v.
void VisibleEventKey(bool forward) {
  const DialogueAnswers& a = Drv.Answers;
  if (Drv.Options.Geocentric || !a.ObserverPlaced) return EventKey(forward);
  const Second now = Drv.Now.Ut();
  const std::optional<search::TVisibleEvent> found =
      forward ? search::NextVisibleEvent(now, a.ObserverCoordinates, Drv.Options.Model, EndSecond)
              : search::PreviousVisibleEvent(now, a.ObserverCoordinates, Drv.Options.Model,
                                             FirstSecond);
  if (!found || !WithinYears(found->FirstVisible)) {
    return Refuse(" kein Ereignis am Ort gefunden");
  }
  MoveToInstant(TInstant::At(found->FirstVisible));
}

// The commands of the keys while the picture runs (Esc and 'p' change the session instead).
void RunCommand(Key key) {
  DisplayOptions& options = Drv.Options;
  switch (key) {
    case Key::Left:
      TimeKey(-options.TimeStep);
      break;
    case Key::Right:
      TimeKey(options.TimeStep);
      break;
    case Key::Plus:
    case Key::Minus:
      options.TimeStep = key == Key::Plus ? LargerStep(options.TimeStep)
                                          : SmallerStep(options.TimeStep);
      options.StepChosen = true;
      RedrawStepRow();
      break;
    case Key::E:
      Drv.Painter.FrameShown = !Drv.Painter.FrameShown;
      break;
    case Key::M:
      options.MeasurementsOn = !options.MeasurementsOn;
      if (options.MeasurementsOn && options.HorizonView)
        ShowStatus(" Messwerte nur im Äquatorsystem", Colour::LightRed);
      break;
    case Key::K:
      options.ContactsOn = !options.ContactsOn;
      if (!options.ContactsOn) Drv.Painter.Contacts = {};
      if (options.ContactsOn && Drv.Scene.Event.Kind == EventKind::None)
        ShowStatus(" keine Kontaktzeiten: kein Ereignis", Colour::LightRed);
      break;
    case Key::N:
      EventKey(true);
      break;
    case Key::V:
      EventKey(false);
      break;
    case Key::ShiftN:
    case Key::ShiftV:
      VisibleEventKey(key == Key::ShiftN);
      break;
    case Key::T:
      options.Model = options.Model == TimeModel::Program ? TimeModel::Exact : TimeModel::Program;
      ShowInstant(Drv.Now);
      break;
    case Key::S:
    case Key::ShiftS:
      SavePictureKey(key == Key::S ? PictureFormat::Bmp : PictureFormat::Png);
      break;
    case Key::F1:
      ShowHelp();
      break;
    default:
      break;
  }
}

// What the screen shows after a key: the frame while an event is in view; without one, the
// picture of the instant after a dialogue and after keys that move the instant or show the
// contact panel; then the status line.
void DrawAfterKey(Key key, bool afterDialogue) {
  const bool timeKey = afterDialogue || key == Key::Left || key == Key::Right ||
                       key == Key::N || key == Key::V || key == Key::ShiftN ||
                       key == Key::ShiftV || key == Key::K || key == Key::T;
  const bool eventInView = Drv.Scene.Event.Kind != EventKind::None;
  const DialogueAnswers& a = Drv.Answers;
  if (Drv.Options.ContactsOn)
    UpdateContactRows(Drv.Painter.Contacts, Drv.Now.Ut(), Drv.Options.Model,
                      !Drv.Options.Geocentric && a.ObserverPlaced, a.ObserverCoordinates);
  if (eventInView ? key != Key::Plus && key != Key::Minus && key != Key::F1 : timeKey)
    DrawFrame();
  PainterMemory& painter = Drv.Painter;
  if (!painter.StatusText.empty()) {
    // Drawn after the picture was saved and drawn: never part of a saved picture.
    const Colour background = TextBackground();
    SetTextAlign(AlignH::Left, AlignV::Bottom);
    SetTextBackground(Colour::Black);
    DrawOverlayText(0, LineHeight(), painter.StatusText, painter.StatusColour);
    SetTextBackground(background);
    painter.StatusText.clear();
  }
}

// The dialogue, and the picture running once it has set it up. After the first dialogue of a
// run, "Abbruch" goes back to the picture as it was (instant, place, step, panels).
bool SetUp() {
  const DriverState shown = Drv;
  SetAbortGoesBack(Drv.Files.Found);
  try {
    const bool ran = MainRoutine();
    SetAbortGoesBack(false);
    if (!ran) return false;  // the window is not active yet: the next tick asks again
  } catch (const PromptAbandoned&) {
    SetAbortGoesBack(false);
    Drv = shown;
    // The dialogue has cleared the window: the picture is drawn whole again.
    Drv.Painter.History.First = true;
    Drv.Painter.FrameTexts.clear();
  }
  Drv.State = Session::Running;
  return true;
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
  if (!WithinYears(at.Ut())) return false;
  MoveToInstant(at);
  return true;
}

void MoveToInstant(const TInstant& at) {
  // The next dialogue offers the instant on the screen: its UT time and UT date.
  DialogueAnswers& a = Drv.Answers;
  a.TimeText = UtTimeText(at);
  const TCalendarDate& utDate = at.UtDate();
  a.DayText = std::to_string(utDate.Day);
  a.MonthText = std::to_string(utDate.Month);
  a.YearText = std::to_string(utDate.Year);
  ShowInstant(at);
}

std::vector<PlacedText> HelpTexts(const FrameLayout& frame, int maxY, int lineHeight) {
  const int bottom = frame.Panel.empty() ? maxY : frame.Panel.front().Y - lineHeight;
  std::vector<PlacedText> texts(HelpRows);
  auto place = [&](int row, const std::string& line) {
    texts[row] = {0, bottom - (HelpRows - 1 - row) * lineHeight, false, line, Colour::LightGray};
  };
  place(HelpHeadingRow, HelpHeading);
  for (const KeyHelp& k : KeyTable)
    if (*k.HelpLine) place(k.HelpRow, k.HelpLine);
  return texts;
}

void ShowHelp() {
  for (const PlacedText& t : HelpTexts(ScreenLayout(), MaxY(), LineHeight()))
    DrawTrimmedText(t.X, t.Y, t.Text, t.Ink);
}

// The picture stays as it is until a key ends the pause; a line says so.
void BeginPause() {
  Drv.State = Session::Paused;
  ShowStatus(" Pause: weiter mit einer beliebigen Taste", Colour::White);
}

void EndPause() {
  NextKey();  // the key that ends the pause does nothing else
  RemoveOverlayText();
  Drv.State = Session::Running;
}

void KeyTick() {
  // The session's transitions are all here: the dialogue sets the picture running, 'p' pauses
  // it, any key ends the pause (and does nothing else), Esc goes back to the dialogue.
  bool afterDialogue = false;
  if (Drv.State == Session::Setup) {
    if (!SetUp()) return;
    afterDialogue = true;
  } else if (Drv.State == Session::Paused) {
    if (!KeyWaiting()) return;
    EndPause();
  }
  if (Drv.Painter.FrameShown && !KeyWaiting()) return;
  const Key key = static_cast<Key>(NextKey());
  // The status line of the last key goes before anything else is drawn or saved.
  if (key != Key::None) RemoveOverlayText();
  if (key == Key::Esc) {
    // The questions again; the frame of what they set up follows at once.
    Drv.State = Session::Setup;
    if (!SetUp()) return;
    afterDialogue = true;
  } else if (key == Key::P) {
    BeginPause();
  } else {
    RunCommand(key);
  }
  DrawAfterKey(key, afterDialogue);
}
}  // namespace driver
