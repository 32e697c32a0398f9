#include "ui/stay_on_top.h"

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
    window->setWindowFlags(flags);  // not created yet: nothing is shown that could be hidden
  }
}

}  // namespace tallyman::ui
