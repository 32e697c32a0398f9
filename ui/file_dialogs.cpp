#include "ui/file_dialogs.h"

#include <QFileDialog>

namespace tallyman::ui {
namespace {

FileChooser* g_chooser = nullptr;  // set by tests only

QString Run(QWidget* parent, bool save, const QString& title,
            const QString& filter = QStringLiteral("Text files (*.txt *.TXT)"),
            const QString& suffix = QStringLiteral("txt")) {
  if (g_chooser) return g_chooser->Choose(save, title);
  QFileDialog dialog(parent, title);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(suffix);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void SetFileChooser(FileChooser* chooser) {
  g_chooser = chooser;
}

QString ChooseOpenTextFile(QWidget* parent, const QString& title) {
  return Run(parent, false, title);
}

QString ChooseSaveTextFile(QWidget* parent, const QString& title) {
  return Run(parent, true, title);
}

QString ChooseSavePdfFile(QWidget* parent, const QString& title) {
  return Run(parent, true, title, QStringLiteral("PDF (*.pdf *.PDF)"), QStringLiteral("pdf"));
}

}  // namespace tallyman::ui
