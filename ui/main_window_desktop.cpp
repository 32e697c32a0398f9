// The main window and the desktop: hiding to the tray and coming back, the global hot key, the
// lock keys, stay on top, hide on minimize, and closing for a signal.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "engine/core/lang_pairs.h"
#include "ui/lock_key_policy.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"
#include "ui/stay_on_top.h"
#include "ui/tray_icon.h"

namespace tallyman::ui {
namespace {

// The order in which the hot key closes the secondary windows: the row dialog, the notebook, the
// precision dialog, the formula window, the memory list, then any other dialog (About, messages,
// file dialogs), so a hidden calculator never keeps a dialog on the screen.
int CloseRank(const QWidget* window) {
  static const char* const kOrder[] = {"TFormRow", "FormNote", "TFormPrec", "Form1", "FormList"};
  const auto* found = std::find(std::begin(kOrder), std::end(kOrder), window->objectName());
  return static_cast<int>(found - std::begin(kOrder));
}

// A lock key's press has settled by the time it is released; the X keyboard switches a lock off
// only at the release, so the rule is applied to both.
bool IsLockKeyEvent(const QEvent* event, int* virtualKey) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  if (key == Qt::Key_NumLock)
    *virtualKey = kHotKeyNumLock;
  else if (key == Qt::Key_ScrollLock)
    *virtualKey = kHotKeyScrollLock;
  else
    return false;
  return true;
}

const wchar_t* AbsenceText(platform::Absence reason, const wchar_t* onWayland) {
  switch (reason) {
    case platform::Absence::kNone:
      return nullptr;
    case platform::Absence::kNoX11:
      return pairs::kDesktopNoX11;
    case platform::Absence::kWayland:
      return onWayland;
    case platform::Absence::kNoPortal:
      return pairs::kDesktopNoPortal;
  }
  return nullptr;
}

void ShowAbsence(QAction* action, platform::Absence reason, const wchar_t* onWayland, bool english) {
  const wchar_t* text = AbsenceText(reason, onWayland);
  action->setEnabled(text == nullptr);
  action->setToolTip(text ? Lang(text, english) : QString());
}

// Watches the whole program's key events for the lock keys without taking part in the main
// window's own event filter.
class KeyWatcher final : public QObject {
 public:
  KeyWatcher(std::function<void(QObject*, QEvent*)> watch, QObject* parent)
      : QObject(parent), m_watch(std::move(watch)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    m_watch(watched, event);
    return false;
  }

 private:
  std::function<void(QObject*, QEvent*)> m_watch;
};

}  // namespace

void FormTallyman::ConnectDesktop() {
  m_lockKeys =
      std::make_unique<LockKeyPolicy>(*m_desktop.lockKeys, m_settings, [] { QCoreApplication::processEvents(); });
  m_lockKeys->RecordStart();
  m_tray = new TrayIcon([this] { RestoreFromTray(); }, this);
  m_desktop.hotKey->SetPressedHandler([this] { HotKeyMessage(false); });
  // A desktop portal answers later, and its user may bind another trigger.
  m_desktop.hotKey->SetStateChangedHandler([this] {
    m_hotKeyAnswered = true;
    ShowHotKeyChoice();
    ApplyDesktopAvailability();
  });
  connect(m_actions.mNumLock, &QAction::triggered, this, [this] {
    // NumLock as the hot key keeps its own state, so "always on" cannot be switched off then.
    if (m_settings.hotKey == kHotKeyNumLock)
      m_actions.mNumLock->setChecked(true);
    else
      m_lockKeys->ForceLockKeys(kHotKeyNumLock, true);
  });
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) AppAct();
  });
  // NumLock and ScrollLock pressed in the main window, the results window or the row dialog.
  m_keyWatcher = new KeyWatcher([this](QObject* watched, QEvent* event) { LockKeyEvent(watched, event); }, this);
  qApp->installEventFilter(m_keyWatcher);
}

