#include "engine/formula/number_literal.h"

#include <array>

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

// Exact powers of ten: 10^k is representable in 64 significand bits up to k = 27.
constexpr std::array<Number, 19> kPowersOfTen = [] {
  std::array<Number, 19> p{};
  Number v = 1;
  for (Number& x : p) {
    x = v;
    v *= 10;
  }
  return p;
}();

// Up to 18 digits without exponent form an exact integer; one division by an exact power of ten
// then rounds exactly as a full decimal conversion would.
std::optional<Number> ReadShortPlain(TextView text, wchar_t decimal) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == L'-';
  if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ++i;
  unsigned long long whole = 0;
  int digits = 0;
  int decimals = 0;
  bool separator = false;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (IsDigit(c)) {
      if (++digits > 18) return std::nullopt;
      whole = whole * 10 + static_cast<unsigned long long>(c - L'0');
      if (separator) ++decimals;
    } else if (c == decimal && !separator) {
      separator = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  Number value = static_cast<Number>(whole);
  if (decimals > 0) value /= kPowersOfTen[static_cast<size_t>(decimals)];
  return negative ? -value : value;
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
  if (const auto quick = ReadShortPlain(text, separators.decimal)) return quick;
  return NumberText(SeparatorsOnly(separators.decimal, separators.thousands)).ReadFloat(text);
}

}  // namespace tallyman::formula
