// The driver's state, by purpose: the session's state, the files of the run, the answers of the
// setup dialogue, the display options, the instant on the screen with its scene, and what the
// painter remembers between frames. One record so that a new run starts from a fresh one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "contact_panel.h"
#include "instant.h"
#include "kern_graf.h"
#include "scene.h"

namespace driver {
// The session: the setup dialogue, then the picture driven by the keys, which 'p' pauses.
enum class Session { Setup, Running, Paused };

// Where the run finds its files and numbers its pictures; found once, at the first dialogue.
struct RunFiles {
  bool Found = false;
  bool CityFileFound = false;
  std::string CityFilePath;  // City.dat in the first data folder that has it
  std::string TextFileName;
  std::string PictureBaseName;
  int32_t PictureCounter = 0;
};

// The answers of the setup dialogue, offered as the defaults of the next one (one character
// each for the questions, UTF-8), and the observer they place.
struct DialogueAnswers {
  bool MenuDone = false;
  std::string MenuChoice = "6", GeocentricAnswer = "n", HorizonAnswer = "j", StroboAnswer = "n";
  // The date and time prompts' texts; the time keys keep them on the instant shown.
  std::string DayText, MonthText, YearText, TimeText;
  std::string PlaceName = "Hannover";
  // The site's coordinates as last typed or read from City.dat: defaults of the coordinate
  // prompts when no shadow axis point is offered.
  std::string SiteLatitudeText, SiteLongitudeText;
  geometry::TObserverCoordinates ObserverCoordinates;
  // True once a place has been entered; the observer then turns with the Earth.
  bool ObserverPlaced = false;
};

// How the picture is shown: the dialogue's three choices and what the keys switch.
struct DisplayOptions {
  bool Geocentric = false;
  bool HorizonView = false;
  bool Stroboscopic = false;
  bool MeasurementsOn = false;  // 'm'
  bool ContactsOn = false;      // 'k'
  long double TimeStep = 0;     // minutes, '+' and '-'
  bool StepChosen = false;      // '+' or '-' was pressed in this run: later dialogues keep it
  astro::TimeModel Model = astro::TimeModel::Program;  // 't', kept through Esc
};

// A disc on the sky relative to the centre body's centre: distance, position angle (as drawn,
// after the turn of the horizon system) and radius, in radians.
struct SkyDisc {
  long double Distance = 0, Angle = 0, Radius = 0;
};

// What a frame needs of the frames before it.
struct FrameHistory {
  bool First = false;      // the first frame after a dialogue: it clears the window
  bool LunarLast = false;  // the last frame showed a lunar eclipse: the Moon stays in the centre
  std::vector<SkyDisc> EarlierMoons;  // the Moons of a stroboscopic solar eclipse so far
};

// A text box of the picture and the background it was painted in.
struct FrameTextBox {
  console::TBox Box;
  console::Colour Background = console::Colour::Black;
};

// What the painter must remember between ticks.
struct PainterMemory {
  bool FrameShown = false;  // the picture of the instant is on the screen ('e' asks for it again)
  FrameHistory History;     // what the next frame needs of the earlier ones
  std::vector<FrameTextBox> FrameTexts;  // texts drawn over the picture since it was cleared
  FrameTextBox StepBox;  // where the row of the time step was drawn last
  // The line that tells what a key did (a saved picture, or why not), shown after the frame.
  std::string StatusText;
  console::Colour StatusColour = console::Colour::Black;
  ContactPanelRows Contacts;  // the contact times of the instant, while the panel is shown
};

struct DriverState {
  Session State = Session::Setup;
  RunFiles Files;
  DialogueAnswers Answers;
  DisplayOptions Options;
  astro::TInstant Now;     // the instant on the screen
  geometry::TScene Scene;  // what the screen shows of it, replaced whole
  PainterMemory Painter;
};

extern DriverState Drv;

// The years a date may have: the series are meaningless far beyond, and the calendar
// arithmetic stays exact.
constexpr int32_t MinYear = -9999;
constexpr int32_t MaxYear = 9999;

// Back to the state at program start.
void ResetDriverState();
}  // namespace driver