void FormTallyman::DisconnectDesktop() {
  qApp->removeEventFilter(m_keyWatcher);
  m_desktop.hotKey->SetPressedHandler({});
  m_desktop.hotKey->SetStateChangedHandler({});
  m_desktop.hotKey->Unregister();
  m_tray->Remove();
}

bool FormTallyman::FocusIsOurs() const {
  // Asked at once after the user went to another program, Qt would still say active.
  if (const std::optional<std::uintptr_t> focused = m_desktop.activation->FocusedWindow()) {
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
      if (window->isVisible() && window->handle() && static_cast<std::uintptr_t>(window->winId()) == *focused)
        return true;
    }
    return false;
  }
  return ProgramIsActive();
}

bool FormTallyman::ProgramIsActive() {
  // The focus window, not QApplication::activeWindow(): after a window comes back from the tray
  // the latter can stay empty while the window has the focus.
  return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void FormTallyman::AppAct() {
  m_lockKeys->ForceLockKeys(kHotKeyNumLock, false);
  m_lockKeys->ForceLockKeys(kHotKeyScrollLock, false);
}

void FormTallyman::LockKeyEvent(QObject* watched, QEvent* event) {
  int virtualKey = 0;
  if (!IsLockKeyEvent(event, &virtualKey) || watched != QApplication::focusWidget()) return;
  const QWidget* window = static_cast<QWidget*>(watched)->window();
  if (window == this || window == m_res || window->objectName() == QLatin1String("TFormRow")) {
    m_lockKeys->ForceLockKeys(virtualKey, true);
  }
}

void FormTallyman::ForceNumLockAfterNote() {
  m_lockKeys->ForceLockKeys(kHotKeyNumLock, false);
}

void FormTallyman::RestoreLockKeys() {
  m_lockKeys->RestoreStart();
}

void FormTallyman::ApplyDesktopAvailability() {
  const bool english = m_settings.english;
  ShowAbsence(m_actions.mHot->menuAction(), m_desktop.hotKey->Reason(), pairs::kDesktopNoX11, english);
  // The trigger a portal's user bound instead of the chosen key.
  const QString bound = m_desktop.hotKey->BoundTrigger();
  const QString title = Lang(pairs::kMenuHotKey, english);
  m_actions.mHot->setTitle(bound.isEmpty() ? title : title + QStringLiteral(" (") + bound + QLatin1Char(')'));
  ShowAbsence(m_actions.mNumLock, m_desktop.lockKeys->Available() ? platform::Absence::kNone : LockKeysAbsence(),
              pairs::kWaylandNoLockKeys, english);
  ShowAbsence(m_actions.mTop, m_desktop.activation->Reason(), pairs::kWaylandNoStayOnTop, english);
  m_actions.mOperations->setToolTipsVisible(true);
}

platform::Absence FormTallyman::LockKeysAbsence() const {
  // The lock keys share the session's reason with the window activation: Wayland, or no X11.
  const platform::Absence reason = m_desktop.activation->Reason();
  return reason == platform::Absence::kNone ? platform::Absence::kNoX11 : reason;
}

void FormTallyman::RegisterAppHotKey() {
  m_hotKeyAnswered = false;
  m_hotKeyRefused = !m_desktop.hotKey->Register(m_settings.hotKey);
  ShowHotKeyChoice();
  if (m_settings.hotKey == kHotKeyNumLock && !m_actions.mNumLock->isChecked()) m_actions.mNumLock->setChecked(true);
}

bool FormTallyman::HotKeyWorks() const {
  // A key another program holds does not work: the menu shows no key as the active one. Without
  // the service the menu is disabled and still shows the choice kept for another session; a
  // request still on its way to a portal counts as working until it is refused.
  const platform::GlobalHotKey& hot = *m_desktop.hotKey;
  if (!hot.Available()) return true;
  return hot.Registered() == m_settings.hotKey || (!m_hotKeyRefused && hot.Registered() == 0 && !m_hotKeyAnswered);
}

void FormTallyman::ShowHotKeyChoice() {
  SetHideCaption(m_actions, m_settings.english, m_settings.hotKey, HotKeyWorks());
}

void FormTallyman::ChooseHotKey(int hotKey) {
  m_settings.hotKey = hotKey;
  // Registering lets the old key go; the same key again keeps a portal's binding without asking anew.
  RegisterAppHotKey();
}

void FormTallyman::HotKeyMessage(bool showRequest) {
  // Decided before the secondary windows close: an open dialog of the calculator is the calculator.
  const bool active = isVisible() && !isMinimized() && FocusIsOurs();
  CloseSecondaryWindows();
  if (!showRequest && LockKeyOf(m_settings.hotKey) && m_desktop.lockKeys->Available()) SettleHotLockKey();
  if (active)
    HideMainWindow();
  else
    RestoreFromTray();
}

void FormTallyman::SettleHotLockKey() {
  // The lock is put right once the key is up: X11 switches some locks only at the release, and a
  // switch made while the key is still down goes to our own grab and would come back as another
  // hot key press. The hot key is let go around the switch for the same reason.
  QTimer::singleShot(kLockKeySettleMs, this, [this] {
    if (!m_lockKeys->HotLockKeyAstray()) return;
    m_desktop.hotKey->Unregister();
    m_lockKeys->PutHotLockKeyRight();
    QCoreApplication::processEvents();
    m_desktop.hotKey->Register(m_settings.hotKey);
  });
}

void FormTallyman::CloseSecondaryWindows() {
  QList<QWidget*> open;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && qobject_cast<QDialog*>(window)) open.append(window);
  }
  std::stable_sort(open.begin(), open.end(),
                   [](const QWidget* a, const QWidget* b) { return CloseRank(a) < CloseRank(b); });
  for (const QPointer<QWidget>& window : QList<QPointer<QWidget>>(open.begin(), open.end())) {
    if (window) window->close();  // closing one may have closed another
  }
}

