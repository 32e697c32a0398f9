#include "ui/desktop_controller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "engine/core/lang_pairs.h"
#include "ui/lock_key_policy.h"
#include "ui/qt_text.h"
#include "ui/secondary_window.h"
#include "ui/tray_icon.h"

namespace tallyman::ui {
namespace {

using platform::LockKey;

// A lock key's press has settled by the time it is released; the X keyboard switches a lock off
// only at the release, so the rule is applied to both.
std::optional<LockKey> LockKeyOfEvent(const QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return std::nullopt;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  if (key == Qt::Key_NumLock) return LockKey::NumLock;
  if (key == Qt::Key_ScrollLock) return LockKey::ScrollLock;
  return std::nullopt;
}

QString AbsenceText(platform::Absence reason, const wchar_t* onWayland, bool english) {
  switch (reason) {
    case platform::Absence::kNone:
      return {};
    case platform::Absence::kNoX11:
      return Lang(pairs::kDesktopNoX11, english);
    case platform::Absence::kWayland:
      return Lang(onWayland, english);
    case platform::Absence::kNoPortal:
      return Lang(pairs::kDesktopNoPortal, english);
  }
  return {};
}

}  // namespace

DesktopController::DesktopController(platform::DesktopServices services, const Settings& settings, DesktopHost& host)
    : m_services(std::move(services)), m_settings(settings), m_host(host) {
  m_lockKeys =
      std::make_unique<LockKeyPolicy>(*m_services.lockKeys, m_settings, [] { QCoreApplication::processEvents(); });
  m_lockKeys->RecordStart();
  m_tray = new TrayIcon([this] { RestoreFromTray(); }, this);
  m_services.hotKey->SetPressedHandler([this] { HotKeyMessage(false); });
  // A desktop portal answers later, and its user may bind another trigger.
  m_services.hotKey->SetStateChangedHandler([this] {
    m_hotKeyAnswered = true;
    ShowMenus();
  });
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) ApplicationActivated();
  });
  qApp->installEventFilter(this);
}

DesktopController::~DesktopController() {
  qApp->removeEventFilter(this);
  m_services.hotKey->SetPressedHandler({});
  m_services.hotKey->SetStateChangedHandler({});
  m_services.hotKey->Unregister();
  m_tray->Remove();
}

void DesktopController::SettingsApplied() {
  RegisterHotKey();
}

void DesktopController::HotKeyChosen() {
  // Registering lets the old key go; the same key again keeps a portal's binding without asking anew.
  RegisterHotKey();
}

void DesktopController::LanguageChanged() {
  ShowMenus();
}

void DesktopController::NumLockOptionChosen() {
  // NumLock as the hot key keeps its own state, so "always on" cannot be switched off then.
  if (m_settings.hotKey == HotKey::NumLock)
    m_host.HoldNumLock();
  else
    m_lockKeys->ForceLockKeys(LockKey::NumLock, true);
}

void DesktopController::NotebookClosed() {
  m_lockKeys->ForceLockKeys(LockKey::NumLock, false);
}

void DesktopController::Closing() {
  m_lockKeys->RestoreStart();
}

void DesktopController::ApplicationActivated() {
  m_lockKeys->ForceLockKeys(LockKey::NumLock, false);
  m_lockKeys->ForceLockKeys(LockKey::ScrollLock, false);
}

bool DesktopController::eventFilter(QObject* watched, QEvent* event) {
  const std::optional<LockKey> key = LockKeyOfEvent(event);
  if (!key || watched != QApplication::focusWidget()) return false;
  const QWidget* window = static_cast<QWidget*>(watched)->window();
  if (m_host.ShowsTape(window) || HoldsLockKeys(window)) m_lockKeys->ForceLockKeys(*key, true);
  return false;
}

void DesktopController::RegisterHotKey() {
  m_hotKeyAnswered = false;
  m_hotKeyRefused = !m_services.hotKey->Register(m_settings.hotKey);
  ShowMenus();
  if (m_settings.hotKey == HotKey::NumLock && !m_settings.numLock) m_host.HoldNumLock();
}

bool DesktopController::HotKeyWorks() const {
  // A key another program holds does not work: the menu shows no key as the active one. Without
  // the service the menu is disabled and still shows the choice kept for another session; a
  // request still on its way to a portal counts as working until it is refused.
  const platform::GlobalHotKey& hot = *m_services.hotKey;
  if (!hot.Available()) return true;
  return hot.Registered() == m_settings.hotKey ||
         (!m_hotKeyRefused && hot.Registered() == HotKey::NoKey && !m_hotKeyAnswered);
}

