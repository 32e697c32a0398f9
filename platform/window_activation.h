#pragma once
// Bringing a window to the front, and whether a window may keep itself above others, as far as
// the session allows.
#include <cstdint>
#include <optional>

#include "platform/absence.h"

class QWindow;

namespace tallyman::platform {

class WindowActivation {
 public:
  virtual ~WindowActivation() = default;
  // Raises the window and gives it the focus, also when another program is active (an X11 window
  // manager is asked with _NET_ACTIVE_WINDOW). A shown window only.
  virtual void BringToFront(QWindow* window) = 0;
  // False where a program may not keep its window on top (Wayland); the stay-on-top item is then
  // disabled and says why. Keeping on top itself is Qt's window flag.
  virtual bool CanKeepAbove() const = 0;
  virtual Absence Reason() const = 0;
  // The native window that has the keyboard focus as the window system says now, where it says:
  // Qt takes a loss of the focus as final only a moment later.
  virtual std::optional<std::uintptr_t> FocusedWindow() const { return std::nullopt; }
};

}  // namespace tallyman::platform
