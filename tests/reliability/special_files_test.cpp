// Files in the working folder that are no regular files: a named pipe (opening it for reading
// waits for a writer that never comes) and a link to an endless device (/dev/zero: reading to
// the end never ends). As City.dat or as the title file they must count as absent or be read
// only so far; the program must neither hang nor run out of memory.
// Each case runs in a child process (a death test) with an alarm, so a hang fails the test
// instead of stopping the suite; the endless-device cases also limit the child's memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "console_fixture.h"
#include "driver_state.h"
#include "fenster_graf_testing.h"

using namespace console;
using namespace driver;

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// The folder where a test process's child works: named after the test process, so that the
// child (started anew by the death test) finds it and the test process removes it afterwards.
std::filesystem::path SharedFolder(pid_t testProcess) {
  return std::filesystem::temp_directory_path() /
         ("reliability_special_" + std::to_string(testProcess));
}

class SpecialFiles : public ConsoleReliabilityTest {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ConsoleReliabilityTest::SetUp();
    shared_ = SharedFolder(getpid());
    std::filesystem::create_directories(shared_);
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(shared_, ignored);
    ConsoleReliabilityTest::TearDown();
  }

  // In the child: work in the test process's folder and leave no folder of its own behind
  // (the child may end by a signal, without its TearDown).
  void EnterTestProcessFolder() {
    std::error_code ignored;
    std::filesystem::current_path(SharedFolder(getppid()));
    std::filesystem::remove_all(shared_, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  // In the child: a first dialogue, then exit 0 when the first frame was drawn.
  void RunSessionAndExit(bool geocentric) {
    alarm(10);  // a hang ends the child with SIGALRM (a session takes well under a second)
    AnswerDialogue("4", "", "", "", "", geocentric, false, "Hannover", "52.37", "9.73");
    Press(0);
    std::_Exit(Drv.State == Session::Running && FrameOnScreen() ? 0 : 3);
  }

  // Reading an endless device would take all memory; 3 GB of address space is far more than
  // the program needs and stops it early. (Not under AddressSanitizer, whose shadow memory
  // does not fit such a limit.)
  static void LimitMemory() {
    rlimit limit{3UL << 30, 3UL << 30};
    setrlimit(RLIMIT_AS, &limit);
  }

  std::filesystem::path shared_;
};

TEST_F(SpecialFiles, PipeAsCityDat) {
  EXPECT_EXIT(
      {
        EnterTestProcessFolder();
        mkfifo("City.dat", 0600);
        RunSessionAndExit(false);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(SpecialFiles, PipeAsTitleFile) {
  EXPECT_EXIT(
      {
        EnterTestProcessFolder();
        mkfifo((ProgramBaseName() + ".txt").c_str(), 0600);
        RunSessionAndExit(true);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(SpecialFiles, EndlessDeviceAsTitleFile) {
#ifdef UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "needs a memory limit, which AddressSanitizer cannot run under";
#endif
  EXPECT_EXIT(
      {
        EnterTestProcessFolder();
        LimitMemory();
        if (symlink("/dev/zero", (ProgramBaseName() + ".txt").c_str()) != 0) std::_Exit(4);
        RunSessionAndExit(true);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(SpecialFiles, EndlessDeviceAsCityDat) {
#ifdef UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "needs a memory limit, which AddressSanitizer cannot run under";
#endif
  EXPECT_EXIT(
      {
        EnterTestProcessFolder();
        LimitMemory();
        if (symlink("/dev/zero", "City.dat") != 0) std::_Exit(4);
        RunSessionAndExit(false);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
