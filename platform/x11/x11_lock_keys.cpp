#include "platform/x11/x11_lock_keys.h"

#include "platform/x11/x11_keyboard_map.h"

// X11 after Qt: its macros clash with Qt names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace tallyman::platform {
namespace {

xcb_keysym_t KeysymOf(LockKey key) {
  return key == LockKey::NumLock ? XK_Num_Lock : XK_Scroll_Lock;
}

}  // namespace

bool X11LockKeys::ServerSupports(Display* display) {
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  return XkbQueryExtension(display, &opcode, &event, &error, &major, &minor);
}

uint16_t X11LockKeys::ModifiersOf(LockKey key) const {
  return X11KeyboardMap::Read(m_x11.connection).ModifiersOf(KeysymOf(key));
}

std::optional<unsigned> X11LockKeys::LockedModifiers() const {
  XkbStateRec state{};
  if (XkbGetState(m_x11.display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
  return state.locked_mods;
}

bool X11LockKeys::IsOn(LockKey key) const {
  const uint16_t mask = ModifiersOf(key);
  const std::optional<unsigned> locked = LockedModifiers();
  return mask != 0 && locked && (*locked & mask) != 0;
}

void X11LockKeys::Toggle(LockKey key) {
  // The lock itself is switched, not the key pressed: a typed key would go to whichever window
  // has the focus, which may be another program's.
  const uint16_t mask = ModifiersOf(key);
  const std::optional<unsigned> locked = LockedModifiers();
  if (mask == 0 || !locked) return;
  XkbLockModifiers(m_x11.display, XkbUseCoreKbd, mask, (*locked & mask) != 0 ? 0 : mask);
  // Processed by the server before returning, so reading the state next sees the switch.
  XSync(m_x11.display, False);
}

}  // namespace tallyman::platform
