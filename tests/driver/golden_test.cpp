// Whole pictures of sixteen sessions against pictures recorded once and kept in tests/golden/:
// each prepared event in both display systems, seen from the Earth's centre, Hannover, Sydney
// and a site typed as coordinates, with the measurement panel, a stroboscopic chain, the help
// lines, a step across midnight, no event in view and the line after a save. Any change to what
// the program draws shows here, pixel by pixel.
//   SYZYGY_RECORD_GOLDEN=1 driver_tests --gtest_filter='Golden*'   records them anew.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <string>
#include <vector>

#include "driver_fixture.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "key_tick.h"

using namespace console;
using namespace driver;

namespace {

struct Scenario {
  const char* Name;
  std::vector<std::string> Answers;  // from the menu on
  std::vector<int> Keys;
};

const std::string Sydney = "Sydney";

// Answers: menu, geocentric, horizon, stroboscopic, day, month, year, time[, place...].
const Scenario Scenarios[] = {
    {"mercury2003_horizon_hannover", {"1", "n", "j", "n", Enter, Enter, Enter, Enter, Enter}, {}},
    {"mercury2003_equatorial_geocentric_panel", {"1", "j", "n", "n", Enter, Enter, Enter, Enter},
     {'m'}},
    {"venus2004_horizon_sydney", {"2", "n", "j", "n", Enter, Enter, Enter, Enter, Sydney}, {}},
    {"venus2004_equatorial_hannover_panel", {"2", "n", "n", "n", Enter, Enter, Enter, Enter, Enter},
     {'m'}},
    {"venus2012_horizon_sydney", {"3", "n", "j", "n", Enter, Enter, Enter, Enter, Sydney}, {}},
    {"venus2012_equatorial_geocentric_panel", {"3", "j", "n", "n", Enter, Enter, Enter, Enter},
     {'m'}},
    {"eclipse2015_horizon_hannover", {"4", "n", "j", "n", Enter, Enter, Enter, "09:45:00", Enter},
     {}},
    {"eclipse2015_equatorial_site_panel",
     {"4", "n", "n", "n", Enter, Enter, Enter, "09:30:00", "Irgendwo", "60,5", "-20"},
     {'m'}},
    {"lunar2015_horizon_across_midnight", {"5", "n", "j", "n", Enter, Enter, Enter, Enter, Enter},
     {Code(Key::Left), Code(Key::Left), Code(Key::Left)}},
    {"lunar2015_equatorial_geocentric_panel", {"5", "j", "n", "n", Enter, Enter, Enter, "02:30:00"},
     {'m'}},
    {"mercury2016_horizon_strobe_chain", {"6", "n", "j", "j", Enter, Enter, Enter, Enter, Enter},
     {Code(Key::Right), Code(Key::Right), Code(Key::Right), Code(Key::Right)}},
    {"mercury2016_equatorial_help", {"6", "n", "n", "n", Enter, Enter, Enter, Enter, Enter},
     {Code(Key::F1)}},
    {"lunar2017_horizon_hannover", {"7", "n", "j", "n", Enter, Enter, Enter, Enter, Enter}, {}},
    {"lunar2017_equatorial_geocentric_panel_step",
     {"7", "j", "n", "n", Enter, Enter, Enter, Enter},
     {'m', Code(Key::Plus), Code(Key::Right)}},
    {"no_event_texts_follow_the_keys",
     {"8", "n", "j", "n", "9", "5", "2016", "10:00:00", Enter},
     {Code(Key::Right), Code(Key::Right)}},
    {"status_line_after_a_save", {"6", "n", "n", "j", Enter, Enter, Enter, Enter, Enter},
     {Code(Key::Right), 's'}},
};

class Golden : public DriverTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(Golden, PictureAsRecorded) {
  const Scenario& s = GetParam();
  WriteFile("City.dat", TestCityFile + "Sydney,-33.87,151.21\n");
  WriteFile(ProgramBaseName() + ".txt", "syzygy\nFinsternisse und Durchgänge\nText\n");
  Answer(s.Answers);
  KeyTick();
  ASSERT_EQ(Drv.State, Session::Running);
  for (int key : s.Keys) Press(key);
  ASSERT_EQ(AnswersLeft(), 0u);

  const std::string file = std::string(SYZYGY_GOLDEN_DIR) + "/" + s.Name + ".png";
  QImage picture(MaxX() + 1, MaxY() + 1, QImage::Format_RGB32);
  for (int y = 0; y <= MaxY(); ++y)
    for (int x = 0; x <= MaxX(); ++x) picture.setPixel(x, y, PixelAt(x, y) | 0xFF000000u);
  if (std::getenv("SYZYGY_RECORD_GOLDEN")) {
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "PNG")) << file;
    return;
  }
  QImage golden(QString::fromStdString(file));
  ASSERT_FALSE(golden.isNull()) << "no recorded picture " << file;
  golden = golden.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(golden.size(), picture.size());
  int differing = 0;
  QRect where;  // the box of the differing pixels
  for (int y = 0; y < golden.height(); ++y)
    for (int x = 0; x < golden.width(); ++x)
      if ((golden.pixel(x, y) & 0xFFFFFF) != (picture.pixel(x, y) & 0xFFFFFF)) {
        ++differing;
        where |= QRect(x, y, 1, 1);
      }
  EXPECT_EQ(differing, 0) << "in x " << where.left() << " to " << where.right() << ", y "
                          << where.top() << " to " << where.bottom();
}

INSTANTIATE_TEST_SUITE_P(Sessions, Golden, ::testing::ValuesIn(Scenarios),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
