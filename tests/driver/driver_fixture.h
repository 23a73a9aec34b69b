// A headless console with a scripted person at the keyboard, in a fresh working folder.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "scoped_environment.h"

// Thrown by the exit handler instead of ending the test program.
struct ProgramEnded {
  int Status;
};

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

  // Answers for the next prompts, in order. When they run out a prompt answers "Abbruch".
  void Answer(const std::vector<std::string>& answers);
  // Prompts seen so far, and those with a given text.
  const std::vector<PromptSeen>& Prompts() const { return seen_; }
  int CountPrompts(const std::string& prompt) const;
  std::size_t AnswersLeft() const { return answers_.size(); }

  // One tick with a key queued first (0: no key).
  void Press(int key);
  // The first dialogue of a run with the prepared event `menu`, default answers and the place.
  void StartSession(const std::string& menu, const std::string& horizon = Enter,
                    const std::string& strobo = Enter, const std::string& place = Enter);

  void WriteFile(const std::string& name, const std::string& contents);
  std::string ReadFile(const std::string& name) const;
  // Number of pixels of one colour in a rectangle (corners included).
  int CountPixels(uint32_t rgb, int x1, int y1, int x2, int y2) const;

  std::filesystem::path folder_;
  // HOME inside the test's folder (not made); no XDG_DATA_HOME or XDG_CONFIG_HOME.
  std::filesystem::path home_;
  ScopedEnvironment environment_;

 private:
  std::filesystem::path previous_;
  std::deque<std::string> answers_;
  std::vector<PromptSeen> seen_;
};

// The City.dat of the tests: Hannover and a few lines that must not match.
extern const std::string TestCityFile;

// The position angle (from north through east, radians) in which the altitude of a point
// beside the Sun grows fastest, that is the direction of the zenith, from the textbook
// altitude formula alone: hour angle h, declination delta, latitude phi.
long double ZenithDirection(long double h, long double delta, long double phi);

// The colour 0xRRGGBB of pixel (x, y) of a 24-bit bottom-up BMP file's contents.
uint32_t BmpPixel(const std::string& bmp, int x, int y);
