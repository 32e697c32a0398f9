#pragma once
// Bringing a window to the front on X11 by asking the window manager, as a pager would, with
// _NET_ACTIVE_WINDOW: a request focus-stealing prevention honours also while another program
// has the focus.
#include <memory>

#include "platform/window_activation.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_server_clock.h"
#include "platform/x11/x11_user_time.h"

namespace tallyman::platform {

class X11WindowActivation final : public WindowActivation {
 public:
  X11WindowActivation(X11Display x11, std::shared_ptr<const X11UserTime> pressTime);

  void BringToFront(QWindow* window) override;
  bool CanKeepAbove() const override { return true; }
  Absence Reason() const override { return Absence::kNone; }
  std::optional<std::uintptr_t> FocusedWindow() const override;

 private:
  bool WindowManagerActivates();
  xcb_timestamp_t RequestTime();

  X11Display m_x11;
  std::shared_ptr<const X11UserTime> m_pressTime;
  X11ServerClock m_clock;
  xcb_atom_t m_supported = 0;
  xcb_atom_t m_activeWindow = 0;
};

}  // namespace tallyman::platform