void DesktopController::ShowMenus() {
  const bool english = m_settings.english;
  DesktopMenus menus;
  menus.hotKeyWorks = HotKeyWorks();
  menus.hotKeyAbsence = AbsenceText(m_services.hotKey->Reason(), pairs::kDesktopNoX11, english);
  const QString bound = m_services.hotKey->BoundTrigger();
  const QString title = Lang(pairs::kMenuHotKey, english);
  menus.hotKeyTitle = bound.isEmpty() ? title : title + QStringLiteral(" (") + bound + QLatin1Char(')');
  // The lock keys share the session's reason with the window activation: Wayland, or no X11.
  const platform::Absence session = m_services.activation->Reason();
  const platform::Absence lockKeys = m_services.lockKeys->Available()      ? platform::Absence::kNone
                                     : session == platform::Absence::kNone ? platform::Absence::kNoX11
                                                                           : session;
  menus.lockKeysAbsence = AbsenceText(lockKeys, pairs::kWaylandNoLockKeys, english);
  menus.stayOnTopAbsence = AbsenceText(session, pairs::kWaylandNoStayOnTop, english);
  m_host.ShowDesktopMenus(menus);
}

bool DesktopController::FocusIsOurs() const {
  // Asked at once after the user went to another program, Qt would still say active.
  if (const std::optional<std::uintptr_t> focused = m_services.activation->FocusedWindow()) {
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
      if (window->isVisible() && window->handle() && static_cast<std::uintptr_t>(window->winId()) == *focused)
        return true;
    }
    return false;
  }
  return ProgramIsActive();
}

bool DesktopController::ProgramIsActive() {
  // The focus window, not QApplication::activeWindow(): after a window comes back from the tray
  // the latter can stay empty while the window has the focus.
  return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void DesktopController::HotKeyMessage(bool showRequest) {
  // Decided before the secondary windows close: an open dialog of the calculator is the calculator.
  const bool active = m_host.Shown() && FocusIsOurs();
  CloseSecondaryWindows();
  if (!showRequest && LockKeyOf(m_settings.hotKey) && m_services.lockKeys->Available()) SettleHotLockKey();
  if (active)
    HideWindow();
  else
    RestoreFromTray();
}

void DesktopController::SettleHotLockKey() {
  // The lock is put right once the key is up: X11 switches some locks only at the release, and a
  // switch made while the key is still down goes to our own grab and would come back as another
  // hot key press. The hot key is let go around the switch for the same reason.
  QTimer::singleShot(kLockKeySettleMs, this, [this] {
    if (!m_lockKeys->HotLockKeyAstray()) return;
    m_services.hotKey->Unregister();
    m_lockKeys->PutHotLockKeyRight();
    QCoreApplication::processEvents();
    m_services.hotKey->Register(m_settings.hotKey);
  });
}

void DesktopController::HideToTray() {
  CloseSecondaryWindows();
  HideWindow();
}

void DesktopController::HideWindow() {
  if (!TrayIcon::Available()) {
    // Without a tray a hidden calculator could never be found again: it goes to the task bar.
    m_minimizing = true;
    m_host.Hide(true);
    m_minimizing = false;
    return;
  }
  m_host.Hide(false);
  m_tray->Add(QGuiApplication::windowIcon(), Lang(pairs::kCalculator, true), m_host.TrayMenu());
}

void DesktopController::RestoreFromTray() {
  m_tray->Remove();
  m_host.Unminimize();
  m_host.Show();
  m_services.activation->BringToFront(m_host.Handle());
  m_host.FocusEntryLine();
}

void DesktopController::ShowAtStart() {
  if (m_settings.tray) {
    HideWindow();
    return;
  }
  m_host.Show();
}

void DesktopController::WindowStateChanged() {
  if (m_minimizing || !m_settings.hideOnMin) return;
  if (m_host.Minimized() && TrayIcon::Available()) {
    // Hiding from inside the state change confuses some window managers: do it right after.
    QTimer::singleShot(0, this, [this] {
      if (!m_host.Minimized()) return;
      m_host.Unminimize();
      HideToTray();
    });
  }
}

}  // namespace tallyman::ui
