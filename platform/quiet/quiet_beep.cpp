#include "platform/beep.h"

namespace tallyman::platform {

// No X11: the bell stays silent rather than guessing at another sound system.
void SystemBeep() {}

}  // namespace tallyman::platform
