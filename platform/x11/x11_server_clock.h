#pragma once
// The X server's current time, for requests that must carry a real time stamp. The server tells
// it only in events; Qt's reader thread takes every event of Qt's connection, so the clock asks
// over a connection of its own: a zero-length append to a property of a hidden window, answered
// by a PropertyNotify carrying the time.
#include <xcb/xcb.h>

#include <string>

namespace tallyman::platform {

class X11ServerClock {
 public:
  explicit X11ServerClock(std::string displayName) : m_displayName(std::move(displayName)) {}
  ~X11ServerClock();
  X11ServerClock(const X11ServerClock&) = delete;
  X11ServerClock& operator=(const X11ServerClock&) = delete;

  // The server time now; XCB_CURRENT_TIME when the server cannot be asked or does not answer.
  xcb_timestamp_t Now();

 private:
  bool Connect();
  void Disconnect();

  std::string m_displayName;
  xcb_connection_t* m_connection = nullptr;
  xcb_window_t m_window = 0;
  xcb_atom_t m_property = 0;
};

}  // namespace tallyman::platform
