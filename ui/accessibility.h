#pragma once
// Names, descriptions and change announcements for assistive technology.
#include <QAccessible>
#include <QString>

class QWidget;

namespace tallyman::ui {

// Gives a control its accessible name from a language pair and, when given, a description.
void SetAccessibleText(QWidget* control, const wchar_t* namePair, bool english, const QString& description = QString());
// Makes a dialog an alert whose accessible name is its message.
void MarkAsAlert(QWidget* dialog, const QString& message);
// Makes a control a link whose name and value are its address; pressing it sends it Enter.
void MarkAsLink(QWidget* control);
// Tells screen readers that a property of the control changed (name, description, value ...).
void Announce(QWidget* control, QAccessible::Event event);

}  // namespace tallyman::ui
