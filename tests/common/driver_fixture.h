// A headless console and driver with a scripted person at the keyboard, in a fresh working
// folder. Answers are given in order, or for a prompt by its text.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <map>

#include "kern_graf.h"
#include "program_end.h"
#include "scoped_environment.h"

// Accepts the default text of a prompt unchanged (Enter).
extern const std::string Enter;

struct PromptSeen {
  std::string Prompt;
  std::string Default;
};

class DriverTest : public ::testing::Test {
 protected:
  static constexpr int Width = 1024, Height = 768;

  void SetUp() override;
  void TearDown() override;
  // A new program run: driver, key queue and scripted answers as at start.
  void NewRun();

  // Answers for the next prompts, in order. When they run out a prompt answers "Abbruch"
  // (or confirms its default, see below).
  void Answer(const std::vector<std::string>& answers);
  // The next answer to a prompt with this text (answers to one prompt are used in order, and
  // before the ones in order); an empty answer confirms the default.
  void Answer(const std::string& prompt, const std::string& answer);
  // The answers of a whole first dialogue by prompt; the place typed as name and coordinates.
  void AnswerDialogue(const std::string& menu, const std::string& day, const std::string& month,
                      const std::string& year, const std::string& time, bool geocentric,
                      bool horizon, const std::string& place = "Nirgendwo",
                      const std::string& latitude = "52.37",
                      const std::string& longitude = "9.73");
  // Unscripted prompts confirm their default instead of ending the program; more than 500
  // prompts end it all the same, so that a dialogue that loops ends the test.
  bool ConfirmUnscripted = false;
  // Prompts seen so far, and those with a given text.
  const std::vector<PromptSeen>& Prompts() const { return seen_; }
  int CountPrompts(const std::string& prompt) const;
  std::size_t AnswersLeft() const { return answers_.size(); }

  // One tick with a key queued first (0: no key).
  void Press(int key);
  // Whether the hint "F1": Hilfe, which every frame paints, is on the screen; and whether a
  // tick with this key draws a frame (the hint's place is painted over first).
  bool FrameOnScreen() const;
  bool PressDraws(int key);
  // Whether the row of text whose bottom is at y shows exactly this text: drawing it there
  // again (on that background) changes no pixel, and no other pixel of its ink lies in its half
  // of the window (left or right, by the alignment) on that row.
  bool ShowsExactly(int x, int y, const std::string& text, console::Colour ink,
                    console::AlignH align = console::AlignH::Left,
                    console::Colour background = console::Colour::Black);
  // The same for the status line over the picture.
  bool StatusLineShows(const std::string& text, console::Colour ink) {
    return ShowsExactly(0, console::LineHeight(), text, ink);
  }
  // The first dialogue of a run with the prepared event `menu`, default answers and the place.
  void StartSession(const std::string& menu, const std::string& horizon = Enter,
                    const std::string& strobo = Enter, const std::string& place = Enter);

  void WriteFile(const std::string& name, const std::string& contents) const;
  std::string ReadFile(const std::string& name) const;
  // Names of the files in the working folder.
  std::vector<std::string> FolderFiles() const;
  // Number of pixels of one colour in a rectangle (corners included).
  int CountPixels(uint32_t rgb, int x1, int y1, int x2, int y2) const;

  std::filesystem::path folder_;
  // HOME inside the test's folder (not made); no XDG_DATA_HOME or XDG_CONFIG_HOME.
  std::filesystem::path home_;
  ScopedEnvironment environment_;

 private:
  std::filesystem::path previous_;
  std::deque<std::string> answers_;
  std::map<std::string, std::deque<std::string>> answersByPrompt_;
  std::vector<PromptSeen> seen_;
};

// The prompt texts of the dialogue.
extern const std::string MenuPrompt, GeocentricPrompt, HorizonPrompt, StroboPrompt, DayPrompt,
    MonthPrompt, YearPrompt, TimePrompt, PlacePrompt, LatitudePrompt, LongitudePrompt;

// The City.dat of the tests: Hannover and a few lines that must not match.
extern const std::string TestCityFile;

// The position angle (from north through east, radians) in which the altitude of a point
// beside the Sun grows fastest, that is the direction of the zenith, from the textbook
// altitude formula alone: hour angle h, declination delta, latitude phi.
long double ZenithDirection(long double h, long double delta, long double phi);

// The colour 0xRRGGBB of pixel (x, y) of a 24-bit bottom-up BMP file's contents.
uint32_t BmpPixel(const std::string& bmp, int x, int y);
