// One running copy: two SingleInstance objects over one runtime folder stand for two copies.
#include "platform/single_instance.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using tallyman::platform::SingleInstance;
using Standing = SingleInstance::Standing;

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void LaterCopyReachesTheFirst() {
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    QCOMPARE(first.Claim(), Standing::kFirst);
    QSignalSpy shown(&first, &SingleInstance::ShowRequested);

    SingleInstance later(runtime.path());
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
    QVERIFY(later.SendShowRequest());
    QTRY_COMPARE(shown.count(), 1);
    QVERIFY(later.SendShowRequest());
    QTRY_COMPARE(shown.count(), 2);
  }

  // Another user on the machine cannot reach the socket, whatever the folder allows.
  void OnlyTheUserMayConnect() {
    QTemporaryDir runtime;
    QVERIFY(QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | QFile::ExeOther |
                                                      QFile::ReadOther | QFile::ExeGroup | QFile::ReadGroup));
    SingleInstance first(runtime.path());
    QCOMPARE(first.Claim(), Standing::kFirst);
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QVERIFY(QFileInfo::exists(first.ServerPath()));
    QCOMPARE(QFile::permissions(first.ServerPath()) & others, QFile::Permissions());
  }

  void FirstCopyEndingFreesTheName() {
    QTemporaryDir runtime;
    QCOMPARE(std::make_unique<SingleInstance>(runtime.path())->Claim(), Standing::kFirst);  // and gone
    QVERIFY(QDir(runtime.path()).isEmpty());
    SingleInstance next(runtime.path());
    QCOMPARE(next.Claim(), Standing::kFirst);
  }

  // A copy killed with its lock and socket file left behind: the next start takes both over.
  void KilledCopysLockIsTakenOver() {
    QTemporaryDir runtime;
    SingleInstance next(runtime.path());
    QByteArray contents;
    {
      QLockFile written(next.LockFilePath());
      QVERIFY(written.tryLock(0));
      QFile file(next.LockFilePath());
      QVERIFY(file.open(QIODevice::ReadOnly));
      contents = file.readAll();
      written.unlock();
    }
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    contents.replace(0, contents.indexOf('\n'), QByteArray::number(deadPid));
    QFile stale(next.LockFilePath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(contents);
    stale.close();
    QFile leftover(next.ServerPath());
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    QCOMPARE(next.Claim(), Standing::kFirst);
    QSignalSpy shown(&next, &SingleInstance::ShowRequested);
    SingleInstance later(runtime.path());
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
    QVERIFY(later.SendShowRequest());
    QTRY_COMPARE(shown.count(), 1);
  }

  // The first copy holds the lock but does not listen yet.
  void NobodyListeningIsReported() {
    QTemporaryDir runtime;
    SingleInstance probe(runtime.path());
    QLockFile starting(probe.LockFilePath());
    QVERIFY(starting.tryLock(0));
    SingleInstance later(runtime.path());
    QCOMPARE(later.Claim(), Standing::kAnotherRuns);
    QVERIFY(!later.SendShowRequest(200));
  }

  void UnusableRuntimeFolderRunsAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("not set") << "empty";
    QTest::newRow("missing") << "missing";
    QTest::newRow("a file, not a folder") << "file";
    QTest::newRow("others may write it") << "shared";
    QTest::newRow("socket name too long") << "long";
  }
  void UnusableRuntimeFolderRunsAlone() {
    QFETCH(QString, kind);
    QTemporaryDir base;
    QString folder = base.filePath(QStringLiteral("runtime"));
    if (kind == QLatin1String("empty")) folder.clear();
    if (kind == QLatin1String("file")) {
      QFile file(folder);
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (kind == QLatin1String("shared") || kind == QLatin1String("long")) {
      if (kind == QLatin1String("long")) folder += QLatin1Char('/') + QString(120, QLatin1Char('d'));
      QVERIFY(QDir().mkpath(folder));
      const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
      QVERIFY(QFile::setPermissions(folder, kind == QLatin1String("long") ? own : own | QFile::WriteOther));
    }

    SingleInstance first(folder);
    QCOMPARE(first.Claim(), Standing::kAlone);
    SingleInstance second(folder);
    QCOMPARE(second.Claim(), Standing::kAlone);
    QVERIFY(!second.SendShowRequest(200));
  }

  void OnlyTheExactRequestCounts_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("shows");
    QTest::newRow("the request") << SingleInstance::kShowRequest << 1;
    QTest::newRow("cut short") << SingleInstance::kShowRequest.chopped(1) << 0;
    QTest::newRow("trailing bytes") << SingleInstance::kShowRequest + "x" << 0;
  }
  void OnlyTheExactRequestCounts() {
    QFETCH(QByteArray, message);
    QFETCH(int, shows);
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    QCOMPARE(first.Claim(), Standing::kFirst);
    QSignalSpy shown(&first, &SingleInstance::ShowRequested);

    QLocalSocket client;
    client.connectToServer(first.ServerPath());
    QVERIFY(client.waitForConnected(1000));
    client.write(message);
    client.flush();
    client.disconnectFromServer();
    // A well-formed request from a second client afterwards shows that the first one was handled.
    SingleInstance later(runtime.path());
    QVERIFY(later.SendShowRequest());
    QTRY_COMPARE(shown.count(), shows + 1);
    QTest::qWait(50);
    QCOMPARE(shown.count(), shows + 1);
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
