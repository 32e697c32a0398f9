#include "engine/formula/number_literal.h"

#include "engine/core/number_text.h"

namespace tallyman::formula {
namespace {

// A locale that carries nothing but the separators: its texts are empty, so it is copied
// without allocating.
Locale SeparatorsOnly(wchar_t decimal, wchar_t thousands) {
  static const Locale blank = [] {
    Locale empty;
    empty.shortDateFormat.clear();
    empty.shortDateFormat.shrink_to_fit();
    empty.longTimeFormat.clear();
    empty.longTimeFormat.shrink_to_fit();
    return empty;
  }();
  Locale locale = blank;
  locale.decimalSeparator = decimal;
  locale.thousandsSeparator = thousands;
  return locale;
}

}  // namespace

Separators UsableSeparators(const Locale& locale) {
  // The rule takes and returns a whole locale, which costs more than a short evaluation: keep
  // the answer for the last pair of separators seen on this thread.
  thread_local Separators lastGiven{L'\0', L'\0'};
  thread_local Separators lastUsable{L'\0', L'\0'};
  const Separators given{locale.decimalSeparator, locale.thousandsSeparator};
  if (given.decimal != lastGiven.decimal || given.thousands != lastGiven.thousands || lastGiven.decimal == L'\0') {
    const Locale usable = WithUsableThousandsSeparator(SeparatorsOnly(given.decimal, given.thousands));
    lastGiven = given;
    lastUsable = {usable.decimalSeparator, usable.thousandsSeparator};
  }
  return lastUsable;
}

std::optional<Number> ReadNumberLiteral(TextView text, Separators separators) {
  return ReadDecimalNumber(text, separators.decimal, true);
}

}  // namespace tallyman::formula
