#pragma once
// Number text at the default precision for the two locale presets, shared by the engine tests.
#include "engine/core/number_text.h"

namespace tallyman::test {

inline const NumberText& Ru() {
  static const NumberText numbers(Locale::Russian());
  return numbers;
}

inline const NumberText& En() {
  static const NumberText numbers(Locale::English());
  return numbers;
}

}  // namespace tallyman::test
