// Saves what the X screen shows as a BMP, for the end-to-end scripts: what is on the screen but
// never part of a saved picture (the status line after a save) can be checked this way.
//   screen_grab FILE
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screen_grab FILE\n");
    return 2;
  }
  QGuiApplication application(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1;
  const QImage image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
  return !image.isNull() && image.save(QString::fromLocal8Bit(argv[1]), "BMP") ? 0 : 1;
}
