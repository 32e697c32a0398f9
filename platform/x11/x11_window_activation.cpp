#include "platform/x11/x11_window_activation.h"

#include <QWindow>
#include <algorithm>
#include <cstdlib>

// Xlib after Qt: its macros clash with Qt names.
#include <X11/Xlib.h>

namespace tallyman::platform {
namespace {

constexpr uint32_t kSourcePager = 2;      // _NET_ACTIVE_WINDOW's source indication of a pager
constexpr uint32_t kSupportedMax = 4096;  // atoms read from _NET_SUPPORTED; window managers list ~100

}  // namespace

X11WindowActivation::X11WindowActivation(X11Display x11, std::shared_ptr<const X11UserTime> pressTime)
    : m_x11(x11),
      m_pressTime(std::move(pressTime)),
      m_clock(XDisplayString(x11.display)),
      m_supported(InternAtom(x11.connection, "_NET_SUPPORTED")),
      m_activeWindow(InternAtom(x11.connection, "_NET_ACTIVE_WINDOW")) {}

// Asked at every call: the window manager may have been replaced since the last one.
bool X11WindowActivation::WindowManagerActivates() {
  if (m_supported == 0 || m_activeWindow == 0) return false;
  const auto cookie = xcb_get_property(m_x11.connection, 0, m_x11.root, m_supported, XCB_ATOM_ATOM, 0, kSupportedMax);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(m_x11.connection, cookie, nullptr);
  if (!reply) return false;
  bool found = false;
  if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / static_cast<int>(sizeof(xcb_atom_t));
    found = std::find(atoms, atoms + count, m_activeWindow) != atoms + count;
  }
  std::free(reply);
  return found;
}

// The hot-key press that asked for the window when there was one just now, else the present.
xcb_timestamp_t X11WindowActivation::RequestTime() {
  if (const std::optional<xcb_timestamp_t> press = m_pressTime->Recent()) return *press;
  return m_clock.Now();
}

void X11WindowActivation::BringToFront(QWindow* window) {
  if (!window) return;
  if (!window->handle() || !WindowManagerActivates()) {
    window->raise();
    window->requestActivate();
    return;
  }
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window->winId());
  message.type = m_activeWindow;
  message.data.data32[0] = kSourcePager;
  message.data.data32[1] = RequestTime();
  message.data.data32[2] = 0;  // the caller's active window: none of ours counts
  xcb_send_event(m_x11.connection, 0, m_x11.root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(m_x11.connection);
  window->raise();
}

std::optional<std::uintptr_t> X11WindowActivation::FocusedWindow() const {
  xcb_get_input_focus_reply_t* reply =
      xcb_get_input_focus_reply(m_x11.connection, xcb_get_input_focus(m_x11.connection), nullptr);
  if (!reply) return std::nullopt;
  const xcb_window_t focus = reply->focus;
  free(reply);
  return focus;
}

}  // namespace tallyman::platform
