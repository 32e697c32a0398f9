// The main window and the desktop: the global hot key, the tray, the lock keys and closing for a
// signal.
#include <QWindow>

#include "ui/main_window.h"

namespace tallyman::ui {

void FormTallyman::HotKeyMessage(bool /*showRequest*/) {
  if (isVisible() && isActiveWindow() && !isMinimized()) {
    showMinimized();
    return;
  }
  showNormal();
  m_desktop.activation->BringToFront(windowHandle());
}

void FormTallyman::CloseWithoutQuestion() {
  m_askBeforeClosing = false;
  close();
  m_askBeforeClosing = true;  // a close refused elsewhere leaves the question for the user's next close
}

}  // namespace tallyman::ui
