// Termination signals reach the interface thread, and close the main window as any close does.
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "tests/ui/ui_test_support.h"
#include "ui/note_window.h"
#include "ui/start_up.h"

using tallyman::platform::SingleInstance;
using tallyman::platform::TerminationSignals;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

// Stands for the closing question: the signal comes while it is open, in its own event loop.
class SignalDuringQuestion : public tallyman::ui::DialogAnswerer {
 public:
  DialogResult Answer(const DialogRequest&, QString*) override {
    ++questions;
    std::raise(SIGTERM);
    QEventLoop question;
    question.exec();
    return DialogResult::kNo;
  }
  int questions = 0;
};

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TerminationTest : public QObject {
  Q_OBJECT

 private slots:
  // As a shell leaves them for an interactive program; a background job of a script would
  // otherwise start with SIGINT ignored.
  void initTestCase() {
    for (int number : {SIGTERM, SIGINT, SIGHUP}) std::signal(number, SIG_DFL);
  }

  void EachSignalReachesTheHandler_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
  }
  void EachSignalReachesTheHandler() {
    QFETCH(int, number);
    TerminationSignals termination;
    QVERIFY(termination.Installed());
    QList<int> received;
    termination.SetHandler([&received](int signal) { received << signal; });
    std::raise(number);
    QVERIFY(received.isEmpty());  // not inside the signal handler
    QTRY_COMPARE(received, QList<int>{number});
  }

  void SignalBeforeTheHandlerIsKept() {
    TerminationSignals termination;
    QVERIFY(termination.Installed());
    std::raise(SIGTERM);
    QTest::qWait(50);
    QList<int> received;
    termination.SetHandler([&received](int signal) { received << signal; });
    QTRY_COMPARE(received, QList<int>{SIGTERM});
  }

  void IgnoredSignalStaysIgnored() {
    std::signal(SIGHUP, SIG_IGN);
    {
      TerminationSignals termination;
      QVERIFY(termination.Installed());
      int calls = 0;
      termination.SetHandler([&calls](int) { ++calls; });
      std::raise(SIGHUP);
      QTest::qWait(100);
      QCOMPARE(calls, 0);
    }
    std::signal(SIGHUP, SIG_DFL);
  }

  // Once the object goes, a signal reaches whatever handled it before (here a recorder; by
  // default SIGTERM would end the program rather than be swallowed by a pipe nobody reads).
  void PreviousHandlersComeBack_data() { EachSignalReachesTheHandler_data(); }
  void PreviousHandlersComeBack() {
    QFETCH(int, number);
    static volatile std::sig_atomic_t recorded = 0;
    recorded = 0;
    std::signal(number, [](int signal) { recorded = signal; });
    { TerminationSignals termination; }
    std::raise(number);
    std::signal(number, SIG_DFL);
    QCOMPARE(int(recorded), number);
  }

  // A modal dialog's loop, or the closing question, is running when the signal comes.
  void SignalClosesTheWindowAndSaves_data() {
    QTest::addColumn<bool>("questionOpen");
    QTest::newRow("the notebook open") << false;
    QTest::newRow("the closing question open") << true;
  }
  void SignalClosesTheWindowAndSaves() {
    QFETCH(bool, questionOpen);
    ProgramFolder folder;
    SingleInstance instance(QString{});
    TerminationSignals termination;
    QVERIFY(termination.Installed());
    SignalDuringQuestion question;
    UiServices ui = MakeUiServices();
    ui.answers = Unowned<DialogAnswerer>(question);
    auto window = MakeWindow(folder, tallyman::Locale::English(), ui);
    ConnectOutsideRequests(*window, instance, termination);
    Type(*window, QStringLiteral("12+5="));
    window->Actions().mConfirm->setChecked(questionOpen);
    if (questionOpen) {
      QTimer::singleShot(0, window.get(), [&window] { window->close(); });
    } else {
      QTimer::singleShot(0, window.get(), [&window] { window->OpenNote(); });
      WhenDialogOpens<TFormNote>([](TFormNote* note) {
        TypeText(note->M(), QStringLiteral("kept"));
        std::raise(SIGTERM);
      });
    }

    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(question.questions, questionOpen ? 1 : 0);
    QVERIFY(ReadFile(folder.File(QStringLiteral("~Calc.txt"))).contains("=17"));
    const QByteArray settings = ReadFile(folder.File(QStringLiteral("tallyman.ini")));
    QVERIFY(settings.contains(questionOpen ? "Confirm=1" : "Confirm=0"));
    if (!questionOpen) QVERIFY(ReadFile(folder.File(QStringLiteral("TallyNote.txt"))).startsWith("kept"));
  }

  // The signal comes while the notebook is inside its own close (its close box), with a dropped
  // file's save question open or with the message that its own file could not be written open
  // (a folder stands in its place), or while it merely holds a dropped file's edit. Real dialogs,
  // nobody answering them: the question counts as Yes, the message as read, and the program ends.
  void SignalDuringTheNotebooksClose_data() {
    QTest::addColumn<QString>("open");
    QTest::newRow("the save question") << "question";
    QTest::newRow("the file error") << "error";
    QTest::newRow("no dialog yet") << "";
  }
  void SignalDuringTheNotebooksClose() {
    QFETCH(QString, open);
    ProgramFolder folder;
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("dropped.txt"));
    const QString noteFile = folder.File(QStringLiteral("TallyNote.txt"));
    QFile file(dropped);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old\r\n");
    file.close();
    SingleInstance instance(QString{});
    TerminationSignals termination;
    QVERIFY(termination.Installed());
    auto window = MakeWindow(folder, tallyman::Locale::English(), MakeUiServices());
    ConnectOutsideRequests(*window, instance, termination);
    Type(*window, QStringLiteral("12+5="));

    QTimer::singleShot(0, window.get(), [&window] { window->OpenNote(); });
    WhenDialogOpens<TFormNote>([&](TFormNote* note) {
      if (open == QLatin1String("error")) {
        QVERIFY(QDir().mkdir(noteFile));
      } else {
        note->DropFile(dropped);
      }
      TypeText(note->M(), QStringLiteral("new "));
      if (open.isEmpty()) {
        std::raise(SIGTERM);
        return;
      }
      WhenDialogOpens<QDialog>([](QDialog*) { std::raise(SIGTERM); });
      note->close();
    });

    QCOMPARE(QApplication::exec(), 0);
    if (open == QLatin1String("error")) {
      QVERIFY(QFileInfo(noteFile).isDir());
    } else {
      QCOMPARE(ReadFile(dropped), QByteArray("new old\r\n"));
    }
    QVERIFY(ReadFile(folder.File(QStringLiteral("~Calc.txt"))).contains("=17"));
    QVERIFY(ReadFile(folder.File(QStringLiteral("tallyman.ini"))).contains("Confirm="));
  }
};

QTEST_MAIN(TerminationTest)
#include "termination_test.moc"
