// Response times of the main window with large tapes: a key press with 10,000 rows on the tape
// and 1,000 results until the tape is repainted, and loading a 100,000-row tape file until it is
// shown. Prints the figures; fails only far beyond the budgets, so a busy machine does not fail.
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>

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
    double worst = 0;
    double total = 0;
    for (const QChar key : keys) {
      QElapsedTimer timer;
      timer.start();
      TypeText(window->Ed(), QString(key));
      Repaint(*window);
      const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      worst = std::max(worst, ms);
      total += ms;
    }
    QCOMPARE(window->Lb()->model()->rowCount(), 10005);
    qInfo("key press to repainted tape, 10,000 rows and 1,000 results: mean %.2f ms, worst %.2f ms (budget 5 ms)",
          total / static_cast<double>(keys.size()), worst);
    QVERIFY2(worst < 50, "far beyond the 5 ms budget");
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
    qInfo("loading, recomputing and showing a 100,000-row tape: %.1f ms (budget 400 ms)", ms);
    QVERIFY2(ms < 4000, "far beyond the 400 ms budget");
  }
};

QTEST_MAIN(PerformanceTest)
#include "performance_test.moc"
