#include "ui/system_locale.h"

#include <QLocale>

#include "ui/qt_text.h"

namespace tallyman::ui {

Locale SystemLocale() {
  const QLocale system = QLocale::system();
  Locale locale = system.language() == QLocale::Russian ? Locale::Russian() : Locale::English();
  const QString decimal = system.decimalPoint();
  const QString group = system.groupSeparator();
  if (decimal.size() == 1) locale.decimalSeparator = static_cast<wchar_t>(decimal.at(0).unicode());
  locale.thousandsSeparator = group.size() == 1 ? static_cast<wchar_t>(group.at(0).unicode()) : L'\0';
  for (int i = 0; i < 7; ++i) {
    const int qtDay = i == 0 ? 7 : i;  // Sunday first
    locale.longDayNames[i] = FromQString(system.dayName(qtDay, QLocale::LongFormat));
    locale.shortDayNames[i] = FromQString(system.dayName(qtDay, QLocale::ShortFormat));
  }
  for (int i = 0; i < 12; ++i) {
    locale.longMonthNames[i] = FromQString(system.standaloneMonthName(i + 1, QLocale::LongFormat));
    locale.shortMonthNames[i] = FromQString(system.monthName(i + 1, QLocale::ShortFormat));
  }
  return WithUsableThousandsSeparator(locale);
}

}  // namespace tallyman::ui
