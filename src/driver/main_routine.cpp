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
#include "version.h"

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
const char* const Version = VersionDate;

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

void AskMenu(DialogueAnswers& a) {
  for (const std::string& line : MenuLines) WriteLine(line);
  WriteLine("");
  do {
    AskChar("Auswahl (0..8)", a.MenuChoice);
  } while (a.MenuChoice.size() != 1 || a.MenuChoice[0] < '0' || a.MenuChoice[0] > '8');
  const char choice = a.MenuChoice[0];
  if (choice == '0') EndProgram(0);
  // "nichts davon": empty date and time fields.
  const PreparedEvent e =
      choice == '8' ? PreparedEvent{"", "", "", ""} : PreparedEvents[choice - '1'];
  a.DayText = e.Day;
  a.MonthText = e.Month;
  a.YearText = e.Year;
  a.TimeText = e.Time;
  a.MenuDone = true;
}

// What a program run needs once: where it finds its files, and the palette.
RunFiles InitDefaults() {
  InstallPalette();
  RunFiles files;
  files.Found = true;
  files.CityFilePath = FindDataFile(CityFileName);
  files.CityFileFound = FilePresent(files.CityFilePath);
  files.TextFileName = FindDataFile(ProgramBaseName() + ".txt");
  files.PictureBaseName = ProgramBaseName();
  return files;
}

// Date and time prompts: the instant typed.
TInstant ReadDateTime(DialogueAnswers& a) {
  TCalendarDate date;
  AskInteger("Tag", a.DayText, date.Day, 1, 31);
  AskInteger("Monat", a.MonthText, date.Month, 1, 12);
  AskInteger("Jahr", a.YearText, date.Year, MinYear, MaxYear);
  while (!DateExists(date)) {
    SignalRejectedAnswer();
    const std::string typed = a.DayText + "." + a.MonthText + "." + a.YearText;
    AskInteger("Tag", a.DayText, date.Day, 1, 31, "den " + typed + " gibt es nicht");
  }
  int hours = 0, minutes = 0, seconds = 0;
  std::string hint;
  for (;;) {
    AskText(PromptWithHint(" Uhrzeit (UT in hh:mm:ss)", hint), a.TimeText);
    if (!ParseTimeText(a.TimeText, hours, minutes, seconds))
      hint = "Uhrzeit hh:mm:ss erwartet";
    else if (hours > 23 || minutes > 59 || seconds > 59)
      hint = "Uhrzeit von 00:00:00 bis 23:59:59 erwartet";
    else
      break;
    SignalRejectedAnswer();
  }
  // The clock form runs one hour ahead of UT.
  const long double h = hours + 1 + (minutes + seconds / 60.0L) / 60.0L;
  return TInstant::OfClock(date, HMMFromHours(h));
}

// The observing site, and the night-side warning; `typed` is the Earth-wide scene of the
// instant typed.
void ReadObserver(DialogueAnswers& a, const RunFiles& files, const TScene& typed) {
  AskText("Name des Beobachtungsortes", a.PlaceName);
  CityLine city;
  long double latitude = 0, longitude = 0;
  if (files.CityFileFound && LookUpCity(files.CityFilePath, a.PlaceName, city)) {
    a.SiteLatitudeText = city.LatitudeText;
    a.SiteLongitudeText = city.LongitudeText;
    latitude = city.Latitude;
    longitude = city.Longitude;
  } else {
    WriteLine(" geografische Koordinaten des Beobachtungsortes:");
    // The point under the shadow's axis is offered while a solar event is in progress at this
    // instant; otherwise the site typed last.
    const TEvent& event = typed.Event;
    if (event.Kind != EventKind::LunarEclipse && event.Kind != EventKind::None) {
      a.SiteLatitudeText = FormatNumber(event.Type.Latitude / Degree, 2.2L);    // width 6
      a.SiteLongitudeText = FormatNumber(event.Type.Longitude / Degree, 3.2L);  // width 7
    }
    AskFloat(" Breite in Grad", a.SiteLatitudeText, latitude, -90, 90);
    AskFloat(" Länge in Grad", a.SiteLongitudeText, longitude, -180, 180);
  }
  a.ObserverCoordinates.Latitude = latitude * Degree;
  a.ObserverCoordinates.Longitude = longitude * Degree;
  a.ObserverPlaced = true;
  // Sine of the Sun's altitude (times the observer's distance from the centre).
  BodyVector observer;
  ObserverVector(a.ObserverCoordinates, typed.Sky.At, observer);
  const TSky& sky = typed.Sky;
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
  Drv.Painter.History.First = true;
  DisplayOptions& options = Drv.Options;
  // Every dialogue leaves a step the cursor keys can use: 15 minutes, or the user's own.
  if (!options.StepChosen) options.TimeStep = 15;
  if (Drv.Scene.Event.Kind != EventKind::None) options.MeasurementsOn = false;
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

TScene ClassifyEvent(const TInstant& at) { return SceneAt(at, {}, false, Drv.Options.Model); }

TScene LocalCircumstances(const TInstant& at) {
  const DialogueAnswers& a = Drv.Answers;
  return SceneAt(at, a.ObserverCoordinates, !Drv.Options.Geocentric && a.ObserverPlaced,
                 Drv.Options.Model);
}

void ShowInstant(const TInstant& at) {
  Drv.Now = at;
  Drv.Scene = LocalCircumstances(at);
}

bool MainRoutine() {
  if (!MainWindowActive()) return false;
  if (!Drv.Files.Found) Drv.Files = InitDefaults();
  DialogueAnswers& a = Drv.Answers;
  DisplayOptions& options = Drv.Options;
  ClearScreen();
  SetTextBackground(Colour::White);
  ShowTitleFile(Drv.Files.TextFileName, "Courier", Version, Colour::Black);
  SetTextBackground(Colour::White);
  WriteLine("");
  if (!a.MenuDone) AskMenu(a);
  AskChar("Soll geozentrisch gerechnet werden (j/n) ? ", a.GeocentricAnswer);
  AskChar("Soll im Horizontsystem dargestellt werden (azimutale Montierung) (j/n) ? ",
          a.HorizonAnswer);
  AskChar("Soll der Vorgang stroboskopisch gezeigt werden (j/n) ? ", a.StroboAnswer);
  options.Stroboscopic = IsYes(a.StroboAnswer);
  options.HorizonView = IsYes(a.HorizonAnswer);
  options.Geocentric = IsYes(a.GeocentricAnswer);
  ClearScreen();
  const TInstant at = ReadDateTime(a);
  const TScene typed = ClassifyEvent(at);
  ShowEventText(typed, Colour::Black);
  // The place is asked whenever the computation is not for the Earth's centre, also before an
  // event begins: the keys may step into one.
  if (!options.Geocentric) ReadObserver(a, Drv.Files, typed);
  ShowInstant(at);
  StartAnimation();
  return true;
}
}  // namespace driver
