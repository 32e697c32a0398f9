// The notebook: opening and saving its file, and the text commands through their keys.
#include "ui/note_window.h"

#include <unistd.h>

#include <QDir>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "engine/text/note_file.h"
#include "ui/file_dialogs.h"
#include "ui/formula_window.h"
#include "ui/readable_colour.h"
#include "ui/run_target.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

// Selects [start, start + length) of M; a length of -1 puts the caret at the end instead.
void Select(QPlainTextEdit* m, int start, int length) {
  QTextCursor cursor = m->textCursor();
  if (length < 0) {
    cursor.movePosition(QTextCursor::End);
  } else {
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  }
  m->setTextCursor(cursor);
}

// The notebook as mNote opens it, shown without waiting for it to close.
std::unique_ptr<TFormNote> ShowNote(FormTallyman& window) {
  auto note = window.CreateNote();
  note->show();
  if (!QTest::qWaitForWindowExposed(note.get())) qWarning("the notebook was not shown");
  return note;
}

// Drops the file on the notebook's text as the desktop would.
void DropOn(TFormNote& note, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(note.M()->viewport(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(note.M()->viewport(), &drop);
}

// The main window with its beeps and pauses counted instead of heard.
class CountingWindow : public FormTallyman {
 public:
  using FormTallyman::FormTallyman;
  void Beep() override { ++beeps; }
  void Pause(int milliseconds) override { pauses << milliseconds; }
  int beeps = 0;
  QList<int> pauses;
};

}  // namespace

class NoteWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_answerer = std::make_unique<ScriptedAnswerer>(); }
  void cleanup() { m_answerer.reset(); }

  void openingAddsTwoEmptyLinesAfterAFilledLastLine_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("filled last line") << QByteArray("a\r\nb\r\n") << "a\nb\n\n";
    QTest::newRow("no line end") << QByteArray("a") << "a\n\n";
    QTest::newRow("empty last line") << QByteArray("a\r\n\r\n") << "a\n";
    QTest::newRow("empty file") << QByteArray() << "";
  }

  void openingAddsTwoEmptyLinesAfterAFilledLastLine() {
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    ProgramFolder folder;
    WriteBytes(folder.File("TallyNote.txt"), file);
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    QCOMPARE(note->M()->toPlainText(), text);
    QCOMPARE(note->M()->textCursor().position(), static_cast<int>(text.size()));
    QCOMPARE(note->windowTitle(), QStringLiteral("Блокнот"));
    // Nothing was typed: closing leaves the file as it was.
    note->close();
    QCOMPARE(ReadBytes(folder.File("TallyNote.txt")), file);
  }

  void keyNOpensTheNotebookAndEscapeClosesIt() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    window->mLangClick();
    QString title;
    WhenDialogOpens<TFormNote>([&title](TFormNote* note) {
      title = note->windowTitle();
      QTest::keyClick(note->M(), Qt::Key_Escape);
    });
    QTest::keyClick(window->Ed(), Qt::Key_N);
    QCOMPARE(title, QStringLiteral("Note"));
    QVERIFY(!QApplication::activeModalWidget());
  }

  // F4 opens the formula window over the notebook with its selection; Enter puts the result behind
  // the selection as one undoable edit, and the tape is left alone. Once the notebook has closed,
  // results go to the entry line again.
  void formulaResultGoesIntoTheNotebook() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    TypeText(window->Ed(), QStringLiteral("7"));
    QTest::keyClick(window->Ed(), Qt::Key_Plus);
    const QStringList tape = TapeRows(*window);
    const QString entry = window->Ed()->text();
    QString formula, inserted, undone;
    int caret = -1;
    WhenDialogOpens<TFormNote>([&](TFormNote* note) {
      note->M()->setPlainText(QStringLiteral("x 2*3 y"));
      Select(note->M(), 2, 3);
      InDialogOpenedBy<TForm1>(note->M(), Qt::Key_F4, [&formula](TForm1* form) {
        formula = form->EdForm()->text();
        QTest::keyClick(form->EdForm(), Qt::Key_Return);
      });
      inserted = note->M()->toPlainText();
      caret = note->M()->textCursor().hasSelection() ? -1 : note->M()->textCursor().position();
      QTest::keyClick(note->M(), Qt::Key_Z, Qt::ControlModifier);
      undone = note->M()->toPlainText();
      note->reject();
    });
    QTest::keyClick(window->Ed(), Qt::Key_N);
    QCOMPARE(formula, QStringLiteral("2*3"));
    QCOMPARE(inserted, QStringLiteral("x 2*3=6 y"));
    QCOMPARE(caret, 7);
    QCOMPARE(undone, QStringLiteral("x 2*3 y"));
    QCOMPARE(TapeRows(*window), tape);
    QCOMPARE(window->Ed()->text(), entry);

    InDialogOpenedBy<TForm1>(window->Ed(), Qt::Key_F, [](TForm1* form) {
      form->EdForm()->setText(QStringLiteral("1+1"));
      QTest::keyClick(form->EdForm(), Qt::Key_Return);
    });
    QCOMPARE(window->Ed()->text(), QStringLiteral("2"));
  }

  void unicodeTextSurvivesSaveAndReload() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    note->M()->insertPlainText(QStringLiteral("€ 5 — ✓\nРубль 𝄞"));
    note->close();
    QCOMPARE(ReadBytes(folder.File("TallyNote.txt")),
             QByteArray("\xEF\xBB\xBF") + QStringLiteral("€ 5 — ✓\r\nРубль 𝄞\r\n").toUtf8());
    QVERIFY(m_answerer->asked.empty());  // the notebook file is written without asking
    note = ShowNote(*window);
    QCOMPARE(note->M()->toPlainText(), QStringLiteral("€ 5 — ✓\nРубль 𝄞\n\n"));
  }

  void ctrlWAppendsTheCalculationsAsOneEdit() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1+2=5*2=");
    auto note = ShowNote(*window);
    QPlainTextEdit* m = note->M();
    m->insertPlainText(QStringLiteral("top"));
    QTest::keyClick(m, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(m->toPlainText(), QStringLiteral("top\n\n\t=1\n+2\t=3\n1+2\t=3\n\n\n\t=5\n*2\t=10\n5*2\t=10\n"));
    QTest::keyClick(m, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m->toPlainText(), QStringLiteral("top"));
  }

  void keypadButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("after");
    QTest::newRow("C at caret") << "ButDel" << 3 << 0 << "12";
    QTest::newRow("C at start") << "ButDel" << 0 << 0 << "123";
    QTest::newRow("C selection") << "ButDel" << 0 << 2 << "3";
    QTest::newRow("( selection") << "(" << 1 << 2 << "1(23)";
    QTest::newRow(") caret") << ")" << 1 << 0 << "1)23";
    QTest::newRow("decimal") << "," << 3 << 0 << "123,";
    QTest::newRow("7 selection") << "7" << 0 << 3 << "7";
  }

  void keypadButtons() {
    QFETCH(QString, button);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, after);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    QPlainTextEdit* m = note->M();
    m->setPlainText(QStringLiteral("123"));
    Select(m, start, length);
    QToolButton* key = nullptr;
    for (QToolButton* candidate : note->PanBut()->findChildren<QToolButton*>()) {
      if (candidate->objectName() == button || candidate->text() == button) key = candidate;
    }
    QVERIFY(key);
    key->click();
    QCOMPARE(m->toPlainText(), after);
  }

  void ctrlDeleteClearsAllAfterTheQuestion() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    note->M()->setPlainText(QStringLiteral("keep"));
    m_answerer->Queue(DialogResult::kNo);
    QTest::keyClick(note->M(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(note->M()->toPlainText(), QStringLiteral("keep"));
    m_answerer->Queue(DialogResult::kYes);
    QTest::keyClick(note->M(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(note->M()->toPlainText(), QString());
    QCOMPARE(m_answerer->Texts(), (QStringList{"Удалить весь текст?", "Удалить весь текст?"}));
  }

  void alarmKeysStepTheClockAndArmIt() {
    ProgramFolder folder;
    UiServices ui = m_answerer->Ui();
    ui.clock = [] { return *EncodeDateTime({2026, 7, 5, 14, 0, 0, 0}); };
    auto window = MakeWindow(folder, Locale::Russian(), ui);
    window->NoteAlarm() = {14, 0, false};
    auto note = ShowNote(*window);
    const QColor normal = note->ButH()->palette().color(QPalette::ButtonText);
    QTest::keyClick(note->M(), Qt::Key_F2);
    QCOMPARE(note->ButH()->text(), QStringLiteral("15"));
    QTest::keyClick(note->M(), Qt::Key_F3);
    QCOMPARE(note->ButM()->text(), QStringLiteral("05"));
    QVERIFY(window->NoteAlarm().armed);
    // Red where it reads on the button face, else a readable colour of the palette.
    const QColor armed = note->ButM()->palette().color(QPalette::ButtonText);
    const QPalette colours = QApplication::palette();
    QCOMPARE(armed, ReadableColour(Qt::red, colours.color(QPalette::Button), colours));
    QVERIFY(normal != armed);
    QCOMPARE(note->M()->toPlainText(), QString());  // the keys type nothing
  }

  // The main window's clock fires the alarm once, whether the notebook is open or not; once it
  // has gone off, the open notebook's clock is no longer red.
  void alarmFiresOnceFromTheMainClock_data() {
    QTest::addColumn<bool>("notebookOpen");
    QTest::newRow("notebook closed") << false;
    QTest::newRow("notebook open") << true;
  }
  void alarmFiresOnceFromTheMainClock() {
    QFETCH(bool, notebookOpen);
    ProgramFolder folder;
    DateTime now = *EncodeDateTime({2026, 7, 5, 14, 4, 50, 0});
    UiServices ui = m_answerer->Ui();
    ui.clock = [&now] { return now; };
    CountingWindow window(Locale::Russian(), folder.Paths(), ui, platform::MakeDesktopServices());
    window.NoteAlarm() = {14, 5, true};
    std::unique_ptr<TFormNote> note;
    const QColor normal = QApplication::palette().color(QPalette::ButtonText);
    if (notebookOpen) {
      note = ShowNote(window);
      QVERIFY(note->ButH()->palette().color(QPalette::ButtonText) != normal);  // armed
    }
    window.TimTimer();
    QCOMPARE(window.beeps, 0);
    now = *EncodeDateTime({2026, 7, 5, 14, 5, 20, 0});
    window.TimTimer();
    QCOMPARE(window.beeps, 4);
    QCOMPARE(window.pauses, (QList<int>{300, 300, 300}));
    QCOMPARE(m_answerer->Texts(), QStringList{"Время вышло!"});
    window.TimTimer();
    QCOMPARE(window.beeps, 4);
    if (note) {
      for (QToolButton* b : {note->ButH(), note->ButM()}) QCOMPARE(b->palette().color(QPalette::ButtonText), normal);
    }
  }

  // The keypad may widen the window; hiding it gives back the width the user had.
  void hidingTheKeypadRestoresTheWidth() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    note->resize(note->minimumSizeHint().width(), 320);
    const int width = note->width();
    auto* keys = note->findChild<QToolButton*>(QStringLiteral("But"));
    QVERIFY(keys);
    keys->click();
    QVERIFY(note->PanBut()->isVisible());
    QTRY_VERIFY(note->width() > width);  // the keypad's buttons did not fit
    keys->click();
    QVERIFY(!note->PanBut()->isVisible());
    QTRY_COMPARE(note->width(), width);
  }

  void runOpensOnlyAddressesAndDocuments_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("opened");  // empty: nothing is opened
    QTest::newRow("web") << "  https://example.org/a?b=1 "
                         << "https://example.org/a?b=1";
    QTest::newRow("www") << "www.example.org"
                         << "http://www.example.org";
    QTest::newRow("e-mail") << "ann@example.org"
                            << "mailto:ann@example.org";
    QTest::newRow("document") << "$DIR/notes.odt"
                              << "file://$DIR/notes.odt";
    QTest::newRow("folder") << "$DIR"
                            << "file://$DIR";
    QTest::newRow("program") << "$DIR/tool.sh"
                             << "";
    QTest::newRow("launcher") << "$DIR/app.desktop"
                              << "";
    QTest::newRow("command line") << "rm -rf ~"
                                  << "";
    QTest::newRow("missing file") << "$DIR/none.txt"
                                  << "";
    QTest::newRow("empty line") << ""
                                << "";
  }

  void runOpensOnlyAddressesAndDocuments() {
    QFETCH(QString, line);
    QFETCH(QString, opened);
    ProgramFolder folder;
    WriteBytes(folder.File("notes.odt"), "x");
    WriteBytes(folder.File("app.desktop"), "[Desktop Entry]\n");
    WriteBytes(folder.File("tool.sh"), "#!/bin/sh\n");
    QFile::setPermissions(folder.File("tool.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    line.replace("$DIR", folder.dir.path());
    opened.replace("$DIR", folder.dir.path());
    QStringList urls;
    UiServices ui = m_answerer->Ui();
    ui.openUrl = [&urls](const QUrl& url) {
      urls << url.toString();
      return true;
    };
    auto window = MakeWindow(folder, Locale::Russian(), ui);
    auto note = ShowNote(*window);
    note->M()->setPlainText(QStringLiteral("first\n") + line);
    note->M()->moveCursor(QTextCursor::End);
    QTest::keyClick(note->M(), Qt::Key_F9);
    QCOMPARE(urls, opened.isEmpty() ? QStringList() : QStringList{opened});
  }

  void doubleClickRunsTheWord() {
    ProgramFolder folder;
    QStringList urls;
    UiServices ui = m_answerer->Ui();
    ui.openUrl = [&urls](const QUrl& url) {
      urls << url.toString();
      return true;
    };
    auto window = MakeWindow(folder, Locale::Russian(), ui);
    auto note = ShowNote(*window);
    note->M()->setPlainText(QStringLiteral("write to bob@example.org today"));
    QTextCursor cursor = note->M()->textCursor();
    cursor.setPosition(14);
    QTest::mouseDClick(note->M()->viewport(), Qt::LeftButton, {}, note->M()->cursorRect(cursor).center());
    QTRY_COMPARE(urls.size(), 1);
    QCOMPARE(urls.front(), QStringLiteral("mailto:bob@example.org"));
  }

  void droppedFiles() {
    ProgramFolder folder;
    WriteBytes(folder.File("picture.png"), "png");
    WriteBytes(folder.File("SETUP.INI"), "[a]\r\nb=1\r\n");
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    QPlainTextEdit* m = note->M();
    m->insertPlainText(QStringLiteral("note "));
    DropOn(*note, folder.File("picture.png"));
    QCOMPARE(m->toPlainText(), QStringLiteral("note ") + folder.File("picture.png"));
    DropOn(*note, folder.File("SETUP.INI"));  // the notebook is saved silently first
    QCOMPARE(ReadBytes(folder.File("TallyNote.txt")),
             (QStringLiteral("note ") + folder.File("picture.png") + "\r\n").toUtf8());
    QCOMPARE(m->toPlainText(), QStringLiteral("[a]\nb=1"));
    QCOMPARE(note->windowTitle(), folder.File("SETUP.INI"));
    QVERIFY(m_answerer->asked.empty());
    DropOn(*note, folder.File("missing.txt"));
    QCOMPARE(note->windowTitle(), folder.File("SETUP.INI"));
  }

  void aFailedSaveKeepsTheWindowOpenOnce() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    QDir(folder.dir.path()).mkdir("TallyNote.txt");  // a folder where the file should go
    note->M()->insertPlainText(QStringLiteral("precious"));
    note->close();
    QVERIFY(note->isVisible());
    QCOMPARE(m_answerer->Texts(), QStringList{"Ошибка в файле!"});
    QCOMPARE(note->M()->toPlainText(), QStringLiteral("precious"));
    note->close();
    QVERIFY(!note->isVisible());
  }

  // A dropped text file replaces the text only once the text is safe in its own file.
  void aDropWaitsForTheTextToBeSaved() {
    ProgramFolder folder;
    WriteBytes(folder.File("other.txt"), "other\r\n");
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    QDir(folder.dir.path()).mkdir("TallyNote.txt");  // the notes cannot be written now
    note->M()->insertPlainText(QStringLiteral("precious"));
    DropOn(*note, folder.File("other.txt"));
    QCOMPARE(note->M()->toPlainText(), QStringLiteral("precious"));
    QCOMPARE(note->windowTitle(), QStringLiteral("Блокнот"));
    QCOMPARE(m_answerer->Texts(), QStringList{"Ошибка в файле!"});
  }

  // A file the notebook could not read is said so and never written over from the text shown in
  // its place, whether it is the notebook's own file or a dropped one; the text can still go elsewhere.
  void aFileThatCouldNotBeReadIsNeverWrittenOver_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("too large") << "too large" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("no rights") << "no rights" << false;
    QTest::newRow("too large, dropped") << "too large" << true;
    QTest::newRow("no rights, dropped") << "no rights" << true;
  }

  void aFileThatCouldNotBeReadIsNeverWrittenOver() {
    QFETCH(QString, kind);
    QFETCH(bool, dropped);
    if (kind == "no rights" && ::geteuid() == 0) QSKIP("the superuser reads a file whatever its rights");
    ProgramFolder folder;
    const QString file = folder.File(dropped ? "dropped.txt" : "TallyNote.txt");
    if (kind == "folder") {
      QDir(folder.dir.path()).mkdir("TallyNote.txt");
    } else {
      WriteBytes(file, "keep");
      if (kind == "too large") QFile(file).resize(qint64(kMaxNoteFileBytes) + 1);
      if (kind == "no rights") QFile::setPermissions(file, {});
    }
    const QByteArray before = kind == "no rights" ? QByteArray("keep") : ReadBytes(file);
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    if (dropped) {
      note->M()->insertPlainText(QStringLiteral("notes"));
      DropOn(*note, file);
      QCOMPARE(note->M()->toPlainText(), QStringLiteral("notes"));  // the drop is refused
      note->M()->insertPlainText(QStringLiteral(" more"));
    } else {
      QCOMPARE(note->M()->toPlainText(), QString());
      note->M()->insertPlainText(QStringLiteral("x"));
    }
    const QString opened = m_answerer->Texts().value(0);
    QVERIFY2(opened.contains(kind == "too large" ? "больше 1 МБ" : "Не удалось прочитать"), qPrintable(opened));
    QVERIFY(opened.contains(file));
    note->close();
    if (!dropped) {
      QVERIFY(note->isVisible());  // once, so the text can be saved elsewhere
      QVERIFY(m_answerer->Texts().value(1).startsWith(QStringLiteral("Файл \"%1\" не был прочитан").arg(file)));
      note->close();
    }
    QVERIFY(!note->isVisible());
    if (kind != "folder") {
      QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
      QCOMPARE(ReadBytes(file), before);
    }
    QCOMPARE(QFileInfo(folder.File("TallyNote.txt")).isDir(), kind == "folder");
  }

  // A file without write rights is left alone with a message, whoever runs the program.
  void aReadOnlyFileIsLeftAlone_data() {
    QTest::addColumn<bool>("dropped");
    QTest::newRow("notebook file") << false;
    QTest::newRow("dropped file") << true;
  }

  void aReadOnlyFileIsLeftAlone() {
    QFETCH(bool, dropped);
    ProgramFolder folder;
    const QString file = folder.File(dropped ? "ro.txt" : "TallyNote.txt");
    WriteBytes(file, "old\r\n\r\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ChosenFile chooser;
    UiServices ui = m_answerer->Ui();
    ui.files = Unowned<FileChooser>(chooser);
    auto window = MakeWindow(folder, Locale::Russian(), ui);
    auto note = ShowNote(*window);
    if (dropped) DropOn(*note, file);
    QCOMPARE(note->windowTitle(), (dropped ? file : QStringLiteral("Блокнот")) + QStringLiteral(" [только чтение]"));
    QCOMPARE(note->M()->toPlainText(), QStringLiteral("old\n"));
    note->M()->appendPlainText(QStringLiteral("new"));
    note->close();
    QVERIFY(note->isVisible());
    QCOMPARE(m_answerer->Texts().size(), 1);  // no question about saving what cannot be saved
    const QString told = m_answerer->Texts().front();
    QVERIFY2(told.startsWith(QStringLiteral("Файл \"%1\" только для чтения").arg(file)), qPrintable(told));
    // Ctrl+S takes the text elsewhere, but not over the read-only file either.
    chooser.path = file;
    QTest::keyClick(note->M(), Qt::Key_S, Qt::ControlModifier);
    chooser.path = folder.File("copy.txt");
    QTest::keyClick(note->M(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_answerer->Texts().size(), 2);
    QVERIFY(m_answerer->Texts().back().startsWith(QStringLiteral("Файл \"%1\" только для чтения").arg(file)));
    QVERIFY(ReadBytes(folder.File("copy.txt")).endsWith("new\r\n"));
    note->close();
    QCOMPARE(m_answerer->Texts().size(), 2);
    QVERIFY(!note->isVisible());
    QCOMPARE(ReadBytes(file), QByteArray("old\r\n\r\n"));
    QCOMPARE(QFileInfo(file).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther), 0);
  }

  // A text past what the notebook opens is still written whole, and the user is told at once.
  void aTextPastTheLimitsIsSavedWithAWarning() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    const QString line(int(kMaxNoteLineChars) + 1, QLatin1Char('x'));
    note->M()->insertPlainText(line);
    note->close();
    QVERIFY(!note->isVisible());
    QCOMPARE(ReadBytes(folder.File("TallyNote.txt")), (line + "\r\n").toLatin1());
    QCOMPARE(m_answerer->Texts().size(), 1);
    QVERIFY(m_answerer->Texts().front().startsWith(
        QStringLiteral("Текст записан в \"%1\", но он больше 1 МБ").arg(folder.File("TallyNote.txt"))));
  }

  void quittingWhileOpenSavesTheNotes() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    note->M()->insertPlainText(QStringLiteral("typed"));
    QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit"));
    QCOMPARE(ReadBytes(folder.File("TallyNote.txt")), QByteArray("typed\r\n"));
  }

  void anotherFileIsSavedOnlyAfterTheQuestion_data() {
    QTest::addColumn<DialogResult>("answer");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("yes") << DialogResult::kYes << QByteArray("old\r\nnew\r\n");
    QTest::newRow("no") << DialogResult::kNo << QByteArray("old\r\n");
  }

  void anotherFileIsSavedOnlyAfterTheQuestion() {
    QFETCH(DialogResult, answer);
    QFETCH(QByteArray, saved);
    ProgramFolder folder;
    WriteBytes(folder.File("other.txt"), "old\r\n");
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    auto note = ShowNote(*window);
    note->LoadFile(folder.File("other.txt").toStdString());
    QCOMPARE(note->windowTitle(), folder.File("other.txt"));
    note->M()->appendPlainText(QStringLiteral("new"));
    m_answerer->Queue(answer);
    note->close();
    QCOMPARE(m_answerer->Texts(), QStringList{"Сохранить изменения?"});
    QCOMPARE(ReadBytes(folder.File("other.txt")), saved);
    QVERIFY(!QFile::exists(folder.File("TallyNote.txt")));
  }

  void keysRunTheTextCommands_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");  // -1: the caret at the end, nothing selected
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QStringList>("messages");
    const int none = Qt::NoModifier;
    QTest::newRow("F6 line") << "x = 12*3" << 0 << -1 << int(Qt::Key_F6) << none << "x = 12*3=36" << 11
                             << QStringList();
    QTest::newRow("F6 selection") << "a 7*6 b" << 2 << 3 << int(Qt::Key_F6) << none << "a 7*6=42 b" << 8
                                  << QStringList();
    QTest::newRow("F6 after wide char") << "𝄞=2+3" << 0 << -1 << int(Qt::Key_F6) << none << "𝄞=2+3=5" << 8
                                        << QStringList();
    QTest::newRow("F6 error") << "2+" << 0 << -1 << int(Qt::Key_F6) << none << "2+" << 2
                              << QStringList{"Ошибочная операция"};
    QTest::newRow("Ctrl+F6 time") << "1:30 + 0:45" << 0 << 11 << int(Qt::Key_F6) << int(Qt::ControlModifier)
                                  << "1:30 + 0:45=2:15:00" << 19 << QStringList();
    QTest::newRow("Shift+Enter") << "2+3" << 0 << -1 << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "2+3=5\n"
                                 << 6 << QStringList();
    QTest::newRow("F7 words") << "1234,5" << 0 << 6 << int(Qt::Key_F7) << none
                              << "1234,5 руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)" << 64
                              << QStringList();
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+T whole text") << "Щука\nЯ" << 0 << -1 << int(Qt::Key_T) << ctrl << "Shhuka\nJa" << 9
                                       << QStringList();
    QTest::newRow("Ctrl+R selection") << "Shhuka Eh" << 0 << 6 << int(Qt::Key_R) << ctrl << "Щука Eh" << 4
                                      << QStringList();
    QTest::newRow("Ctrl+D") << QStringLiteral("ЏаЁ")  // cp866 bytes read as Windows-1251
                            << 0 << -1 << int(Qt::Key_D) << ctrl << "При" << 3 << QStringList();
    QTest::newRow("Ctrl+K") << QStringLiteral("рТЙ")  // KOI8-R bytes read as Windows-1251
                            << 0 << 3 << int(Qt::Key_K) << ctrl << "При" << 3 << QStringList();
    QTest::newRow("keypad decimal") << "1" << 0 << -1 << int(Qt::Key_Period) << int(Qt::KeypadModifier) << "1," << 2
                                    << QStringList();
    QTest::newRow("F5 date") << "at " << 0 << -1 << int(Qt::Key_F5) << none << "at 05.07.2026   09:03:07" << 24
                             << QStringList();
  }

  void keysRunTheTextCommands() {
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, after);
    QFETCH(int, caret);
    QFETCH(QStringList, messages);
    ProgramFolder folder;
    UiServices ui = m_answerer->Ui();
    ui.clock = [] { return *EncodeDateTime({2026, 7, 5, 9, 3, 7, 0}); };
    auto window = MakeWindow(folder, Locale::Russian(), ui);
    auto note = ShowNote(*window);
    QPlainTextEdit* m = note->M();
    m->setPlainText(text);
    Select(m, start, length);
    QTest::keyClick(m, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m->toPlainText(), after);
    QCOMPARE(m->textCursor().position(), caret);
    QCOMPARE(m_answerer->Texts(), messages);
    QTest::keyClick(m, Qt::Key_Z, Qt::ControlModifier);  // one step back to the text before the command
    QCOMPARE(m->toPlainText(), text);
  }

 private:
  std::unique_ptr<ScriptedAnswerer> m_answerer;
};

QTEST_MAIN(NoteWindowTest)
#include "note_window_test.moc"
