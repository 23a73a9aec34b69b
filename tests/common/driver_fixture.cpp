#include "driver_fixture.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "key_tick.h"
#include "main_routine.h"

using namespace geometry;
using namespace console;
using namespace driver;

const std::string Enter = "\x01<Enter>";

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

const std::string TestCityFile =
    "Berlin,52.52,13.40\n"
    "HANNOVER,52.37,9.73\n"
    "Hannover,0,0\n"
    "M\xFCNCHEN,48.14,11.58\n";  // Latin-1 "MüNCHEN"

void DriverTest::SetUp() {
  static bool started = false;
  if (!started) {
    StartHeadlessConsole(Width, Height);
    started = true;
  }
  SetTickProcedure(KeyTick);
  NewRun();
  ResetConsoleHooks();
  SetPromptResponder([this](const std::string& prompt, std::string& text) {
    seen_.push_back({prompt, text});
    auto byPrompt = answersByPrompt_.find(prompt);
    std::string answer = Enter;
    if (byPrompt != answersByPrompt_.end() && !byPrompt->second.empty()) {
      answer = byPrompt->second.front();
      byPrompt->second.pop_front();
      if (answer.empty()) answer = Enter;
    } else if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    } else if (!ConfirmUnscripted || seen_.size() > 500) {
      return false;  // "Abbruch"
    }
    if (answer != Enter) text = answer;
    return true;
  });

  previous_ = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "driver_test_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  std::filesystem::current_path(folder_);
  WriteFile("City.dat", TestCityFile);
  // The user's data and pictures folders lie in the test's folder too.
  home_ = folder_ / "home";
  environment_.Set("HOME", home_.string());
  environment_.Set("XDG_DATA_HOME", std::nullopt);
  environment_.Set("XDG_CONFIG_HOME", std::nullopt);
}

void DriverTest::TearDown() {
  SetPromptResponder({});
  environment_.Restore();
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void DriverTest::NewRun() {
  ResetDriverState();
  while (NextKey() != 0) {}  // an empty key queue
  BeepCount = 0;
  answers_.clear();
  answersByPrompt_.clear();
  seen_.clear();
}

void DriverTest::Answer(const std::vector<std::string>& answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void DriverTest::Answer(const std::string& prompt, const std::string& answer) {
  answersByPrompt_[prompt].push_back(answer);
}

void DriverTest::AnswerDialogue(const std::string& menu, const std::string& day,
                                const std::string& month, const std::string& year,
                                const std::string& time, bool geocentric, bool horizon,
                                const std::string& place, const std::string& latitude,
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

int DriverTest::CountPrompts(const std::string& prompt) const {
  int n = 0;
  for (const PromptSeen& p : seen_) n += p.Prompt == prompt;
  return n;
}

void DriverTest::Press(int key) {
  if (key != 0) QueueKey(key);
  KeyTick();
}

namespace {
// The box of the hint "F1": Hilfe at the bottom right, corners included.
struct HintBox {
  int X1 = MaxX() - 11 * CharWidth(), Y1 = MaxY() - LineHeight() + 1, X2 = MaxX(), Y2 = MaxY();
};
}  // namespace

bool DriverTest::FrameOnScreen() const {
  const HintBox b;
  return CountPixels(PaletteColour(Colour::DarkGray), b.X1, b.Y1, b.X2, b.Y2) > 0;
}

bool DriverTest::PressDraws(int key) {
  const HintBox b;
  SetFillColour(255, Colour::LightMagenta, Colour::LightMagenta);
  FillBox(b.X1, b.Y1, b.X2 - b.X1 + 1, b.Y2 - b.Y1 + 1);
  Press(key);
  return FrameOnScreen();
}

bool DriverTest::ShowsExactly(int x, int y, const std::string& text, Colour ink, AlignH align,
                              Colour background) {
  const int top = y - LineHeight(), W = MaxX();
  std::vector<uint32_t> before;
  for (int j = top; j < y; ++j)
    for (int i = 0; i <= W; ++i) before.push_back(PixelAt(i, j));
  SetTextAlign(align, AlignV::Bottom);
  SetTextBackground(background);
  const TBox box = DrawText(x, y, text, ink);
  SetTextAlign(AlignH::Left, AlignV::Bottom);
  bool exact = true;
  std::size_t k = 0;
  for (int j = top; j < y; ++j)
    for (int i = 0; i <= W; ++i, ++k) {
      const bool ownHalf = (align == AlignH::Right) == (i > W / 2);
      const bool inText = i >= box.X && i < box.X + box.Width;
      exact = exact && PixelAt(i, j) == before[k] &&
              (inText || !ownHalf || PixelAt(i, j) != PaletteColour(ink));
    }
  return exact;
}

void DriverTest::StartSession(const std::string& menu, const std::string& horizon,
                              const std::string& strobo, const std::string& place) {
  Answer({menu, Enter, horizon, strobo, Enter, Enter, Enter, Enter, place});
  KeyTick();
}

void DriverTest::WriteFile(const std::string& name, const std::string& contents) const {
  std::ofstream out(folder_ / name, std::ios::binary);
  out << contents;
}

std::string DriverTest::ReadFile(const std::string& name) const {
  std::ifstream in(folder_ / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> DriverTest::FolderFiles() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error))
    names.push_back(entry.path().filename().string());
  return names;
}

int DriverTest::CountPixels(uint32_t rgb, int x1, int y1, int x2, int y2) const {
  int n = 0;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) n += (PixelAt(x, y) & 0xFFFFFF) == rgb;
  return n;
}

long double ZenithDirection(long double h, long double delta, long double phi) {
  auto altitude = [phi](long double hourAngle, long double dec) {
    return std::asin(std::sin(phi) * std::sin(dec) +
                     std::cos(phi) * std::cos(dec) * std::cos(hourAngle));
  };
  const long double e = 1e-6L;
  const long double north = altitude(h, delta + e) - altitude(h, delta - e);
  // East on the sky is growing right ascension, so a shrinking hour angle.
  const long double east =
      altitude(h - e / std::cos(delta), delta) - altitude(h + e / std::cos(delta), delta);
  return std::atan2(east, north);
}

uint32_t BmpPixel(const std::string& bmp, int x, int y) {
  auto le = [&bmp](std::size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bmp[at + i]);
    return v;
  };
  const uint32_t offset = le(10, 4), width = le(18, 4), height = le(22, 4), bits = le(28, 2);
  const std::size_t bytesPerPixel = bits / 8, row = (width * bytesPerPixel + 3) / 4 * 4;
  const std::size_t at = offset + (height - 1 - y) * row + x * bytesPerPixel;
  return (static_cast<unsigned char>(bmp[at + 2]) << 16) |
         (static_cast<unsigned char>(bmp[at + 1]) << 8) | static_cast<unsigned char>(bmp[at]);
}
