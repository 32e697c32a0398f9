#pragma once
// The user's locale as a value: separators, date and time formats, day and month names. The
// engine never reads the system's locale; front ends build a Locale and hand it in.
#include <array>

#include "engine/core/text.h"

namespace tallyman {

struct Locale {
  wchar_t decimalSeparator = L'.';
  wchar_t thousandsSeparator = L',';
  wchar_t dateSeparator = L'/';
  wchar_t timeSeparator = L':';
  Text shortDateFormat = L"MM/dd/yyyy";  // d, dd, M, MM, yy, yyyy and the date separator "/"
  Text longTimeFormat = L"H:mm:ss";      // H, HH, h, hh, m, mm, s, ss, and ":" for the separator
  std::array<Text, 7> longDayNames;      // Sunday first
  std::array<Text, 7> shortDayNames;
  std::array<Text, 12> longMonthNames;  // January first
  std::array<Text, 12> shortMonthNames;

  // Russian style: "," decimal, U+00A0 grouping, dd.MM.yyyy, Russian names.
  static Locale Russian();
  // English style: "." decimal, "," grouping, MM/dd/yyyy, English names.
  static Locale English();
};

inline constexpr wchar_t kNoBreakSpace = L'\u00A0';

// The start-up rule for the grouping character: NUL, the decimal separator itself, or any
// space or control character (code 32 or below) is unusable and becomes the no-break space.
Locale WithUsableThousandsSeparator(Locale locale);

}  // namespace tallyman
