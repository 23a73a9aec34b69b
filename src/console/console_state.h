// The console's module state, shared by its units (private to the console: uses Qt).
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <functional>
#include <string>

#include "fenster_graf.h"
#include "kern_graf.h"
#include "kern_graf_testing.h"

namespace console {
class TGrundfenster;
class TEingabeDialog;

// KernGraf: drawing state, palette, fonts and the text cursor.
struct TKernGrafState {
  std::array<QRgb, 256> Palette{};
  AlignH TextAlignH = AlignH::Left;
  AlignV TextAlignV = AlignV::Bottom;
  Colour TextBackground = Colour::Black;
  QColor FillColour{255, 255, 255};
  bool FillOutlined = true;
  Colour BorderColour = Colour::Black;
  int CursorX = 0;
  int CursorY = 0;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  int CharWidth = 0;
  int LineHeight = 0;
  // What a Windows canvas keeps between calls.
  QColor PenColour{0, 0, 0};
  QColor BrushColour{255, 255, 255};
  QColor FontColour{0, 0, 0};
  QFont Font;
  // What the text cursor wrote since the screen was cleared: the lines a question refers to,
  // which the input dialog must leave visible.
  QRect WrittenText;
  // The pixels beneath the overlay text while it is shown, and where they go (device pixels).
  QImage OverlayBackup;
  QPoint OverlayAt;
};

// FensterGraf: the window, the slots, the key queue and the prompt bookkeeping.
struct TFensterGrafState {
  ConsoleProcedure TickProcedure = nullptr;
  std::string KeyQueue;  // one byte per code, oldest first
  TGrundfenster* Window = nullptr;
  TEingabeDialog* Dialog = nullptr;
  int PromptsOpen = 0;  // prompts of ours currently open (dialog or responder)
  bool AbortGoesBack = false;  // "Abbruch" throws PromptAbandoned instead of ending
  bool RasterDirty = false;
};

// What tests put in place of a person and of the end of the program; kept across resets.
struct TConsoleHooks {
  std::function<void(int status)> ExitHandler;
  PromptResponder Responder;
};

extern TKernGrafState KernGraf;
extern TFensterGrafState FensterGraf;
extern TConsoleHooks ConsoleHooks;

// KernGraf's unit initialisation (start-up step 1) and FensterGraf's (step 2).
void ResetKernGraf();
void ResetFensterGraf();

// The raster the console draws on (a null image before start-up).
QImage& Raster();
// Marks the raster as changed; the window repaints at the end of the tick.
void MarkRasterDirty();
// Asks the window to show the raster now if it changed.
void FlushRaster();

// A painter on the raster set up for exact pixels (no antialiasing). It takes the logical
// coordinates of the layout; the raster has device pixels (logical times the pixel ratio).
void BeginRasterPainter(QPainter& painter);
// How far outlines are moved right and down, in logical pixels, so that a pen scaled to the
// screen's density covers the pixels the one-pixel pen covers at ratio 1.
qreal StrokeOffset();
// The device pixels a fill of this logical rectangle paints.
QRect DeviceRect(const QRect& logical);
// Writes the pixels of an image into the raster with their top left corner at a device pixel.
void PutRasterPixels(QPoint at, const QImage& pixels);
// The one-pixel solid pen of outlines and arcs.
QPen ConsolePen(const QColor& colour);
// A line from (x1, y1) to (x2, y2) without its end point, on a painter of the raster.
void DrawConsoleLine(QPainter& painter, const QColor& colour, int x1, int y1, int x2, int y2);
QColor PaletteQColor(Colour colour);
// Takes CharWidth and LineHeight from the font in KernGraf.Font.
void TakeFontMetrics();
// The main window's client area in screen coordinates (where the dialog is centred).
QRect MainClientRect();
// What the text cursor wrote since the screen was cleared, in screen coordinates.
QRect WrittenTextBox();

QString ToQString(const std::string& text);
std::string ToStdString(const QString& text);

// Marks a prompt of ours as open for the lifetime of the object.
class TPromptScope {
 public:
  TPromptScope() { ++FensterGraf.PromptsOpen; }
  ~TPromptScope() { --FensterGraf.PromptsOpen; }
  TPromptScope(const TPromptScope&) = delete;
  TPromptScope& operator=(const TPromptScope&) = delete;
};
}  // namespace console
