#pragma once
// The open and save dialogs for text files ("Text files (*.txt)", default extension ".txt").
// Tests answer them through a FileChooser instead of a person.
#include <QString>

class QWidget;

namespace tallyman::ui {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file, or an empty text for Cancel.
  virtual QString Choose(bool save, const QString& title) = 0;
};

// Installs the chooser that replaces the dialogs (nullptr: real dialogs again).
void SetFileChooser(FileChooser* chooser);

QString ChooseOpenTextFile(QWidget* parent, const QString& title);
// Asks before overwriting; the read-only box is hidden and the dialog can be resized.
QString ChooseSaveTextFile(QWidget* parent, const QString& title);
// The same for a PDF file ("PDF (*.pdf)", default extension ".pdf").
QString ChooseSavePdfFile(QWidget* parent, const QString& title);

}  // namespace tallyman::ui
