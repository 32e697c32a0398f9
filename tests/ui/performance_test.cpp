// The main window with large tapes: a key press with 10,000 rows on the tape and 1,000 results,
// and loading a 100,000-row tape file. The timing lives in bench/window/window_bench.cpp; here only a
// smoke bound generous enough for a loaded machine catches a change that makes them hopeless.
#include <QElapsedTimer>
#include <QFile>

#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

void WriteTape(const QString& path, int rows) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QByteArray text = "\t=1\r\n";
  for (int i = 1; i < rows; ++i) text += "+1\t=0\r\n";  // running results are recomputed on load
  file.write(text);
}

// Paints the tape now, as the next frame would.
void Repaint(FormTallyman& window) {
  window.Lb()->viewport()->repaint();
  window.PanTop()->repaint();
}

}  // namespace

class PerformanceTest : public QObject {
  Q_OBJECT

 private slots:
  void keyPressWithALargeTape() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian());
    for (int i = 0; i < 1000; ++i) {
      for (const wchar_t key : {L'1', L'+', L'2', L'='}) window->Calc().KeyPress(key);
    }
    WriteTape(folder.File("big.txt"), 10000);
    window->LoadTapeFromFile(folder.File("big.txt"));
    QCOMPARE(window->Lb()->model()->rowCount(), 10000);
    QVERIFY(window->Calc().ResultsList().Count() >= 1000);
    Repaint(*window);

    const QString keys = "+5*2-3/4+7=";
    double total = 0;
    for (const QChar key : keys) {
      QElapsedTimer timer;
      timer.start();
      TypeText(window->Ed(), QString(key));
      Repaint(*window);
      const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      total += ms;
    }
    QCOMPARE(window->Lb()->model()->rowCount(), 10005);
    QVERIFY2(total < 5000, "a key press takes seconds");
  }

  void loadingAHundredThousandRows() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian());
    WriteTape(folder.File("huge.txt"), 100000);
    QElapsedTimer timer;
    timer.start();
    window->LoadTapeFromFile(folder.File("huge.txt"));
    Repaint(*window);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    QCOMPARE(window->Lb()->model()->rowCount(), 100000);
    QCOMPARE(window->Ed()->text(), QString("100") + kNbsp + "000");
    QVERIFY2(ms < 60000, "loading takes a minute");
  }
};

QTEST_MAIN(PerformanceTest)
#include "performance_test.moc"
