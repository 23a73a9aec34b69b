// The questions through a scripted responder: sizing, retries, error signal, characters.
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <QTemporaryDir>

#include <deque>
#include <fstream>

#include "console_fixture.h"
#include "eingabe.h"

using namespace console;

namespace {

class PromptTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    InstallPalette();
    ClearScreen();
    answers_.clear();
    defaults_.clear();
    SetPromptResponder([this](const std::string&, std::string& text) {
      defaults_.push_back(text);
      if (answers_.empty()) return false;  // nothing scripted: "Abbruch"
      text = answers_.front();
      answers_.pop_front();
      return true;
    });
  }

  void Answer(std::initializer_list<const char*> answers) {
    for (const char* a : answers) answers_.emplace_back(a);
  }

  std::deque<std::string> answers_;
  std::vector<std::string> defaults_;  // what each question offered
};

TEST_F(PromptTest, AskTextReturnsTheAnswer) {
  Answer({"Neu"});
  std::string text = "alt";
  AskText("Frage", text);
  EXPECT_EQ(text, "Neu");
  EXPECT_EQ(defaults_, std::vector<std::string>{"alt"});
}

TEST_F(PromptTest, DialogSizing) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  Answer({"", "", ""});
  std::string text(20, 'a');
  AskText("Name?", text);  // short prompt, 20 characters: 440 wide, field 300 at 70
  EXPECT_EQ(dialog->width(), 440);
  EXPECT_EQ(dialog->Edit->width(), 300);
  EXPECT_EQ(dialog->Edit->x(), 70);
  EXPECT_EQ(dialog->OKBtn->x(), 90);
  EXPECT_EQ(dialog->EscBtn->x(), 2 * 90 + 81);
  EXPECT_EQ(dialog->Label1->text().toStdString(), "Name?");
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Eingabe");
  // Centred on the window's client area.
  EXPECT_EQ(dialog->x(), (Width - 440) / 2);
  EXPECT_EQ(dialog->y(), (Height - dialog->height()) / 2);

  text.clear();
  AskText("Name?", text);  // empty default: field 150, dialog back to 344
  EXPECT_EQ(dialog->Edit->width(), 150);
  EXPECT_EQ(dialog->width(), 344);
  EXPECT_EQ(dialog->Edit->x(), (344 - 150) / 2);
  EXPECT_EQ(dialog->OKBtn->x(), (344 - 81 - 89) / 3);

  // Characters, not bytes: 20 umlauts count 20.
  text.clear();
  for (int i = 0; i < 20; ++i) text += "ä";
  AskText("Name?", text);
  EXPECT_EQ(dialog->Edit->width(), 300);
  EXPECT_EQ(dialog->width(), 440);
}

TEST_F(PromptTest, FieldWidthCarriesOverToTheNextQuestion) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  Answer({"", ""});
  std::string text(40, '1');
  AskText("Zahl", text);
  EXPECT_EQ(dialog->width(), Width);  // 740 by the rule, held at the screen's width
  text.assign(10, '1');
  AskText("Zahl", text);  // from 600: 3 x 150 = 450 < 600, so 450 + 70
  EXPECT_EQ(dialog->width(), 520);
  EXPECT_EQ(dialog->Edit->width(), 150);
}

// The dialog hides none of the menu it asks about, on screens from 800 x 600 up, and a very
// long default never pushes it or its buttons off the screen.
TEST_F(PromptTest, DialogLeavesTheMenuVisibleAndStaysOnTheScreen) {
  QTemporaryDir folder;
  const std::string title = (folder.path() + "/syzygy.txt").toStdString();
  {
    std::ofstream out(title);
    out << "syzygy\nFinsternisse und Durchgänge\n";
    for (int i = 0; i < 6; ++i) out << std::string(90, 'x') << "\n";
  }
  const struct {
    int W, H;
  } screens[] = {{800, 600}, {1024, 768}, {1280, 800}, {1920, 1080}};
  for (const auto& screen : screens) {
    SCOPED_TRACE(screen.W);
    StartHeadlessConsole(screen.W, screen.H);
    SetExitHandler([](int status) { throw ProgramEnded{status}; });
    InstallPalette();
    ClearScreen();
    SetTextBackground(Colour::White);
    ShowTitleFile(title, "Courier", "15. März 2016", Colour::Black);
    WriteLine("");
    const int top = KernGraf.CursorY - LineHeight();
    for (int i = 0; i < 9; ++i)  // lines as long as the menu's: 39 characters
      WriteLine("  Merkurdurchgang    Mai    2016 --> " + std::to_string(i) + ",");
    const int bottom = KernGraf.CursorY - LineHeight();
    QRect menu;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < screen.W; ++x)
        if (PixelAt(x, y) != 0xFFFFFFu) menu |= QRect(x, y, 1, 1);
    ASSERT_FALSE(menu.isEmpty());
    Answer({"6", ""});
    std::string text = "6";
    AskText("Auswahl (0..8)", text);
    TEingabeDialog* dialog = FensterGraf.Dialog;
    const QRect screenRect(0, 0, screen.W, screen.H);
    EXPECT_FALSE(dialog->frameGeometry().intersects(menu));
    EXPECT_TRUE(screenRect.contains(dialog->frameGeometry()));
    EXPECT_EQ(dialog->height(), 167);

    text = std::string(10000, 'a');
    AskText("Name des Beobachtungsortes", text);
    EXPECT_TRUE(screenRect.contains(dialog->frameGeometry()));
    for (QWidget* part : {static_cast<QWidget*>(dialog->Edit), static_cast<QWidget*>(dialog->OKBtn),
                          static_cast<QWidget*>(dialog->EscBtn)})
      EXPECT_TRUE(dialog->rect().contains(part->geometry()));
  }
  StartHeadlessConsole(Width, Height);
}

