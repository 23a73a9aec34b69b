#include "picture_fallback.h"

#include <filesystem>
#include <system_error>

#include "data_files.h"
#include "fenster_graf.h"
#include "kern_graf.h"

bool SavePictureWithFallback(const std::string& name, int x1, int y1, int x2, int y2) {
  // The working folder is tried by writing, not by asking for permissions: root may write
  // where the modes say no, and a folder may vanish between the question and the write.
  if (WritePicture(name, x1, y1, x2, y2)) return true;
  const std::string folder = CurrentPicturesFolder();
  if (!folder.empty()) {
    std::error_code ignored;  // a folder that cannot be made shows as a failed write
    std::filesystem::create_directories(folder, ignored);
    const std::string fileName = std::filesystem::path(name).filename().string();
    if (WritePicture(PathInFolder(folder, fileName), x1, y1, x2, y2)) return true;
  }
  SystemBeep();
  return false;
}
