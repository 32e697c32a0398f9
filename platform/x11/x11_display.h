#pragma once
// The X11 display Qt's xcb platform already opened: one Xlib Display and its xcb connection.
// Requests may go through either; events are read by Qt alone (its reader thread owns the queue).
#include <xcb/xcb.h>

#include <optional>

typedef struct _XDisplay Display;  // Xlib's, declared here so that this header needs no Xlib

namespace tallyman::platform {

struct X11Display {
  Display* display = nullptr;
  xcb_connection_t* connection = nullptr;
  xcb_window_t root = 0;  // the root window of the default screen
};

// Nothing when the application does not run on Qt's xcb platform.
std::optional<X11Display> CurrentX11Display();

// The atom of a name, 0 when the server does not answer.
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name);

}  // namespace tallyman::platform
