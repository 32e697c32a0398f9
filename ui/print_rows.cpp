#include "ui/print_rows.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <filesystem>

#include "engine/core/lang_pairs.h"
#include "engine/print/print_layout.h"
#include "ui/centre_on_screen.h"
#include "ui/file_dialogs.h"
#include "ui/message_dialogs.h"
#include "ui/print_dialog.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

void ConfigureJob(QPrinter& printer, int copies) {
  printer.setDocName(QStringLiteral("Tallyman"));
  printer.setCopyCount(copies);
  printer.setFullPage(false);
}

// A new file gets the permissions the user's umask gives (the temporary file is private).
void SetNewFilePermissions(const QString& path) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(QFile::encodeName(path).constData(), 0666 & ~mask);
}

}  // namespace

bool PrintToPdfFile(const QString& path, const QFont& font, int copies, const PrintContent& content) {
  const QFileInfo chosen(path);
  // Saving onto a link replaces the file it points at, and the link stays.
  const QFileInfo target(chosen.isSymLink() ? chosen.symLinkTarget() : chosen.absoluteFilePath());
  if (target.exists() && !target.isFile()) return false;
  QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.~tallyman-XXXXXX"));
  if (!temporary.open()) return false;
  temporary.close();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(temporary.fileName());
  ConfigureJob(printer, copies);
  if (!PaintRows(printer, font, content)) return false;
  if (target.exists()) {
    QFile::setPermissions(temporary.fileName(), QFile::permissions(target.absoluteFilePath()));
  } else {
    SetNewFilePermissions(temporary.fileName());
  }
  std::error_code error;
  std::filesystem::rename(QFile::encodeName(temporary.fileName()).toStdString(),
                          QFile::encodeName(target.absoluteFilePath()).toStdString(), error);
  if (error) return false;
  temporary.setAutoRemove(false);
  return true;
}

void PrintRows(QWidget* parent, const std::vector<Text>& rows, const QString& total, const PrintOptions& options,
               Text& printTitle) {
  if (rows.empty()) return;
  const QStringList printers = QPrinterInfo::availablePrinterNames();
  TFormPrn dialog(printers, QPrinterInfo::defaultPrinterName(), options.mainFont, ToQString(printTitle),
                  options.english, options.onTop, parent);
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
  content.totalLine = PrintTotalLine(rows.size(), FromQString(total), options.english);

  bool printed = false;
  if (dialog.PdfChosen()) {
    const QString path = ChooseSavePdfFile(parent, Lang(pairs::kPrintToPdf, options.english));
    if (path.isEmpty()) return;
    printed = PrintToPdfFile(path, font, dialog.Copies(), content);
  } else {
    QPrinter printer(QPrinterInfo::printerInfo(dialog.PrinterName()), QPrinter::HighResolution);
    ConfigureJob(printer, dialog.Copies());
    printed = printer.isValid() && PaintRows(printer, font, content);
  }
  if (!printed) ShowMessageBox(parent, Lang(pairs::kPrintError, options.english), options.onTop, options.english);
}

}  // namespace tallyman::ui
