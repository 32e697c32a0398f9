#include <QGuiApplication>

// Xlib after Qt: its macros clash with Qt names.
#include <X11/Xlib.h>

#include "platform/beep.h"

namespace tallyman::platform {

void SystemBeep() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return;  // offscreen or Wayland: no X bell to ring
  XBell(display, 0);
  XFlush(display);
}

}  // namespace tallyman::platform
