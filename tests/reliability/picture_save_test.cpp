// Saving pictures where it cannot work. As root neither file modes nor read-only folders stop
// a write, so the failures are made in ways that hold for root too: a working folder that has
// been deleted (nothing can be created in it), a picture name that leads through a plain file
// (ENOTDIR), and a file size limit (RLIMIT_FSIZE) that breaks the write half way. Each time the
// save beeps, the program goes on, no partial file appears and an earlier picture of that name
// stays as it was. The fixture gives the program no home, so there is no pictures folder to
// fall back on; with one, the picture of the deleted working folder lands there.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console_fixture.h"
#include "driver_state.h"
#include "events.h"
#include "fenster_graf_testing.h"
#include "key_tick.h"
#include "picture_files.h"

using namespace geometry;
using namespace console;
using namespace driver;

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class PictureSave : public ConsoleReliabilityTest {
 protected:
  void StartEclipse() {
    AnswerDialogue("4", "", "", "", "", true, false);
    Press(0);
    ASSERT_EQ(Drv.State, Session::Running);
    ASSERT_TRUE(FrameOnScreen());
    BeepCount = 0;
  }
};

// The size limit for regular files for the lifetime of the object; SIGXFSZ is ignored so
// that a write past the limit fails with EFBIG instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

struct ImpossibleSave {
  const char* Name;
  bool DeletedWorkingFolder;  // else the picture's name leads through a plain file
  bool Home;                  // a home whose pictures folder takes the picture instead
  std::vector<std::string> FilesAfter;
};

class ImpossibleSaveTest : public PictureSave,
                           public ::testing::WithParamInterface<ImpossibleSave> {};

TEST_P(ImpossibleSaveTest, BeepsWithoutAFolderAndTheProgramGoesOn) {
  const ImpossibleSave& c = GetParam();
  StartEclipse();
  if (c.Home) environment_.Set("HOME", (folder_ / "home").string());
  if (c.DeletedWorkingFolder) {
    const std::filesystem::path gone = folder_ / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
  } else {
    WriteFile("plain", "not a folder");
    Drv.Files.PictureBaseName = (folder_ / "plain" / "syzygy").string();
  }
  Press('s');
  EXPECT_EQ(BeepCount, c.Home ? 0 : 1);
  EXPECT_EQ(Drv.Files.PictureCounter, c.Home ? 1 : 0);
  EXPECT_TRUE(PressDraws(Code(Key::Right)));  // the program goes on
  std::filesystem::current_path(folder_);
  EXPECT_EQ(FolderFiles(), c.FilesAfter);
  if (!c.DeletedWorkingFolder) {
    EXPECT_EQ(ReadAll(folder_ / "plain"), "not a folder");
  }
  if (c.Home) {
    const std::filesystem::path name = PictureName(Drv.Files.PictureBaseName, 1);
    EXPECT_EQ(ReadAll(folder_ / "home" / "Pictures" / name.filename()).substr(0, 2), "BM");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ImpossibleSaveTest,
    ::testing::Values(ImpossibleSave{"DeletedWorkingFolder", true, false, {}},
                      ImpossibleSave{"DeletedWorkingFolderWithAHome", true, true, {"home"}},
                      ImpossibleSave{"NameThroughAPlainFile", false, false, {"plain"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PictureSave, WriteBrokenHalfWayKeepsTheEarlierPicture) {
  StartEclipse();
  Press('s');
  ASSERT_EQ(BeepCount, 0);
  const std::string name = PictureName(Drv.Files.PictureBaseName, 1);
  const std::string earlier = ReadAll(folder_ / name);
  ASSERT_GT(earlier.size(), 1000u);
  ASSERT_EQ(earlier.substr(0, 2), "BM");

  // A later run of the program in the same folder: its numbers go on past the pictures there.
  Drv.Files.PictureCounter = 0;
  Press(Code(Key::Right));  // a different picture
  {
    FileSizeLimit limit(64 * 1024);
    Press('s');
  }
  EXPECT_EQ(BeepCount, 1);
  EXPECT_EQ(Drv.Files.PictureCounter, 0);  // nothing saved: the number is not used up
  EXPECT_TRUE(ReadAll(folder_ / name) == earlier) << "the earlier picture was changed";
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{name});  // no partial or temporary file

  // Once writing works again, so does saving, under the next free number.
  Press('s');
  EXPECT_EQ(BeepCount, 1);
  EXPECT_EQ(Drv.Files.PictureCounter, 2);
  const std::string next = ReadAll(folder_ / PictureName(Drv.Files.PictureBaseName, 2));
  EXPECT_EQ(next.size(), earlier.size());
  EXPECT_EQ(next.substr(0, 2), "BM");
}

}  // namespace
