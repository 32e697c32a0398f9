#pragma once
// The X server time of the last hot-key press, shared by the hot key (which notes it) and window
// activation (which hands it to the window manager as the time of the user's request).
#include <xcb/xcb.h>

#include <chrono>
#include <optional>

namespace tallyman::platform {

class X11UserTime {
 public:
  void Note(xcb_timestamp_t serverTime) {
    m_serverTime = serverTime;
    m_notedAt = std::chrono::steady_clock::now();
  }

  // The press time while it is fresh enough to stand for the request being served; an older one
  // could predate the user's last action elsewhere, and focus-stealing prevention would refuse it.
  std::optional<xcb_timestamp_t> Recent() const {
    if (!m_notedAt || std::chrono::steady_clock::now() - *m_notedAt > kFresh) return std::nullopt;
    return m_serverTime;
  }

 private:
  static constexpr std::chrono::milliseconds kFresh{1000};
  xcb_timestamp_t m_serverTime = 0;
  std::optional<std::chrono::steady_clock::time_point> m_notedAt;
};

}  // namespace tallyman::platform
