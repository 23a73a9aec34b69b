#include "data_files.h"

#include <cstdlib>
#include <filesystem>

#include "fenster_graf.h"
#include "kern_graf.h"
#include "line_reader.h"

#ifndef SYZYGY_DATA_FROM_BIN
#define SYZYGY_DATA_FROM_BIN "../share/syzygy"
#endif

namespace driver {
namespace {

// The base directory rules take only absolute paths; anything else counts as unset.
bool Absolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string Joined(const std::string& folder, const std::string& rest) {
  return (std::filesystem::path(folder) / rest).string();
}

// The value of one shell assignment in user-dirs.dirs: the text between the double quotes,
// with backslash escapes taken out. False when the line has no quoted value.
bool QuotedValue(std::string_view text, std::string& value) {
  if (text.empty() || text[0] != '"') return false;
  value.clear();
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') return true;
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    value += text[i];
  }
  return false;
}

// "$HOME", "$HOME/…" or an absolute path, as the folder it names; empty for anything else.
std::string FolderOfSetting(const std::string& value, const std::string& home) {
  const std::string_view homeWord = "$HOME";
  if (value.compare(0, homeWord.size(), homeWord) == 0) {
    const std::string rest = value.substr(homeWord.size());
    if (!Absolute(home) || (!rest.empty() && rest[0] != '/')) return "";
    return home + rest;
  }
  return Absolute(value) ? value : "";
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string UserDataFolder(const UserEnvironment& env) {
  if (Absolute(env.XdgDataHome)) return Joined(env.XdgDataHome, "syzygy");
  if (Absolute(env.Home)) return Joined(env.Home, ".local/share/syzygy");
  return "";
}

std::string InstalledDataFolder(const std::string& executableFolder,
                                const std::string& fromExecutable) {
  if (executableFolder.empty()) return "";
  return (std::filesystem::path(executableFolder) / fromExecutable).lexically_normal().string();
}

std::vector<std::string> DataFolders(const UserEnvironment& env, const std::string& installed) {
  std::vector<std::string> folders = {""};
  for (const std::string& folder : {UserDataFolder(env), installed}) {
    if (!folder.empty()) folders.push_back(folder);
  }
  return folders;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : Joined(folder, name);
}

std::string FirstPresentFile(const std::string& name, const std::vector<std::string>& folders,
                             const std::function<bool(const std::string&)>& present) {
  for (const std::string& folder : folders) {
    const std::string path = PathInFolder(folder, name);
    if (present(path)) return path;
  }
  return name;
}

std::string UserDirsFile(const UserEnvironment& env) {
  if (Absolute(env.XdgConfigHome)) return Joined(env.XdgConfigHome, "user-dirs.dirs");
  if (Absolute(env.Home)) return Joined(env.Home, ".config/user-dirs.dirs");
  return "";
}

std::string PicturesFolder(const UserEnvironment& env, std::string_view userDirs) {
  const std::string_view key = "XDG_PICTURES_DIR=";
  std::string folder;
  text::TLineReader lines = text::OpenLines(userDirs);
  std::string text;
  while (text::NextLine(lines, text)) {
    std::string_view line = text;
    while (!line.empty() && (line[0] == ' ' || line[0] == '\t')) line.remove_prefix(1);
    std::string value;
    if (line.substr(0, key.size()) == key && QuotedValue(line.substr(key.size()), value)) {
      const std::string named = FolderOfSetting(value, env.Home);
      if (!named.empty()) folder = named;
    }
  }
  if (!folder.empty()) return folder;
  return Absolute(env.Home) ? Joined(env.Home, "Pictures") : "";
}

UserEnvironment CurrentEnvironment() {
  return {Variable("HOME"), Variable("XDG_DATA_HOME"), Variable("XDG_CONFIG_HOME")};
}

std::vector<std::string> CurrentDataFolders() {
  const std::filesystem::path self = console::ExecutablePath();
  return DataFolders(CurrentEnvironment(),
                     InstalledDataFolder(self.parent_path().string(), SYZYGY_DATA_FROM_BIN));
}

std::string FindDataFile(const std::string& name) {
  return FirstPresentFile(name, CurrentDataFolders(), console::FilePresent);
}

std::string CurrentPicturesFolder() {
  const UserEnvironment env = CurrentEnvironment();
  std::string contents;
  text::ReadPlainFile(UserDirsFile(env), contents);  // no settings: the default folder
  return PicturesFolder(env, contents);
}
}  // namespace driver
