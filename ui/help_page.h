#pragma once
// F1: the help page beside the program, opened by the desktop's default application.
#include <QUrl>
#include <filesystem>

#include "ui/dialog_style.h"
#include "ui/ui_services.h"

class QWidget;

namespace tallyman::ui {

// The page's address, at the half written in the interface's language.
QUrl HelpPageUrl(const std::filesystem::path& page, bool english);

// Opens the page; when no application could be started for it, a message gives its path so the
// user can open it by hand.
void OpenHelpPage(const UiServices& ui, QWidget* parent, const std::filesystem::path& page, DialogStyle style);

}  // namespace tallyman::ui
