#pragma once
// Number text: the one normaliser, parser and pair of formatters that every number shown, stored
// or exchanged passes through, driven by the two precision settings Digits and ResOut.
//
// Formatting follows a "#,##0." + n x "#" picture: the value is taken to 18 significant digits,
// rounded half away from zero at n decimals, grouped by three, trailing zeros dropped. A value of
// 10^18 or more cannot be shown (the 18-digit limit): the formatters then return empty text.
#include <optional>
#include <vector>

#include "engine/core/locale.h"
#include "engine/core/text.h"

namespace tallyman {

inline constexpr int kMaxDecimals = 18;

// The one reader of decimal numbers: [+|-]digits[decimal digits][(e|E)[+|-]digits] (the exponent
// only when allowed), correctly rounded; nullopt for any other text or an overflow (an underflow
// reads as 0). Leading zeros, any number of them, do not count as digits.
std::optional<Number> ReadDecimalNumber(TextView text, wchar_t decimal, bool allowExponent);

// Whether the character at `at` is followed by exactly three digits (then a non-digit or the end).
bool BeginsGroupOfThree(TextView text, size_t at);
// Whether every thousands separator in the text begins a group of exactly three digits. Where ","
// groups, "1,234.5" is 1234.5, but "1234,5" (written where "," is the decimal separator) is no
// number at all rather than 12345. A blank separator is never taken for a misplaced one.
bool GroupingFits(TextView text, wchar_t thousands);

class NumberText {
 public:
  explicit NumberText(const Locale& locale, int digits = 8, int resOut = 4);

  // Values outside 0..18 (a damaged settings file) are clamped.
  void SetPrecision(int digits, int resOut);
  int Digits() const { return m_digits; }
  int ResOut() const { return m_resOut; }
  // "#,##0." followed by Digits (ResOut) copies of "#".
  Text FmtCalc() const { return Picture(m_digits); }
  Text FmtRes() const { return Picture(m_resOut); }
  static Text Picture(int decimals);

  wchar_t DecimalSeparator() const { return m_decimal; }
  wchar_t ThousandsSeparator() const { return m_thousands; }

  // Drops blanks, controls and grouping; "." and "," become the decimal separator.
  Text CleanNumber(TextView text) const;
  // A plain decimal number (no exponent), rounded to Digits decimals; nullopt when unreadable
  // or at the 18-digit limit.
  std::optional<Number> TextToNumber(TextView text) const;
  // Whether cleaned text reads as a floating-point number at all, exponent notation included:
  // what the entry line and the clipboard accept as "a number".
  std::optional<Number> ReadFloat(TextView cleaned) const;

  Text FormatCalc(Number value) const { return Format(value, m_digits).value_or(Text()); }
  Text FormatResult(Number value) const { return Format(value, m_resOut).value_or(Text()); }
  // The picture formatter itself; nullopt at the 18-digit limit (or for a non-finite value).
  std::optional<Text> Format(Number value, int decimals) const;

  // The running result (delimiter '=') or the operand (delimiter '\t', never zero) of a row.
  std::optional<Number> RowValue(const std::vector<Text>& rows, long index, wchar_t delimiter) const;
  std::optional<Number> RowValue(TextView row, wchar_t delimiter) const;

 private:
  // ReadDecimalNumber with the decimal separator.
  std::optional<Number> Parse(TextView cleaned, bool allowExponent) const;

  wchar_t m_decimal;
  wchar_t m_thousands;
  int m_digits = 8;
  int m_resOut = 4;
};

}  // namespace tallyman
