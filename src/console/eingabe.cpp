// Eingabe: the input dialog, laid out by hand at fixed positions.
#include "eingabe.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

#include "console_state.h"
#include "text_codec.h"

namespace console {
namespace {

constexpr int DesignDialogWidth = 344;
constexpr int ClientHeight = 167;
constexpr int FieldTop = 65;
constexpr int FieldHeight = 21;
constexpr int ButtonTop = 108;
constexpr int LabelTop = 24;
constexpr int IconSize = 18;

QFont SansBold(int pixels) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

// An empty icon canvas of IconSize logical pixels at the density of the sharpest screen.
QPixmap IconCanvas() {
  const qreal ratio = qApp->devicePixelRatio();
  QPixmap pixmap(QSize(IconSize, IconSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A green check mark; Qt greys it itself for a disabled button.
QIcon CheckMarkIcon() {
  QPixmap pixmap = IconCanvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0, 150, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(QPolygonF({QPointF(3, 9.5), QPointF(7.5, 14), QPointF(15, 4)}));
  return QIcon(pixmap);
}

// A red prohibition sign over a black exclamation mark.
QIcon ProhibitionIcon() {
  QPixmap pixmap = IconCanvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawRect(QRectF(8, 3.5, 2, 7.5));
  painter.drawEllipse(QRectF(7.8, 12.3, 2.4, 2.4));
  QPen red(QColor(210, 0, 0), 2.2);
  painter.setPen(red);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRectF(1.5, 1.5, 15, 15));
  painter.drawLine(QPointF(4, 4), QPointF(14, 14));
  return QIcon(pixmap);
}

}  // namespace

TEingabeDialog::TEingabeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(QStringLiteral("Eingabe"));
  setFont(SansBold(11));
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  setFixedSize(DesignDialogWidth, ClientHeight);

  Label1 = new QLabel(QStringLiteral("String-Eingabe"), this);
  Label1->setFont(SansBold(15));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setGeometry(0, LabelTop, 104, 16);

  Edit = new QLineEdit(QStringLiteral("Eingabestring"), this);
  Edit->setGeometry(108, FieldTop, 121, FieldHeight);

  OKBtn = new QPushButton(CheckMarkIcon(), QStringLiteral("OK"), this);
  OKBtn->setGeometry(56, ButtonTop, 81, 29);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

  EscBtn = new QPushButton(ProhibitionIcon(), QStringLiteral("Abbruch"), this);
  EscBtn->setGeometry(208, ButtonTop, 89, 29);
  EscBtn->setToolTip(QStringLiteral("Abbruch des Programmes"));
  connect(EscBtn, &QPushButton::clicked, this, &TEingabeDialog::EscBtnClick);

  setTabOrder(Edit, OKBtn);
  setTabOrder(OKBtn, EscBtn);
  hide();
}

void TEingabeDialog::Prepare(const std::string& prompt, const std::string& text) {
  QString promptText = ToQString(prompt);
  QFontMetrics labelMetrics(Label1->font());
  int dialogWidth = DesignDialogWidth;
  int w = labelMetrics.horizontalAdvance(promptText);
  int e = 15 * static_cast<int>(std::min<std::size_t>(text::Utf8Length(text), 100000));
  if (dialogWidth - 70 < w) dialogWidth = w + 70;

  // The field's width from the previous call only widens the dialog here.
  int fieldWidth = Edit->width();
  if (e + 70 > fieldWidth) fieldWidth = e + 70;
  else if (3 * e < fieldWidth) fieldWidth = 3 * e;
  if (fieldWidth + 70 > dialogWidth) dialogWidth = fieldWidth + 70;

  int okLeft = (dialogWidth - OKBtn->width() - EscBtn->width()) / 3;
  OKBtn->move(okLeft, ButtonTop);
  EscBtn->move(2 * okLeft + OKBtn->width(), ButtonTop);

  fieldWidth = std::max(e, 150);
  Edit->setGeometry((dialogWidth - fieldWidth) / 2, FieldTop, fieldWidth, FieldHeight);
  Edit->clear();
  Edit->setText(ToQString(text));

  Label1->setText(promptText);
  Label1->setGeometry((dialogWidth - w) / 2, LabelTop, w, std::max(16, labelMetrics.height()));

  // The width above is the dialog's outer width; the frame, when the desktop draws one,
  // comes off the client area. A dialog never grows past the screen: the field scrolls.
  const QRect client = MainClientRect();
  const int frameWidth = frameGeometry().width() - geometry().width();
  const int frameHeight = frameGeometry().height() - geometry().height();
  const int outerWidth = std::min(dialogWidth, client.width());
  if (outerWidth < dialogWidth) {
    const int clientWidth = outerWidth - frameWidth;
    Edit->setGeometry(10, FieldTop, std::max(0, clientWidth - 20), FieldHeight);
    okLeft = (clientWidth - OKBtn->width() - EscBtn->width()) / 3;
    OKBtn->move(okLeft, ButtonTop);
    EscBtn->move(2 * okLeft + OKBtn->width(), ButtonTop);
    const int labelWidth = std::min(w, clientWidth);
    Label1->setGeometry((clientWidth - labelWidth) / 2, LabelTop, labelWidth,
                        std::max(16, labelMetrics.height()));
  }
  setFixedSize(outerWidth - frameWidth, ClientHeight);
  const QPoint place = DialogPlace(client, QSize(outerWidth, ClientHeight + frameHeight),
                                   WrittenTextBox());
  move(place);
  setWindowTitle(QStringLiteral("Eingabe"));
}

QPoint DialogPlace(const QRect& client, const QSize& dialog, const QRect& text) {
  const int gap = 8;
  const int centreX = client.x() + (client.width() - dialog.width()) / 2;
  const int centreY = client.y() + (client.height() - dialog.height()) / 2;
  // Centred as usual; else below, beside or above the text the question refers to.
  const QPoint candidates[] = {
      {centreX, centreY},
      {centreX, text.bottom() + 1 + gap},
      {text.right() + 1 + gap, centreY},
      {text.left() - gap - dialog.width(), centreY},
      {centreX, text.top() - gap - dialog.height()},
  };
  auto clamped = [&](QPoint p) {
    const int x = std::clamp(p.x(), client.x(), std::max(client.x(), client.right() + 1 - dialog.width()));
    const int y = std::clamp(p.y(), client.y(), std::max(client.y(), client.bottom() + 1 - dialog.height()));
    return QPoint(x, y);
  };
  auto hidden = [&](QPoint p) {
    const QRect covered = QRect(p, dialog).intersected(text);
    return covered.isEmpty() ? 0LL : static_cast<long long>(covered.width()) * covered.height();
  };
  QPoint best = clamped(candidates[0]);
  for (const QPoint& c : candidates) {
    const QPoint p = clamped(c);
    const bool fits = p == c;
    if (text.isEmpty() || (fits && hidden(p) == 0)) return p;
    if (hidden(p) < hidden(best)) best = p;
  }
  return best;  // the screen is too small to leave the text free: hide as little as possible
}

void TEingabeDialog::Naechster() {
  Edit->setFocus(Qt::OtherFocusReason);
  Edit->selectAll();
}

void TEingabeDialog::EscBtnClick() {
  AbortRequested = true;
  done(QDialog::Rejected);
}

void TEingabeDialog::reject() { EscBtnClick(); }

bool TEingabeDialog::event(QEvent* event) {
  bool handled = QDialog::event(event);
  if (event->type() == QEvent::WindowActivate) Naechster();
  return handled;
}

void TEingabeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Naechster();  // also where no window manager activates the dialog
}
}  // namespace console
