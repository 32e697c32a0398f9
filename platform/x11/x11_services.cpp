#include "platform/x11/x11_services.h"

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_hot_key.h"
#include "platform/x11/x11_lock_keys.h"
#include "platform/x11/x11_user_time.h"
#include "platform/x11/x11_window_activation.h"

namespace tallyman::platform {

DesktopServices MakeX11Services() {
  const std::optional<X11Display> x11 = CurrentX11Display();
  if (!x11) return {MakeQuietHotKey(Absence::kNoX11), MakeQuietLockKeys(), MakeQuietActivation(Absence::kNone)};
  auto pressTime = std::make_shared<X11UserTime>();
  std::unique_ptr<LockKeys> lockKeys;
  if (X11LockKeys::ServerSupports(x11->display)) {
    lockKeys = std::make_unique<X11LockKeys>(*x11);
  } else {
    lockKeys = MakeQuietLockKeys();
  }
  return {std::make_unique<X11HotKey>(*x11, pressTime), std::move(lockKeys),
          std::make_unique<X11WindowActivation>(*x11, pressTime)};
}

}  // namespace tallyman::platform
