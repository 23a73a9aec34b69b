// A headless console and driver with a scripted person who answers prompts by their text, in
// a fresh working folder. Prompts without a scripted answer are confirmed unchanged (Enter);
// a run of more than 500 prompts answers "Abbruch", so a dialogue that loops ends the test.
#pragma once
#include "driver_state.h"
#include "sky_search.h"
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "scoped_environment.h"

struct ProgramEnded {
  int Status;
};

class ConsoleReliabilityTest : public ::testing::Test {
 protected:
  static constexpr int Width = 1024, Height = 768;

  void SetUp() override;
  void TearDown() override;
  // A new program run: driver, geometry, key queue and scripted answers as at start.
  void NewRun();

  // The next answer to a prompt with this text (answers to one prompt are used in order);
  // an empty answer confirms the default.
  void Answer(const std::string& prompt, const std::string& answer);
  // The answers of a whole first dialogue; the place is typed as name, latitude, longitude.
  void AnswerDialogue(const std::string& menu, const std::string& day, const std::string& month,
                      const std::string& year, const std::string& time, bool geocentric,
                      bool horizon, const std::string& place = "Nirgendwo",
                      const std::string& latitude = "52.37",
                      const std::string& longitude = "9.73");
  int PromptsSeen(const std::string& prompt) const;
  // One tick with a key queued first (0: no key).
  void Press(int key);
  void WriteFile(const std::string& name, const std::string& contents) const;
  // Names of the files in the working folder.
  std::vector<std::string> FolderFiles() const;

  std::filesystem::path folder_;
  // No HOME and no XDG folders: only the working folder holds data files and pictures.
  ScopedEnvironment environment_;

 private:
  std::filesystem::path previous_;
  std::map<std::string, std::deque<std::string>> answers_;
  std::vector<std::string> seen_;
};

// The prompt texts of the dialogue.
extern const std::string MenuPrompt, GeocentricPrompt, HorizonPrompt, StroboPrompt, DayPrompt,
    MonthPrompt, YearPrompt, TimePrompt, PlacePrompt, LatitudePrompt, LongitudePrompt;

// What the driver holds of the instant on the screen.
inline InstantResult OnScreen() { return {Drv.Sky, Drv.Event, Drv.ObserverVec, Drv.View}; }
