#pragma once
// Numbers written in formulas and value lists, and the separators they are written with.
#include <optional>

#include "engine/core/locale.h"
#include "engine/core/text.h"

namespace tallyman::formula {

struct Separators {
  wchar_t decimal = L'.';
  wchar_t thousands = L',';
};

// The locale's separators, the thousands separator made usable as everywhere in the program.
Separators UsableSeparators(const Locale& locale);

// [+|-]digits[decimal digits][(e|E)[+|-]digits], nothing else; nullopt when the text is no such
// number or its value is out of range (an underflow reads as 0).
std::optional<Number> ReadNumberLiteral(TextView text, Separators separators);

}  // namespace tallyman::formula
