// KernGraf: palette, fills, lines, text and the text cursor on the main window's raster.
#include "kern_graf.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "console_state.h"
#include "grundfenster.h"

namespace console {
TKernGrafState KernGraf;

namespace {

// The 16 base colours with 6 bits per channel.
constexpr int BaseColours[16][3] = {
    {0, 0, 0},    {0, 0, 40},   {0, 40, 0},   {0, 40, 40},   {40, 7, 7},   {40, 0, 40},
    {40, 30, 0},  {49, 49, 49}, {26, 26, 26}, {0, 0, 63},    {9, 63, 9},   {0, 63, 63},
    {63, 10, 10}, {44, 0, 63},  {63, 63, 18}, {63, 63, 63},
};

int ClampChannel(long long value) { return static_cast<int>(std::clamp(value, 0LL, 255LL)); }

bool CanMeasure() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

QFontMetrics ConsoleFontMetrics() {
  QImage& raster = Raster();
  return raster.isNull() ? QFontMetrics(KernGraf.Font) : QFontMetrics(KernGraf.Font, &raster);
}

// The device edge of a logical coordinate, rounded half up as Qt rounds the edges of a filled
// rectangle; held inside int for coordinates far off the screen.
int DeviceEdge(long long logical, qreal ratio) {
  const double edge = std::clamp(static_cast<double>(logical) * ratio, -1e9, 1e9);
  return static_cast<int>(std::floor(edge + 0.5));
}

bool OnScreen(int x, int y) {
  return x >= 0 && y >= 0 && x < KernGraf.ScreenWidth && y < KernGraf.ScreenHeight;
}

void NoteWritten(const TBox& box) {
  if (box.Width > 0 && box.Height > 0)
    KernGraf.WrittenText |= QRect(box.X, box.Y, box.Width, box.Height);
}

// The cell a text of this size covers when anchored at (x, y) by the alignment in force.
QRect TextCell(int x, int y, int w, int h) {
  int left = x;
  if (KernGraf.TextAlignH == AlignH::Centre) left = x - w / 2;
  else if (KernGraf.TextAlignH == AlignH::Right) left = x - w;
  int top = y - h;
  if (KernGraf.TextAlignV == AlignV::Centre) top = y - h / 2;
  else if (KernGraf.TextAlignV == AlignV::Top) top = y;
  return QRect(left, top, w, h);
}

}  // namespace

void ResetKernGraf() {
  // The window made next takes the screen's size, the font, its metrics and the cursor.
  KernGraf = TKernGrafState{};
  KernGraf.Palette.fill(qRgb(0, 0, 0));
}

void BeginRasterPainter(QPainter& painter) {
  painter.begin(&Raster());
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
}

qreal StrokeOffset() {
  // At ratio 1 Qt draws a one-pixel pen with its own stroker, which sets the pixels right of
  // and below the mathematical path; a pen scaled to the density is centred on the path.
  return Raster().devicePixelRatio() == 1 ? 0 : 0.5;
}

QRect DeviceRect(const QRect& logical) {
  const qreal ratio = Raster().devicePixelRatio();
  const long long left = logical.x(), top = logical.y();
  const int x1 = DeviceEdge(left, ratio), y1 = DeviceEdge(top, ratio);
  const int x2 = DeviceEdge(left + logical.width(), ratio);
  const int y2 = DeviceEdge(top + logical.height(), ratio);
  return QRect(x1, y1, x2 - x1, y2 - y1);
}

void PutRasterPixels(QPoint at, const QImage& pixels) {
  QImage& raster = Raster();
  const QRect target = QRect(at, pixels.size()).intersected(raster.rect());
  if (target.isEmpty() || pixels.format() != raster.format()) return;
  const int bytes = target.width() * 4;  // 32-bit pixels
  for (int y = target.top(); y <= target.bottom(); ++y) {
    const uchar* from = pixels.constScanLine(y - at.y()) + 4 * (target.left() - at.x());
    std::copy(from, from + bytes, raster.scanLine(y) + 4 * target.left());
  }
}

QPen ConsolePen(const QColor& colour) {
  return QPen(colour, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void DrawConsoleLine(QPainter& painter, const QColor& colour, int x1, int y1, int x2, int y2) {
  // The start point is set and the end point is not, in either direction: draw both ends
  // and put the end pixel back. (Qt's flat cap drops whichever end comes last in its own
  // drawing order, which is the start of a line drawn leftwards.)
  const QRect end = OnScreen(x2, y2) ? DeviceRect(QRect(x2, y2, 1, 1)) : QRect();
  const QImage endPixels = end.isEmpty() ? QImage() : Raster().copy(end);
  const qreal offset = StrokeOffset();
  painter.translate(offset, offset);
  painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawLine(x1, y1, x2, y2);
  painter.translate(-offset, -offset);
  if (!endPixels.isNull()) PutRasterPixels(end.topLeft(), endPixels);
}

QColor PaletteQColor(Colour colour) {
  return QColor(KernGraf.Palette[static_cast<int>(colour) & 0xFF]);
}

void TakeFontMetrics() {
  if (!CanMeasure()) return;
  QFontMetrics metrics = ConsoleFontMetrics();
  KernGraf.CharWidth = metrics.horizontalAdvance(QStringLiteral("T"));
  KernGraf.LineHeight = metrics.height();
}

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

int MaxX() {
  return FensterGraf.Window ? FensterGraf.Window->width() - 1 : KernGraf.ScreenWidth - 1;
}

int MaxY() {
  return FensterGraf.Window ? FensterGraf.Window->height() - 1 : KernGraf.ScreenHeight - 1;
}

int CharWidth() { return KernGraf.CharWidth; }
int LineHeight() { return KernGraf.LineHeight; }

void ClearScreen() {
  KernGraf.OverlayBackup = QImage();  // nothing beneath to give back any more
  KernGraf.WrittenText = QRect();
  if (Raster().isNull()) return;
  QPainter painter;
  BeginRasterPainter(painter);
  painter.fillRect(QRect(0, 0, KernGraf.ScreenWidth, KernGraf.ScreenHeight), Qt::white);
  MarkRasterDirty();
}

void DrawLine(int x1, int y1, int x2, int y2, Colour colour) {
  KernGraf.PenColour = PaletteQColor(colour);
  if (Raster().isNull()) return;
  QPainter painter;
  BeginRasterPainter(painter);
  DrawConsoleLine(painter, KernGraf.PenColour, x1, y1, x2, y2);
  MarkRasterDirty();
}

void SetTextAlign(AlignH horizontal, AlignV vertical) {
  KernGraf.TextAlignH = horizontal;
  KernGraf.TextAlignV = vertical;
}

AlignH HorizontalTextAlign() { return KernGraf.TextAlignH; }

void SetTextBackground(Colour colour) { KernGraf.TextBackground = colour; }

Colour TextBackground() { return KernGraf.TextBackground; }

TBox DrawText(int x, int y, const std::string& text, Colour colour) {
  KernGraf.FontColour = PaletteQColor(colour);
  if (text.empty() || Raster().isNull() || !CanMeasure()) return {x, y, 0, 0};
  QString s = ToQString(text);
  QFontMetrics metrics = ConsoleFontMetrics();
  int w = metrics.horizontalAdvance(s);
  int h = metrics.height();
  const QRect cell = TextCell(x, y, w, h);
  const int left = cell.left(), top = cell.top();

  QPainter painter;
  BeginRasterPainter(painter);
  if (KernGraf.TextBackground != Colour::Transparent)
    painter.fillRect(QRect(left, top, w, h), PaletteQColor(KernGraf.TextBackground));
  painter.setFont(KernGraf.Font);
  painter.setPen(KernGraf.FontColour);
  painter.drawText(QPoint(left, top + metrics.ascent()), s);
  MarkRasterDirty();
  return {left, top, w, h};
}

void DrawOverlayText(int x, int y, const std::string& text, Colour colour) {
  RemoveOverlayText();
  if (text.empty() || Raster().isNull() || !CanMeasure()) return;
  QFontMetrics metrics = ConsoleFontMetrics();
  const QRect screen(0, 0, KernGraf.ScreenWidth, KernGraf.ScreenHeight);
  const QRect box = TextCell(x, y, metrics.horizontalAdvance(ToQString(text)), metrics.height())
                        .intersected(screen);
  if (box.isEmpty()) return;
  const QRect pixels = DeviceRect(box).intersected(Raster().rect());
  KernGraf.OverlayBackup = Raster().copy(pixels);
  KernGraf.OverlayAt = pixels.topLeft();
  DrawText(x, y, text, colour);
}

void RemoveOverlayText() {
  if (KernGraf.OverlayBackup.isNull()) return;
  if (!Raster().isNull()) {
    PutRasterPixels(KernGraf.OverlayAt, KernGraf.OverlayBackup);
    MarkRasterDirty();
  }
  KernGraf.OverlayBackup = QImage();
}

void SetCursor(int x, int y) {
  KernGraf.CursorX = x;
  KernGraf.CursorY = y;
}

void WriteText(const std::string& text) {
  int w = CanMeasure() ? ConsoleFontMetrics().horizontalAdvance(ToQString(text)) : 0;
  if (KernGraf.CursorX + w > MaxX()) {
    KernGraf.CursorX = KernGraf.CharWidth;
    KernGraf.CursorY += KernGraf.LineHeight;
  }
  NoteWritten(DrawText(KernGraf.CursorX, KernGraf.CursorY, text, Colour::Black));
  KernGraf.CursorX += w;
}

void WriteLine(const std::string& text) {
  NoteWritten(DrawText(KernGraf.CursorX, KernGraf.CursorY, text, Colour::Black));
  KernGraf.CursorX = KernGraf.CharWidth;
  // No scrolling: at the bottom, later lines are drawn over the last one.
  if (KernGraf.CursorY < KernGraf.ScreenHeight) KernGraf.CursorY += KernGraf.LineHeight;
}

void SelectFont(const std::string& name, int points, int bold) {
  QString family = ToQString(name);
  QFont font(family, points > 0 ? points : 1);
  font.setBold(bold == 1);
  // Exact pixels and whole-pixel advances, like the bitmap fonts the layout was made for:
  // n characters of a monospaced font are exactly n x CharWidth wide.
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  // "Courier" must stay monospaced where the font itself is missing.
  if (family.startsWith(QStringLiteral("Courier"), Qt::CaseInsensitive)) {
    font.setStyleHint(QFont::TypeWriter, QFont::NoAntialias);
    font.setFixedPitch(true);
  }
  KernGraf.Font = font;
  TakeFontMetrics();
}

void InitConsole(const std::string& fontName, int points, int bold) {
  SelectFont(fontName, points, bold);
  ClearScreen();
}

void SetFillColour(int intensity, Colour colour, Colour border) {
  long double k = std::nearbyint(static_cast<long double>(intensity) * 1.15L);
  if (k > 255) k = 255;
  QRgb base = KernGraf.Palette[static_cast<int>(colour) & 0xFF];
  auto scale = [k](int channel) {
    return ClampChannel(static_cast<long long>(
        std::nearbyint(static_cast<long double>(channel) / 255 * k)));
  };
  KernGraf.FillColour = QColor(scale(qRed(base)), scale(qGreen(base)), scale(qBlue(base)));
  KernGraf.BrushColour = KernGraf.FillColour;
  KernGraf.FillOutlined = colour != border;
  KernGraf.BorderColour = border;
}

void FillBox(int x, int y, int width, int height) {
  if (KernGraf.FillOutlined) KernGraf.PenColour = PaletteQColor(KernGraf.BorderColour);
  if (Raster().isNull()) return;
  QPainter painter;
  BeginRasterPainter(painter);
  if (width > 0 && height > 0) painter.fillRect(QRect(x, y, width, height), KernGraf.FillColour);
  if (KernGraf.FillOutlined) {
    // Four lines without their end points: a frame of (w + 1) x (h + 1) pixels.
    const QColor& pen = KernGraf.PenColour;
    DrawConsoleLine(painter, pen, x, y, x + width, y);
    DrawConsoleLine(painter, pen, x + width, y, x + width, y + height);
    DrawConsoleLine(painter, pen, x + width, y + height, x, y + height);
    DrawConsoleLine(painter, pen, x, y + height, x, y);
  }
  MarkRasterDirty();
}

void FillPolygon(const std::vector<TPoint>& points) {
  if (points.empty() || Raster().isNull()) return;
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& p : points) polygon << QPoint(p.X, p.Y);
  QPainter painter;
  BeginRasterPainter(painter);
  // Filled where it lies; the outline follows in a second pass, moved with the pen.
  painter.setPen(Qt::NoPen);
  painter.setBrush(KernGraf.FillColour);
  painter.drawPolygon(polygon, Qt::OddEvenFill);
  if (KernGraf.FillOutlined) {
    // The outline takes the pen colour, not BorderColour.
    painter.translate(StrokeOffset(), StrokeOffset());
    painter.setPen(ConsolePen(KernGraf.PenColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(polygon, Qt::OddEvenFill);
  }
  MarkRasterDirty();
}

void SetPaletteEntry(int index, int factor, int r, int g, int b) {
  QRgb colour = qRgb(ClampChannel(static_cast<long long>(factor) * r),
                     ClampChannel(static_cast<long long>(factor) * g),
                     ClampChannel(static_cast<long long>(factor) * b));
  QImage& raster = Raster();
  if (!raster.isNull()) {
    // The raster decides what it can represent; the colour stays in logical pixel (0, 0).
    raster.setPixel(0, 0, colour);
    colour = raster.pixel(0, 0);
    const QRect first = DeviceRect(QRect(0, 0, 1, 1)).intersected(raster.rect());
    for (int y = first.top(); y <= first.bottom(); ++y)
      for (int x = first.left(); x <= first.right(); ++x) raster.setPixel(x, y, colour);
    MarkRasterDirty();
  }
  KernGraf.Palette[index & 0xFF] = colour;
}

void InstallPalette() {
  for (int i = 0; i < 256; ++i) {
    const int* base = BaseColours[i % 16];
    SetPaletteEntry(i, 4, base[0], base[1], base[2]);
  }
  SetPaletteEntry(static_cast<int>(Colour::White), 1, 255, 255, 255);
  SetTextBackground(Colour::White);
}

uint32_t PaletteColour(int index) { return KernGraf.Palette[index & 0xFF] & 0xFFFFFFu; }

double PixelRatio() {
  const QImage& raster = Raster();
  return raster.isNull() ? 1.0 : raster.devicePixelRatio();
}

uint32_t PixelAt(int x, int y) {
  const QImage& raster = Raster();
  if (raster.isNull() || !OnScreen(x, y)) return 0;
  // The device pixel under the logical pixel's centre.
  const qreal ratio = raster.devicePixelRatio();
  const QPoint at(static_cast<int>((x + 0.5) * ratio), static_cast<int>((y + 0.5) * ratio));
  return raster.valid(at) ? raster.pixel(at) & 0xFFFFFFu : 0;
}

}  // namespace console