void FormTallyman::HideToTray() {
  CloseSecondaryWindows();
  HideMainWindow();
}

void FormTallyman::HideMainWindow() {
  m_res->close();
  if (!TrayIcon::Available()) {
    // Without a tray a hidden calculator could never be found again: it goes to the task bar.
    m_hidingToTray = true;
    showMinimized();
    m_hidingToTray = false;
    return;
  }
  hide();
  EnsurePopupMenus();
  m_tray->Add(windowIcon(), Lang(pairs::kCalculator, true), m_actions.pm2);
}

void FormTallyman::RestoreFromTray() {
  m_tray->Remove();
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  m_desktop.activation->BringToFront(windowHandle());
  if (m_ed->isEnabled()) m_ed->setFocus();
}

void FormTallyman::ShowAtStart() {
  if (m_settings.tray) {
    HideMainWindow();
    return;
  }
  show();
}

void FormTallyman::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || m_hidingToTray || !m_settings.hideOnMin) return;
  if (isMinimized() && TrayIcon::Available()) {
    // Hiding from inside the state change confuses some window managers: do it right after.
    QTimer::singleShot(0, this, [this] {
      if (!isMinimized()) return;
      setWindowState(windowState() & ~Qt::WindowMinimized);
      HideToTray();
    });
  }
}

void FormTallyman::SetStayOnTop(bool on) {
  m_actions.mTop->setChecked(on);
  KeepOnTop(this, on);
  KeepOnTop(m_res, on);
  if (on && isVisible()) raise();
}

void FormTallyman::CloseByCommand() {
  // A calculator hidden in the tray is not a shown window, so its closing alone would not end the
  // program: it would stay running with nothing to show.
  const bool hidden = isHidden();
  m_closeCommand = true;
  const bool closed = close();
  m_closeCommand = false;
  if (closed && hidden && QGuiApplication::quitOnLastWindowClosed()) QCoreApplication::quit();
}

void FormTallyman::CloseWithoutQuestion() {
  m_askBeforeClosing = false;
  CloseByCommand();
  m_askBeforeClosing = true;  // a close refused elsewhere leaves the question for the user's next close
}

}  // namespace tallyman::ui
