// The calculator on Qt's wayland platform under a headless compositor (wayland_run.sh, inside
// portal_run.sh for the mock portal): the services a Wayland session gets, and the main window
// shown, taking a calculation, toggled by the hot key and closed with its settings written.
#include <QFileInfo>
#include <QGuiApplication>

#include "platform/desktop_services.h"
#include "tests/ui/ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

class WaylandWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void runsOnWayland() {
    QVERIFY2(QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
             qPrintable(QGuiApplication::platformName()));
  }

  void theSessionGetsThePortalsHotKey() {
    const platform::DesktopServices services = platform::MakeDesktopServices();
    QVERIFY(services.hotKey->Available());
    QVERIFY(!services.lockKeys->Available());
    QVERIFY(!services.activation->CanKeepAbove());
    QCOMPARE(services.activation->Reason(), platform::Absence::kWayland);
  }

  void theMainWindowShowsCalculatesAndCloses() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    FormTallyman window(Locale::English(), folder.Paths());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    Type(window, "12+5=");
    QCOMPARE(TapeRows(window), (QStringList{"\t=12", "+5\t=17"}));
    QCOMPARE(window.Ed()->text(), QStringLiteral("17"));

    // The compositor decides about activation; asking must neither fail nor hide the window for good.
    window.Desktop().HotKeyMessage(false);
    window.Desktop().HotKeyMessage(false);
    window.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.CloseWithoutQuestion();
    QVERIFY(!window.isVisible());
    QVERIFY(QFileInfo(folder.File(QStringLiteral("tallyman.ini"))).size() > 0);
    QVERIFY(answerer.asked.empty());
  }
};

QTEST_MAIN(WaylandWindowTest)
#include "wayland_window_test.moc"
