#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

constexpr const char* kAlertMessage = "tallymanAlertMessage";

class AlertInterface : public QAccessibleWidget {
 public:
  explicit AlertInterface(QWidget* dialog) : QAccessibleWidget(dialog, QAccessible::AlertMessage) {}
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return widget()->property(kAlertMessage).toString();
    if (kind == QAccessible::Description) return widget()->windowTitle();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* AlertFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget || !widget->property(kAlertMessage).isValid()) return nullptr;
  return new AlertInterface(widget);
}

}  // namespace

void MarkAsAlert(QWidget* dialog, const QString& message) {
  static const bool installed = [] {
    QAccessible::installFactory(AlertFactory);
    return true;
  }();
  (void)installed;
  dialog->setProperty(kAlertMessage, message);
}

void SetAccessibleText(QWidget* control, const wchar_t* namePair, bool english, const QString& description) {
  // Both setters tell screen readers of a change themselves; an unchanged text is not set again,
  // so nothing is announced twice.
  const QString name = Lang(namePair, english);
  if (control->accessibleName() != name) control->setAccessibleName(name);
  if (control->accessibleDescription() != description) control->setAccessibleDescription(description);
}

void Announce(QWidget* control, QAccessible::Event event) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent change(control, event);
  QAccessible::updateAccessibility(&change);
}

}  // namespace tallyman::ui
