#pragma once
// The notebook's alarm clock: an hour and a minute of today, armed while that time is still ahead.
// The main window keeps it between openings of the notebook and fires it from its clock timer.
#include "engine/text/date_time.h"

namespace tallyman {

struct Alarm {
  int hour = 0;    // 0..23
  int minute = 0;  // 0, 5, ..., 55
  bool armed = false;

  // F2: the next hour, 23 wraps to 0. F3: five minutes on, 55 wraps to 0.
  void StepHour(DateTime now);
  void StepMinute(DateTime now);
  // Armed exactly when the time of day is before hour:minute:00; a time already past stays off.
  void Refresh(DateTime now);
  // True once, when an armed alarm's time has come; it is then disarmed.
  bool Due(DateTime now);
};

}  // namespace tallyman
