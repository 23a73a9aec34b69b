#include "main_routine.h"

#include <cstdint>
#include <vector>

#include "city_file.h"
#include "data_files.h"
#include "draw_frame.h"
#include "driver_state.h"
#include "fenster_graf.h"
#include "mathe.h"
#include "number_text.h"
#include "text_codec.h"

namespace driver {
using namespace astro;
using namespace console;
using namespace geometry;
using namespace places;
using namespace text;
const std::array<std::string, 9> MenuLines = {
    "          Abbruch des Programmes --> 0,",
    "  Merkurdurchgang    Mai    2003 --> 1,",
    "   Venusdurchgang   Juni    2004 --> 2,",
    "   Venusdurchgang   Juni    2012 --> 3,",
    " Sonnenfinsternis    März   2015 --> 4,",
    "   Mondfinsternis September 2015 --> 5,",
    "  Merkurdurchgang    Mai    2016 --> 6,",
    "   Mondfinsternis   August  2017 --> 7,",
    "                    nichts davon --> 8",
};

namespace {

const char* const CityFileName = "City.dat";
const char* const Version = "15. März 2016";

struct PreparedEvent {
  const char *Day, *Month, *Year, *Time;
};

// Menu answers '1' to '7'.
const PreparedEvent PreparedEvents[7] = {
    {"7", "5", "2003", "08:00:00"},  {"8", "6", "2004", "08:22:12"},
    {"6", "6", "2012", "03:00:00"},  {"20", "3", "2015", "10:00:00"},
    {"28", "9", "2015", "00:30:00"}, {"9", "5", "2016", "13:00:00"},
    {"7", "8", "2017", "18:30:00"},
};

bool IsYes(const std::string& answer) { return answer == "j" || answer == "J"; }

int FieldValue(const std::string& field) {
  int32_t value = 0, pos = 0;
  TextToInteger(field, value, pos);  // the digits before an unusable character count
  return value;
}

void AskMenu() {
  for (const std::string& line : MenuLines) WriteLine(line);
  WriteLine("");
  do {
    AskChar("Auswahl (0..8)", Drv.MenuChoice);
  } while (Drv.MenuChoice.size() != 1 || Drv.MenuChoice[0] < '0' || Drv.MenuChoice[0] > '8');
  const char choice = Drv.MenuChoice[0];
  if (choice == '0') EndProgram(0);
  // "nichts davon": empty date and time fields.
  const PreparedEvent e =
      choice == '8' ? PreparedEvent{"", "", "", ""} : PreparedEvents[choice - '1'];
  Drv.DayText = e.Day;
  Drv.MonthText = e.Month;
  Drv.YearText = e.Year;
  Drv.TimeText = e.Time;
  Drv.MenuDone = true;
}

// The defaults of a program run, applied once.
void InitDefaults() {
  Drv.CityFilePath = FindDataFile(CityFileName);
  Drv.CityFileFound = FilePresent(Drv.CityFilePath);
  InstallPalette();
  Drv.MenuChoice = "6";
  Drv.PlaceName = "Hannover";
  Drv.StroboAnswer = "n";
  Drv.GeocentricAnswer = "n";
  Drv.Scene = TScene();
  Drv.HorizonAnswer = "j";
  Drv.MenuDone = false;
  Drv.TextFileName = FindDataFile(ProgramBaseName() + ".txt");
  Drv.PictureBaseName = ProgramBaseName();
  Drv.SetupDone = true;
  Drv.PictureCounter = 0;
}

// Date and time prompts, then the sky and the event at that instant.
void ReadDateTime() {
  TCalendarDate date;
  AskInteger("Tag", Drv.DayText, date.Day, 1, 31);
  AskInteger("Monat", Drv.MonthText, date.Month, 1, 12);
  AskInteger("Jahr", Drv.YearText, date.Year, MinYear, MaxYear);
  while (!DateExists(date)) {
    SignalRejectedAnswer();
    const std::string typed = Drv.DayText + "." + Drv.MonthText + "." + Drv.YearText;
    AskInteger("Tag", Drv.DayText, date.Day, 1, 31, "den " + typed + " gibt es nicht");
  }
  int hours = 0, minutes = 0, seconds = 0;
  std::string hint;
  for (;;) {
    AskText(PromptWithHint(" Uhrzeit (UT in hh:mm:ss)", hint), Drv.TimeText);
    if (!ParseTimeText(Drv.TimeText, hours, minutes, seconds))
      hint = "Uhrzeit hh:mm:ss erwartet";
    else if (hours > 23 || minutes > 59 || seconds > 59)
      hint = "Uhrzeit von 00:00:00 bis 23:59:59 erwartet";
    else
      break;
    SignalRejectedAnswer();
  }
  // The clock form runs one hour ahead of UT.
  const long double h = hours + 1 + (minutes + seconds / 60.0L) / 60.0L;
  Drv.Now = TInstant::OfClock(date, HMMFromHours(h));
  ClassifyEvent();
  ShowEventText(Colour::Black);
}

// The observing site (or the Earth's centre), and the night-side warning.
void ReadObserver() {
  if (Drv.Geocentric) return;
  AskText("Name des Beobachtungsortes", Drv.PlaceName);
  CityLine city;
  long double latitude = 0, longitude = 0;
  if (Drv.CityFileFound && LookUpCity(Drv.CityFilePath, Drv.PlaceName, city)) {
    Drv.SiteLatitudeText = city.LatitudeText;
    Drv.SiteLongitudeText = city.LongitudeText;
    latitude = city.Latitude;
    longitude = city.Longitude;
  } else {
    WriteLine(" geografische Koordinaten des Beobachtungsortes:");
    // The point under the shadow's axis is offered while a solar event is in progress at this
    // instant; otherwise the site typed last.
    const TEvent& event = Drv.Scene.Event;
    if (event.Kind != EventKind::LunarEclipse && event.Kind != EventKind::None) {
      Drv.SiteLatitudeText = FormatNumber(event.Type.Latitude / Degree, 2.2L);    // width 6
      Drv.SiteLongitudeText = FormatNumber(event.Type.Longitude / Degree, 3.2L);  // width 7
    }
    AskFloat(" Breite in Grad", Drv.SiteLatitudeText, latitude, -90, 90);
    AskFloat(" Länge in Grad", Drv.SiteLongitudeText, longitude, -180, 180);
  }
  Drv.ObserverCoordinates.Latitude = latitude * Degree;
  Drv.ObserverCoordinates.Longitude = longitude * Degree;
  Drv.ObserverPlaced = true;
  // Sine of the Sun's altitude (times the observer's distance from the centre).
  BodyVector observer;
  ObserverVector(Drv.ObserverCoordinates, Drv.Now, observer);
  const TSky& sky = Drv.Scene.Sky;
  const long double s = VecDot(observer, sky.Sun) / sky.Sun.R;
  if (s < -0.01L) {
    SystemBeep();
    WriteLine(" Nachtseite der Erde !");
  }
}

// Arms the animation for the instant set up.
void StartAnimation() {
  // Even a dialogue without an event is followed by a first frame once the keys reach one:
  // that frame has to clear the dialogue screen in the stroboscopic display too.
  Drv.FirstFrame = true;
  // Every dialogue leaves a step the cursor keys can use: 15 minutes, or the user's own.
  if (!Drv.StepChosen) Drv.TimeStep = 15;
  if (Drv.Scene.Event.Kind == EventKind::None) return;
  Drv.LastKey = 0;
  Drv.MeasurementsOn = false;
}

}  // namespace

bool ParseTimeText(const std::string& text, int& hours, int& minutes, int& seconds) {
  const std::vector<std::string> c = Utf8Characters(text);
  if (c.size() != 8 || c[2] != ":" || c[5] != ":") return false;
  for (int i : {0, 1, 3, 4, 6, 7})
    if (c[i].size() != 1 || c[i][0] < '0' || c[i][0] > '9') return false;
  hours = FieldValue(c[0] + c[1]);
  minutes = FieldValue(c[3] + c[4]);
  seconds = FieldValue(c[6] + c[7]);
  return true;
}

void ComputeInstant() {
  Drv.Scene = SceneAt(Drv.Now, Drv.ObserverCoordinates, !Drv.Geocentric && Drv.ObserverPlaced,
                      Drv.Model);
}

void ClassifyEvent() { ComputeInstant(); }

void LocalCircumstances() { ComputeInstant(); }

void MainRoutine() {
  if (!MainWindowActive()) return;
  if (!Drv.SetupDone) InitDefaults();
  ClearScreen();
  SetTextBackground(Colour::White);
  ShowTitleFile(Drv.TextFileName, "Courier", Version, Colour::Black);
  SetTextBackground(Colour::White);
  WriteLine("");
  if (!Drv.MenuDone) AskMenu();
  AskChar("Soll geozentrisch gerechnet werden (j/n) ? ", Drv.GeocentricAnswer);
  AskChar("Soll im Horizontsystem dargestellt werden (azimutale Montierung) (j/n) ? ",
          Drv.HorizonAnswer);
  AskChar("Soll der Vorgang stroboskopisch gezeigt werden (j/n) ? ", Drv.StroboAnswer);
  Drv.Stroboscopic = IsYes(Drv.StroboAnswer);
  Drv.HorizonView = IsYes(Drv.HorizonAnswer);
  Drv.Geocentric = IsYes(Drv.GeocentricAnswer);
  ClearScreen();
  ReadDateTime();
  // The place is asked whenever the computation is not for the Earth's centre, also before an
  // event begins: the keys may step into one.
  ReadObserver();
  LocalCircumstances();
  StartAnimation();
  AnimationStarted = true;
  Drv.AbortRequested = false;
  Drv.Paused = false;
  ++Drv.DialoguesRun;
}
}  // namespace driver
