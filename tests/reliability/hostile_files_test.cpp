// The program with broken input files in its working folder: City.dat full of garbage, with a
// 1 MB line, NUL bytes and no final line end, or a folder by that name; a title file that is
// binary or 10 MB long. The dialogue goes on, good lines are still used, and a frame follows.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "console_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "finite_checks.h"
#include "mathe.h"

using namespace astro;
using namespace geometry;
using namespace console;
using namespace driver;

namespace {

std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

using HostileFiles = ConsoleReliabilityTest;

// Megabytes of garbage, a 1 MB line, NUL bytes and lines of commas only before a Latin-1 line
// without its line end: the garbage makes the whole file Latin-1, and the line is found.
TEST_F(HostileFiles, CityDatGoodLineBehindGarbageIsUsed) {
  WriteFile("City.dat", Garbage(4 << 20, 11) + "\n" + std::string(1 << 20, 'A') + "\n" +
                            std::string(300, '\0') + "\n,,,,,,\nno comma\n" +
                            "M\xFC" "nchen,48.14,11.58");
  AnswerDialogue("4", "", "", "", "", false, false, "m\xC3\xBC" "nchen");  // typed "münchen"
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(CountPrompts(LatitudePrompt), 0);
  EXPECT_EQ(Drv.Answers.ObserverCoordinates.Latitude, 48.14L * Degree);
  EXPECT_EQ(Drv.Answers.ObserverCoordinates.Longitude, 11.58L * Degree);
  EXPECT_TRUE(FrameOnScreen());
  ExpectDrawableGeometry(OnScreen(), "City.dat with garbage");
}

TEST_F(HostileFiles, CityDatOfGarbageOnlyAsksForCoordinates) {
  WriteFile("City.dat", Garbage(2 << 20, 12));
  AnswerDialogue("4", "", "", "", "", false, false, "Hannover", "52.37", "9.73");
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(CountPrompts(LatitudePrompt), 1);
  EXPECT_EQ(CountPrompts(LongitudePrompt), 1);
  EXPECT_TRUE(FrameOnScreen());
  ExpectDrawableGeometry(OnScreen(), "City.dat of garbage");
}

TEST_F(HostileFiles, CityDatThatIsAFolderCountsAsMissing) {
  std::filesystem::create_directory(folder_ / "City.dat");
  AnswerDialogue("4", "", "", "", "", false, false, "Hannover");
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  EXPECT_FALSE(Drv.Files.CityFileFound);
  EXPECT_EQ(CountPrompts(LatitudePrompt), 1);
}

// City.dat was there at start, and is replaced by a folder before the next dialogue (Esc):
// the look-up must treat it as a file without the place, not end the program.
TEST_F(HostileFiles, CityDatTurnedIntoAFolderDuringTheRun) {
  WriteFile("City.dat", "Hannover,52.37,9.73\n");
  AnswerDialogue("4", "", "", "", "", false, false, "Hannover");
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  ASSERT_TRUE(Drv.Files.CityFileFound);
  EXPECT_EQ(CountPrompts(LatitudePrompt), 0);
  std::filesystem::remove(folder_ / "City.dat");
  std::filesystem::create_directory(folder_ / "City.dat");
  EXPECT_NO_THROW(Press(27));
  EXPECT_EQ(CountPrompts(PlacePrompt), 2);
  EXPECT_EQ(CountPrompts(LatitudePrompt), 1);  // asked, as for a place not in the file
}

struct TitleCase {
  const char* Name;
  std::string Contents;
};

void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.Name; }

class HostileTitleFile : public ConsoleReliabilityTest,
                         public ::testing::WithParamInterface<TitleCase> {};

TEST_P(HostileTitleFile, DialogueAndFirstFrameFollow) {
  WriteFile(ProgramBaseName() + ".txt", GetParam().Contents);
  AnswerDialogue("4", "", "", "", "", true, false);
  Press(0);
  ASSERT_EQ(Drv.State, Session::Running);
  EXPECT_EQ(CountPrompts(MenuPrompt), 1);
  EXPECT_EQ(Drv.Scene.Event.Kind, EventKind::SolarEclipse);
  EXPECT_TRUE(FrameOnScreen());
  // Esc shows the title again before the questions.
  EXPECT_TRUE(PressDraws(27));
  EXPECT_EQ(CountPrompts(DayPrompt), 2);
}

std::string ManyLines(std::size_t bytes) {
  std::string s;
  s.reserve(bytes);
  for (int i = 0; s.size() < bytes; ++i) s += "Zeile " + std::to_string(i) + " mit Umlauten \xE4\xF6\xFC\r\n";
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileTitleFile,
    ::testing::Values(TitleCase{"Binary", Garbage(65536, 21)},
                      TitleCase{"NulBytes", std::string(5000, '\0') + "\n\0\0\n" + Garbage(100, 22)},
                      TitleCase{"TenMegabytesOneLine", std::string(10 << 20, 'x')},
                      TitleCase{"TenMegabytesOfLines", ManyLines(10 << 20)},
                      TitleCase{"TenMegabytesBinary", Garbage(10 << 20, 23)},
                      TitleCase{"OnlyLineEnds", std::string(1 << 20, '\n')},
                      TitleCase{"LoneCarriageReturns", std::string(1 << 20, '\r')}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
