// Saving a picture where the user will find it: the working folder, or, when that cannot take
// it (a launcher often starts the program in / or another read-only folder), the user's
// pictures folder.
#pragma once
#include <string>

// Saves the inclusive rectangle as `name`; when that fails, under the same file name in the
// pictures folder, which is made when missing. One beep and false when neither works.
bool SavePictureWithFallback(const std::string& name, int x1, int y1, int x2, int y2);
