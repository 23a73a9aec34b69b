// The real input dialog, offscreen: keys typed into its field, Enter, Esc and "Abbruch".
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "console_fixture.h"
#include "eingabe.h"

using namespace console;

namespace {

class DialogTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    InstallPalette();
    ClearScreen();
  }

  // Runs the action once the dialog is open (from inside its own event loop).
  static void WhenOpen(std::function<void(TEingabeDialog*)> action) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
      TEingabeDialog* dialog = FensterGraf.Dialog;
      if (dialog->isVisible() && QApplication::activeModalWidget() == dialog) {
        action(dialog);
        *poll = nullptr;  // break the cycle
      } else {
        QTimer::singleShot(5, *poll);
      }
    };
    QTimer::singleShot(0, *poll);
  }
};

TEST_F(DialogTest, TypedTextReplacesTheDefault) {
  WhenOpen([](TEingabeDialog* dialog) {
    QTest::keyClicks(dialog->Edit, "12,5");
    QTest::keyClick(dialog->Edit, Qt::Key_Return);
  });
  std::string text = "7";
  long double value = 0;
  AskFloat("Wert", text, value);
  EXPECT_EQ(value, 12.5L);
  EXPECT_EQ(text, "12,5");
  EXPECT_FALSE(FensterGraf.Dialog->isVisible());
  EXPECT_EQ(FensterGraf.PromptsOpen, 0);
}

TEST_F(DialogTest, EnterAtOnceAcceptsTheDefault) {
  WhenOpen([](TEingabeDialog* dialog) {
    EXPECT_EQ(dialog->Edit->selectedText().toStdString(), "Mein Ort");
    EXPECT_EQ(dialog->focusWidget(), dialog->Edit);
    QTest::keyClick(dialog->Edit, Qt::Key_Return);
  });
  std::string text = "Mein Ort";
  AskText("Ort", text);
  EXPECT_EQ(text, "Mein Ort");
}

TEST_F(DialogTest, UmlautsAndBackspace) {
  WhenOpen([](TEingabeDialog* dialog) {
    QTest::keyClicks(dialog->Edit, "M");
    QTest::sendKeyEvent(QTest::Click, dialog->Edit, Qt::Key_Udiaeresis, QString::fromUtf8("ü"),
                        Qt::NoModifier);
    QTest::keyClicks(dialog->Edit, "nchenx");
    QTest::keyClick(dialog->Edit, Qt::Key_Backspace);
    QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
  });
  std::string text = "Berlin";
  AskText("Ort", text);
  EXPECT_EQ(text, "München");
}

TEST_F(DialogTest, RejectedNumberAsksAgainWithTheBell) {
  static int round;
  round = 0;
  std::function<void(TEingabeDialog*)> answer = [&answer](TEingabeDialog* dialog) {
    ++round;
    if (round == 1) {
      QTest::keyClicks(dialog->Edit, "12x");
      QTest::keyClick(dialog->Edit, Qt::Key_Return);
      WhenOpen(answer);  // the next question
    } else {
      EXPECT_EQ(dialog->Edit->text().toStdString(), "12x");
      QTest::keyClick(dialog->Edit, Qt::Key_End);
      QTest::keyClick(dialog->Edit, Qt::Key_Backspace);
      QTest::keyClick(dialog->Edit, Qt::Key_Return);
    }
  };
  WhenOpen(answer);
  std::string text;
  int32_t value = 0;
  AskInteger("Zahl", text, value);
  EXPECT_EQ(round, 2);
  EXPECT_EQ(value, 12);
  EXPECT_EQ(BeepCount, 1);
}

TEST_F(DialogTest, EscapeEndsTheProgram) {
  WhenOpen([](TEingabeDialog* dialog) {
    QTest::keyClicks(dialog->Edit, "abc");
    QTest::keyClick(dialog->Edit, Qt::Key_Escape);
  });
  std::string text = "x";
  try {
    AskText("Frage", text);
    FAIL() << "AskText returned after Esc";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.Status, 0);
  }
  EXPECT_FALSE(FensterGraf.Dialog->isVisible());
  EXPECT_EQ(FensterGraf.PromptsOpen, 0);
}

