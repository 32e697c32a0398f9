#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

constexpr const char* kAlertMessage = "tallymanAlertMessage";
constexpr const char* kLink = "tallymanLink";

class AlertInterface : public QAccessibleWidget {
 public:
  explicit AlertInterface(QWidget* dialog) : QAccessibleWidget(dialog, QAccessible::AlertMessage) {}
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return widget()->property(kAlertMessage).toString();
    if (kind == QAccessible::Description) return widget()->windowTitle();
    return QAccessibleWidget::text(kind);
  }
};

// A link is announced as one; its address is its name and its value, and the press action
// opens it the way Enter does.
class LinkInterface : public QAccessibleWidget {
 public:
  explicit LinkInterface(QWidget* link) : QAccessibleWidget(link, QAccessible::Link) {}
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name || kind == QAccessible::Value) return widget()->accessibleName();
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &enter);
  }
};

QAccessibleInterface* MarkedFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  if (widget->property(kAlertMessage).isValid()) return new AlertInterface(widget);
  if (widget->property(kLink).toBool()) return new LinkInterface(widget);
  return nullptr;
}

void InstallFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(MarkedFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace

void MarkAsAlert(QWidget* dialog, const QString& message) {
  InstallFactory();
  dialog->setProperty(kAlertMessage, message);
}

void MarkAsLink(QWidget* control) {
  InstallFactory();
  control->setProperty(kLink, true);
  // A screen reader may have met the control as a plain label while it was being built; that
  // interface goes, so the next question gets the link.
  if (QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(control);
      plain && plain->role() != QAccessible::Link) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
  }
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
