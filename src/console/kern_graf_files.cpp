// KernGraf: whether a file is there, and pictures written as BMP files.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include "console_state.h"

namespace console {
bool FilePresent(const std::string& name) {
  if (name.empty()) return false;
  QString path = ToQString(name);
  // Only plain files count: opening a pipe would wait for a writer, and a device such as
  // /dev/zero never ends.
  if (!QFileInfo(path).isFile()) return false;
  return QFile(path).open(QIODevice::ReadOnly);  // closed again at once
}

namespace {

// A few German words for why a file could not be written: the folder first, then what the
// system said about the writing itself.
std::string SaveFailure(const QString& name, int error) {
  const QFileInfo file(name);
  if (file.isDir()) return "ein Ordner trägt diesen Namen";
  const QFileInfo folder(file.absolutePath());
  if (!folder.exists() || !folder.isDir()) return "Ordner nicht gefunden";
  switch (error) {
    case ENOSPC:
    case EDQUOT: return "Datenträger voll";
    case EFBIG: return "Datei zu groß";
    case EACCES:
    case EPERM:
    case EROFS: return "keine Schreibrechte im Ordner";
    default: return folder.isWritable() ? "Schreibfehler" : "keine Schreibrechte im Ordner";
  }
}

}  // namespace

bool WritePicture(const std::string& name, int x1, int y1, int x2, int y2, std::string* why) {
  long long width = static_cast<long long>(x2) - x1 + 1;
  long long height = static_cast<long long>(y2) - y1 + 1;
  bool saved = false;
  int error = 0;
  const QImage& raster = Raster();
  const char* format = QString::fromStdString(name).endsWith(".png", Qt::CaseInsensitive)
                           ? "PNG" : "BMP";
  if (!name.empty() && !raster.isNull() && width > 0 && height > 0 && width <= 65535 &&
      height <= 65535) {
    // At the screen's density: a logical rectangle has ratio x ratio device pixels each.
    QImage picture = raster.copy(DeviceRect(QRect(x1, y1, static_cast<int>(width),
                                                  static_cast<int>(height))));
    if (!picture.isNull()) {
      // Written beside the target and renamed over it only when complete: a failed save
      // leaves no truncated picture and keeps the earlier file.
      QSaveFile file(ToQString(name));
      errno = 0;
      saved = file.open(QIODevice::WriteOnly) &&
              picture.convertToFormat(QImage::Format_RGB32).save(&file, format) &&
              file.commit();
      error = errno;
    }
  }
  if (!saved && why) *why = name.empty() ? "kein Name" : SaveFailure(ToQString(name), error);
  return saved;
}

bool SavePicture(const std::string& name, int x1, int y1, int x2, int y2, std::string* why) {
  const bool saved = WritePicture(name, x1, y1, x2, y2, why);
  if (!saved) SystemBeep();
  return saved;
}
}  // namespace console
