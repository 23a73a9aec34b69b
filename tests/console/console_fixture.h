// A started console without a person: offscreen window, exits and prompts caught.
#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "console_state.h"
#include "fenster_graf_testing.h"
#include "kern_graf_testing.h"
#include "program_end.h"

class ConsoleTest : public ::testing::Test {
 protected:
  static constexpr int Width = 640;
  static constexpr int Height = 480;

  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    console::StartHeadlessConsole(Width, Height);
    ResetConsoleHooks();
  }

  void TearDown() override {
    console::SetPromptResponder({});
    console::SetTickProcedure(nullptr);
  }

  // Counts raster pixels of one colour inside a rectangle.
  static int CountPixels(int x, int y, int w, int h, uint32_t colour) {
    int count = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (console::PixelAt(i, j) == colour) ++count;
    return count;
  }

  // The bounding box of all pixels that differ from white in rows top..bottom - 1:
  // {left, top, right, bottom}.
  static std::array<int, 4> InkBox(int top = 0, int bottom = Height) {
    std::array<int, 4> box{Width, Height, -1, -1};
    for (int j = top; j < bottom; ++j)
      for (int i = 0; i < Width; ++i)
        if (console::PixelAt(i, j) != 0xFFFFFFu) {
          box[0] = std::min(box[0], i);
          box[1] = std::min(box[1], j);
          box[2] = std::max(box[2], i);
          box[3] = std::max(box[3], j);
        }
    return box;
  }
};
