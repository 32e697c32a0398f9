// Printing into a PDF file read back with pdftotext, the print dialog reached by Ctrl+P, the
// About box, the help page and the program's icon.
#include <signal.h>
#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMap>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <filesystem>

#include "build_info/version.h"
#include "engine/print/print_layout.h"
#include "ui/about_box.h"
#include "ui/file_dialogs.h"
#include "ui/print_dialog.h"
#include "ui/print_rows.h"
#include "ui/program_icon.h"
#include "ui/readable_colour.h"
#include "ui/row_dialog.h"
#include "ui/url_label.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

// Row i reads "+1<i>  = 5<i>" with four-digit i, so every row is found by its own words.
std::vector<Text> NumberedRows(int count) {
  std::vector<Text> rows;
  for (int i = 0; i < count; ++i) {
    const Text n = std::to_wstring(10000 + i).substr(1);
    rows.push_back(L"+1" + n + L"\t=5" + n);
  }
  return rows;
}

QString RunTool(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of the PDF (split at form feeds) as lines, each run of blanks read as one blank: the
// text extraction guesses the widths of gaps.
QList<QStringList> PdfPages(const QString& path) {
  QList<QStringList> pages;
  const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  for (const QString& page : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
    if (page.trimmed().isEmpty()) continue;
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n'))) lines << line.simplified();
    pages << lines;
  }
  return pages;
}

// Answers the save dialog with one file name and records its title.
struct PdfChooser : FileChooser {
  explicit PdfChooser(QString chosen) : path(std::move(chosen)) {}
  QString Choose(QWidget*, FileChoice choice, const QString& dialogTitle) override {
    title = dialogTitle;
    return choice == FileChoice::kSavePdf ? path : QString();
  }
  UiServices Ui(UiServices ui) {
    ui.files = Unowned(*this);
    return ui;
  }
  QString path;
  QString title;
};

// Files larger than `bytes` cannot be written while it lives, as on a full disk (root too).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldSignal = ::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the test
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_oldSignal);
  }

 private:
  rlimit m_old{};
  sighandler_t m_oldSignal = nullptr;
};

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int LineHolding(const QStringList& lines, const QString& word) {
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].contains(word)) return i;
  }
  return -1;
}

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      QSKIP("pdftotext (poppler-utils) is not installed");
    }
  }

  void tapePrintsToPdfInColumnsAndPages() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tape.pdf"));
    const std::vector<Text> rows = NumberedRows(500);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(19);
    font = PrinterFont(font);
    PrintContent content;
    content.rows = &rows;
    content.title = L"TITLE";
    content.date = L"09.12.2026";
    content.totalLine = PrintTotalLine(rows.size(), L"1 234,5", true);
    QVERIFY(PrintToPdfFile(path, font, content));

    // Where the rows belong, from the layout the printed pages follow.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QFontMetrics metrics(font, &printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    PrintRequest request{&rows,        content.title, content.date,    content.totalLine,
                         page.width(), page.height(), metrics.height()};
    const PrintLayout layout =
        LayOutPrint(request, [&metrics](TextView text) { return metrics.horizontalAdvance(ToQString(text)); });
    QVERIFY(layout.pageCount >= 2);
    QVERIFY(layout.columnsPerPage >= 2);

    const QList<QStringList> pages = PdfPages(path);
    QCOMPARE(static_cast<size_t>(pages.size()), layout.pageCount);
    const size_t lines = static_cast<size_t>(layout.linesPerColumn);
    for (int p = 0; p < pages.size(); ++p) {
      const QStringList& text = pages[p];
      const QString header = QStringLiteral("TITLE %1/%2").arg(p + 1).arg(pages.size());
      QVERIFY2(LineHolding(text, header) >= 0, qPrintable(header));
      QVERIFY(LineHolding(text, QStringLiteral("09.12.2026")) == LineHolding(text, header));
      const size_t first = static_cast<size_t>(p) * layout.rowsPerPage;
      const size_t last = std::min(rows.size(), first + layout.rowsPerPage) - 1;
      int firstLine = -1;
      int previousColumnAt = -1;
      for (size_t top = first; top <= last; top += lines) {
        const size_t bottom = std::min(last, top + lines - 1);
        const QString topWord = ToQString(layout.left[top]).simplified();
        const QString bottomWord = ToQString(layout.right[bottom]).simplified();
        const int topLine = LineHolding(text, topWord);
        if (firstLine < 0) firstLine = topLine;
        QVERIFY2(topLine == firstLine, qPrintable(topWord));  // every column starts on the first line
        QCOMPARE(LineHolding(text, bottomWord), firstLine + static_cast<int>(bottom - top));
        const int at = static_cast<int>(text[topLine].indexOf(topWord));
        QVERIFY2(at > previousColumnAt, qPrintable(topWord));  // columns left to right
        previousColumnAt = at;
      }
    }
    QVERIFY(LineHolding(pages.last(), QStringLiteral("In 500 calculations ____________________ RESULT = 1 234,5")) > 0);
    // The total line is the only bold text.
    QVERIFY(RunTool(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("Bold")));
  }

  void failedPdfKeepsTheFolderClean() {
    QTemporaryDir dir;
    const std::vector<Text> rows = NumberedRows(3);
    PrintContent content;
    content.rows = &rows;
    QVERIFY(!PrintToPdfFile(dir.filePath(QStringLiteral("missing/tape.pdf")), QFont(), content));
    QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
  }

  // Ctrl+P closes the calculation and opens the dialog; printing to a PDF file asks for its name,
  // and the title typed becomes the print title of the next print.
  void ctrlPPrintsTheTapeToTheChosenPdfFile() {
    ProgramFolder folder;
    const QString path = folder.File(QStringLiteral("printed.pdf"));
    PdfChooser chooser(path);
    auto window = MakeWindow(folder, Locale::Russian(), chooser.Ui(MakeUiServices()));
    Type(*window, QStringLiteral("12+5"));
    QStringList printers;
    WhenDialogOpens<TFormPrn>([&](TFormPrn* dialog) {
      for (int i = 0; i < dialog->CbPrn()->count(); ++i) printers << dialog->CbPrn()->itemText(i);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Печать вычислений"));
      QCOMPARE(dialog->CbCop()->currentText(), QStringLiteral("1"));
      QVERIFY(!dialog->font().bold());
      dialog->Ed()->setText(QStringLiteral("Смета"));
      dialog->ButOk()->click();
    });
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(printers.last(), QStringLiteral("Файл PDF"));
    QCOMPARE(chooser.title, QStringLiteral("Печать в файл PDF"));
    const QList<QStringList> pages = PdfPages(path);
    QCOMPARE(pages.size(), 1);
    const QString text = pages[0].join(QLatin1Char('\n'));
    QVERIFY2(text.contains(QStringLiteral("Смета 1/1")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("+5 = 17")));
    QVERIFY(text.contains(QStringLiteral("В расчёте 2 значений ____________________ ИТОГО = 17")));
    QCOMPARE(window->Results()->EdRes()->text(), QStringLiteral("17"));  // the calculation was closed

    QString titleOffered;
    WhenDialogOpens<TFormPrn>([&](TFormPrn* dialog) {
      titleOffered = dialog->Ed()->text();
      dialog->reject();
    });
    window->Actions().mPrint->trigger();
    QCOMPARE(titleOffered, QStringLiteral("Смета"));
  }

  void unwritablePdfSaysPrintError() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    PdfChooser chooser(folder.File(QStringLiteral("no such folder/tape.pdf")));
    auto window = MakeWindow(folder, Locale::English(), chooser.Ui(answerer.Ui()));
    window->Actions().mLang->trigger();
    Type(*window, QStringLiteral("7+1"));
    WhenDialogOpens<TFormPrn>([](TFormPrn* dialog) { dialog->ButOk()->click(); });
    window->Actions().mPrint->trigger();
    QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("Print error!")});
  }

  // Where a PDF lands: through a link to its target, and a write that runs out of room keeps the
  // old file and says so.
  void pdfDestinations_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("written");  // the file that gets the document
    QTest::addColumn<bool>("printed");
    QTest::newRow("file replaced") << "old.pdf" << false << "old.pdf" << true;
    QTest::newRow("through a link") << "link.pdf" << false << "old.pdf" << true;
    QTest::newRow("through a link to a new file") << "new-link.pdf" << false << "new.pdf" << true;
    QTest::newRow("disk full") << "old.pdf" << true << "old.pdf" << false;
    QTest::newRow("disk full through a link") << "link.pdf" << true << "old.pdf" << false;
  }

  void pdfDestinations() {
    QFETCH(QString, chosen);
    QFETCH(bool, diskFull);
    QFETCH(QString, written);
    QFETCH(bool, printed);
    QTemporaryDir out;
    {
      QFile old(out.filePath(QStringLiteral("old.pdf")));
      QVERIFY(old.open(QIODevice::WriteOnly) && old.write("OLD") == 3);
    }
    std::filesystem::create_symlink("old.pdf", out.filePath(QStringLiteral("link.pdf")).toStdString());
    std::filesystem::create_symlink("new.pdf", out.filePath(QStringLiteral("new-link.pdf")).toStdString());
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    PdfChooser chooser(out.filePath(chosen));
    auto window = MakeWindow(folder, Locale::Russian(), chooser.Ui(answerer.Ui()));
    Type(*window, QStringLiteral("12+5"));
    WhenDialogOpens<TFormPrn>([](TFormPrn* dialog) { dialog->ButOk()->click(); });
    {
      FileSizeLimit limit(diskFull ? 1024 : RLIM_INFINITY);
      window->Actions().mPrint->trigger();
    }
    QCOMPARE(answerer.Texts(), printed ? QStringList() : QStringList{QStringLiteral("Ошибка печати!")});
    const QByteArray content = FileBytes(out.filePath(written));
    if (printed) {
      QVERIFY(content.startsWith("%PDF") && content.trimmed().endsWith("%%EOF"));
    } else {
      QCOMPARE(content, QByteArray("OLD"));
    }
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("link.pdf"))).isSymLink());
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("new-link.pdf"))).isSymLink());
    QStringList files = {"link.pdf", "new-link.pdf", "old.pdf"};
    if (written == QLatin1String("new.pdf")) files << written;
    files.sort();
    QCOMPARE(
        QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name),
        files);
  }

  // A printer prints the copies asked for; a PDF file holds one, so the number is not offered.
  void dialogCopiesFollowTheDestination() {
    for (const bool english : {false, true}) {
      TFormPrn dialog({QStringLiteral("Office")}, QStringLiteral("Office"), QFont(), QString(),
                      {LanguageOf(english), false}, nullptr);
      dialog.show();
      dialog.CbCop()->setCurrentIndex(2);
      QVERIFY(dialog.CbCop()->isEnabled() && !dialog.CopiesHint()->isVisible());
      QCOMPARE(dialog.Copies(), 3);
      dialog.CbPrn()->setCurrentIndex(1);  // the PDF file
      QVERIFY(dialog.PdfChosen() && !dialog.CbCop()->isEnabled() && dialog.CopiesHint()->isVisible());
      QCOMPARE(dialog.Copies(), 1);
      QCOMPARE(dialog.CopiesHint()->text(), english ? "A file holds one copy" : "Файл хранит одну копию");
      dialog.CbPrn()->setCurrentIndex(0);
      QVERIFY(dialog.CbCop()->isEnabled() && !dialog.CopiesHint()->isVisible());
    }
  }

  // A family name that fontconfig only stands in for ("Arial" on a desktop without it) selects
  // the family the font really is.
  void dialogSelectsTheFamilyTheFontResolvesTo() {
    const QFont arial(QStringLiteral("Arial"));
    if (QFontDatabase::families().contains(arial.family())) QSKIP("Arial is installed: no alias to resolve");
    TFormPrn dialog({}, QString(), arial, QString(), {Language::kRussian, false}, nullptr);
    QVERIFY(!dialog.FontFamily().isEmpty());
    QCOMPARE(dialog.FontFamily(), QFontInfo(arial).family());
  }

  // Tab walks the dialog as it is laid out: top to bottom, then left to right, and round again.
  void dialogTabFollowsTheLayout() {
    TFormPrn dialog({QStringLiteral("Office")}, QStringLiteral("Office"), QFont(), QString(),
                    {Language::kEnglish, false}, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QMap<std::pair<int, int>, QString> laidOut;  // by centre: y, then x
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
      const QPoint at = widget->mapTo(&dialog, widget->rect().center());
      if (widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
        laidOut[{at.y(), at.x()}] = widget->objectName();
    }
    QCOMPARE(laidOut.size(), 7);
    QStringList walked;
    dialog.CbPrn()->setFocus();
    for (int i = 0; i <= laidOut.size(); ++i) {
      walked << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, QStringList(laidOut.values()) << dialog.CbPrn()->objectName());
  }

  void resultsPrintWithTheirTotal() {
    ProgramFolder folder;
    const QString path = folder.File(QStringLiteral("results.pdf"));
    PdfChooser chooser(path);
    auto window = MakeWindow(folder, Locale::English(), chooser.Ui(MakeUiServices()));
    Type(*window, QStringLiteral("2+3\n4*5\n"));
    window->Results()->EnsureContents();
    WhenDialogOpens<TFormPrn>([&](TFormPrn* dialog) { dialog->ButOk()->click(); });
    window->Results()->findChild<QAction*>(QStringLiteral("mPrint"))->trigger();
    const QString text = PdfPages(path).value(0).join(QLatin1Char('\n'));
    QVERIFY2(text.contains(QStringLiteral("В расчёте 2 значений ____________________ ИТОГО = 25")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("4*5 = 20")));
  }

  void aboutBoxShowsVersionAndLinks() {
    NumberText numbers(Locale::English());
    TFormRow box(numbers, {Language::kEnglish, false}, nullptr);
    box.SetupAbout(MakeUiServices().openUrl);
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("Freeware!"));
    const QString version =
        QStringLiteral("%1.%2.%3.%4").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch).arg(kVersionBuild);
    const QLabel* name = box.findChild<QLabel*>(QStringLiteral("Name"));
    QCOMPARE(name->text(), QApplication::applicationName() + ' ' + version);
    QVERIFY(name->font().bold());
    QCOMPARE(name->font().pixelSize(), 13);
    const QList<TUrllabel*> links = box.findChildren<TUrllabel*>();
    QCOMPARE(links.size(), 2);
    QVERIFY(links[0]->text().startsWith(QStringLiteral("mailto:")));
    QVERIFY(links[1]->text().startsWith(QStringLiteral("https://")));
    TUrllabel* link = links[1];
    QVERIFY(link->font().underline());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->palette().color(QPalette::WindowText), TUrllabel::kNormal);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(link, &enter);
    // Red where it reads on the window colour, else a readable colour of the palette.
    const QColor window = QApplication::palette().color(QPalette::Window);
    const QColor hover = link->palette().color(QPalette::WindowText);
    QVERIFY(hover == TUrllabel::kHover || ContrastRatio(TUrllabel::kHover, window) < kReadableContrast);
    QVERIFY(ContrastRatio(hover, window) >= kReadableContrast);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    QCOMPARE(link->palette().color(QPalette::WindowText), TUrllabel::kNormal);
    const QToolButton* picture = box.findChild<QToolButton*>(QStringLiteral("Image1"));
    QCOMPARE(picture->icon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
    QVERIFY(!box.ButChange()->isVisible());
    QVERIFY(!box.EdOp()->isVisible());
    QTest::keyClick(&box, Qt::Key_Escape);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Rejected));
  }

  // Every size comes from its own picture in the resources, not scaled from another one; the
  // windows carry only the sizes a desktop draws them at.
  void programIconHasEverySize_data() {
    QTest::addColumn<bool>("window");
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("program") << false << QList<int>{16, 24, 32, 48, 64, 128, 256};
    QTest::newRow("windows") << true << QList<int>{16, 24, 32, 48, 64};
  }
  void programIconHasEverySize() {
    QFETCH(bool, window);
    QFETCH(QList<int>, sizes);
    QIcon icon = ProgramIcon();
    if (window) {
      ScriptedAnswerer answerer;
      ProgramFolder folder;
      const auto main = MakeWindow(folder, Locale::Russian(), answerer.Ui());
      icon = main->windowIcon();
    }
    QCOMPARE(icon.availableSizes().size(), sizes.size());
    for (int size : sizes) {
      const QImage file(QStringLiteral(":/icons/%1x%1/apps/io.github.tallyman.Tallyman.png").arg(size));
      QCOMPARE(file.size(), QSize(size, size));
      const QImage::Format format = QImage::Format_ARGB32_Premultiplied;  // as pixmaps hold it
      QCOMPARE(icon.pixmap(size).toImage().convertToFormat(format), file.convertToFormat(format));
    }
  }

  // F1 opens the help page at the half in the interface's language; with nothing installed that
  // could open it, a message names the page.
  void helpPage_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("browser");
    QTest::addColumn<QString>("opened");  // after the page's address; empty: nothing opened
    QTest::addColumn<QString>("message");
    QTest::newRow("ru") << false << true << "#ru"
                        << "";
    QTest::newRow("en") << true << true << "#en"
                        << "";
    QTest::newRow("ru, no browser") << false << false << ""
                                    << "Не удалось открыть справку:\n";
    QTest::newRow("en, no browser") << true << false << ""
                                    << "Could not open the help page:\n";
  }

  void helpPage() {
    QFETCH(bool, english);
    QFETCH(bool, browser);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    ProgramFolder folder;
    const QString page = folder.File(QStringLiteral("Tallyman.html"));
    QVERIFY(QFile(page).open(QIODevice::WriteOnly));
    ScriptedAnswerer answerer;
    UiServices ui = answerer.Ui();
    QStringList urls;  // the desktop's handler of file addresses, which the offscreen platform lacks
    ui.openUrl = [&urls, browser](const QUrl& url) {
      urls << url.toString();
      return browser;
    };
    auto window = MakeWindow(folder, Locale::English(), ui);
    if (english) window->Actions().mLang->trigger();
    QTest::keyClick(window.get(), Qt::Key_F1);
    if (opened.isEmpty()) {
      QCOMPARE(answerer.Texts(), QStringList{message + page});
    } else {
      QVERIFY(answerer.asked.empty());
      QCOMPARE(urls, QStringList{QUrl::fromLocalFile(page).toString() + opened});
    }
  }

  void aboutMenuOpensTheBox() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), MakeUiServices());
    bool opened = false;
    WhenDialogOpens<TFormRow>([&](TFormRow* box) {
      opened = box->windowTitle() == QStringLiteral("Бесплатно!");
      box->reject();
    });
    window->Actions().mAbout->trigger();
    QVERIFY(opened);
  }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
