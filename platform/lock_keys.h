#pragma once
// NumLock and ScrollLock: their lock state and a switch that flips it as the key would.

namespace tallyman::platform {

enum class LockKey { NumLock, ScrollLock };

class LockKeys {
 public:
  virtual ~LockKeys() = default;
  // False where the session lets no client read or switch the lock keys (Wayland, no display).
  virtual bool Available() const = 0;
  // The key's lock state now; false when it cannot be read.
  virtual bool IsOn(LockKey key) const = 0;
  // Flips the key's lock state, as pressing it would, without a key event reaching any window;
  // nothing when the keyboard has no such lock. Callers switch only when the state differs from
  // the goal.
  virtual void Toggle(LockKey key) = 0;
};

}  // namespace tallyman::platform
