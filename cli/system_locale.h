#pragma once
#include "engine/core/locale.h"

namespace tallyman::cli {

// The running system's conventions, from the C library's locale of the environment.
Locale SystemLocale();

}  // namespace tallyman::cli
