#pragma once
// Shared helpers of the formula tests: both locale presets and tolerant value checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "engine/core/locale.h"
#include "engine/core/text.h"
#include "engine/formula/evaluate.h"

namespace tallyman::formula_test {

struct NamedLocale {
  const char* name;
  Locale locale;
};

inline void PrintTo(const NamedLocale& locale, std::ostream* out) {
  *out << locale.name;
}

inline std::vector<NamedLocale> BothLocales() {
  return {{"ru", Locale::Russian()}, {"en", Locale::English()}};
}

inline std::string LocaleName(const ::testing::TestParamInfo<NamedLocale>& param) {
  return param.param.name;
}

inline std::string Show(const wchar_t* text) {
  return ToUtf8(text);
}

// Values that are not exact in binary agree to a few units in the last place of an 80-bit value.
inline ::testing::AssertionResult Near(long double actual, long double expected) {
  const long double tolerance = 1e-17L * std::max(1.0L, std::fabs(expected));
  if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%.21Lg instead of %.21Lg", actual, expected);
  return ::testing::AssertionFailure() << buffer;
}

}  // namespace tallyman::formula_test
