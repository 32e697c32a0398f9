#pragma once
// Why a desktop service is missing, so the menus can say so.

namespace tallyman::platform {

enum class Absence {
  kNone,      // the service works
  kNoX11,     // no X11 display (offscreen, or started without a display)
  kWayland,   // the Wayland session lets no program do this
  kNoPortal,  // the desktop offers no global-shortcuts portal
};

}  // namespace tallyman::platform
