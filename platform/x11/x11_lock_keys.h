#pragma once
// NumLock and ScrollLock on X11: the state is the XKB locked modifier the key is bound to; a
// switch is a press and release sent through XTEST, as if typed.
#include "platform/lock_keys.h"
#include "platform/x11/x11_display.h"

namespace tallyman::platform {

class X11LockKeys final : public LockKeys {
 public:
  explicit X11LockKeys(X11Display x11) : m_x11(x11) {}

  // Whether the server has the two extensions this needs (XKB to read, XTEST to switch).
  static bool ServerSupports(Display* display);

  bool Available() const override { return true; }
  // Off as well when the key is bound to no modifier (ScrollLock on many keymaps): no lock to read.
  bool IsOn(LockKey key) const override;
  void Toggle(LockKey key) override;

 private:
  X11Display m_x11;
};

}  // namespace tallyman::platform
