#include "platform/x11/x11_display.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

// Xlib after Qt: its macros clash with Qt names.
#include <X11/Xlib.h>

namespace tallyman::platform {

std::optional<X11Display> CurrentX11Display() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display() || !x11->connection()) return std::nullopt;
  X11Display result;
  result.display = x11->display();
  result.connection = x11->connection();
  result.root = static_cast<xcb_window_t>(XDefaultRootWindow(result.display));
  return result;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (!reply) return 0;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace tallyman::platform
