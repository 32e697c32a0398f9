#include "ui/title_clock.h"

namespace tallyman::ui {

QString TitleDateText(const QDate& date, const QLocale& locale) {
  return locale.toString(date, QStringLiteral("dd MMM ddd "));
}

QString ClockTitle(const QString& dateText, const QTime& time) {
  return dateText + time.toString(QStringLiteral(" hh:mm"));
}

int NextTimerInterval(int interval, const QTime& now) {
  if (interval == 1000 && now.second() == 0) return 30000;
  return interval;
}

}  // namespace tallyman::ui
