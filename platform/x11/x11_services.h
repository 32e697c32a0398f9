#pragma once
// The X11 services: a key grab on the root window, XKB for the lock keys, and the
// window manager's _NET_ACTIVE_WINDOW and _NET_WM_STATE_ABOVE. Only for Qt's xcb platform.
#include "platform/desktop_services.h"

namespace tallyman::platform {

DesktopServices MakeX11Services();

}  // namespace tallyman::platform
