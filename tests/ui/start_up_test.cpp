// What starting costs and decides: the main window is built without reading an image file, the
// one-running-copy rule takes stale locks over but not a starting copy's, and the option acts as
// soon as it is ticked.
#include "ui/start_up.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLockFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "ui/program_style.h"
#include "ui_test_support.h"

using tallyman::platform::SingleInstance;
using tallyman::platform::TerminationSignals;
using Standing = SingleInstance::Standing;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// The libraries mapped into this process whose path holds the text.
QStringList MappedLibraries(const QString& part) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return {QStringLiteral("(no /proc/self/maps)")};
  QStringList found;
  for (const QByteArray& line : maps.readAll().split('\n')) {
    const QString path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
    if (line.contains('/') && path.contains(part) && !found.contains(path)) found << path;
  }
  return found;
}

// OnlyOne set in the folder's settings file.
void SetOnlyOne(const ProgramFolder& folder) {
  WriteFile(folder.File(QStringLiteral("tallyman.ini")), "[SETS]\r\nOnlyOne=1\r\n");
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  // Runs first: any window built before would already have loaded what is looked for.
  void mainWindowIsBuiltWithoutImagePlugins() {
    const QPalette themes = QApplication::palette();
    InstallProgramStyle();
    QCOMPARE(QApplication::palette(), themes);
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, tallyman::Locale::English(), answerer.Ui());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(MappedLibraries(QStringLiteral("/imageformats/")), QStringList());

    // The arrow of the menus that do not fit is there, in the theme's button text colour.
    const auto* more = window->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    QVERIFY(more);
    const QImage arrow = more->icon().pixmap(16, 16).toImage();
    const QRgb ink = QApplication::palette().color(QPalette::ButtonText).rgb();
    int inked = 0;
    for (int y = 0; y < arrow.height(); ++y) {
      for (int x = 0; x < arrow.width(); ++x)
        inked += (arrow.pixel(x, y) | 0xFF000000) == (ink | 0xFF000000) && qAlpha(arrow.pixel(x, y)) > 200;
    }
    QVERIFY2(inked >= 8, qPrintable(QString::number(inked)));
    QCOMPARE(qAlpha(arrow.pixel(0, 0)), 0);  // on the button's own ground
    QCOMPARE(qAlpha(arrow.pixel(15, 15)), 0);
  }

  void LockNobodyHoldsIsTakenOver_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("random bytes") << QByteArray::fromHex("9f00c3ff1a7e0a0a41ee02");
  }
  void LockNobodyHoldsIsTakenOver() {
    QFETCH(QByteArray, contents);
    ProgramFolder folder;
    SetOnlyOne(folder);
    QTemporaryDir runtime;
    SingleInstance instance(runtime.path());
    WriteFile(instance.LockFilePath(), contents);

    QVERIFY(ClaimOnlyCopy(folder.Paths(), instance));
    // Taken for real: a later copy is turned away and heard.
    SingleInstance later(runtime.path());
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
    QVERIFY(later.SendShowRequest());
  }

  // A copy that has just taken the lock and does not listen yet keeps it; this start ends.
  void StartingCopysLockIsKept() {
    ProgramFolder folder;
    SetOnlyOne(folder);
    QTemporaryDir runtime;
    SingleInstance instance(runtime.path());
    QLockFile starting(instance.LockFilePath());
    QVERIFY(starting.tryLock(0));

    QVERIFY(!ClaimOnlyCopy(folder.Paths(), instance));
    QVERIFY(QFile::exists(instance.LockFilePath()));
    SingleInstance later(runtime.path());
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
  }

  void OnlyOneActsWhenTicked() {
    ProgramFolder folder;
    QTemporaryDir runtime;
    SingleInstance instance(runtime.path());
    TerminationSignals termination;
    auto window = MakeWindow(folder, tallyman::Locale::English(), MakeUiServices());
    ConnectOutsideRequests(*window, instance, termination);
    QAction* onlyOne = window->Actions().mOnlyOne;
    QVERIFY(!onlyOne->isChecked());
    SingleInstance later(runtime.path());

    onlyOne->setChecked(true);
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
    QVERIFY(later.SendShowRequest());

    onlyOne->setChecked(false);
    QCOMPARE(later.Claim(), Standing::kFirst);
    later.Release();
    onlyOne->setChecked(true);  // and again
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
  }
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
