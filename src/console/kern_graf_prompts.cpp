// KernGraf: the questions. AskText is the one way the program asks the user for a text; the
// character and number questions are built on it.
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "console_state.h"
#include "eingabe.h"
#include "number_text.h"
#include "text_codec.h"

namespace console {
using namespace text;
void SetPromptResponder(PromptResponder responder) {
  ConsoleHooks.Responder = std::move(responder);
}

void SetAbortGoesBack(bool goesBack) { FensterGraf.AbortGoesBack = goesBack; }

namespace {
// "Abbruch": back to the one who asked, or the end of the program.
[[noreturn]] void Abandon() {
  if (FensterGraf.AbortGoesBack) throw PromptAbandoned{};
  EndProgram(0);
}
}  // namespace

void AskText(const std::string& prompt, std::string& text) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  if (dialog) dialog->Prepare(prompt, text);
  FlushRaster();  // show what was drawn before the question while the dialog waits

  if (ConsoleHooks.Responder) {
    TPromptScope open;
    std::string answer = text;
    bool ok = ConsoleHooks.Responder(prompt, answer);
    if (!ok) Abandon();
    text = answer;
    return;
  }
  if (!dialog) EndProgram(1);  // no console started: nobody can answer

  dialog->AbortRequested = false;
  dialog->EscBtn->setToolTip(FensterGraf.AbortGoesBack ? QStringLiteral("Abbruch: zurück zum Bild")
                                                       : QStringLiteral("Abbruch des Programmes"));
  {
    TPromptScope open;
    dialog->exec();
  }
  text = ToStdString(dialog->Edit->text());
  // Ended outside the dialog's event loop, so nothing unwinds through Qt.
  if (dialog->AbortRequested) Abandon();
}

void AskChar(const std::string& prompt, std::string& character) {
  std::string text = character;
  AskText(prompt, text);
  // An emptied field keeps the previous character; otherwise the last one typed counts.
  if (!text.empty()) character = LastUtf8Char(text);
}

std::string PromptWithHint(const std::string& prompt, const std::string& hint) {
  return hint.empty() ? prompt : prompt + ": " + hint;
}

void SignalRejectedAnswer() {
  WriteText(std::string(1, '\x07'));
  SystemBeep();
}

void AskInteger(const std::string& prompt, std::string& text, int32_t& value, int32_t min,
                int32_t max, const std::string& hint) {
  std::string shown = hint;
  for (;;) {
    AskText(PromptWithHint(prompt, shown), text);
    int32_t position = 0;
    TextToInteger(text, value, position);
    if (position == 0 && value >= min && value <= max) return;
    shown = position != 0 ? "ganze Zahl erwartet"
                          : "ganze Zahl von " + std::to_string(min) + " bis " +
                                std::to_string(max) + " erwartet";
    SignalRejectedAnswer();
  }
}

void AskFloat(const std::string& prompt, std::string& text, long double& value, long double min,
              long double max) {
  std::string shown;
  for (;;) {
    AskText(PromptWithHint(prompt, shown), text);
    std::string number = text;
    std::replace(number.begin(), number.end(), ',', '.');
    int32_t position = 0;
    TextToFloat(number, value, position);
    if (position == 0 && value >= min && value <= max) return;
    shown = position != 0 ? "Zahl erwartet"
                          : "Zahl von " + FormatNumber(min, 1.0L) + " bis " +
                                FormatNumber(max, 1.0L) + " erwartet";
    SignalRejectedAnswer();
  }
}
}  // namespace console
