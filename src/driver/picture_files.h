// Where a picture goes and under which name: the working folder, or, when that cannot take it
// (a launcher often starts the program in / or another read-only folder), the user's pictures
// folder; in either, under a number that no picture there has yet.
#pragma once
#include <string>

namespace driver {
// The pictures are bitmaps ('s') or PNG files (Shift+S), numbered in one sequence.
enum class PictureFormat { Bmp, Png };

// "<base>01.bmp" ... "<base>99.bmp", "<base>100.bmp", ... (".png" for PNG files)
std::string PictureName(const std::string& base, int counter,
                        PictureFormat format = PictureFormat::Bmp);
// The number of the next picture: past the counter and past every "<base>NN.bmp" and
// "<base>NN.png" that exists.
int NextPictureNumber(const std::string& base, int counter);

struct SavedPicture {
  bool Saved = false;
  std::string Path;  // where it went (the bare name in the working folder)
  int Number = 0;    // its number
  std::string Why;   // when not saved: why, in a few German words (of the working folder)
};

// Saves the inclusive rectangle as the next picture of `base`, trying the working folder by
// writing, then the pictures folder (made when missing). One beep when neither works.
SavedPicture SavePictureWithFallback(const std::string& base, int counter, PictureFormat format,
                                     int x1, int y1, int x2, int y2);
}  // namespace driver
