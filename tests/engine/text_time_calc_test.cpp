#include <gtest/gtest.h>

#include "engine/text/time_calc.h"
#include "tests/engine/text_test_support.h"

namespace tallyman {
namespace {

using testing_text::RecordingSink;

// Wednesday, 15 July 2026, 14:30:00.
DateTime Now() {
  return *EncodeDateTime({2026, 7, 15, 14, 30, 0, 0});
}

struct CalcCase {
  const wchar_t* text;
  const wchar_t* result;
};

void ExpectCalc(const TimeCalculator& calc, const CalcCase& c) {
  RecordingSink sink;
  EXPECT_EQ(calc.TimeCalc(c.text, sink), c.result) << c.text;
  EXPECT_TRUE(sink.messages.empty()) << c.text;
}

TEST(TimeCalc, DurationsInRussianLocale) {
  const CalcCase cases[] = {
      {L"8:45 - 7:30", L"1:15:00"},
      {L"23:00 + 2:30", L"25:30"},
      {L"1:30 * 2", L"3"},
      {L"1:30", L"1,5"},
      {L"1,5", L"1:30:00"},
      {L"1.5", L"1:30:00"},
      {L"1:30 * 2 + 1:00", L"4:00:00"},
      {L"1:00 + 1:30 * 2", L"4:00:00"},
      {L"0 + 5", L""},
      {L"5 / 0", L""},
      {L"12:00 * 0", L""},
      {L"10:00 обед", L"10"},
      {L"8:45 - 7:30 =", L"1:15:00"},
      {L"0000000000000000000001:30 + 0:30", L"2:00:00"},  // leading zeros are no digits
      {L"1:000000000000000000030 + 0:30", L"2:00:00"},
      {L"1:30 * обед", L"1,5"},
      {L"1:00 - 2:00", L"-1:00:00"},
      {L"1:00 - 2:00 + 3:00", L"2:00:00"},
      {L"48:05:10 + 1:00:00", L"49:05:10"},
      {L"25:00", L"25"},
      {L"1:30 / 2", L"0,75"},
      {L"1:30 \\ 2", L"0,75"},
      {L"3 * 1:30", L"4,5"},
      {L"3 / 1:30", L"2"},
      {L"1:00 + 0,5", L"1:30:00"},
      {L"1:00 - 0,5", L"0:30:00"},
      {L"2 + 0:30", L"2:30:00"},
      {L"2 - 0:30", L"1:30:00"},
      {L"2 * 3", L"6"},
      {L"7 / 2", L"3,5"},
      {L"2 / 3", L"0,6667"},
      {L"2 + 3 * 4", L"14"},
      {L"10 - 2 - 3", L"5"},
      {L"", L""},
      {L"обед", L""},
  };
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  for (const auto& c : cases) ExpectCalc(calc, c);
}

TEST(TimeCalc, DatesInRussianLocale) {
  const CalcCase cases[] = {
      {L"01.03.2024 - 01.02.2024", L"0 лет 1 мес. 0 дней=29"},
      {L"15.07.2027 - 14.06.2026", L"1 год 1 мес. 1 день =396"},
      {L"20.07.2030 - 18.07.2026", L"4 года 0 мес. 2 дня =1463"},
      {L"01.01.2037 - 01.01.2026", L"11 лет 0 мес. 0 дней=4018"},
      {L"22.01.2026 - 01.01.2026", L"0 лет 0 мес. 21 день =21"},
      {L"29.03.2026 - 01.02.2026", L"0 лет 1 мес. 28 дней=56"},  // as many days as February has
      {L"01.01.2026 - 22.01.2026", L"0 лет 0 мес. 21 день =-21"},
      {L"02.01.2026 12:00 - 01.01.2026", L"0 лет 0 мес. 1 день =1,5"},
      {L"12.01.2026 - 01.01.2026", L"0 лет 0 мес. 11 дней=11"},
      {L"25.12.2026", L"(4) пятница Декабрь(31)"},
      {L"06.12.2026", L"(1) воскресенье Декабрь(31)"},
      {L"07.12.2026", L"(2) понедельник Декабрь(31)"},
      {L"28.12.2026", L"(5) понедельник Декабрь(31)"},
      {L"29.02.2024", L"(5) четверг Февраль(29)"},
      {L"0000000000025.0000000000012.00000000002026", L"(4) пятница Декабрь(31)"},
      {L"31.02.2024", L""},
      {L"25.12.2026 + 10", L"04.01.2027"},
      {L"25.12.2026 - 1:30", L"24.12.2026 22:30:00"},
      {L"10 + 25.12.2026", L"04.01.2027"},
      {L"25.12.2026 * 2", L""},
      {L"25.12.2026 + 01.01.2026", L""},
  };
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  for (const auto& c : cases) ExpectCalc(calc, c);
}

// A date beyond the calendar's years 1 to 9999 is no date: nothing is written.
TEST(TimeCalc, DatesOutsideTheCalendarGiveNothing) {
  const CalcCase cases[] = {
      {L"31.12.9999 - 1", L"30.12.9999"},
      {L"02.01.0001 - 1", L"01.01.0001"},
      {L"31.12.9999 + 1", L""},
      {L"01.01.0001 - 1", L""},
      {L"25.12.2026 + 10000000", L""},
      {L"01.01.2026 - 3000000", L""},
      {L"01.01.2026 + 1000000000000000000000000", L""},
      {L"1000000000000000000000000 + 01.01.2026", L""},
      {L"1000000000000000000000-", L""},
      {L"1000000000000000000000,5+", L""},
      {L"999999999999999999:00-", L""},
  };
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  for (const auto& c : cases) ExpectCalc(calc, c);
}

TEST(TimeCalc, RelativeToTheClock) {
  const CalcCase cases[] = {
      {L"5-", L"10.07.2026"},
      {L"-5", L"10.07.2026"},
      {L"5+", L"20.07.2026"},
      {L"0,5+", L"15.07.2026 12:00:00"},
      {L"1:00-", L"15.07.2026 13:30:00"},
      {L"1:00+", L"15.07.2026 15:30:00"},
      {L"01.08.2026-", L"0 лет 0 мес. 17 дней=17"},
      {L"01.07.2026-", L"0 лет 0 мес. 14 дней=-14"},
      {L"01.08.2026+", L""},
  };
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  for (const auto& c : cases) ExpectCalc(calc, c);
}

TEST(TimeCalc, EnglishWordsAndEnglishLocale) {
  const CalcCase english[] = {
      {L"01.03.2024 - 01.02.2024", L"0 years 1 months 0 days=29"},
  };
  const TimeCalculator russianLocale(Locale::Russian(), Now(), true);
  for (const auto& c : english) ExpectCalc(russianLocale, c);

  // The locale's "/" is an operator, so dates are typed with "." in the locale's field order.
  const CalcCase cases[] = {
      {L"03.01.2024 - 02.01.2024", L"0 years 1 months 0 days=29"},
      {L"12.25.2026", L"(4) Friday December(31)"},
      {L"12.25.2026 + 10", L"01.04.2027"},
      {L"8:45 - 7:30", L"1:15:00"},
      {L"1:30", L"1.5"},
      {L"1,5", L"15:00:00"},  // the comma groups thousands here and is dropped
      {L"2 / 3", L"0.6667"},
      {L"5-", L"07.10.2026"},
  };
  const TimeCalculator calc(Locale::English(), Now(), true);
  EXPECT_EQ(calc.DateSeparator(), L'.');
  for (const auto& c : cases) ExpectCalc(calc, c);
}

TEST(TimeCalc, HoursOutOfRangeAreReported) {
  const CalcCase cases[] = {
      {L"2-5-1:00", L"Число часов должно быть от 0 до 596523"},
      {L"1000000", L"Число часов должно быть от 0 до 596523"},
  };
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  for (const auto& c : cases) {
    RecordingSink sink;
    EXPECT_EQ(calc.TimeCalc(c.text, sink), L"") << c.text;
    ASSERT_EQ(sink.messages.size(), 1u) << c.text;
    EXPECT_EQ(sink.messages[0], c.result);
  }
  const TimeCalculator english(Locale::Russian(), Now(), true);
  RecordingSink sink;
  english.TimeCalc(L"1000000", sink);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], L"The number of hours must be from 0 to 596523");
}

