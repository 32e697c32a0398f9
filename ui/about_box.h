#pragma once
// The About box: the row dialog in its About mode, with the program's name and version, links to
// the author's e-mail and web site, and the program's picture.
#include <QString>

#include "engine/core/number_text.h"
#include "ui/dialog_style.h"
#include "ui/url_label.h"

class QWidget;

namespace tallyman::ui {

inline constexpr const char* kAuthorMail = "mailto:tallyman@example.org";
inline constexpr const char* kAuthorSite = "https://tallyman.example.org/";
inline constexpr const char* kAuthorOtherSite = "https://www.example.org/tallyman/";

// "Calculator 1.2.3.4": the application title, a blank and the version of this build.
QString AboutNameText();

// Shows the box modally and destroys it afterwards; its place is neither read nor stored.
void ShowAboutBox(QWidget* parent, const NumberText& numbers, DialogStyle style, const UrlOpener& openUrl);

}  // namespace tallyman::ui
