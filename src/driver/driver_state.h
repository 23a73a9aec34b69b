// The driver's state: the answers and texts of the setup dialogue, the current instant with its
// sky, event and view, and the animation flags. One record so that tests can reset it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "contact_panel.h"
#include "events.h"
#include "scene.h"
#include "instant.h"
#include "kern_graf.h"
#include "vectors.h"

namespace driver {
// A text box of the picture and the background it was painted in.
struct FrameTextBox {
  console::TBox Box;
  console::Colour Background = console::Colour::Black;
};

struct DriverState {
  bool SetupDone = false;
  bool MenuDone = false;
  // Last answers, offered as defaults of the next dialogue (one character each, UTF-8).
  std::string MenuChoice, GeocentricAnswer, HorizonAnswer, StroboAnswer;
  bool Geocentric = false;
  bool HorizonView = false;
  bool Stroboscopic = false;
  // Defaults of the date and time prompts; the time keys keep them on the instant shown.
  std::string DayText, MonthText, YearText, TimeText;
  std::string PlaceName;
  // The site's coordinates as last typed or read from City.dat: defaults of the coordinate
  // prompts when no shadow axis point is offered.
  std::string SiteLatitudeText, SiteLongitudeText;
  bool CityFileFound = false;
  std::string CityFilePath;  // City.dat in the first data folder that has it
  std::string TextFileName;
  std::string PictureBaseName;
  int32_t PictureCounter = 0;
  geometry::TObserverCoordinates ObserverCoordinates;
  // True once a place has been entered; the observer then turns with the Earth.
  bool ObserverPlaced = false;
  astro::TInstant Now;  // the instant on the screen
  astro::TimeModel Model = astro::TimeModel::Program;  // chosen with 't', kept through Esc
  geometry::TScene Scene;  // what the screen shows of the current instant, replaced whole
  long double TimeStep = 0;   // minutes
  bool StepChosen = false;    // '+' or '-' was pressed in this run: later dialogues keep it
  int32_t LastKey = 0;
  bool AbortRequested = false;
  bool Paused = false;
  bool FrameShown = false;
  bool FirstFrame = false;
  bool MeasurementsOn = false;
  bool ContactsOn = false;
  ContactPanelRows Contacts;  // the contact times of the instant, while the panel is shown
  int32_t FramesDrawn = 0;    // frames drawn in this run
  std::vector<FrameTextBox> FrameTexts;  // texts drawn over the picture since it was cleared
  // The line that tells what a key did (a saved picture, or why not), shown after the frame.
  std::string StatusText;
  console::Colour StatusColour = console::Colour::Black;
  int32_t DialoguesRun = 0;   // setup dialogues completed in this run
};

extern DriverState Drv;

// The years a date may have: the series are meaningless far beyond, and the calendar
// arithmetic stays exact.
constexpr int32_t MinYear = -9999;
constexpr int32_t MaxYear = 9999;

// Back to the state at program start.
void ResetDriverState();
}  // namespace driver
