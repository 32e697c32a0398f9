#include "platform/x11/x11_keyboard_map.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace tallyman::platform {
namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

constexpr int kModifierCount = 8;  // Shift, Lock, Control, Mod1..Mod5

}  // namespace

X11KeyboardMap X11KeyboardMap::Read(xcb_connection_t* connection) {
  X11KeyboardMap map;
  const xcb_setup_t* setup = xcb_get_setup(connection);
  if (!setup || setup->max_keycode < setup->min_keycode) return map;
  const auto count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  const auto keysCookie = xcb_get_keyboard_mapping(connection, setup->min_keycode, count);
  const auto modifiersCookie = xcb_get_modifier_mapping(connection);
  Reply<xcb_get_keyboard_mapping_reply_t> keys(xcb_get_keyboard_mapping_reply(connection, keysCookie, nullptr));
  Reply<xcb_get_modifier_mapping_reply_t> modifiers(
      xcb_get_modifier_mapping_reply(connection, modifiersCookie, nullptr));
  if (keys) {
    const xcb_keysym_t* first = xcb_get_keyboard_mapping_keysyms(keys.get());
    map.m_firstKeycode = setup->min_keycode;
    map.m_keysymsPerKeycode = keys->keysyms_per_keycode;
    map.m_keysyms.assign(first, first + xcb_get_keyboard_mapping_keysyms_length(keys.get()));
  }
  if (modifiers) {
    const xcb_keycode_t* first = xcb_get_modifier_mapping_keycodes(modifiers.get());
    map.m_keycodesPerModifier = modifiers->keycodes_per_modifier;
    map.m_modifierKeys.assign(first, first + xcb_get_modifier_mapping_keycodes_length(modifiers.get()));
  }
  return map;
}

std::vector<xcb_keycode_t> X11KeyboardMap::KeycodesOf(xcb_keysym_t keysym) const {
  std::vector<xcb_keycode_t> keycodes;
  if (keysym == 0 || m_keysymsPerKeycode <= 0) return keycodes;
  for (size_t i = 0; i < m_keysyms.size(); i += static_cast<size_t>(m_keysymsPerKeycode)) {
    if (m_keysyms[i] == keysym) {
      keycodes.push_back(static_cast<xcb_keycode_t>(m_firstKeycode + i / static_cast<size_t>(m_keysymsPerKeycode)));
    }
  }
  return keycodes;
}

uint16_t X11KeyboardMap::ModifiersOf(xcb_keysym_t keysym) const {
  const std::vector<xcb_keycode_t> keycodes = KeycodesOf(keysym);
  uint16_t mask = 0;
  for (int modifier = 0; modifier < kModifierCount; ++modifier) {
    for (int slot = 0; slot < m_keycodesPerModifier; ++slot) {
      const size_t index = static_cast<size_t>(modifier * m_keycodesPerModifier + slot);
      if (index >= m_modifierKeys.size()) break;
      const xcb_keycode_t key = m_modifierKeys[index];
      if (key != 0 && std::find(keycodes.begin(), keycodes.end(), key) != keycodes.end()) {
        mask = static_cast<uint16_t>(mask | (1u << modifier));
      }
    }
  }
  return mask;
}

}  // namespace tallyman::platform
