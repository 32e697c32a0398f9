#include "engine/text/alarm.h"

namespace tallyman {
namespace {

int SecondsOfDay(DateTime now) {
  const CivilDateTime parts = DecodeDateTime(now);
  return (parts.hour * 60 + parts.minute) * 60 + parts.second;
}

int AlarmSeconds(const Alarm& alarm) {
  return (alarm.hour * 60 + alarm.minute) * 60;
}

}  // namespace

void Alarm::StepHour(DateTime now) {
  hour = hour >= 0 && hour < 23 ? hour + 1 : 0;
  Refresh(now);
}

void Alarm::StepMinute(DateTime now) {
  minute = minute >= 0 && minute < 54 ? minute + 5 : 0;
  Refresh(now);
}

void Alarm::Refresh(DateTime now) {
  armed = SecondsOfDay(now) < AlarmSeconds(*this);
}

bool Alarm::Due(DateTime now) {
  if (!armed || SecondsOfDay(now) < AlarmSeconds(*this)) return false;
  armed = false;
  return true;
}

}  // namespace tallyman
