// The main window's side of the desktop: what the desktop controller asks of it, stay on top, and
// closing by the program's own commands.
#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include "ui/main_window.h"
#include "ui/results_window.h"
#include "ui/stay_on_top.h"

namespace tallyman::ui {
namespace {

void ShowAbsence(QAction* action, const QString& absence) {
  action->setEnabled(absence.isEmpty());
  action->setToolTip(absence);
}

}  // namespace

class FormTallyman::DesktopSide final : public DesktopHost {
 public:
  explicit DesktopSide(FormTallyman& window) : w(window) {}

  bool Minimized() const override { return w.isMinimized(); }
  bool Shown() const override { return w.isVisible() && !w.isMinimized(); }
  bool ShowsTape(const QWidget* window) const override { return window == &w || window == w.m_res; }
  void Hide(bool toTaskBar) override {
    w.m_res->close();
    if (toTaskBar)
      w.showMinimized();
    else
      w.hide();
  }
  void Unminimize() override { w.setWindowState(w.windowState() & ~Qt::WindowMinimized); }
  void Show() override { w.show(); }
  QWindow* Handle() const override { return w.windowHandle(); }
  void FocusEntryLine() override {
    if (w.m_ed->isEnabled()) w.m_ed->setFocus();
  }
  QMenu* TrayMenu() override {
    w.EnsurePopupMenus();
    return w.m_actions.pm2;
  }
  void ShowDesktopMenus(const DesktopMenus& menus) override {
    MainActions& a = w.m_actions;
    SetHideCaption(a, w.m_settings.english, w.m_settings.hotKey, menus.hotKeyWorks);
    ShowAbsence(a.mHot->menuAction(), menus.hotKeyAbsence);
    a.mHot->setTitle(menus.hotKeyTitle);
    ShowAbsence(a.mNumLock, menus.lockKeysAbsence);
    ShowAbsence(a.mTop, menus.stayOnTopAbsence);
    a.mOperations->setToolTipsVisible(true);
  }
  void HoldNumLock() override { w.m_actions.mNumLock->setChecked(true); }

 private:
  FormTallyman& w;
};

void FormTallyman::ConnectDesktop(platform::DesktopServices services) {
  m_desktopSide = std::make_unique<DesktopSide>(*this);
  m_desktop = std::make_unique<DesktopController>(std::move(services), m_settings, *m_desktopSide);
}

void FormTallyman::HideToTray() {
  m_desktop->HideToTray();
}

void FormTallyman::RestoreFromTray() {
  m_desktop->RestoreFromTray();
}

void FormTallyman::ChooseHotKey(HotKey key) {
  m_settings.hotKey = key;
  m_desktop->HotKeyChosen();
}

void FormTallyman::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) m_desktop->WindowStateChanged();
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
