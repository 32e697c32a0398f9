#pragma once
// Dates and times as one floating value: days since 30 December 1899, the time of day as the
// fraction (0.5 is 12:00). All arithmetic is extended precision; the clock is never read here,
// callers pass "now" in.
#include <optional>

#include "engine/core/locale.h"
#include "engine/core/text.h"

namespace tallyman {

using DateTime = Number;

struct CivilDateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Nullopt for a date or time that does not exist (31.02, 25:00).
std::optional<DateTime> EncodeDate(int year, int month, int day);
std::optional<DateTime> EncodeTime(int hour, int minute, int second, int millisecond = 0);
std::optional<DateTime> EncodeDateTime(const CivilDateTime& parts);
// To the nearest millisecond; a time that rounds up to 24:00 becomes the next day.
CivilDateTime DecodeDateTime(DateTime value);
// 0 is Sunday.
int DayOfWeek(DateTime value);

// Date pictures: d, dd, M, MM, yy, yyyy and "/" for the date separator; other letters are kept.
Text FormatDate(DateTime value, TextView picture, wchar_t dateSeparator);
// Time pictures: H, HH, h, hh (all 24-hour), m, mm, s, ss and ":" for the time separator.
Text FormatTime(DateTime value, TextView picture, wchar_t timeSeparator);

// The locale's short date, and the date followed by the long time unless the time is midnight.
Text FormatShortDate(DateTime value, const Locale& locale);
Text FormatLongTime(DateTime value, const Locale& locale);
Text FormatDateTime(DateTime value, const Locale& locale);

// A date in the field order of the locale's short date format with the given separator,
// optionally followed by blanks and a time h:m[:s]. Two-digit years are 1950..2049.
std::optional<DateTime> ParseDateTime(TextView text, const Locale& locale, wchar_t dateSeparator);

}  // namespace tallyman
