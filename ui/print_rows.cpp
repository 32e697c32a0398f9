#include "ui/print_rows.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/print/print_layout.h"
#include "ui/centre_on_screen.h"
#include "ui/message_dialogs.h"
#include "ui/print_dialog.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

constexpr auto kDocumentName = "Tallyman";

// Gives the focus back to the widget that had it, in its own window, once the print dialogs are
// gone: the desktop would otherwise activate whichever window it likes (often the main one).
class FocusReturn {
 public:
  FocusReturn() : m_widget(QApplication::focusWidget()) {}
  ~FocusReturn() {
    if (!m_widget || !m_widget->isVisible()) return;
    m_widget->activateWindow();
    m_widget->setFocus(Qt::OtherFocusReason);
  }
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  QPointer<QWidget> m_widget;
};

}  // namespace

bool PrintToPdfFile(const QString& path, const QFont& font, const PrintContent& content) {
  // Qt's PDF output reports no failed write: the document is made in memory and written with a
  // checked write that keeps the old file when the disk is full.
  QByteArray document;
  {
    QBuffer buffer(&document);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // The page a PDF printer gets: the locale's paper and the printer's margins.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(QLatin1String(kDocumentName));
    if (!PaintRows(writer, writer.resolution(), font, content)) return false;
  }
  const QByteArray target = QFile::encodeName(path);
  return WriteFileAtomically(std::filesystem::path(target.toStdString()),
                             std::string_view(document.constData(), static_cast<size_t>(document.size())));
}

void PrintRows(const UiServices& ui, QWidget* parent, const std::vector<Text>& rows, const QString& total,
               const PrintOptions& options, Text& printTitle) {
  const bool english = options.style.English();
  if (rows.empty()) return;
  const FocusReturn focusReturn;
  const QStringList printers = QPrinterInfo::availablePrinterNames();
  TFormPrn dialog(printers, QPrinterInfo::defaultPrinterName(), options.mainFont, ToQString(printTitle), options.style,
                  parent);
  CentreOnScreen(&dialog, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  printTitle = FromQString(dialog.Title());
  QFont font = PrinterFont(options.mainFont);
  font.setBold(false);
  if (!dialog.FontFamily().isEmpty()) font.setFamily(dialog.FontFamily());

  PrintContent content;
  content.rows = &rows;
  content.title = printTitle;
  if (dialog.PrintDate()) content.date = options.today;
  content.totalLine = PrintTotalLine(rows.size(), FromQString(total), english);

  bool printed = false;
  if (dialog.PdfChosen()) {
    const QString path = ui.files->Choose(parent, FileChoice::kSavePdf, Lang(pairs::kPrintToPdf, english));
    if (path.isEmpty()) return;
    printed = PrintToPdfFile(path, font, content);
  } else {
    QPrinter printer(QPrinterInfo::printerInfo(dialog.PrinterName()), QPrinter::HighResolution);
    printer.setDocName(QLatin1String(kDocumentName));
    printer.setCopyCount(dialog.Copies());
    printer.setFullPage(false);
    printed = printer.isValid() && PaintRows(printer, printer.resolution(), font, content) &&
              printer.printerState() != QPrinter::Error;
  }
  if (!printed) ShowMessageBox(*ui.answers, parent, Lang(pairs::kPrintError, english), options.style);
}

}  // namespace tallyman::ui
