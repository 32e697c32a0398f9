// The tape's tab stop, the clock in the title and the entry line's own edits.
#include <QLineEdit>

#include "ui/tab_stop_delegate.h"
#include "ui/title_clock.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

class LayoutAndClockTest : public QObject {
  Q_OBJECT

 private slots:
  void tabStopUnits_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("panelWidth");
    QTest::addColumn<int>("tabDelta");
    QTest::addColumn<int>("units");
    QTest::newRow("a fifth of the panel") << 14.0 << 262 << 0 << 52;
    QTest::newRow("rounded to nearest") << 14.0 << 263 << 0 << 53;
    QTest::newRow("with the adjustment") << 14.0 << 262 << -3 << 49;
    QTest::newRow("large font") << 20.0 << 262 << 2 << 72;
  }

  void tabStopUnits() {
    QFETCH(double, points);
    QFETCH(int, panelWidth);
    QFETCH(int, tabDelta);
    QFETCH(int, units);
    QCOMPARE(TabStopUnits(points, panelWidth, tabDelta), units);
  }

  void textAfterTheTabStartsAtTheStop_data() {
    QTest::addColumn<int>("leftWidth");
    QTest::addColumn<int>("tabStop");
    QTest::addColumn<int>("position");
    QTest::newRow("short left part") << 30 << 100 << 100;
    QTest::newRow("left part at the stop moves on") << 100 << 100 << 200;
    QTest::newRow("left part beyond two stops") << 250 << 100 << 300;
  }

  void textAfterTheTabStartsAtTheStop() {
    QFETCH(int, leftWidth);
    QFETCH(int, tabStop);
    QFETCH(int, position);
    QCOMPARE(TabStopDelegate::TabPosition(leftWidth, tabStop), position);
  }

  void clockTitle() {
    const QString date = TitleDateText(QDate(2026, 3, 5), QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(date, QString("05 Mar Thu "));
    QCOMPARE(ClockTitle(date, QTime(9, 7, 42)), QString("05 Mar Thu  09:07"));
    const QString russian = TitleDateText(QDate(2026, 3, 5), QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY(russian.startsWith("05 "));
    QVERIFY(russian.endsWith(' '));
  }

  void timerSlowsDownAtTheFirstFullMinute() {
    QCOMPARE(NextTimerInterval(1000, QTime(10, 0, 59)), 1000);
    QCOMPARE(NextTimerInterval(1000, QTime(10, 1, 0)), 30000);
    QCOMPARE(NextTimerInterval(30000, QTime(10, 1, 30)), 30000);
  }

  void entryLinesOwnEditsReachTheModel() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    Type(*window, "123");
    QTest::keyClick(window->Ed(), Qt::Key_Backspace);
    QCOMPARE(window->Ed()->text(), QString("12"));
    Type(*window, "+4=");
    QCOMPARE(TapeRows(*window), (QStringList{"\t=12", "+4\t=16"}));
    Type(*window, "7");
    QTest::keyClick(window->Ed(), Qt::Key_Home);
    QTest::keyClick(window->Ed(), Qt::Key_Delete);
    QCOMPARE(window->Ed()->text(), QString());
    QCOMPARE(window->Calc().Entry().text, Text());
  }

  void selectedEntryIsReplacedByTyping() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    Type(*window, "55");
    window->Ed()->selectAll();
    Type(*window, "8");
    QCOMPARE(window->Ed()->text(), QString("8"));
  }
};

QTEST_MAIN(LayoutAndClockTest)
#include "layout_and_clock_test.moc"
