#include "platform/x11/x11_lock_keys.h"

#include "platform/x11/x11_keyboard_map.h"

// X11 after Qt: its macros clash with Qt names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tallyman::platform {
namespace {

xcb_keysym_t KeysymOf(LockKey key) {
  return key == LockKey::NumLock ? XK_Num_Lock : XK_Scroll_Lock;
}

}  // namespace

bool X11LockKeys::ServerSupports(Display* display) {
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) return false;
  return XTestQueryExtension(display, &event, &error, &major, &minor);
}

bool X11LockKeys::IsOn(LockKey key) const {
  const uint16_t mask = X11KeyboardMap::Read(m_x11.connection).ModifiersOf(KeysymOf(key));
  if (mask == 0) return false;
  XkbStateRec state{};
  if (XkbGetState(m_x11.display, XkbUseCoreKbd, &state) != Success) return false;
  return (state.locked_mods & mask) != 0;
}

void X11LockKeys::Toggle(LockKey key) {
  const std::vector<xcb_keycode_t> keycodes = X11KeyboardMap::Read(m_x11.connection).KeycodesOf(KeysymOf(key));
  if (keycodes.empty()) return;
  XTestFakeKeyEvent(m_x11.display, keycodes.front(), True, CurrentTime);
  XTestFakeKeyEvent(m_x11.display, keycodes.front(), False, CurrentTime);
  // Processed by the server before returning, so reading the state next sees the switch.
  XSync(m_x11.display, False);
}

}  // namespace tallyman::platform
