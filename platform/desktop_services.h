#pragma once
// The desktop services of the session the program runs in, chosen at run time: X11's on an X11
// display, the desktop portal's hot key on Wayland, quiet stand-ins wherever a service is missing
// (offscreen, no display, no portal). A quiet service reports itself unavailable and does nothing.
#include <memory>

#include "platform/global_hot_key.h"
#include "platform/lock_keys.h"
#include "platform/window_activation.h"

class QDBusConnection;

namespace tallyman::platform {

struct DesktopServices {
  std::unique_ptr<GlobalHotKey> hotKey;
  std::unique_ptr<LockKeys> lockKeys;
  std::unique_ptr<WindowActivation> activation;
};

// Needs the QGuiApplication to exist. Chosen by Qt's platform: "xcb" is X11 (also XWayland),
// "wayland…" a Wayland session, anything else has no desktop services.
DesktopServices MakeDesktopServices();

// A Wayland session's services: the hot key of the desktop portal on `bus` (unavailable when the
// bus has no portal with global shortcuts), no lock keys, and activation without keeping above.
DesktopServices MakeWaylandServices(const QDBusConnection& bus);

// The stand-ins, also for tests and for any service a session lacks.
std::unique_ptr<GlobalHotKey> MakeQuietHotKey(Absence reason);
std::unique_ptr<LockKeys> MakeQuietLockKeys();
std::unique_ptr<WindowActivation> MakeQuietActivation(Absence keepAbove);

}  // namespace tallyman::platform
