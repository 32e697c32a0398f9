#pragma once
// The clock in the main window's title: the date of start-up, then the time without seconds.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace tallyman::ui {

// "dd mmm ddd ": two-digit day, short month name, short day name and one blank.
QString TitleDateText(const QDate& date, const QLocale& locale);
// The date text followed by " hh:nn".
QString ClockTitle(const QString& dateText, const QTime& time);
// Ticks every second until the first full minute, then every 30 seconds.
int NextTimerInterval(int interval, const QTime& now);

}  // namespace tallyman::ui
