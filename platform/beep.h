#pragma once
// The system bell. The X11 build rings the display's bell; elsewhere it is silent.

namespace tallyman::platform {

// Rings the bell once; does nothing when there is no display to ring.
void SystemBeep();

}  // namespace tallyman::platform
