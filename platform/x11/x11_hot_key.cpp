#include "platform/x11/x11_hot_key.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>

#include "platform/x11/x11_keyboard_map.h"

// X11 after Qt: its macros clash with Qt names.
#include <X11/keysym.h>

namespace tallyman::platform {
namespace {

xcb_keysym_t KeysymOfHotKey(HotKey key) {
  switch (key) {
    case HotKey::Pause:
      return XK_Pause;
    case HotKey::ScrollLock:
      return XK_Scroll_Lock;
    case HotKey::PrintScreen:
      return XK_Print;
    case HotKey::NumLock:
      return XK_Num_Lock;
    default:
      return 0;
  }
}

// Every combination of the modifiers that are locked rather than held, so the key works whatever
// the state of CapsLock, NumLock and (where it is bound to a modifier) ScrollLock.
std::vector<uint16_t> LockModifierCombinations(const X11KeyboardMap& map) {
  std::vector<uint16_t> locks{XCB_MOD_MASK_LOCK, map.ModifiersOf(XK_Num_Lock), map.ModifiersOf(XK_Scroll_Lock)};
  std::vector<uint16_t> combinations{0};
  for (const uint16_t lock : locks) {
    if (lock == 0) continue;
    const size_t count = combinations.size();
    for (size_t i = 0; i < count; ++i) {
      const auto combined = static_cast<uint16_t>(combinations[i] | lock);
      if (std::find(combinations.begin(), combinations.end(), combined) == combinations.end()) {
        combinations.push_back(combined);
      }
    }
  }
  return combinations;
}

}  // namespace

X11HotKey::X11HotKey(X11Display x11, std::shared_ptr<X11UserTime> pressTime)
    : m_x11(x11), m_pressTime(std::move(pressTime)) {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKey::~X11HotKey() {
  Unregister();
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11HotKey::Register(HotKey key) {
  Unregister();
  const X11KeyboardMap map = X11KeyboardMap::Read(m_x11.connection);
  const std::vector<xcb_keycode_t> keycodes = map.KeycodesOf(KeysymOfHotKey(key));
  if (keycodes.empty()) return false;

  // Owner events off: the press goes to the root window even while one of our windows has the
  // focus, so the key also hides an active calculator.
  std::vector<Grab> requested;
  std::vector<xcb_void_cookie_t> cookies;
  for (const xcb_keycode_t keycode : keycodes) {
    for (const uint16_t modifiers : LockModifierCombinations(map)) {
      requested.push_back({keycode, modifiers});
      cookies.push_back(xcb_grab_key_checked(m_x11.connection, 0, m_x11.root, modifiers, keycode, XCB_GRAB_MODE_ASYNC,
                                             XCB_GRAB_MODE_ASYNC));
    }
  }
  std::vector<Grab> held;
  bool complete = true;
  for (size_t i = 0; i < cookies.size(); ++i) {
    if (xcb_generic_error_t* error = xcb_request_check(m_x11.connection, cookies[i])) {
      complete = false;  // BadAccess: another client grabbed this combination first
      std::free(error);
    } else {
      held.push_back(requested[i]);
    }
  }
  if (!complete) {
    Ungrab(held);  // half a key would work only in some lock states: hold none of it
    return false;
  }
  m_grabs = std::move(held);
  m_key = key;
  m_keyDown = false;
  return true;
}

void X11HotKey::Unregister() {
  Ungrab(m_grabs);
  m_grabs.clear();
  m_key = HotKey::NoKey;
  m_keyDown = false;
}

void X11HotKey::Ungrab(const std::vector<Grab>& grabs) {
  if (grabs.empty()) return;
  for (const Grab& grab : grabs) xcb_ungrab_key(m_x11.connection, grab.keycode, m_x11.root, grab.modifiers);
  xcb_flush(m_x11.connection);
}

bool X11HotKey::IsOurKey(xcb_keycode_t keycode) const {
  return std::any_of(m_grabs.begin(), m_grabs.end(), [keycode](const Grab& grab) { return grab.keycode == keycode; });
}

bool X11HotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (m_grabs.empty() || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const uint8_t type = event->response_type & 0x7f;
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  // A release has the layout of a press.
  const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
  if (key->event != m_x11.root || !IsOurKey(key->detail)) return false;
  if (type == XCB_KEY_RELEASE) {
    m_keyDown = false;
    m_lastRelease = key->time;
  } else {
    OnPress(key->time);
  }
  return true;
}

void X11HotKey::OnPress(xcb_timestamp_t time) {
  const bool repeat = m_keyDown || time == m_lastRelease;
  m_keyDown = true;
  if (repeat) return;
  m_pressTime->Note(time);
  // Queued: the handler may open windows and run event loops, which must not happen inside
  // Qt's event dispatch of the press.
  QMetaObject::invokeMethod(
      &m_context,
      [this] {
        if (m_handler) m_handler();
      },
      Qt::QueuedConnection);
}

}  // namespace tallyman::platform
