#pragma once
// The calculator's icon in the system tray, present while the calculator is hidden. A left click
// restores it; a right click opens the tray menu Pm2.
#include <QObject>
#include <functional>

class QIcon;
class QMenu;
class QSystemTrayIcon;

namespace tallyman::ui {

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(std::function<void()> restore, QObject* parent);
  ~TrayIcon() override;

  // Whether the desktop has a tray (an XEmbed tray or a StatusNotifierItem watcher) now. Qt decides
  // at the first question whether the program uses the D-Bus tray; a watcher that only comes later
  // is not used, and hiding minimizes instead.
  static bool Available();

  // `TrayAdd` / `TrayRemove`.
  void Add(const QIcon& icon, const QString& tip, QMenu* menu);
  void Remove();

 private:
  std::function<void()> m_restore;
  QSystemTrayIcon* m_icon = nullptr;  // made on first use: creating one talks to the desktop
};

}  // namespace tallyman::ui
