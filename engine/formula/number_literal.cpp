#include "engine/formula/number_literal.h"

#include <array>

#include "engine/core/number_text.h"

namespace tallyman::formula {
namespace {

// A locale that carries nothing but the separators: cheap to build and to copy.
Locale SeparatorsOnly(wchar_t decimal, wchar_t thousands) {
  Locale locale;
  locale.decimalSeparator = decimal;
  locale.thousandsSeparator = thousands;
  locale.shortDateFormat.clear();
  locale.longTimeFormat.clear();
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

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

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
  const Locale usable = WithUsableThousandsSeparator(SeparatorsOnly(locale.decimalSeparator, locale.thousandsSeparator));
  return {usable.decimalSeparator, usable.thousandsSeparator};
}

std::optional<Number> ReadNumberLiteral(TextView text, Separators separators) {
  if (const auto quick = ReadShortPlain(text, separators.decimal)) return quick;
  return NumberText(SeparatorsOnly(separators.decimal, separators.thousands)).ReadFloat(text);
}

}  // namespace tallyman::formula
