#pragma once
// What the calculator does with NumLock and ScrollLock: it holds NumLock on when the user asked
// for it, keeps ScrollLock off, leaves alone the one that is the hot key, and gives back at close
// what it changed. Only the lock keys' state goes through the platform; the rules are here.
#include <functional>
#include <optional>

#include "engine/settings/settings.h"
#include "platform/lock_keys.h"

namespace tallyman::ui {

class LockKeyPolicy {
 public:
  // settings: the running options (numLock, hotKey), read at every call.
  // processEvents: lets a key press just handled change the lock state before it is read.
  LockKeyPolicy(platform::LockKeys& keys, const Settings& settings, std::function<void()> processEvents);

  // The states to give back at close.
  void RecordStart();
  // NumLock switched on since the start goes off again; ScrollLock switched off goes on again.
  void RestoreStart();

  // `ForceLockKeys`: the rule for one key.
  // processFirst: the key was just pressed, so its own switch is let through first.
  void ForceLockKeys(platform::LockKey key, bool processFirst);

  // The hot key is NumLock or ScrollLock and its press, once the key is up, has left that lock
  // off its end state (NumLock as the hot key ends on, ScrollLock as the hot key ends off).
  // The caller releases the hot key around PutHotLockKeyRight, so its switching presses do not
  // come back as hot key presses.
  bool HotLockKeyAstray() const;
  void PutHotLockKeyRight();

  // Switches the key when its state differs from the goal.
  void SetLockKey(platform::LockKey key, bool on);

 private:
  // NumLock as the hot key ends on, ScrollLock off.
  static bool EndState(platform::LockKey key) { return key == platform::LockKey::NumLock; }

  platform::LockKeys& m_keys;
  const Settings& m_settings;
  std::function<void()> m_processEvents;
  bool m_numLockAtStart = false;
  bool m_scrollLockAtStart = false;
};

// The lock key that is this hot key, if it is one.
std::optional<platform::LockKey> LockKeyOf(HotKey key);

}  // namespace tallyman::ui
