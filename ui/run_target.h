#pragma once
// Run in the notebook: what a piece of text may open. Only addresses and existing documents or
// folders are handed to the desktop's default application; a program, a launcher or a command
// line never runs.
#include <QString>
#include <QUrl>
#include <functional>

namespace tallyman::ui {

// The address to open for the target, or an invalid QUrl when it is none of: a web address
// (http, https, ftp, or text starting with "www."), an e-mail address (text holding "@" gets
// "mailto:" in front), an existing file or folder (a path; "~" is the home folder) that is not
// an executable file or a ".desktop" launcher.
QUrl RunTargetUrl(const QString& target);

// Opens the address with the desktop's default application.
void OpenRunTarget(const QUrl& url);
// Tests record what would be opened instead (nullptr: the desktop again).
void SetRunTargetOpener(std::function<void(const QUrl&)> opener);

}  // namespace tallyman::ui
