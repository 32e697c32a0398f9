// Windows stay where the user can reach them: a saved size is taken only when it is whole, and
// hiding without a tray leaves the calculator on the task bar.
#include <QFile>
#include <QWindow>

#include "ui/tray_icon.h"
#include "ui/window_places.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

class WindowReachTest : public QObject {
  Q_OBJECT

 private slots:
  // A stored side of zero (a damaged or half-written file) leaves the window's own size; the
  // windows opened on demand take each side above their minimum on its own.
  void savedSizeIsTakenOnlyWhenWhole_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("minimumSide");
    QTest::addColumn<QSize>("size");
    QTest::newRow("both sides") << 300 << 200 << 0 << QSize(300, 200);
    QTest::newRow("no width") << 0 << 200 << 0 << QSize(150, 100);
    QTest::newRow("no height") << 300 << 0 << 0 << QSize(150, 100);
    QTest::newRow("width only, on demand") << 300 << 0 << 5 << QSize(300, 100);
    QTest::newRow("height at the minimum, on demand") << 300 << 5 << 5 << QSize(300, 100);
  }
  void savedSizeIsTakenOnlyWhenWhole() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, minimumSide);
    QFETCH(QSize, size);
    QWidget window;
    window.resize(150, 100);
    PlaceWindow(&window, WindowPlace{100, 120, height, width}, minimumSide);
    QCOMPARE(window.size(), size);
    QCOMPARE(window.geometry().topLeft(), QPoint(100, 120));
  }

  // With "hide on minimize" and no tray to come back from, the close box and minimising leave the
  // calculator minimised on the task bar, never hidden.
  void hideOnMinimizeWithoutATrayKeepsTheWindowShown_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("close box") << true;
    QTest::newRow("minimise") << false;
  }
  void hideOnMinimizeWithoutATrayKeepsTheWindowShown() {
    QFETCH(bool, closeBox);
    if (TrayIcon::Available()) QSKIP("a tray is there to hide in");
    ProgramFolder folder;
    QFile settings(folder.File(QStringLiteral("tallyman.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write("[SETS]\nHideOnMin=1\n") > 0);
    settings.close();
    ScriptedAnswerer answerer;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    if (closeBox) {
      window->windowHandle()->close();  // as the window system's close, not the program's own
    } else {
      window->showMinimized();
    }
    QTRY_VERIFY(window->isMinimized());
    QCoreApplication::processEvents();  // hiding after a state change is posted
    QVERIFY(window->isMinimized() && window->isVisible());
  }
};

QTEST_MAIN(WindowReachTest)
#include "window_reach_test.moc"
