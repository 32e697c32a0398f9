#include "ui/stay_on_top.h"

#include <QRect>
#include <QWidget>
#include <QWindow>

namespace tallyman::ui {

void KeepOnTop(QWidget* window, bool on) {
  const Qt::WindowFlags flags =
      on ? window->windowFlags() | Qt::WindowStaysOnTopHint : window->windowFlags() & ~Qt::WindowStaysOnTopHint;
  if (flags == window->windowFlags()) return;
  if (QWindow* native = window->windowHandle()) {
    window->overrideWindowFlags(flags);
    native->setFlags(flags);
  } else {
    // Not created yet: nothing is shown that could be hidden. setWindowFlags() puts the window
    // back with move(), which places the frame's corner where the client area was; a place
    // already given is given again as the client area's.
    const bool placed = window->testAttribute(Qt::WA_Moved);
    const QRect client = window->geometry();
    window->setWindowFlags(flags);
    if (placed) window->setGeometry(client);
  }
}

}  // namespace tallyman::ui
