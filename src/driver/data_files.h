// Where the program finds City.dat and its title file, and where a picture goes when the
// working folder cannot take it. The folder rules are pure functions of the environment; the
// last group reads the running process and the file system.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace driver {
// What the folder rules need of the environment (unset and empty are the same).
struct UserEnvironment {
  std::string Home;           // $HOME
  std::string XdgDataHome;    // $XDG_DATA_HOME
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME
};

// $XDG_DATA_HOME/syzygy, or $HOME/.local/share/syzygy when that variable is empty or not an
// absolute path; empty when there is no absolute home either.
std::string UserDataFolder(const UserEnvironment& env);

// The installed data folder as seen from the executable's folder: that folder joined with
// `fromExecutable` (normally "../share/syzygy"), normalised. Empty without an executable folder.
std::string InstalledDataFolder(const std::string& executableFolder,
                                const std::string& fromExecutable);

// The folders searched for a data file, first to last: the working folder (written ""), the
// user's data folder, the installed data folder. Empty folders are left out.
std::vector<std::string> DataFolders(const UserEnvironment& env, const std::string& installed);

// A file's path in a folder; in the working folder ("") the bare name.
std::string PathInFolder(const std::string& folder, const std::string& name);

// The path in the first folder where `present` holds; the bare name when it holds nowhere.
std::string FirstPresentFile(const std::string& name, const std::vector<std::string>& folders,
                             const std::function<bool(const std::string&)>& present);

// The user's folder settings: $XDG_CONFIG_HOME/user-dirs.dirs, or $HOME/.config/user-dirs.dirs.
std::string UserDirsFile(const UserEnvironment& env);

// The pictures folder: XDG_PICTURES_DIR from the contents of user-dirs.dirs ("$HOME/…" or an
// absolute path, the last assignment counting), else $HOME/Pictures. Empty without a home.
std::string PicturesFolder(const UserEnvironment& env, std::string_view userDirs);

// ---- The running process ----

// HOME, XDG_DATA_HOME and XDG_CONFIG_HOME as they are now.
UserEnvironment CurrentEnvironment();
// The data folders of this run: the working folder, the user's, the installed one beside
// the executable.
std::vector<std::string> CurrentDataFolders();
// Where a data file of this name is read from: the first folder that holds it as a readable
// plain file, else the bare name (the working folder, where it is then missing).
std::string FindDataFile(const std::string& name);
// The pictures folder of this run (reads user-dirs.dirs); empty when there is none.
std::string CurrentPicturesFolder();
}  // namespace driver
