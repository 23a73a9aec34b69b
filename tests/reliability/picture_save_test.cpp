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
    ASSERT_TRUE(AnimationStarted);
    ASSERT_EQ(Drv.FramesDrawn, 1);
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

TEST_F(PictureSave, DeletedWorkingFolder) {
  StartEclipse();
  const std::filesystem::path gone = folder_ / "gone";
  std::filesystem::create_directory(gone);
  std::filesystem::current_path(gone);
  std::filesystem::remove(gone);
  Press('s');
  EXPECT_EQ(BeepCount, 1);
  EXPECT_EQ(Drv.PictureCounter, 0);
  Press(Code(Key::Right));  // the program goes on
  EXPECT_EQ(Drv.FramesDrawn, 3);
  std::filesystem::current_path(folder_);
  EXPECT_TRUE(FolderFiles().empty());
}

TEST_F(PictureSave, DeletedWorkingFolderWithAHome) {
  StartEclipse();
  environment_.Set("HOME", (folder_ / "home").string());
  const std::filesystem::path gone = folder_ / "gone";
  std::filesystem::create_directory(gone);
  std::filesystem::current_path(gone);
  std::filesystem::remove(gone);
  Press('s');
  std::filesystem::current_path(folder_);
  EXPECT_EQ(BeepCount, 0);
  const std::string picture =
      ReadAll(folder_ / "home" / "Pictures" / PictureName(Drv.PictureBaseName, 1));
  EXPECT_EQ(picture.substr(0, 2), "BM");
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"home"});
}

TEST_F(PictureSave, NameThroughAPlainFile) {
  StartEclipse();
  WriteFile("plain", "not a folder");
  Drv.PictureBaseName = (folder_ / "plain" / "syzygy").string();
  Press('s');
  EXPECT_EQ(BeepCount, 1);
  EXPECT_EQ(ReadAll(folder_ / "plain"), "not a folder");
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"plain"});
  Press(Code(Key::Right));
  EXPECT_EQ(Drv.FramesDrawn, 3);
}

TEST_F(PictureSave, WriteBrokenHalfWayKeepsTheEarlierPicture) {
  StartEclipse();
  Press('s');
  ASSERT_EQ(BeepCount, 0);
  const std::string name = PictureName(Drv.PictureBaseName, 1);
  const std::string earlier = ReadAll(folder_ / name);
  ASSERT_GT(earlier.size(), 1000u);
  ASSERT_EQ(earlier.substr(0, 2), "BM");

  // A later run of the program in the same folder: its numbers go on past the pictures there.
  Drv.PictureCounter = 0;
  Press(Code(Key::Right));  // a different picture
  {
    FileSizeLimit limit(64 * 1024);
    Press('s');
  }
  EXPECT_EQ(BeepCount, 1);
  EXPECT_EQ(Drv.PictureCounter, 0);  // nothing saved: the number is not used up
  EXPECT_TRUE(ReadAll(folder_ / name) == earlier) << "the earlier picture was changed";
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{name});  // no partial or temporary file

  // Once writing works again, so does saving, under the next free number.
  Press('s');
  EXPECT_EQ(BeepCount, 1);
  EXPECT_EQ(Drv.PictureCounter, 2);
  const std::string next = ReadAll(folder_ / PictureName(Drv.PictureBaseName, 2));
  EXPECT_EQ(next.size(), earlier.size());
  EXPECT_EQ(next.substr(0, 2), "BM");
}

}  // namespace
