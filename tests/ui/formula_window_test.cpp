// The formula window opened from the main window as a user opens it: formulas typed or picked from
// the history, their results taken into the tape, and the history file as it is left behind.
#include "ui/formula_window.h"

#include <QFile>
#include <QLineEdit>
#include <QWheelEvent>

#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

void WriteHistory(const ProgramFolder& folder, const QStringList& lines) {
  QFile file(folder.File("TallyForm.txt"));
  if (!file.open(QIODevice::WriteOnly)) return;
  for (const QString& line : lines) file.write(line.toLatin1() + "\r\n");
}

QStringList ReadHistory(const ProgramFolder& folder) {
  QFile file(folder.File("TallyForm.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {"<no file>"};
  return QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

QStringList ListLines(TForm1* form) {
  QStringList lines;
  for (int i = 0; i < form->LbForm()->model()->rowCount(); ++i) {
    lines << form->LbForm()->model()->index(i, 0).data().toString();
  }
  return lines;
}

void InFormulaWindow(FormTallyman& window, std::function<void(TForm1*)> act) {
  InDialogOpenedBy<TForm1>(window.Ed(), Qt::Key_F, std::move(act));
}

}  // namespace

class FormulaWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_answerer = std::make_unique<ScriptedAnswerer>(); }
  void cleanup() { m_answerer.reset(); }

  void resultAfterAnEqualsStartsANewTape() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "2+3=");
    InFormulaWindow(*window, [](TForm1* form) {
      QTest::keyClicks(form->EdForm(), "2*pi*5");
      QTest::keyClick(form->EdForm(), Qt::Key_Return);
      QVERIFY(!form->isVisible());
    });
    QCOMPARE(window->Ed()->text(), QString("31,4159"));
    QCOMPARE(window->Ed()->cursorPosition(), 0);
    QCOMPARE(TapeRows(*window), QStringList());
    QCOMPARE(ResultRows(*window), QStringList{"2+3\t=5"});
    QCOMPARE(ReadHistory(folder), QStringList{"2*pi*5"});
    // the result is an operand like a typed number
    Type(*window, "+1=");
    QCOMPARE(TapeRows(*window), (QStringList{"\t=31,4159", "+1\t=32,4159"}));
  }

  void historyRules_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("formula stored, window closes") << QStringList{"1+1"} << "2*3" << true << QStringList{"2*3", "1+1"};
    QTest::newRow("; line stored without closing")
        << QStringList{"1+1"} << "; rent" << false << QStringList{"; rent", "1+1"};
    QTest::newRow("an error stores nothing") << QStringList{"1+1"} << "1/0" << false << QStringList{"1+1"};
  }

  void historyRules() {
    QFETCH(QStringList, before);
    QFETCH(QString, typed);
    QFETCH(bool, closes);
    QFETCH(QStringList, after);
    ProgramFolder folder;
    WriteHistory(folder, before);
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    bool closed = false;
    InFormulaWindow(*window, [&](TForm1* form) {
      form->EdForm()->setText(typed);
      QTest::keyClick(form->EdForm(), Qt::Key_Return);
      closed = !form->isVisible();
    });
    QCOMPARE(closed, closes);
    QCOMPARE(ReadHistory(folder), after);
  }

  void f12ShowsTheResultThenEnterTakesIt() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    InFormulaWindow(*window, [](TForm1* form) {
      QCOMPARE(form->windowTitle(), QString("Введите (выберите) формулу и нажмите Enter"));
      QTest::keyClicks(form->EdForm(), "2/3");
      QTest::keyClick(form->EdForm(), Qt::Key_F12);
      QVERIFY(form->isVisible());
      QCOMPARE(form->windowTitle(), QString("0,66666667"));
      QCOMPARE(form->EdForm()->selectedText(), QString("2/3"));
      QTest::keyClick(form->EdForm(), Qt::Key_Return);
    });
    QCOMPARE(window->Ed()->text(), QString("0,6667"));
  }

  void divisionByZeroPutsTheCaretBeforeTheLastCharacter() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    window->mLangClick();
    InFormulaWindow(*window, [this](TForm1* form) {
      QTest::keyClicks(form->EdForm(), "1/0");
      QTest::keyClick(form->EdForm(), Qt::Key_Return);
      QVERIFY(form->isVisible());
      QCOMPARE(m_answerer->Texts(), QStringList{"Divide by zero!"});
      QCOMPARE(form->EdForm()->cursorPosition(), 2);
      QVERIFY(!form->EdForm()->hasSelectedText());
      QTest::keyClick(form->EdForm(), Qt::Key_Escape);
      QVERIFY(!form->isVisible());
    });
    QCOMPARE(window->Ed()->text(), QString());
  }

  void keysAndWheelWalkTheHistory() {
    ProgramFolder folder;
    WriteHistory(folder, {"1+1", "2+2", "3+3"});
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    InFormulaWindow(*window, [](TForm1* form) {
      QCOMPARE(form->EdForm()->text(), QString());  // line 0 is selected but not copied
      const struct {
        int key;
        const char* entry;
      } steps[] = {{Qt::Key_Down, "2+2"}, {Qt::Key_Down, "3+3"}, {Qt::Key_Down, "3+3"},
                   {Qt::Key_Up, "2+2"},   {Qt::Key_Up, "1+1"},   {Qt::Key_Up, "1+1"}};
      for (const auto& step : steps) {
        QTest::keyClick(form->EdForm(), static_cast<Qt::Key>(step.key));
        QCOMPARE(form->EdForm()->text(), QString(step.entry));
      }
      const QPoint at = form->LbForm()->viewport()->rect().center();
      QWheelEvent down(at, form->LbForm()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(form->LbForm()->viewport(), &down);
      QCOMPARE(form->EdForm()->text(), QString("2+2"));
      const QRect third = form->LbForm()->visualRect(form->LbForm()->model()->index(2, 0));
      QTest::mouseClick(form->LbForm()->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
      QCOMPARE(form->EdForm()->text(), QString("3+3"));
      QTest::mouseDClick(form->LbForm()->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
      QVERIFY(!form->isVisible());
    });
    QCOMPARE(window->Ed()->text(), QString("6"));
    QCOMPARE(ReadHistory(folder), (QStringList{"3+3", "1+1", "2+2"}));
  }

  void deletingTheLastLineRemovesTheFile() {
    ProgramFolder folder;
    WriteHistory(folder, {"1+1", "2+2"});
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    InFormulaWindow(*window, [this](TForm1* form) {
      form->LbForm()->setFocus();
      m_answerer->Queue(DialogResult::kNo);
      QTest::keyClick(form->LbForm(), Qt::Key_Delete);
      QCOMPARE(ListLines(form), (QStringList{"1+1", "2+2"}));
      m_answerer->Queue(DialogResult::kYes);
      QTest::keyClick(form->LbForm(), Qt::Key_Delete);
      QCOMPARE(ListLines(form), QStringList{"2+2"});
      QCOMPARE(form->EdForm()->text(), QString("2+2"));
      m_answerer->Queue(DialogResult::kYes);
      QTest::keyClick(form->LbForm(), Qt::Key_Delete);
      QCOMPARE(ListLines(form), QStringList());
      form->PreparePopup();
      QVERIFY(!form->MClear()->isEnabled());
      QVERIFY(!form->MDel()->isEnabled());
      QTest::keyClick(form->LbForm(), Qt::Key_Escape);
    });
    QCOMPARE(m_answerer->Texts(), (QStringList{"Удалить строку?", "Удалить строку?", "Удалить строку?"}));
    QVERIFY(!QFile::exists(folder.File("TallyForm.txt")));
  }

  void clearingAllLinesWritesNothingUntilClosed() {
    ProgramFolder folder;
    WriteHistory(folder, {"1+1", "2+2"});
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    window->mLangClick();
    InFormulaWindow(*window, [this, &folder](TForm1* form) {
      form->LbForm()->setFocus();
      m_answerer->Queue(DialogResult::kYes);
      QTest::keyClick(form->LbForm(), Qt::Key_Delete, Qt::ControlModifier);
      QCOMPARE(m_answerer->Texts(), QStringList{"Clear all lines?"});
      QCOMPARE(ListLines(form), QStringList());
      QCOMPARE(ReadHistory(folder), (QStringList{"1+1", "2+2"}));
    });
    QVERIFY(!QFile::exists(folder.File("TallyForm.txt")));
  }

  void pageDownOpensItAndThePlaceIsKept() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    QRect shown;
    WhenDialogOpens<TForm1>([&shown](TForm1* form) {
      QCOMPARE(form->font(), form->parentWidget()->font());
      QCOMPARE(form->EdForm()->width(), form->width() - 50);
      form->resize(620, 200);
      shown = form->geometry();
      form->reject();
    });
    QTest::keyClick(window->Ed(), Qt::Key_PageDown);
    QVERIFY(shown.isValid());
    const WindowPlace place = window->CollectSettings().formulaWindow;
    QCOMPARE(QRect(place.left, place.top, place.width, place.height), shown);
  }

 private:
  std::unique_ptr<ScriptedAnswerer> m_answerer;
};

QTEST_MAIN(FormulaWindowTest)
#include "formula_window_test.moc"
