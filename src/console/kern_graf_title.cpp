// KernGraf: the title screen from the program's title file.
#include <algorithm>
#include <climits>

#include "console_state.h"
#include "line_reader.h"

namespace console {
using namespace text;
namespace {

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

void ShowTitleFile(const std::string& name, const std::string& font, const std::string& version,
                   Colour colour) {
  if (!FilePresent(name)) return;
  std::string contents;
  ReadPlainFile(name, contents);  // a read error shows what could be read: nothing

  SetCursor(0, 2 * LineHeight());
  TLineReader lines = OpenLines(contents);
  // Lines far wider than the screen are cut: nothing of them would show.
  const std::size_t limit = 4 * static_cast<std::size_t>(std::max(KernGraf.ScreenWidth, 1)) + 16;
  std::string line;
  if (!NextLine(lines, line, limit)) return;
  SelectFont(font, 16, 1);
  SetTextAlign(AlignH::Centre, AlignV::Bottom);
  long long y = 2LL * LineHeight();
  DrawText(MaxX() / 2, ClampToInt(y), line, colour);

  if (!NextLine(lines, line, limit)) return;
  y += LineHeight();
  DrawText(MaxX() / 2, ClampToInt(y), line, colour);
  SelectFont(font, 12, 0);
  y += LineHeight();
  DrawText(MaxX() / 2, ClampToInt(y), "(Version: " + version + ")", colour);
  SetCursor(0, ClampToInt(y + LineHeight()));
  SetTextAlign(AlignH::Left, AlignV::Bottom);

  // Body lines from the left edge; once they pass the bottom of the window only the
  // cursor moves on.
  while (y - LineHeight() < KernGraf.ScreenHeight && NextLine(lines, line, limit)) {
    y += LineHeight();
    DrawText(0, ClampToInt(y), line, colour);
    SetCursor(0, ClampToInt(y + LineHeight()));
  }
  long long hidden = static_cast<long long>(LinesLeft(lines));
  if (hidden > 0) {
    y += hidden * LineHeight();
    SetCursor(0, ClampToInt(y + LineHeight()));
  }
}
}  // namespace console
