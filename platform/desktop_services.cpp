#include "platform/desktop_services.h"

#include <QDBusConnection>
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
  if (session.startsWith(QLatin1String("wayland"))) return MakeWaylandServices(QDBusConnection::sessionBus());
  // Off X11 and Wayland Qt's stay-on-top flag is all there is.
  return {MakeQuietHotKey(Absence::kNoX11), MakeQuietLockKeys(), MakeQuietActivation(Absence::kNone)};
}

}  // namespace tallyman::platform
