// TGrundfenster: the full-screen main window that shows the console's raster.
#pragma once
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace console {
class TGrundfenster : public QWidget {
  Q_OBJECT

 public:
  // A frameless window covering a screen of this (logical) size; the raster has the same size
  // in device pixels: times the screen's device pixel ratio.
  explicit TGrundfenster(QSize screenSize);

  QImage Raster;

  // One timer tick: the tick procedure, then a repaint if anything was drawn.
  void OnTimer();
  int TimerInterval() const { return Timer.interval(); }

  static constexpr int BusyInterval = 1;     // ms, while keys come or ticks draw
  static constexpr int RestingInterval = 10;  // ms, once the program has been idle a while
  static constexpr int IdleTicksBeforeRest = 100;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void OnKeyPressed(const QString& text);
  // Back to the 1 ms tick.
  void Awake();

  QTimer Timer;
  int IdleTicks = 0;     // ticks in a row that found no key and drew nothing
};
}  // namespace console
