#pragma once
// The desktop's number and date conventions as the engine's Locale value.
#include "engine/core/locale.h"

namespace tallyman::ui {

Locale SystemLocale();

}  // namespace tallyman::ui
