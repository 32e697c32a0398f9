#include "ui/tray_icon.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace tallyman::ui {

TrayIcon::TrayIcon(std::function<void()> restore, QObject* parent) : QObject(parent), m_restore(std::move(restore)) {}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Add(const QIcon& icon, const QString& tip, QMenu* menu) {
  if (!m_icon) {
    m_icon = new QSystemTrayIcon(this);
    m_icon->setObjectName(QStringLiteral("TrayIcon"));
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      // The right button opens the context menu by itself; every other event but a left click is ignored.
      if (reason == QSystemTrayIcon::Trigger && m_restore) m_restore();
    });
  }
  m_icon->setIcon(icon);
  m_icon->setToolTip(tip);
  m_icon->setContextMenu(menu);
  m_icon->show();
}

void TrayIcon::Remove() {
  if (m_icon) m_icon->hide();
}

}  // namespace tallyman::ui
