#include <gtest/gtest.h>

#include "engine/text/alarm.h"

namespace tallyman {
namespace {

DateTime At(int hour, int minute, int second) {
  return *EncodeDateTime({2026, 7, 15, hour, minute, second, 0});
}

struct StepCase {
  int from;
  int to;
};

TEST(Alarm, HourStepsByOneAndWrapsAfter23) {
  for (const StepCase c : {StepCase{0, 1}, StepCase{22, 23}, StepCase{23, 0}}) {
    Alarm alarm{c.from, 0, false};
    alarm.StepHour(At(0, 0, 0));
    EXPECT_EQ(alarm.hour, c.to) << c.from;
  }
}

TEST(Alarm, MinuteStepsByFiveAndWrapsAfter55) {
  for (const StepCase c : {StepCase{0, 5}, StepCase{50, 55}, StepCase{53, 58}, StepCase{54, 0}, StepCase{55, 0}}) {
    Alarm alarm{0, c.from, false};
    alarm.StepMinute(At(0, 0, 0));
    EXPECT_EQ(alarm.minute, c.to) << c.from;
  }
}

struct ArmCase {
  int hour, minute, second;  // the time of day now
  bool armed;
};

TEST(Alarm, ArmedOnlyWhileTheTimeIsAhead) {
  // The alarm is set to 14:30.
  const ArmCase cases[] = {
      {14, 29, 59, true}, {14, 30, 0, false},  // the current minute is not armed
      {14, 30, 1, false}, {0, 0, 0, true},    {23, 59, 59, false},
  };
  for (const ArmCase& c : cases) {
    Alarm alarm{14, 30, false};
    alarm.Refresh(At(c.hour, c.minute, c.second));
    EXPECT_EQ(alarm.armed, c.armed) << c.hour << ":" << c.minute << ":" << c.second;
  }
}

TEST(Alarm, FiresOnceWhenItsTimeComes) {
  Alarm alarm{14, 30, false};
  alarm.Refresh(At(14, 0, 0));
  EXPECT_FALSE(alarm.Due(At(14, 29, 59)));
  EXPECT_TRUE(alarm.Due(At(14, 30, 20)));
  EXPECT_FALSE(alarm.armed);
  EXPECT_FALSE(alarm.Due(At(14, 31, 0)));

  Alarm unarmed{14, 30, false};
  EXPECT_FALSE(unarmed.Due(At(14, 30, 0)));
}

}  // namespace
}  // namespace tallyman
