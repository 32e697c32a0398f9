#include "ui/lock_key_policy.h"

namespace tallyman::ui {

using platform::LockKey;

std::optional<LockKey> LockKeyOf(HotKey key) {
  if (key == HotKey::NumLock) return LockKey::NumLock;
  if (key == HotKey::ScrollLock) return LockKey::ScrollLock;
  return std::nullopt;
}

LockKeyPolicy::LockKeyPolicy(platform::LockKeys& keys, const Settings& settings, std::function<void()> processEvents)
    : m_keys(keys), m_settings(settings), m_processEvents(std::move(processEvents)) {}

void LockKeyPolicy::RecordStart() {
  m_numLockAtStart = m_keys.IsOn(LockKey::NumLock);
  m_scrollLockAtStart = m_keys.IsOn(LockKey::ScrollLock);
}

void LockKeyPolicy::RestoreStart() {
  if (!m_numLockAtStart && m_keys.IsOn(LockKey::NumLock)) m_keys.Toggle(LockKey::NumLock);
  if (m_scrollLockAtStart && !m_keys.IsOn(LockKey::ScrollLock)) m_keys.Toggle(LockKey::ScrollLock);
}

void LockKeyPolicy::SetLockKey(LockKey key, bool on) {
  if (m_keys.IsOn(key) != on) m_keys.Toggle(key);
}

void LockKeyPolicy::ForceLockKeys(LockKey key, bool processFirst) {
  if (LockKeyOf(m_settings.hotKey) == key) return;  // the hot key keeps what its press did
  if (key == LockKey::NumLock && !m_settings.numLock) return;
  if (processFirst && m_processEvents) m_processEvents();
  SetLockKey(key, key == LockKey::NumLock);
}

bool LockKeyPolicy::HotLockKeyAstray() const {
  const std::optional<LockKey> key = LockKeyOf(m_settings.hotKey);
  return key && m_keys.IsOn(*key) != EndState(*key);
}

void LockKeyPolicy::PutHotLockKeyRight() {
  if (const std::optional<LockKey> key = LockKeyOf(m_settings.hotKey)) SetLockKey(*key, EndState(*key));
}

}  // namespace tallyman::ui
