// Where data files are looked for and where pictures go: the pure folder rules.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data_files.h"

using namespace driver;

namespace {

struct UserDataCase {
  const char* Name;
  UserEnvironment Env;
  std::string Expected;
};

class UserDataFolderTest : public ::testing::TestWithParam<UserDataCase> {};

TEST_P(UserDataFolderTest, XdgDataHomeOrItsDefault) {
  EXPECT_EQ(UserDataFolder(GetParam().Env), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UserDataFolderTest,
    ::testing::Values(
        UserDataCase{"XdgDataHomeSet", {"/home/u", "/srv/data", ""}, "/srv/data/syzygy"},
        UserDataCase{"XdgDataHomeEmpty", {"/home/u", "", ""}, "/home/u/.local/share/syzygy"},
        UserDataCase{"XdgDataHomeRelative", {"/home/u", "data", ""},
                     "/home/u/.local/share/syzygy"},
        UserDataCase{"TrailingSlash", {"/home/u/", "", ""}, "/home/u/.local/share/syzygy"},
        UserDataCase{"XdgDataHomeWithoutHome", {"", "/srv/data", ""}, "/srv/data/syzygy"},
        UserDataCase{"NoHome", {"", "", ""}, ""},
        UserDataCase{"RelativeHome", {"home", "", ""}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(InstalledDataFolder, BesideTheExecutablesFolder) {
  EXPECT_EQ(InstalledDataFolder("/usr/bin", "../share/syzygy"), "/usr/share/syzygy");
  EXPECT_EQ(InstalledDataFolder("/tmp/stage/opt/sz/bin", "../share/syzygy"),
            "/tmp/stage/opt/sz/share/syzygy");
  EXPECT_EQ(InstalledDataFolder("", "../share/syzygy"), "");
}

TEST(DataFolders, WorkingFolderThenUserThenInstalled) {
  const UserEnvironment env{"/home/u", "", ""};
  EXPECT_EQ(DataFolders(env, "/usr/share/syzygy"),
            (std::vector<std::string>{"", "/home/u/.local/share/syzygy", "/usr/share/syzygy"}));
  EXPECT_EQ(DataFolders(env, ""),
            (std::vector<std::string>{"", "/home/u/.local/share/syzygy"}));
  EXPECT_EQ(DataFolders({"", "", ""}, "/usr/share/syzygy"),
            (std::vector<std::string>{"", "/usr/share/syzygy"}));
}

TEST(PathInFolder, BareNameInTheWorkingFolder) {
  EXPECT_EQ(PathInFolder("", "City.dat"), "City.dat");
  EXPECT_EQ(PathInFolder("/a/b", "City.dat"), "/a/b/City.dat");
  EXPECT_EQ(PathInFolder("/a/b/", "City.dat"), "/a/b/City.dat");
}

struct PresentCase {
  const char* Name;
  std::set<std::string> Present;
  std::string Expected;
};

class FirstPresentFileTest : public ::testing::TestWithParam<PresentCase> {};

TEST_P(FirstPresentFileTest, EarlierFolderWins) {
  const std::vector<std::string> folders = {"", "/home/u/.local/share/syzygy", "/usr/share/syzygy"};
  const std::set<std::string>& present = GetParam().Present;
  EXPECT_EQ(FirstPresentFile("City.dat", folders,
                             [&](const std::string& path) { return present.count(path) > 0; }),
            GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FirstPresentFileTest,
    ::testing::Values(
        PresentCase{"Everywhere",
                    {"City.dat", "/home/u/.local/share/syzygy/City.dat",
                     "/usr/share/syzygy/City.dat"},
                    "City.dat"},
        PresentCase{"WorkingAndInstalled", {"City.dat", "/usr/share/syzygy/City.dat"},
                    "City.dat"},
        PresentCase{"UserAndInstalled",
                    {"/home/u/.local/share/syzygy/City.dat", "/usr/share/syzygy/City.dat"},
                    "/home/u/.local/share/syzygy/City.dat"},
        PresentCase{"InstalledOnly", {"/usr/share/syzygy/City.dat"},
                    "/usr/share/syzygy/City.dat"},
        PresentCase{"Nowhere", {}, "City.dat"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(UserDirsFile, XdgConfigHomeOrItsDefault) {
  EXPECT_EQ(UserDirsFile({"/home/u", "", "/cfg"}), "/cfg/user-dirs.dirs");
  EXPECT_EQ(UserDirsFile({"/home/u", "", ""}), "/home/u/.config/user-dirs.dirs");
  EXPECT_EQ(UserDirsFile({"/home/u", "", "cfg"}), "/home/u/.config/user-dirs.dirs");
  EXPECT_EQ(UserDirsFile({"", "", ""}), "");
}

struct PicturesCase {
  const char* Name;
  std::string Home;
  std::string UserDirs;
  std::string Expected;
};

class PicturesFolderTest : public ::testing::TestWithParam<PicturesCase> {};

TEST_P(PicturesFolderTest, FromUserDirsOrPictures) {
  EXPECT_EQ(PicturesFolder({GetParam().Home, "", ""}, GetParam().UserDirs), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PicturesFolderTest,
    ::testing::Values(
        PicturesCase{"NoSettings", "/home/u", "", "/home/u/Pictures"},
        PicturesCase{"HomeRelative", "/home/u",
                     "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                     "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
                     "/home/u/Bilder"},
        PicturesCase{"Absolute", "/home/u", "XDG_PICTURES_DIR=\"/data/fotos\"", "/data/fotos"},
        PicturesCase{"HomeItself", "/home/u", "XDG_PICTURES_DIR=\"$HOME\"\n", "/home/u"},
        PicturesCase{"LastAssignmentCounts", "/home/u",
                     "XDG_PICTURES_DIR=\"$HOME/a\"\nXDG_PICTURES_DIR=\"$HOME/b\"\n", "/home/u/b"},
        PicturesCase{"BlanksBefore", "/home/u", "  \tXDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
                     "/home/u/Bilder"},
        PicturesCase{"EscapedQuote", "/home/u", "XDG_PICTURES_DIR=\"$HOME/a \\\"b\\\"\"\n",
                     "/home/u/a \"b\""},
        PicturesCase{"WindowsLineEnd", "/home/u", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\r\n",
                     "/home/u/Bilder"},
        PicturesCase{"CommentedOut", "/home/u", "#XDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
                     "/home/u/Pictures"},
        PicturesCase{"OtherFoldersOnly", "/home/u", "XDG_MUSIC_DIR=\"$HOME/Musik\"\n",
                     "/home/u/Pictures"},
        PicturesCase{"RelativeValue", "/home/u", "XDG_PICTURES_DIR=\"Bilder\"\n",
                     "/home/u/Pictures"},
        PicturesCase{"HomeGlued", "/home/u", "XDG_PICTURES_DIR=\"$HOMEBilder\"\n",
                     "/home/u/Pictures"},
        PicturesCase{"Unquoted", "/home/u", "XDG_PICTURES_DIR=$HOME/Bilder\n", "/home/u/Pictures"},
        PicturesCase{"Unterminated", "/home/u", "XDG_PICTURES_DIR=\"$HOME/Bilder\n",
                     "/home/u/Pictures"},
        PicturesCase{"NoHomeAbsolute", "", "XDG_PICTURES_DIR=\"/data/fotos\"\n", "/data/fotos"},
        PicturesCase{"NoHomeHomeRelative", "", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", ""},
        PicturesCase{"NoHomeNoSettings", "", "", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
