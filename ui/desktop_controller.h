#pragma once
// The calculator on the desktop: the global hot key that hides it and brings it back, the tray it
// hides in, the lock keys it holds (the rules are LockKeyPolicy's), and the menu items that say
// which of these services the session lacks. The main window owns it, tells it what happened, and
// does what it asks through DesktopHost.
#include <QObject>
#include <QString>
#include <memory>

#include "engine/settings/settings.h"
#include "platform/desktop_services.h"

class QMenu;
class QWidget;
class QWindow;

namespace tallyman::ui {

class LockKeyPolicy;
class TrayIcon;

// What the desktop's menu items show. An empty text: the service works; else why it does not.
struct DesktopMenus {
  bool hotKeyWorks = true;  // the hot-key items show the chosen key as the active one
  QString hotKeyTitle;      // the hot-key menu's title, with the trigger a portal's user bound instead
  QString hotKeyAbsence;
  QString lockKeysAbsence;
  QString stayOnTopAbsence;
};

// The main window as the controller sees it.
class DesktopHost {
 public:
  virtual ~DesktopHost() = default;
  virtual bool Minimized() const = 0;
  virtual bool Shown() const = 0;  // visible and not minimized
  // The main window and the results window, where the lock keys follow the calculator's rule.
  virtual bool ShowsTape(const QWidget* window) const = 0;
  // Hidden for the tray, or minimized to the task bar; the results window closes either way.
  virtual void Hide(bool toTaskBar) = 0;
  virtual void Unminimize() = 0;
  virtual void Show() = 0;
  virtual QWindow* Handle() const = 0;
  virtual void FocusEntryLine() = 0;
  virtual QMenu* TrayMenu() = 0;
  virtual void ShowDesktopMenus(const DesktopMenus& menus) = 0;
  // Checks the "hold NumLock on" item, and so the option.
  virtual void HoldNumLock() = 0;
};

class DesktopController final : public QObject {
  Q_OBJECT

 public:
  // Records the lock keys' states at once, before anything can change them.
  // settings: the running options (hotKey, numLock, english, tray, hideOnMin), read at every call.
  DesktopController(platform::DesktopServices services, const Settings& settings, DesktopHost& host);
  // Lets the hot key and the tray icon go.
  ~DesktopController() override;

  platform::DesktopServices& Services() { return m_services; }

  // --- what the window tells ---
  void SettingsApplied();  // registers the hot key and shows the menus
  void HotKeyChosen();     // the settings name the hot key to hold (the same one again keeps a portal's binding)
  void LanguageChanged();
  void NumLockOptionChosen();
  void NotebookClosed();
  void WindowStateChanged();
  void Closing();  // gives back the lock keys as they were at the start

  // --- commands ---
  // The global hot key or a second copy's show request: hides an active calculator, brings a
  // hidden or inactive one to the front. A show request leaves the lock keys alone.
  void HotKeyMessage(bool showRequest);
  // Shows the window, or with "start in the tray" leaves it in the tray.
  void ShowAtStart();
  void HideToTray();
  void RestoreFromTray();  // the tray menu's Restore and a left click on the tray icon

  bool HotKeyWorks() const;
  // One of the program's windows has the keyboard focus: the window system's word where it has one.
  bool FocusIsOurs() const;
  static bool ProgramIsActive();

  // How long after a lock hot key's press its lock is checked once more.
  static constexpr int kLockKeySettleMs = 400;

 protected:
  // NumLock and ScrollLock pressed in the main window, the results window or a secondary window
  // that holds them.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RegisterHotKey();
  void ShowMenus();
  void HideWindow();  // the steps after the secondary windows are closed
  void SettleHotLockKey();
  void ApplicationActivated();

  platform::DesktopServices m_services;
  const Settings& m_settings;
  DesktopHost& m_host;
  std::unique_ptr<LockKeyPolicy> m_lockKeys;
  TrayIcon* m_tray = nullptr;
  bool m_minimizing = false;      // the window is minimized for want of a tray, not by the user
  bool m_hotKeyRefused = false;   // the last registration failed at once
  bool m_hotKeyAnswered = false;  // a service that answers later has answered it
};

}  // namespace tallyman::ui
