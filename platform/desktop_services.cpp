#include "platform/desktop_services.h"

#include <QGuiApplication>

#ifdef TALLYMAN_HAVE_X11
#include "platform/x11/x11_services.h"
#endif

namespace tallyman::platform {

DesktopServices MakeDesktopServices() {
  const QString session = QGuiApplication::platformName();
#ifdef TALLYMAN_HAVE_X11
  if (session == QLatin1String("xcb")) return MakeX11Services();
#endif
  const Absence reason = session.startsWith(QLatin1String("wayland")) ? Absence::kWayland : Absence::kNoX11;
  // Off X11 Qt's stay-on-top flag is all there is; a Wayland compositor may ignore it.
  return {MakeQuietHotKey(reason), MakeQuietLockKeys(),
          MakeQuietActivation(reason == Absence::kWayland ? Absence::kWayland : Absence::kNone)};
}

}  // namespace tallyman::platform
