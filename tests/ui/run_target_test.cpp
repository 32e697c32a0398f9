// What Run may hand to the desktop: a bare e-mail address, documents and folders, never a
// program or a launcher, whatever its name.
#include "ui/run_target.h"

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using namespace tallyman::ui;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

class RunTargetTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnlyDocuments_data() {
    QTest::addColumn<QString>("target");  // $DIR is a folder of planted files
    QTest::addColumn<QString>("opened");  // empty: nothing is opened
    // clang-format off
    QTest::newRow("web address without its scheme") << "www.example.org/notes" << "http://www.example.org/notes";
    QTest::newRow("mail parameters dropped") << "x@y.com?attach=/etc/passwd" << "mailto:x@y.com";
    QTest::newRow("mail without a name") << "@y.com" << "";
    QTest::newRow("document") << "$DIR/notes.odt" << "file://$DIR/notes.odt";
    QTest::newRow("link to a document") << "$DIR/notes-link" << "file://$DIR/notes.odt";
    QTest::newRow("folder") << "$DIR" << "file://$DIR";
    QTest::newRow("launcher without its suffix") << "$DIR/launcher" << "";
    QTest::newRow("link to a launcher") << "$DIR/readme" << "";
    QTest::newRow("launcher named with a blank") << "file://$DIR/launcher.desktop%20" << "";
    QTest::newRow("script without the executable bit") << "$DIR/script" << "";
    QTest::newRow("program without the executable bit") << "$DIR/program" << "";
    QTest::newRow("pipe") << "$DIR/pipe" << "";
    // clang-format on
  }

  void opensOnlyDocuments() {
    QFETCH(QString, target);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    const QByteArray launcher = "[Desktop Entry]\nType=Application\nName=x\nExec=sh -c 'touch /tmp/ran'\n";
    Write(dir.filePath(QStringLiteral("notes.odt")), "PK\x03\x04");
    Write(dir.filePath(QStringLiteral("launcher")), launcher);
    Write(dir.filePath(QStringLiteral("launcher.desktop")), launcher);
    Write(dir.filePath(QStringLiteral("launcher.desktop ")), launcher);
    Write(dir.filePath(QStringLiteral("script")), "#!/bin/sh\ntouch /tmp/ran\n");
    QFile program(QStringLiteral("/bin/true"));
    QVERIFY(program.open(QIODevice::ReadOnly));
    Write(dir.filePath(QStringLiteral("program")), program.readAll());
    for (const char* name : {"launcher", "launcher.desktop ", "script", "program"}) {
      QFile::setPermissions(dir.filePath(QLatin1String(name)), QFile::ReadOwner | QFile::WriteOwner);
    }
    std::filesystem::create_symlink("notes.odt", dir.filePath(QStringLiteral("notes-link")).toStdString());
    std::filesystem::create_symlink("launcher.desktop", dir.filePath(QStringLiteral("readme")).toStdString());
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);

    const QUrl url = RunTargetUrl(target.replace(QStringLiteral("$DIR"), dir.path()));
    const QString expected = opened.replace(QStringLiteral("$DIR"), folder);
    QCOMPARE(url.isValid() && !url.isEmpty() ? url.toString() : QString(), expected);
  }
};

QTEST_MAIN(RunTargetTest)
#include "run_target_test.moc"
