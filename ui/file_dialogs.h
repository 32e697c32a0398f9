#pragma once
// The open and save dialogs for text files ("Text files (*.txt)", default extension ".txt") and
// the save dialog for PDF files ("PDF (*.pdf)", default extension ".pdf"). The save dialogs ask
// before overwriting; the read-only box is hidden and the dialogs can be resized.
#include <memory>

#include "ui/ui_services.h"

namespace tallyman::ui {

std::shared_ptr<FileChooser> MakeFileDialogs();

}  // namespace tallyman::ui
