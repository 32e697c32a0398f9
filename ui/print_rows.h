#pragma once
// PrintRows: the print dialog, then the rows printed on the chosen printer or into a PDF file.
#include <QFont>
#include <QString>
#include <vector>

#include "engine/core/text.h"
#include "ui/dialog_style.h"
#include "ui/print_painter.h"
#include "ui/ui_services.h"

class QWidget;

namespace tallyman::ui {

struct PrintOptions {
  QFont mainFont;  // the main window's font; printed when the dialog's font list has no choice
  DialogStyle style;
  Text today;  // today's date in the locale's short form
};

// Nothing happens for an empty list. The title typed in the dialog becomes `printTitle` once
// printing is confirmed; a printer or file that fails says "Print error!".
void PrintRows(const UiServices& ui, QWidget* parent, const std::vector<Text>& rows, const QString& total,
               const PrintOptions& options, Text& printTitle);

// Prints into the PDF file `path` (through a symbolic link to its target), replacing it only once
// the whole document is written; false, with the old file unchanged, when it could not be.
bool PrintToPdfFile(const QString& path, const QFont& font, const PrintContent& content);

}  // namespace tallyman::ui