TEST(TimeChain, LeadingAndTrailingOperators) {
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  EXPECT_EQ(calc.TimeChain(L"-5"), L"10.07.2026");
  EXPECT_EQ(calc.TimeChain(L"1:30*2/4"), L"0,75");
  EXPECT_EQ(calc.TimeChain(L"1:00*-2"), L"");
  EXPECT_EQ(calc.TimeOperation(L"1:30", L"", L""), L"1,5");
  EXPECT_EQ(calc.TimeOperation(L"", L"1:30", L"+"), L"");
  EXPECT_EQ(calc.TimeOperation(L"1:30", L"0:30", L""), L"");
}

// A long column: every term counts once, in order, whatever the operators around it.
TEST(TimeCalc, LongColumnsAddUpTermByTerm) {
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  Text column = L"0:01";
  for (int i = 1; i < 30000; ++i) column += i % 3 == 0 ? L" - 0:01" : L" + 0:02 * 1";
  RecordingSink sink;
  // 0:01, 20,000 times 0:02 (each read as 0,0333 hours: 120 seconds), 9,999 times -0:01.
  EXPECT_EQ(calc.TimeCalc(column, sink), L"500:02");
}

TEST(FindOperator, Classes) {
  EXPECT_EQ(FindOperator(L"1:30 * 2 + 1", 0), 6u);
  EXPECT_EQ(FindOperator(L"1:30 * 2 + 1", 1), 10u);
  EXPECT_EQ(FindOperator(L"1:30 * 2 + 1", 2), 6u);
  EXPECT_EQ(FindOperator(L"7\\2", 2), 2u);
  EXPECT_EQ(FindOperator(L"7:30", 0), 0u);
}

