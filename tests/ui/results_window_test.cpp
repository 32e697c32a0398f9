// The results window: entries and total, comments, delete, go to, clear all and the two saves.
#include <QAction>
#include <QFile>
#include <QLineEdit>

#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

Q_DECLARE_METATYPE(tallyman::Locale)

class ResultsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_answerer = std::make_unique<ScriptedAnswerer>(); }
  void cleanup() { m_answerer.reset(); }

  void threeCalculationsGiveThreeEntriesAndTheirSum_data() {
    QTest::addColumn<Locale>("locale");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("total");
    QTest::newRow("ru") << Locale::Russian() << QStringList{"1+2\t=3", "3*4\t=12", "10/4\t=2,5"} << "17,5";
    QTest::newRow("en") << Locale::English() << QStringList{"1+2\t=3", "3*4\t=12", "10/4\t=2.5"} << "17.5";
  }

  void threeCalculationsGiveThreeEntriesAndTheirSum() {
    QFETCH(Locale, locale);
    QFETCH(QStringList, rows);
    QFETCH(QString, total);
    ProgramFolder folder;
    auto window = MakeWindow(folder, locale, m_answerer->Ui());
    Type(*window, "1+2=3*4=10/4=");  // a digit after "=" starts the next calculation
    QCOMPARE(ResultRows(*window), rows);
    QCOMPARE(window->Results()->EdRes()->text(), total);
  }

  void commandsAreDisabledOnAnEmptyList() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Results()->ShowWindow();
    const QStringList commands{"mSave", "mSaveAll", "mEdit", "mDelete", "mResult", "mGoTo", "mClearAll"};
    const auto enabled = [&window, &commands] {
      QStringList on;
      for (const QString& name : commands) {
        if (window->Results()->findChild<QAction*>(name)->isEnabled()) on << name;
      }
      return on;
    };
    QCOMPARE(enabled(), QStringList());
    Type(*window, "1+2=");
    QCOMPARE(enabled(), commands);
    window->Calc().ClearAllResults();
    QCOMPARE(enabled(), QStringList());
  }

  void pressingEqualsTwiceRecordsOnce() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2==");
    Type(*window, "5*5=");
    QCOMPARE(ResultRows(*window), (QStringList{"1+2\t=3", "5*5\t=25"}));
    QCOMPARE(window->Results()->EdRes()->text(), QString("28"));
  }

  // The windows repaint from the calculator's notices, whoever called it.
  void directCalculatorCallsRepaintBothWindows() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Results()->EnsureContents();
    for (wchar_t key : Text(L"7+5")) window->Calc().KeyPress(key);
    QCOMPARE(window->Ed()->text(), QString("5"));
    QCOMPARE(window->S1()->text(), QString("+"));
    window->Calc().CloseCalculation();
    QCOMPARE(window->Ed()->text(), QString("12"));
    QCOMPARE(window->S1()->text(), QString("="));
    QCOMPARE(window->Results()->EdRes()->text(), QString("12"));
    window->Calc().ClearAllResults();
    QCOMPARE(window->Results()->EdRes()->text(), QString());
    QCOMPARE(window->Ed()->text(), QString());
  }

  void commentReplacesTheDescription() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2=");
    m_answerer->Queue(DialogResult::kOk, "rent");
    window->Results()->EditComment();
    QCOMPARE(m_answerer->asked.back().title, QString("Комментарии"));
    QCOMPARE(m_answerer->asked.back().text, QString("любой текст:"));
    QCOMPARE(m_answerer->asked.back().inputText, QString("1+2"));
    QCOMPARE(ResultRows(*window), QStringList{"rent\t=3"});
    Type(*window, "+1=");  // a recomputation keeps the comment
    QCOMPARE(ResultRows(*window), QStringList{"rent\t=4"});
  }

  void deletingTheOnlyEntryEmptiesEverything() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2=");
    window->Results()->ShowWindow();
    window->Results()->Lm()->setFocus();
    QTest::keyClick(window->Results()->Lm(), Qt::Key_Delete);
    QCOMPARE(ResultRows(*window), QStringList{});
    QCOMPARE(TapeRows(*window), QStringList{});
    QCOMPARE(window->Results()->EdRes()->text(), QString());
  }

  void goToBringsAnOlderCalculationBack() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2=");
    Type(*window, "7*3=");
    window->Calc().SelectResult(0);
    window->Results()->GoToEntry();
    QCOMPARE(TapeRows(*window), (QStringList{"\t=1", "+2\t=3"}));
    Type(*window, "+4=");  // rewrites the older entry
    QCOMPARE(ResultRows(*window), (QStringList{"3+4\t=7", "7*3\t=21"}));
  }

  void clearAllAsksFirst() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    Type(*window, "1+2=");
    m_answerer->Queue(DialogResult::kNo);
    window->Results()->ClearAll();
    QCOMPARE(ResultRows(*window).size(), 1);
    QCOMPARE(m_answerer->asked.back().text, QString("Будет удалено вообще всё!!!"));
    m_answerer->Queue(DialogResult::kYes);
    window->Results()->ClearAll();
    QCOMPARE(ResultRows(*window), QStringList{});
    QCOMPARE(window->Results()->EdRes()->text(), QString());
  }

  void takeEntryIntoTheEntryLine() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2=");
    Type(*window, "5*5=");
    window->Calc().SelectResult(0);
    window->Results()->TakeEntry();
    QCOMPARE(window->Ed()->text(), QString("3"));
    QCOMPARE(TapeRows(*window), QStringList{});
  }

  void totalMovesIntoTheEntryLine() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1000+2000=");
    Type(*window, "5=");
    window->DropOnEntry(kDragFromTotal, 0);
    QCOMPARE(window->Ed()->text(), QString("3005"));
  }

  void savesWriteRowsAndTapes() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2=");
    const QString rows = folder.File("rows.txt");
    const QString all = folder.File("all.txt");
    QVERIFY(window->Results()->SaveRows(rows));
    QVERIFY(window->Results()->SaveRowsWithTapes(all));
    QFile rowsFile(rows);
    QVERIFY(rowsFile.open(QIODevice::ReadOnly));
    QCOMPARE(rowsFile.readAll(), QByteArray("1+2\t=3\r\n"));
    QFile allFile(all);
    QVERIFY(allFile.open(QIODevice::ReadOnly));
    QCOMPARE(allFile.readAll(), QByteArray("\r\n\t=1\r\n+2\t=3\r\n\r\n1+2\t=3\r\n\r\n"));
  }

  void saveToAMissingFolderIsReported() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    Type(*window, "1+2=");
    QVERIFY(!window->Results()->SaveRows(folder.File("missing/rows.txt")));
    QCOMPARE(m_answerer->Texts(), QStringList{"Ошибка в файле!"});
  }

  void escapeAndF2CloseTheWindow_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("F2") << int(Qt::Key_F2);
  }

  void escapeAndF2CloseTheWindow() {
    QFETCH(int, key);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    QTest::keyClick(window->Ed(), Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(window->Results()->isVisible());
    QTest::keyClick(window->Results()->Lm(), static_cast<Qt::Key>(key));
    QVERIFY(!window->Results()->isVisible());
  }

 private:
  std::unique_ptr<ScriptedAnswerer> m_answerer;
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
