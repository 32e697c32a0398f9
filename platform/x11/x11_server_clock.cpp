#include "platform/x11/x11_server_clock.h"

#include <poll.h>

#include <chrono>
#include <cstdlib>

#include "platform/x11/x11_display.h"

namespace tallyman::platform {
namespace {

// A live server answers within milliseconds; past this the caller goes on without a time.
constexpr std::chrono::milliseconds kPatience{500};

}  // namespace

X11ServerClock::~X11ServerClock() {
  Disconnect();
}

bool X11ServerClock::Connect() {
  if (m_connection) return true;
  xcb_connection_t* connection = xcb_connect(m_displayName.c_str(), nullptr);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return false;
  }
  m_connection = connection;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
  m_window = xcb_generate_id(m_connection);
  const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, -1, -1, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  m_property = InternAtom(m_connection, "_TALLYMAN_SERVER_TIME");
  if (m_property == 0) {
    Disconnect();
    return false;
  }
  return true;
}

void X11ServerClock::Disconnect() {
  if (!m_connection) return;
  xcb_disconnect(m_connection);  // the server destroys the window with the connection
  m_connection = nullptr;
  m_window = 0;
  m_property = 0;
}

xcb_timestamp_t X11ServerClock::Now() {
  if (!Connect()) return XCB_CURRENT_TIME;
  xcb_change_property(m_connection, XCB_PROP_MODE_APPEND, m_window, m_property, XCB_ATOM_INTEGER, 32, 0, nullptr);
  xcb_flush(m_connection);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (true) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
      const bool answer = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
                          reinterpret_cast<xcb_property_notify_event_t*>(event)->window == m_window;
      const xcb_timestamp_t time = answer ? reinterpret_cast<xcb_property_notify_event_t*>(event)->time : 0;
      std::free(event);
      if (answer) return time;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (xcb_connection_has_error(m_connection) || left.count() <= 0) break;
    pollfd waiting{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    poll(&waiting, 1, static_cast<int>(left.count()));
  }
  Disconnect();  // a broken or silent connection: try a fresh one next time
  return XCB_CURRENT_TIME;
}

}  // namespace tallyman::platform
