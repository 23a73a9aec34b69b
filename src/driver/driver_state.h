// The driver's state: the answers and texts of the setup dialogue, the current instant and the
// animation flags. One record so that tests can reset it; the geometry results live in Geo.
#pragma once
#include <cstdint>
#include <string>
#include "vectors.h"

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
  bool CityFileFound = false;
  std::string CityFilePath;  // City.dat in the first data folder that has it
  std::string TextFileName;
  std::string PictureBaseName;
  int32_t PictureCounter = 0;
  TCalendarDate CurrentDate;
  TObserverCoordinates ObserverCoordinates;
  // True once a place has been entered; the observer then turns with the Earth.
  bool ObserverPlaced = false;
  long double ClockTime = 0;  // UT + 1 h in H.MM form
  long double CenturiesT = 0;
  long double TimeStep = 0;   // minutes
  int32_t LastKey = 0;
  bool AbortRequested = false;
  bool Paused = false;
  bool FrameShown = false;
  bool FirstFrame = false;
  bool MeasurementsOn = false;
  int32_t FramesDrawn = 0;    // frames drawn in this run
  int32_t DialoguesRun = 0;   // setup dialogues completed in this run
};

extern DriverState Drv;

// Back to the state at program start.
void ResetDriverState();
