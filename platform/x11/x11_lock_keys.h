#pragma once
// NumLock and ScrollLock on X11: the state is the XKB locked modifier the key is bound to, and a
// switch locks or unlocks that modifier through XKB; the keyboard's light follows it.
#include <cstdint>
#include <optional>

#include "platform/lock_keys.h"
#include "platform/x11/x11_display.h"

namespace tallyman::platform {

class X11LockKeys final : public LockKeys {
 public:
  explicit X11LockKeys(X11Display x11) : m_x11(x11) {}

  // Whether the server has the keyboard extension (XKB) this reads and switches through.
  static bool ServerSupports(Display* display);

  bool Available() const override { return true; }
  // Off as well when the key is bound to no modifier (ScrollLock on many keymaps): no lock to read.
  bool IsOn(LockKey key) const override;
  // Nothing when the key is bound to no modifier: there is no lock to switch.
  void Toggle(LockKey key) override;

 private:
  uint16_t ModifiersOf(LockKey key) const;
  std::optional<unsigned> LockedModifiers() const;

  X11Display m_x11;
};

}  // namespace tallyman::platform
