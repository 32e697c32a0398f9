#pragma once
// Text for the terminal. Whatever a file or an argument holds, nothing printed can drive the
// terminal: a tab shows as \t, every other control character as \xNN (C1 controls as \u00NN).
#include <string>

#include "engine/core/text.h"

namespace tallyman::cli {

std::string Printable(TextView text);

}  // namespace tallyman::cli
