// KernGraf: the console's drawing state, palette, texts, prompts and files.
// Free of Qt; the drawing happens on the main window's raster. All coordinates and sizes are
// logical pixels; the raster has the screen's device pixels, so everything is drawn sharp.
#pragma once
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace console {
// The names of the palette's first sixteen entries; Transparent is only for text backgrounds.
enum class Colour : int {
  Transparent = -1,
  Black = 0, Blue, Green, Cyan, Red, Magenta, Brown, LightGray, DarkGray,
  LightBlue, LightGreen, LightCyan, LightRed, LightMagenta, Yellow, White,
};

struct TPoint {
  int X, Y;
};

// A rectangle of pixels: left, top, width, height.
struct TBox {
  int X = 0, Y = 0, Width = 0, Height = 0;
};

int MaxX();
int MaxY();
int CharWidth();
int LineHeight();

void ClearScreen();
void DrawLine(int x1, int y1, int x2, int y2, Colour colour);
void SetPenColour(Colour colour);
// Where a text's anchor lies on it.
enum class AlignH : int { Left = 0, Centre = 1, Right = 2 };
enum class AlignV : int { Bottom = 0, Centre = 1, Top = 2 };
void SetTextAlign(AlignH horizontal, AlignV vertical);
AlignH HorizontalTextAlign();
void SetTextBackground(Colour colour);
Colour TextBackground();
// Returns the box the text covers (painted in the background colour unless transparent).
TBox DrawText(int x, int y, const std::string& text, Colour colour);
// A text over the picture that RemoveOverlayText takes away again, giving back the pixels
// that were beneath it (a status line must never become part of a saved picture).
void DrawOverlayText(int x, int y, const std::string& text, Colour colour);
void RemoveOverlayText();
void SetCursor(int x, int y);
void WriteText(const std::string& text);
void WriteLine(const std::string& text);
void SelectFont(const std::string& name, int points, int bold);
// The console font selected and the screen cleared: the start of every console.
void InitConsole(const std::string& fontName, int points, int bold);
void SetFillColour(int intensity, Colour colour, Colour border);
void FillBox(int x, int y, int width, int height);
void FillPolygon(const std::vector<TPoint>& points);
void DrawEllipse(int x, int y, int rx, int ry);
void DrawArc(int x, int y, int r, double startDegrees, double endDegrees);
void SetPaletteEntry(int index, int factor, int r, int g, int b);
void InstallPalette();

// Prompts: a modal dialog with the prompt and the text as default. "Abbruch" (or Esc) ends the
// program; while SetAbortGoesBack(true) holds, it throws PromptAbandoned instead, so that the
// one who started the questions can go back to where they came from.
struct PromptAbandoned {};
void SetAbortGoesBack(bool goesBack);
void AskText(const std::string& prompt, std::string& text);
void AskChar(const std::string& prompt, std::string& character);  // one UTF-8 character
// Asked again, with a beep and the reason in the prompt's line, until the text is a number
// from min to max. A non-empty hint is shown with the first question already.
void AskInteger(const std::string& prompt, std::string& text, int32_t& value,
                int32_t min = INT32_MIN, int32_t max = INT32_MAX, const std::string& hint = "");
void AskFloat(const std::string& prompt, std::string& text, long double& value,
              long double min = -std::numeric_limits<long double>::infinity(),
              long double max = std::numeric_limits<long double>::infinity());
// The prompt as shown again after a rejected answer: what was wrong follows it.
std::string PromptWithHint(const std::string& prompt, const std::string& hint);
// The beep and the invisible bell character of a rejected answer.
void SignalRejectedAnswer();

// Files.
bool FilePresent(const std::string& name);
// Saves the inclusive rectangle of the picture as a BMP (a PNG when the name ends in ".png");
// on failure the earlier file of that
// name stays intact, false is returned and `why` (when given) says in a few German words what
// went wrong.
bool WritePicture(const std::string& name, int x1, int y1, int x2, int y2,
                  std::string* why = nullptr);
// The same, with a beep when the picture is not saved.
bool SavePicture(const std::string& name, int x1, int y1, int x2, int y2,
                 std::string* why = nullptr);
void ShowTitleFile(const std::string& name, const std::string& font, const std::string& version,
                   Colour colour);
}  // namespace console