TEST(OperandKind, SeparatorsDecide) {
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  const std::pair<const wchar_t*, OperandType> cases[] = {
      {L"7:30", OperandType::Time},   {L"25.12.2026", OperandType::Date}, {L"25.12.2026 10:00", OperandType::Date},
      {L"1.5:30", OperandType::Time}, {L"1,5", OperandType::Numeric},     {L"1.5", OperandType::Numeric},
  };
  for (const auto& [text, kind] : cases) EXPECT_EQ(calc.OperandKind(text), kind) << text;
}

TEST(ParseDuration, PartsAndHours) {
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  struct Case {
    const wchar_t* text;
    Number hours;
  };
  // clang-format off
  const Case cases[] = {{L"1:30", 1.5L},  {L"25:00", 25},     {L"1:2:36", 1.0L + 2.0L / 60 + 36.0L / 3600},
                        {L":30", 0.5L},   {L"1:30:", 1.5L},   {L"abc", 0},
                        {L"-1:30", -1.5L}, {L"1:xx:36", 1.01L}};
  // clang-format on
  for (const auto& c : cases) {
    const auto d = calc.ParseDuration(c.text);
    EXPECT_NEAR(static_cast<double>(d.hours), static_cast<double>(c.hours), 1e-12) << c.text;
    EXPECT_NEAR(static_cast<double>(d.value * 24), static_cast<double>(c.hours), 1e-12) << c.text;
  }
}

TEST(FormatDuration, BelowADayUsesTheLongTimeFormat) {
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  const std::pair<Number, const wchar_t*> cases[] = {
      {0.5L, L"12:00:00"},       {1.5L / 24, L"1:30:00"},
      {26.5L / 24, L"26:30"},    {(49 * 3600 + 5 * 60 + 10) / 86400.0L, L"49:05:10"},
      {-1.0L / 24, L"-1:00:00"}, {1, L"24:00"},
      {0, L"0:00:00"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(calc.FormatDuration(value), text) << text;
}

TEST(HoursToTime, RangeOfWholeSeconds) {
  const TimeCalculator calc(Locale::Russian(), Now(), false);
  EXPECT_EQ(calc.HoursToTime(1.5L), 1.5L / 24);
  EXPECT_EQ(calc.HoursToTime(596523), 596523.0L * 3600 / 86400);
  EXPECT_THROW(calc.HoursToTime(-0.5L), HoursOutOfRange);
  EXPECT_THROW(calc.HoursToTime(596524), HoursOutOfRange);
}

TEST(DateDiffText, OrderAndMonthBorrowing) {
  const TimeCalculator ru(Locale::Russian(), Now(), false);
  const TimeCalculator en(Locale::Russian(), Now(), true);
  const DateTime a = *EncodeDate(2024, 3, 5);
  const DateTime b = *EncodeDate(2024, 1, 31);
  EXPECT_EQ(en.DateDiffText(a, b), L"0 years 1 months 5 days");
  EXPECT_EQ(en.DateDiffText(b, a), L"0 years 1 months 5 days");
  EXPECT_EQ(ru.DateDiffText(*EncodeDate(2026, 1, 3), *EncodeDate(2003, 1, 1)), L"23 года 0 мес. 2 дня ");
  EXPECT_EQ(ru.DateDiffText(*EncodeDate(2137, 1, 1), *EncodeDate(2026, 1, 1)), L"111 лет 0 мес. 0 дней");
  EXPECT_EQ(ru.MonthText(*EncodeDate(2023, 2, 1)), L"Февраль(28)");
}

}  // namespace
}  // namespace tallyman
