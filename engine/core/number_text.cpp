#include "engine/core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace tallyman {
namespace {

// 10^0 .. 10^27: every one is exact in an 80-bit long double (5^27 < 2^64).
constexpr int kExactPowers = 28;
constexpr std::array<long double, kExactPowers> kPowersOfTen = [] {
  std::array<long double, kExactPowers> p{};
  p[0] = 1;
  for (int i = 1; i < kExactPowers; ++i) p[i] = p[i - 1] * 10;
  return p;
}();

// Significant digits kept for the general conversion; later ones cannot change an 80-bit value
// except in the rarest halfway cases.
constexpr size_t kKeptDigits = 120;

// The 18 significant decimal digits of a > 0, rounded to nearest, and the decimal exponent of the
// first digit. The quick way scales by an exact power of ten (one rounding, an error below 0.06 in
// the last place) and defers to the exact conversion whenever that error could change the digit.
void Significand18(long double a, char (&digits)[18], int& exponent) {
  if (a >= 1e-9L && a < 1e18L) {
    int e = static_cast<int>(std::floor(std::log10(a)));
    for (int attempt = 0; attempt < 2; ++attempt) {
      const int k = 17 - e;
      if (k < 0 || k >= kExactPowers) break;
      const long double scaled = a * kPowersOfTen[static_cast<size_t>(k)];
      if (scaled >= 1e18L) {
        ++e;
        continue;
      }
      if (scaled < 1e17L) {
        --e;
        continue;
      }
      const long double whole = std::floor(scaled);
      const long double fraction = scaled - whole;
      if (std::abs(fraction - 0.5L) < 0.1L) break;
      auto n = static_cast<unsigned long long>(whole) + (fraction > 0.5L ? 1 : 0);
      if (n == 1000000000000000000ULL) {
        n = 100000000000000000ULL;
        ++e;
      }
      for (int i = 17; i >= 0; --i, n /= 10) digits[i] = static_cast<char>('0' + n % 10);
      exponent = e;
      return;
    }
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, a, std::chars_format::scientific, 17);
  const std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
  digits[0] = sci[0];
  std::copy(sci.begin() + 2, sci.begin() + 19, digits + 1);
  const size_t mark = sci.find('e') + 1;
  std::from_chars(sci.data() + mark + (sci[mark] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);
}

}  // namespace

NumberText::NumberText(const Locale& locale, int digits, int resOut) {
  const Locale usable = WithUsableThousandsSeparator(locale);
  m_decimal = usable.decimalSeparator;
  m_thousands = usable.thousandsSeparator;
  SetPrecision(digits, resOut);
}

void NumberText::SetPrecision(int digits, int resOut) {
  m_digits = std::clamp(digits, 0, kMaxDecimals);
  m_resOut = std::clamp(resOut, 0, kMaxDecimals);
}

Text NumberText::Picture(int decimals) {
  return L"#,##0." + Text(static_cast<size_t>(decimals), L'#');
}

Text NumberText::CleanNumber(TextView text) const {
  Text out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (c == L'.' || c == L',' || c == m_decimal) {
      if (c != m_thousands) out.push_back(m_decimal);
    } else if (c <= 32 || c == m_thousands) {
      continue;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::optional<Number> ReadDecimalNumber(TextView t, wchar_t decimal, bool allowExponent) {
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) negative = t[i++] == L'-';
  // The value is digits x 10^scale. Leading zeros are no digits: they only move the scale.
  char digits[kKeptDigits + 32];
  size_t kept = 0;
  long scale = 0;
  bool anyDigit = false;
  bool separator = false;
  for (; i < t.size(); ++i) {
    const wchar_t c = t[i];
    if (c >= L'0' && c <= L'9') {
      anyDigit = true;
      if (kept == 0 && c == L'0') {
        scale -= separator;
      } else if (kept < kKeptDigits) {
        digits[kept++] = static_cast<char>(c);
        scale -= separator;
      } else if (!separator) {
        ++scale;  // a digit past those kept still scales the value
      }
    } else if (c == decimal && !separator) {
      separator = true;
    } else {
      break;
    }
  }
  if (!anyDigit && !separator) return std::nullopt;
  if (i < t.size() && allowExponent && (t[i] == L'e' || t[i] == L'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) negativeExponent = t[i++] == L'-';
    long exponent = 0;
    size_t exponentDigits = 0;
    for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9'; ++i, ++exponentDigits)
      exponent = std::min(exponent * 10 + (t[i] - L'0'), 100000L);
    if (exponentDigits == 0) return std::nullopt;
    scale += negativeExponent ? -exponent : exponent;
  }
  if (i != t.size()) return std::nullopt;
  const Number sign = negative ? -1 : 1;
  if (kept == 0) return sign * 0;

  // Up to 19 digits form an exact integer; divided by an exact power of ten (or scaled up while it
  // stays a 19-digit integer) the result is correctly rounded. Anything else takes the general
  // conversion.
  if (kept <= 19 && scale > -kExactPowers && static_cast<long>(kept) + scale <= 19) {
    unsigned long long mantissa = 0;
    for (size_t k = 0; k < kept; ++k) mantissa = mantissa * 10 + static_cast<unsigned>(digits[k] - '0');
    for (long k = 0; k < scale; ++k) mantissa *= 10;
    const Number whole = static_cast<Number>(mantissa);
    return sign * (scale < 0 ? whole / kPowersOfTen[static_cast<size_t>(-scale)] : whole);
  }
  const std::string exponentText = "e" + std::to_string(scale);
  std::copy(exponentText.begin(), exponentText.end(), digits + kept);
  const size_t n = kept + exponentText.size();
  Number value = 0;
  const auto result = std::from_chars(digits, digits + n, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is no usable number.
    if (scale > 0) return std::nullopt;
    value = 0;
  } else if (result.ec != std::errc() || result.ptr != digits + n) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return sign * value;
}

bool BeginsGroupOfThree(TextView text, size_t at) {
  const size_t end = at + 4;
  if (end > text.size() || !IsDigit(text[at + 1]) || !IsDigit(text[at + 2]) || !IsDigit(text[at + 3])) return false;
  return end == text.size() || !IsDigit(text[end]);
}

bool GroupingFits(TextView text, wchar_t thousands) {
  if (thousands <= L' ') return true;
  for (size_t at = text.find(thousands); at != TextView::npos; at = text.find(thousands, at + 1)) {
    if (!BeginsGroupOfThree(text, at)) return false;
  }
  return true;
}

std::optional<Number> NumberText::Parse(TextView t, bool allowExponent) const {
  return ReadDecimalNumber(t, m_decimal, allowExponent);
}

std::optional<Number> NumberText::ReadFloat(TextView cleaned) const {
  return Parse(cleaned, true);
}

std::optional<Number> NumberText::TextToNumber(TextView text) const {
  const Text t = CleanNumber(text);
  if (t.find_first_of(L"eE") != Text::npos) return std::nullopt;
  const auto value = Parse(t, false);
  if (!value) return std::nullopt;
  const auto formatted = Format(*value, m_digits);
  if (!formatted) return std::nullopt;
  return Parse(CleanNumber(*formatted), false);
}

std::optional<Text> NumberText::Format(Number value, int decimals) const {
  if (!std::isfinite(value)) return std::nullopt;
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  const bool negative = std::signbit(value);
  const Number magnitude = std::abs(value);

  char digits[18] = {};
  int exponent = 0;
  if (magnitude != 0) Significand18(magnitude, digits, exponent);
  if (magnitude != 0 && exponent >= 18) return std::nullopt;
  const std::string significand(digits, 18);

  // Split the digit string into an integer part and the decimals that follow it.
  std::string integer, fraction;
  if (magnitude == 0) {
    integer = "0";
  } else if (exponent >= 0) {
    integer = significand.substr(0, static_cast<size_t>(exponent) + 1);
    fraction = significand.substr(static_cast<size_t>(exponent) + 1);
  } else {
    integer = "0";
    fraction = std::string(static_cast<size_t>(-exponent - 1), '0') + significand;
  }

  // Half away from zero at `decimals`: the first dropped digit decides.
  if (fraction.size() > static_cast<size_t>(decimals)) {
    const bool up = fraction[static_cast<size_t>(decimals)] >= '5';
    fraction.resize(static_cast<size_t>(decimals));
    if (up) {
      std::string rounded = integer + fraction;
      int k = static_cast<int>(rounded.size()) - 1;
      while (k >= 0 && rounded[static_cast<size_t>(k)] == '9') rounded[static_cast<size_t>(k--)] = '0';
      if (k >= 0) {
        ++rounded[static_cast<size_t>(k)];
      } else {
        rounded.insert(rounded.begin(), '1');
      }
      integer = rounded.substr(0, rounded.size() - fraction.size());
      fraction = rounded.substr(rounded.size() - fraction.size());
    }
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  const size_t firstNonZero = integer.find_first_not_of('0');
  integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
  if (integer.size() > 18) return std::nullopt;

  Text out;
  out.reserve(integer.size() + integer.size() / 3 + fraction.size() + 2);
  if (negative && (integer != "0" || !fraction.empty())) out.push_back(L'-');
  for (size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0) out.push_back(m_thousands);
    out.push_back(static_cast<wchar_t>(integer[i]));
  }
  if (!fraction.empty()) {
    out.push_back(m_decimal);
    for (char c : fraction) out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

std::optional<Number> NumberText::RowValue(TextView row, wchar_t delimiter) const {
  if (row.empty()) return std::nullopt;
  const size_t p = row.find(delimiter);
  if (p == TextView::npos) return std::nullopt;
  TextView candidate =
      delimiter == L'\t' ? row.substr(std::min<size_t>(1, p), p - std::min<size_t>(1, p)) : row.substr(p + 1);
  const auto value = TextToNumber(candidate);
  if (!value) return std::nullopt;
  if (delimiter == L'\t' && *value == 0) return std::nullopt;
  return value;
}

std::optional<Number> NumberText::RowValue(const std::vector<Text>& rows, long index, wchar_t delimiter) const {
  if (index < 0 || static_cast<size_t>(index) >= rows.size()) return std::nullopt;
  return RowValue(rows[static_cast<size_t>(index)], delimiter);
}

}  // namespace tallyman
