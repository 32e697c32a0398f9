#pragma once
// Run in the notebook: what a piece of text may open. Only addresses and existing documents or
// folders are handed to the desktop's default application; a program, a launcher or a command
// line never runs.
#include <QString>
#include <QUrl>

namespace tallyman::ui {

// The address to open for the target, or an invalid QUrl when it is none of: a web address
// (http, https, ftp, or text starting with "www."), one bare e-mail address (text holding "@";
// parameters after "?" are dropped), an existing folder, or a document: an existing regular file
// (a path or a file:// address; "~" is the home folder) that is not executable, a script, a
// launcher or a package that starts a program, by name or by content. Links are resolved: the
// address is that of the file they lead to.
QUrl RunTargetUrl(const QString& target);

}  // namespace tallyman::ui
