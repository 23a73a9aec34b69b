// Files: whether a file is present, and pictures saved as BMP without harm on failure.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "console_fixture.h"

using namespace console;

namespace {

class FilesTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    ASSERT_TRUE(folder_.isValid());
    InstallPalette();
    ClearScreen();
  }

  std::string PathOf(const char* name) const { return folder_.filePath(name).toStdString(); }

  static QByteArray Contents(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir folder_;
};

TEST_F(FilesTest, FilePresent) {
  std::string path = PathOf("da.txt");
  EXPECT_FALSE(FilePresent(path));
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_TRUE(FilePresent(path));
  EXPECT_FALSE(FilePresent(""));
  EXPECT_FALSE(FilePresent(folder_.path().toStdString()));  // a folder is no readable file
  EXPECT_FALSE(FilePresent(PathOf("nicht/da.txt")));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(FilesTest, SavedPictureIsTheRectangleAsBmp) {
  SetFillColour(255, Colour::LightRed, Colour::LightRed);
  FillBox(0, 0, 1, 1);
  SetFillColour(255, Colour::Blue, Colour::Blue);
  FillBox(9, 4, 1, 1);
  FillBox(10, 0, 5, 5);  // outside the saved rectangle
  std::string path = PathOf("bild00.bmp");
  EXPECT_TRUE(SavePicture(path, 0, 0, 9, 4));
  EXPECT_EQ(BeepCount, 0);

  QByteArray bytes = Contents(path);
  ASSERT_GE(bytes.size(), 54);
  EXPECT_EQ(bytes.left(2), QByteArray("BM"));
  QImage picture(QString::fromStdString(path), "BMP");
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(10, 5));
  EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFFu, 0xFC2828u);
  EXPECT_EQ(picture.pixel(9, 4) & 0xFFFFFFu, 0x0000A0u);
  EXPECT_EQ(picture.pixel(5, 2) & 0xFFFFFFu, 0xFFFFFFu);
  // 24 bits per pixel, rows padded to 4 bytes: 54 + 5 x 32.
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);
  EXPECT_EQ(bytes.size(), 54 + 5 * 32);
}

TEST_F(FilesTest, SavedPictureStartsAtTheGivenCorner) {
  SetFillColour(255, Colour::Green, Colour::Green);
  FillBox(30, 20, 1, 1);
  std::string path = PathOf("ecke.bmp");
  ASSERT_TRUE(WritePicture(path, 30, 20, 39, 29));
  QImage picture(QString::fromStdString(path), "BMP");
  EXPECT_EQ(picture.size(), QSize(10, 10));
  EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFFu, 0x00A000u);
  EXPECT_EQ(picture.pixel(1, 0) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST_F(FilesTest, SaveReplacesAnEarlierFileAndLeavesNoTemporaryFile) {
  std::string path = PathOf("bild.bmp");
  QFile old(QString::fromStdString(path));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("alt");
  old.close();
  EXPECT_TRUE(WritePicture(path, 0, 0, MaxX(), MaxY()));
  QImage picture(QString::fromStdString(path), "BMP");
  EXPECT_EQ(picture.size(), QSize(Width, Height));
  EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"bild.bmp"});
}

// Each way a save can fail says why, writes nothing and leaves an earlier picture as it was.
TEST_F(FilesTest, FailedSavesSayWhyAndKeepTheEarlierFile) {
  const std::string earlier = PathOf("bild.bmp");
  {
    QFile old(QString::fromStdString(earlier));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier picture");
  }
  const struct {
    std::string Name;
    int X2;
    bool ReadOnlyFolder;
    const char* Why;
  } cases[] = {{earlier, 9, true, "keine Schreibrechte im Ordner"},
               {PathOf("nicht/da.bmp"), 9, false, "Ordner nicht gefunden"},
               {earlier, 4, false, "Schreibfehler"},  // an empty rectangle
               {"", 9, false, "kein Name"},
               {folder_.path().toStdString(), 9, false, "ein Ordner trägt diesen Namen"}};
  const QByteArray folder = folder_.path().toLocal8Bit();
  for (const auto& c : cases) {
    ASSERT_EQ(chmod(folder.constData(), c.ReadOnlyFolder ? 0555 : 0755), 0);
    // root writes anywhere: save as nobody for this call.
    const bool asRoot = c.ReadOnlyFolder && geteuid() == 0;
    if (asRoot) {
      ASSERT_EQ(seteuid(65534), 0);
    }
    std::string why;
    const bool saved = SavePicture(c.Name, 5, 0, c.X2, 4, &why);
    if (asRoot) {
      ASSERT_EQ(seteuid(0), 0);
    }
    chmod(folder.constData(), 0755);
    EXPECT_FALSE(saved) << c.Name;
    EXPECT_EQ(why, c.Why) << c.Name;
  }
  EXPECT_EQ(BeepCount, static_cast<int>(std::size(cases)));  // one beep for each
  EXPECT_EQ(Contents(earlier), QByteArray("earlier picture"));
  EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"bild.bmp"});
}

}  // namespace