TEST_F(DialogTest, AbbruchButtonEndsTheProgram) {
  WhenOpen([](TEingabeDialog* dialog) { QTest::mouseClick(dialog->EscBtn, Qt::LeftButton); });
  std::string text = "x";
  EXPECT_THROW(AskText("Frage", text), ProgramEnded);
  EXPECT_FALSE(FensterGraf.Dialog->isVisible());
  // Where the questions can go back, Esc and the button go back instead.
  SetAbortGoesBack(true);
  WhenOpen([](TEingabeDialog* dialog) { QTest::mouseClick(dialog->EscBtn, Qt::LeftButton); });
  EXPECT_THROW(AskText("Frage", text), PromptAbandoned);
  EXPECT_EQ(FensterGraf.Dialog->EscBtn->toolTip().toStdString(), "Abbruch: zurück zum Bild");
  WhenOpen([](TEingabeDialog* dialog) { QTest::keyClick(dialog->Edit, Qt::Key_Escape); });
  EXPECT_THROW(AskText("Frage", text), PromptAbandoned);
  SetAbortGoesBack(false);
  EXPECT_EQ(FensterGraf.PromptsOpen, 0);
}

TEST_F(DialogTest, TicksWhileTheDialogIsOpenSeeAnInactiveWindow) {
  static int ticks, activeTicks;
  ticks = activeTicks = 0;
  SetTickProcedure([] {
    ++ticks;
    if (MainWindowActive()) ++activeTicks;
  });
  WhenOpen([](TEingabeDialog* dialog) {
    // Let the timer tick a few times under the open dialog, then answer.
    auto waitForTicks = std::make_shared<std::function<void()>>();
    *waitForTicks = [dialog, waitForTicks] {
      if (ticks >= 3) {
        QTest::keyClick(dialog->Edit, Qt::Key_Return);
        *waitForTicks = nullptr;
      } else {
        QTimer::singleShot(2, *waitForTicks);
      }
    };
    (*waitForTicks)();
  });
  std::string text = "x";
  AskText("Frage", text);
  SetTickProcedure(nullptr);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(activeTicks, 0);
  EXPECT_TRUE(MainWindowActive());
}

TEST_F(DialogTest, LayoutAndHints) {
  TEingabeDialog* dialog = FensterGraf.Dialog;
  EXPECT_EQ(dialog->OKBtn->text().toStdString(), "OK");
  EXPECT_EQ(dialog->EscBtn->text().toStdString(), "Abbruch");
  EXPECT_TRUE(dialog->OKBtn->isDefault());
  EXPECT_FALSE(dialog->OKBtn->icon().isNull());
  EXPECT_FALSE(dialog->EscBtn->icon().isNull());
  EXPECT_EQ(dialog->EscBtn->toolTip().toStdString(), "Abbruch des Programmes");
  EXPECT_TRUE(dialog->OKBtn->toolTip().isEmpty());
  EXPECT_TRUE(dialog->Edit->toolTip().isEmpty());
  EXPECT_TRUE(dialog->Label1->toolTip().isEmpty());
  EXPECT_TRUE(dialog->toolTip().isEmpty());
  EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(dialog->height(), 167);
  EXPECT_EQ(dialog->Edit->y(), 65);
  EXPECT_EQ(dialog->OKBtn->y(), 108);
  EXPECT_FALSE(dialog->isVisible());  // hidden until a question
  // The check mark is green and the prohibition sign red.
  QImage ok = dialog->OKBtn->icon().pixmap(18, 18).toImage();
  QImage stop = dialog->EscBtn->icon().pixmap(18, 18).toImage();
  auto hasColour = [](const QImage& image, auto wanted) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) > 200 && wanted(QColor(image.pixel(x, y)))) return true;
    return false;
  };
  EXPECT_TRUE(hasColour(ok, [](QColor c) { return c.green() > 100 && c.red() < 60; }));
  EXPECT_TRUE(hasColour(stop, [](QColor c) { return c.red() > 150 && c.green() < 60; }));
}

}  // namespace
