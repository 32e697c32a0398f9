// The main window with large tapes: a key press with 10,000 rows on the tape and 1,000 results,
// and loading a 100,000-row tape file. How fast lives in bench/window/window_bench.cpp; here only
// what they show.
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

class PerformanceTest : public QObject {
  Q_OBJECT

 private slots:
  void keyPressWithALargeTape() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    for (int i = 0; i < 1000; ++i) {
      for (const wchar_t key : {L'1', L'+', L'2', L'='}) window->Calc().KeyPress(key);
    }
    WriteLongTape(folder.File("big.txt"), 10000);
    window->LoadTapeFromFile(folder.File("big.txt"));
    QCOMPARE(window->Lb()->model()->rowCount(), 10000);
    QVERIFY(window->Calc().ResultsList().Count() >= 1000);
    RepaintNow(*window);

    const QString keys = "+5*2-3/4+7=";
    for (const QChar key : keys) {
      TypeText(window->Ed(), QString(key));
      RepaintNow(*window);
    }
    QCOMPARE(window->Lb()->model()->rowCount(), 10005);
  }

  void loadingAHundredThousandRows() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    WriteLongTape(folder.File("huge.txt"), 100000);
    window->LoadTapeFromFile(folder.File("huge.txt"));
    RepaintNow(*window);
    QCOMPARE(window->Lb()->model()->rowCount(), 100000);
    QCOMPARE(window->Ed()->text(), QString("100") + kNbsp + "000");
  }
};

QTEST_MAIN(PerformanceTest)
#include "performance_test.moc"
