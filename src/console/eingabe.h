// TEingabeDialog: the modal input dialog with a prompt, one text field, "OK" and "Abbruch".
#pragma once
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace console {
class TEingabeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TEingabeDialog(QWidget* parent);

  // Sizes, fills and centres the dialog for a prompt and its default text.
  void Prepare(const std::string& prompt, const std::string& text);
  // Focus into the field with its whole text selected, so typing replaces the default.
  void Naechster();
  // "Abbruch": closes the dialog; the caller ends the program.
  void EscBtnClick();
  // The Esc key and closing the window count as "Abbruch".
  void reject() override;

  bool AbortRequested = false;

  QLabel* Label1;
  QLineEdit* Edit;
  QPushButton* OKBtn;
  QPushButton* EscBtn;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

// Where a dialog of this outer size goes on the client area: centred when that hides nothing
// of the text the question refers to, else below, right of, left of or above that text,
// whichever fits on the screen first, else where it hides the least of it.
QPoint DialogPlace(const QRect& client, const QSize& dialog, const QRect& text);
}  // namespace console
