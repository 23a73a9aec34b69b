#include "picture_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "data_files.h"
#include "fenster_graf.h"
#include "kern_graf.h"
#include "number_text.h"

namespace driver {
std::string PictureName(const std::string& base, int counter, PictureFormat format) {
  return base + text::WholeNumberText(counter, 2, '0') +
         (format == PictureFormat::Png ? ".png" : ".bmp");
}

int NextPictureNumber(const std::string& base, int counter) {
  const std::filesystem::path path(base);
  const std::string stem = path.filename().string();
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  int highest = counter;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() < stem.size() + 6 || name.compare(0, stem.size(), stem) != 0 ||
        (name.compare(name.size() - 4, 4, ".bmp") != 0 &&
         name.compare(name.size() - 4, 4, ".png") != 0))
      continue;
    const std::string digits = name.substr(stem.size(), name.size() - stem.size() - 4);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
      continue;
    highest = std::max(highest, std::stoi(digits));
  }
  return highest + 1;
}

SavedPicture SavePictureWithFallback(const std::string& base, int counter, PictureFormat format,
                                     int x1, int y1, int x2, int y2) {
  SavedPicture picture;
  // The working folder is tried by writing, not by asking for permissions: root may write
  // where the modes say no, and a folder may vanish between the question and the write.
  picture.Number = NextPictureNumber(base, counter);
  picture.Path = PictureName(base, picture.Number, format);
  picture.Saved = console::WritePicture(picture.Path, x1, y1, x2, y2, &picture.Why);
  if (picture.Saved) return picture;
  const std::string folder = CurrentPicturesFolder();
  if (!folder.empty()) {
    std::error_code ignored;  // a folder that cannot be made shows as a failed write
    std::filesystem::create_directories(folder, ignored);
    const std::string there =
        PathInFolder(folder, std::filesystem::path(base).filename().string());
    const int number = NextPictureNumber(there, counter);
    const std::string path = PictureName(there, number, format);
    if (console::WritePicture(path, x1, y1, x2, y2)) return {true, path, number, ""};
  }
  console::SystemBeep();
  return picture;
}
}  // namespace driver
