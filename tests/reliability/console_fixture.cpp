#include "console_fixture.h"

#include <unistd.h>

#include <fstream>

#include "driver_state.h"
#include "events.h"
#include "fenster_graf.h"
#include "kern_graf.h"
#include "key_tick.h"
#include "main_routine.h"

const std::string MenuPrompt = "Auswahl (0..8)";
const std::string GeocentricPrompt = "Soll geozentrisch gerechnet werden (j/n) ? ";
const std::string HorizonPrompt =
    "Soll im Horizontsystem dargestellt werden (azimutale Montierung) (j/n) ? ";
const std::string StroboPrompt = "Soll der Vorgang stroboskopisch gezeigt werden (j/n) ? ";
const std::string DayPrompt = "Tag";
const std::string MonthPrompt = "Monat";
const std::string YearPrompt = "Jahr";
const std::string TimePrompt = " Uhrzeit (UT in hh:mm:ss)";
const std::string PlacePrompt = "Name des Beobachtungsortes";
const std::string LatitudePrompt = " Breite in Grad";
const std::string LongitudePrompt = " Länge in Grad";

void ConsoleReliabilityTest::SetUp() {
  static bool started = false;
  if (!started) {
    StartHeadlessConsole(Width, Height);
    started = true;
  }
  SetConsoleProcedures(MainRoutine, KeyTick);
  NewRun();
  SetExitHandler([](int status) { throw ProgramEnded{status}; });
  SetPromptResponder([this](const std::string& prompt, std::string& text) {
    seen_.push_back(prompt);
    if (seen_.size() > 500) return false;
    auto it = answers_.find(prompt);
    if (it != answers_.end() && !it->second.empty()) {
      if (!it->second.front().empty()) text = it->second.front();
      it->second.pop_front();
    }
    return true;
  });

  previous_ = std::filesystem::current_path();
  std::string pattern =
      (std::filesystem::temp_directory_path() / "reliability_test_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  std::filesystem::current_path(folder_);
  for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
    environment_.Set(name, std::nullopt);
  }
}

void ConsoleReliabilityTest::NewRun() {
  ResetDriverState();
  AnimationStarted = false;
  ClearKeyQueue();
  BeepCount = 0;
  answers_.clear();
  seen_.clear();
}

void ConsoleReliabilityTest::TearDown() {
  SetPromptResponder({});
  environment_.Restore();
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void ConsoleReliabilityTest::Answer(const std::string& prompt, const std::string& answer) {
  answers_[prompt].push_back(answer);
}

void ConsoleReliabilityTest::AnswerDialogue(const std::string& menu, const std::string& day,
                                            const std::string& month, const std::string& year,
                                            const std::string& time, bool geocentric,
                                            bool horizon, const std::string& place,
                                            const std::string& latitude,
                                            const std::string& longitude) {
  Answer(MenuPrompt, menu);
  Answer(GeocentricPrompt, geocentric ? "j" : "n");
  Answer(HorizonPrompt, horizon ? "j" : "n");
  Answer(StroboPrompt, "n");
  Answer(DayPrompt, day);
  Answer(MonthPrompt, month);
  Answer(YearPrompt, year);
  Answer(TimePrompt, time);
  Answer(PlacePrompt, place);
  Answer(LatitudePrompt, latitude);
  Answer(LongitudePrompt, longitude);
}

int ConsoleReliabilityTest::PromptsSeen(const std::string& prompt) const {
  int n = 0;
  for (const std::string& p : seen_) n += p == prompt;
  return n;
}

void ConsoleReliabilityTest::Press(int key) {
  if (key != 0) QueueKey(key);
  KeyTick();
}

void ConsoleReliabilityTest::WriteFile(const std::string& name,
                                       const std::string& contents) const {
  std::ofstream out(folder_ / name, std::ios::binary);
  out << contents;
}

std::vector<std::string> ConsoleReliabilityTest::FolderFiles() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error))
    names.push_back(entry.path().filename().string());
  return names;
}
