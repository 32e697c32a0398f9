// The one-running-copy rule at start and while the program runs: stale locks are taken over, a
// starting copy's lock is not, and the option acts as soon as it is ticked.
#include "ui/start_up.h"

#include <QAction>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/single_instance.h"
#include "platform/termination_signals.h"
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

// OnlyOne set in the folder's settings file.
void SetOnlyOne(const ProgramFolder& folder) {
  WriteFile(folder.File(QStringLiteral("tallyman.ini")), "[SETS]\r\nOnlyOne=1\r\n");
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
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
