// KernGraf: AskText, the one way the program asks the user for a text.
#include <QLineEdit>

#include "console_state.h"
#include "eingabe.h"
#include "kern_graf.h"

void SetPromptResponder(PromptResponder responder) {
  ConsoleHooks.Responder = std::move(responder);
}

void AskText(const std::string& prompt, std::string& text) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  if (dialog) dialog->Prepare(prompt, text);
  FlushRaster();  // show what was drawn before the question while the dialog waits

  if (ConsoleHooks.Responder) {
    TPromptScope open;
    std::string answer = text;
    bool ok = ConsoleHooks.Responder(prompt, answer);
    if (!ok) EndProgram(0);
    text = answer;
    return;
  }
  if (!dialog) EndProgram(1);  // no console started: nobody can answer

  dialog->AbortRequested = false;
  {
    TPromptScope open;
    dialog->exec();
  }
  text = ToStdString(dialog->Edit->text());
  // Ended outside the dialog's event loop, so nothing unwinds through Qt.
  if (dialog->AbortRequested) EndProgram(0);
}
