#pragma once
// F1: the help page beside the program, opened by the desktop's default application.
#include <QUrl>
#include <filesystem>

class QWidget;

namespace tallyman::ui {

// The page's address, at the half written in the interface's language.
QUrl HelpPageUrl(const std::filesystem::path& page, bool english);

// Opens the page; when no application could be started for it, a message gives its path so the
// user can open it by hand.
void OpenHelpPage(QWidget* parent, const std::filesystem::path& page, bool english, bool onTop);

}  // namespace tallyman::ui
