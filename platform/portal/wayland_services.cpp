// The services of a Wayland session: the global key through the desktop portal; the compositor
// lets no program switch the lock keys or keep its window above others, and bringing a window to
// the front is Qt's activation request, which the compositor honours or not.
#include <QDBusConnection>
#include <QLocale>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "platform/desktop_services.h"
#include "platform/portal/portal_hot_key.h"

namespace tallyman::platform {
namespace {

// The portal lists the shortcut among the desktop's own, so it is named in the desktop's language.
QString HotKeyDescription() {
  const bool english = QLocale::system().language() != QLocale::Russian;
  return QString::fromStdWString(LangText(pairs::kMenuHotKey, english)).remove(QLatin1Char('&'));
}

}  // namespace

DesktopServices MakeWaylandServices(const QDBusConnection& bus) {
  return {std::make_unique<PortalHotKey>(bus, HotKeyDescription()), MakeQuietLockKeys(),
          MakeQuietActivation(Absence::kWayland)};
}

}  // namespace tallyman::platform
