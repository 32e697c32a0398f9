#include "engine/text/date_time.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

constexpr long long kMillisecondsPerDay = 86400000LL;

// Days from 1970-01-01 to a civil date (proleptic Gregorian), and back.
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr long long kEpochShift = 25569;  // 1899-12-30 is 25569 days before 1970-01-01

Text Padded(long long n, int width) {
  Text digits = std::to_wstring(n < 0 ? -n : n);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), L'0');
  return n < 0 ? L"-" + digits : digits;
}

// Length of the run of the same letter starting at i.
size_t RunLength(TextView picture, size_t i) {
  size_t n = 1;
  while (i + n < picture.size() && picture[i + n] == picture[i]) ++n;
  return n;
}

std::optional<int> ReadWhole(TextView text) {
  if (text.empty()) return std::nullopt;
  // Leading zeros are no digits: any number of them leaves the value readable.
  text.remove_prefix(std::min(text.find_first_not_of(L'0'), text.size() - 1));
  if (text.size() > 9) return std::nullopt;
  int n = 0;
  for (wchar_t c : text) {
    if (!IsDigit(c)) return std::nullopt;
    n = n * 10 + (c - L'0');
  }
  return n;
}

std::vector<TextView> Split(TextView text, wchar_t separator) {
  std::vector<TextView> parts;
  size_t start = 0;
  for (;;) {
    const size_t p = text.find(separator, start);
    parts.push_back(text.substr(start, p == TextView::npos ? TextView::npos : p - start));
    if (p == TextView::npos) return parts;
    start = p + 1;
  }
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<DateTime> EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return static_cast<DateTime>(DaysFromCivil(year, month, day) + kEpochShift);
}

std::optional<DateTime> EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999) {
    return std::nullopt;
  }
  const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<DateTime>(ms) / kMillisecondsPerDay;
}

std::optional<DateTime> EncodeDateTime(const CivilDateTime& p) {
  const auto date = EncodeDate(p.year, p.month, p.day);
  const auto time = EncodeTime(p.hour, p.minute, p.second, p.millisecond);
  if (!date || !time) return std::nullopt;
  return *date + *time;
}

CivilDateTime DecodeDateTime(DateTime value) {
  long long days = static_cast<long long>(std::floor(value));
  long long ms = std::llround((value - static_cast<DateTime>(days)) * kMillisecondsPerDay);
  if (ms >= kMillisecondsPerDay) {
    ++days;
    ms -= kMillisecondsPerDay;
  }
  CivilDateTime out;
  CivilFromDays(days - kEpochShift, out.year, out.month, out.day);
  out.millisecond = static_cast<int>(ms % 1000);
  out.second = static_cast<int>(ms / 1000 % 60);
  out.minute = static_cast<int>(ms / 60000 % 60);
  out.hour = static_cast<int>(ms / 3600000);
  return out;
}

int DayOfWeek(DateTime value) {
  const CivilDateTime parts = DecodeDateTime(value);
  const long long serial = DaysFromCivil(parts.year, parts.month, parts.day) + kEpochShift;
  // Day 0, 30 December 1899, was a Saturday.
  return static_cast<int>(((serial + 6) % 7 + 7) % 7);
}

Text FormatDate(DateTime value, TextView picture, wchar_t dateSeparator) {
  const CivilDateTime p = DecodeDateTime(value);
  Text out;
  for (size_t i = 0; i < picture.size();) {
    const wchar_t c = picture[i];
    const size_t n = RunLength(picture, i);
    if (c == L'd') {
      out += Padded(p.day, n >= 2 ? 2 : 1);
    } else if (c == L'M') {
      out += Padded(p.month, n >= 2 ? 2 : 1);
    } else if (c == L'y') {
      out += n >= 4 ? Padded(p.year, 4) : Padded(p.year % 100, 2);
    } else if (c == L'/') {
      out += Text(n, dateSeparator);
    } else {
      out += Text(n, c);
    }
    i += n;
  }
  return out;
}

Text FormatTime(DateTime value, TextView picture, wchar_t timeSeparator) {
  const CivilDateTime p = DecodeDateTime(value);
  Text out;
  for (size_t i = 0; i < picture.size();) {
    const wchar_t c = picture[i];
    const size_t n = RunLength(picture, i);
    const int width = n >= 2 ? 2 : 1;
    if (c == L'H' || c == L'h') {
      out += Padded(p.hour, width);
    } else if (c == L'm') {
      out += Padded(p.minute, width);
    } else if (c == L's') {
      out += Padded(p.second, width);
    } else if (c == L':') {
      out += Text(n, timeSeparator);
    } else {
      out += Text(n, c);
    }
    i += n;
  }
  return out;
}

Text FormatShortDate(DateTime value, const Locale& locale) {
  return FormatDate(value, locale.shortDateFormat, locale.dateSeparator);
}

Text FormatLongTime(DateTime value, const Locale& locale) {
  return FormatTime(value, locale.longTimeFormat, locale.timeSeparator);
}

Text FormatDateTime(DateTime value, const Locale& locale) {
  const CivilDateTime p = DecodeDateTime(value);
  Text out = FormatShortDate(value, locale);
  if (p.hour != 0 || p.minute != 0 || p.second != 0) out += L" " + FormatLongTime(value, locale);
  return out;
}

std::optional<DateTime> ParseDateTime(TextView text, const Locale& locale, wchar_t dateSeparator) {
  text = TrimBlanks(text);
  const size_t blank = text.find(L' ');
  const TextView datePart = text.substr(0, blank);
  const TextView timePart = blank == TextView::npos ? TextView() : TrimBlanks(text.substr(blank));

  const std::vector<TextView> fields = Split(datePart, dateSeparator);
  if (fields.size() != 3) return std::nullopt;
  // Field order from the first appearance of d, M and y in the short date picture.
  const TextView picture = locale.shortDateFormat;
  const size_t pd = picture.find(L'd'), pm = picture.find(L'M'), py = picture.find(L'y');
  if (pd == TextView::npos || pm == TextView::npos || py == TextView::npos) return std::nullopt;
  const auto rank = [&](size_t p) { return static_cast<size_t>((p > pd) + (p > pm) + (p > py)); };
  const auto day = ReadWhole(fields[rank(pd)]);
  const auto month = ReadWhole(fields[rank(pm)]);
  auto year = ReadWhole(fields[rank(py)]);
  if (!day || !month || !year) return std::nullopt;
  if (fields[rank(py)].size() <= 2) *year += *year < 50 ? 2000 : 1900;
  const auto date = EncodeDate(*year, *month, *day);
  if (!date) return std::nullopt;
  if (timePart.empty()) return date;

  const std::vector<TextView> t = Split(timePart, locale.timeSeparator);
  if (t.size() < 2 || t.size() > 3) return std::nullopt;
  const auto hour = ReadWhole(t[0]);
  const auto minute = ReadWhole(t[1]);
  const auto second = t.size() == 3 ? ReadWhole(t[2]) : std::optional<int>(0);
  if (!hour || !minute || !second) return std::nullopt;
  const auto time = EncodeTime(*hour, *minute, *second);
  if (!time) return std::nullopt;
  return *date + *time;
}

}  // namespace tallyman