TEST_F(PromptTest, LongPromptWidensTheDialog) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  Answer({""});
  std::string prompt = "Eine sehr lange Frage, die breiter ist als das Fenster";
  std::string text;
  AskText(prompt, text);
  int w = QFontMetrics(dialog->Label1->font()).horizontalAdvance(QString::fromStdString(prompt));
  ASSERT_GT(w, 274);
  EXPECT_EQ(dialog->width(), w + 70);
  EXPECT_EQ(dialog->Label1->x(), 35);
  EXPECT_EQ(dialog->Label1->width(), w);
}

TEST_F(PromptTest, AbbruchEndsTheProgram) {
  std::string text = "x";
  try {
    AskText("Frage", text);
    FAIL() << "AskText returned after Abbruch";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.Status, 0);
  }
}

TEST_F(PromptTest, AskIntegerRetriesWithTheErrorSignal) {
  struct Case {
    std::vector<const char*> Answers;
    int32_t Value;
    int Beeps;
  };
  const Case cases[] = {
      {{"42"}, 42, 0},
      {{" 7"}, 7, 0},
      {{"7 ", "7"}, 7, 1},
      {{"$1F"}, 31, 0},
      {{"12:30", "", "-5"}, -5, 2},
      {{"2147483648", "2147483647"}, 2147483647, 1},
  };
  for (const Case& c : cases) {
    answers_.assign(c.Answers.begin(), c.Answers.end());
    defaults_.clear();
    BeepCount = 0;
    std::string text = "1";
    int32_t value = -1;
    AskInteger("Zahl", text, value);
    EXPECT_EQ(value, c.Value) << c.Answers.front();
    EXPECT_EQ(BeepCount, c.Beeps) << c.Answers.front();
    EXPECT_EQ(text, c.Answers.back());
    // Each rejected text is the next default.
    ASSERT_EQ(defaults_.size(), c.Answers.size());
    for (std::size_t i = 1; i < defaults_.size(); ++i) EXPECT_EQ(defaults_[i], c.Answers[i - 1]);
  }
}

TEST_F(PromptTest, ErrorSignalIsCharacterSevenAtTheCursor) {
  QFontMetrics metrics(KernGraf.Font);
  int bell = metrics.horizontalAdvance(QString(QChar(7)));
  SetCursor(100, 200);
  Answer({"x", "3"});
  std::string text;
  int32_t value = 0;
  AskInteger("Zahl", text, value);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(KernGraf.CursorX, 100 + bell);
  EXPECT_EQ(KernGraf.CursorY, 200);
}

TEST_F(PromptTest, AskFloatAcceptsCommaAndKeepsIt) {
  struct Case {
    std::vector<const char*> Answers;
    long double Value;
    int Beeps;
  };
  const Case cases[] = {
      {{"12,5"}, 12.5L, 0},
      {{"12.5"}, 12.5L, 0},
      {{"1e", "1e3"}, 1000, 1},
      {{"-0,25"}, -0.25L, 0},
      {{"", "abc", "2,"}, 2, 2},
  };
  for (const Case& c : cases) {
    answers_.assign(c.Answers.begin(), c.Answers.end());
    BeepCount = 0;
    std::string text = "0";
    long double value = -1;
    AskFloat("Wert", text, value);
    EXPECT_EQ(value, c.Value) << c.Answers.front();
    EXPECT_EQ(BeepCount, c.Beeps) << c.Answers.front();
    EXPECT_EQ(text, c.Answers.back());  // commas as typed
  }
}

TEST_F(PromptTest, AskCharTakesTheLastCharacter) {
  struct Case {
    const char* Before;
    const char* Answer;
    const char* After;
  };
  const Case cases[] = {
      {"j", "Jn", "n"},
      {"n", "ja", "a"},
      {"j", "", "j"},  // an emptied field keeps the previous character
      {"1", "5", "5"},
      {"j", "jä", "ä"},
  };
  for (const Case& c : cases) {
    answers_.assign({c.Answer});
    defaults_.clear();
    std::string character = c.Before;
    AskChar("Frage", character);
    EXPECT_EQ(character, c.After) << c.Answer;
    EXPECT_EQ(defaults_, std::vector<std::string>{c.Before});
  }
}

}  // namespace
