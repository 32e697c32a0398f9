#pragma once
// The server's key mapping and modifier mapping, read afresh. Xlib's cached copy (behind
// XKeysymToKeycode and XkbKeysymToModifiers) is refreshed only by events Xlib reads itself, and
// under Qt it reads none, so it would miss a change made by xmodmap or setxkbmap.
#include <xcb/xcb.h>

#include <vector>

namespace tallyman::platform {

class X11KeyboardMap {
 public:
  // An empty map (no keys, no modifiers) when the server does not answer.
  static X11KeyboardMap Read(xcb_connection_t* connection);

  // The keys that give the keysym unshifted in the first group, lowest first.
  std::vector<xcb_keycode_t> KeycodesOf(xcb_keysym_t keysym) const;
  // The modifier bits any of those keys is bound to (NumLock's is usually Mod2); 0 for none.
  uint16_t ModifiersOf(xcb_keysym_t keysym) const;

 private:
  xcb_keycode_t m_firstKeycode = 0;
  int m_keysymsPerKeycode = 0;
  std::vector<xcb_keysym_t> m_keysyms;  // m_keysymsPerKeycode per key from m_firstKeycode
  int m_keycodesPerModifier = 0;
  std::vector<xcb_keycode_t> m_modifierKeys;  // 8 modifiers, m_keycodesPerModifier keys each
};

}  // namespace tallyman::platform
