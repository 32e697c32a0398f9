#include "ui/file_dialogs.h"

#include <QFileDialog>

namespace tallyman::ui {
namespace {

class FileDialogs : public FileChooser {
 public:
  QString Choose(QWidget* parent, FileChoice choice, const QString& title) override {
    const bool save = choice != FileChoice::kOpenText;
    const bool pdf = choice == FileChoice::kSavePdf;
    QFileDialog dialog(parent, title);
    dialog.setNameFilter(pdf ? QStringLiteral("PDF (*.pdf *.PDF)") : QStringLiteral("Text files (*.txt *.TXT)"));
    dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("txt"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
  }
};

}  // namespace

std::shared_ptr<FileChooser> MakeFileDialogs() {
  return std::make_shared<FileDialogs>();
}

}  // namespace tallyman::ui
