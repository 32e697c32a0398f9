#include "platform/x11/x11_services.h"

namespace tallyman::platform {

// Interim: the X11 services are being written; until then X11 behaves as a quiet session.
DesktopServices MakeX11Services() {
  return {MakeQuietHotKey(Absence::kNoX11), MakeQuietLockKeys(), MakeQuietActivation(Absence::kNone)};
}

}  // namespace tallyman::platform
