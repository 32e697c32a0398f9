#include "engine/core/locale.h"

namespace tallyman {

Locale Locale::Russian() {
  Locale l;
  l.decimalSeparator = L',';
  l.thousandsSeparator = kNoBreakSpace;
  l.dateSeparator = L'.';
  l.timeSeparator = L':';
  l.shortDateFormat = L"dd.MM.yyyy";
  l.longTimeFormat = L"H:mm:ss";
  // clang-format off
  l.longDayNames = {L"воскресенье", L"понедельник", L"вторник", L"среда",
                    L"четверг",     L"пятница",     L"суббота"};
  // clang-format on
  l.shortDayNames = {L"Вс", L"Пн", L"Вт", L"Ср", L"Чт", L"Пт", L"Сб"};
  l.longMonthNames = {L"Январь", L"Февраль", L"Март",     L"Апрель",  L"Май",    L"Июнь",
                      L"Июль",   L"Август",  L"Сентябрь", L"Октябрь", L"Ноябрь", L"Декабрь"};
  // clang-format off
  l.shortMonthNames = {L"янв", L"фев", L"мар", L"апр", L"май", L"июн",
                       L"июл", L"авг", L"сен", L"окт", L"ноя", L"дек"};
  // clang-format on
  return l;
}

Locale Locale::English() {
  Locale l;
  l.decimalSeparator = L'.';
  l.thousandsSeparator = L',';
  l.dateSeparator = L'/';
  l.timeSeparator = L':';
  l.shortDateFormat = L"MM/dd/yyyy";
  l.longTimeFormat = L"H:mm:ss";
  // clang-format off
  l.longDayNames = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                    L"Thursday", L"Friday", L"Saturday"};
  // clang-format on
  l.shortDayNames = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
  l.longMonthNames = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                      L"July",    L"August",   L"September", L"October", L"November", L"December"};
  // clang-format off
  l.shortMonthNames = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                       L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
  // clang-format on
  return l;
}

Locale WithUsableThousandsSeparator(Locale locale) {
  const wchar_t t = locale.thousandsSeparator;
  if (t == L'\0' || t == locale.decimalSeparator || t <= 32) locale.thousandsSeparator = kNoBreakSpace;
  return locale;
}

}  // namespace tallyman
