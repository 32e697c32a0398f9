#include <gtest/gtest.h>

#include <cmath>

#include "engine/text/date_time.h"

namespace tallyman {
namespace {

TEST(DateTimeSerial, KnownDays) {
  struct Case {
    int y, m, d;
    long serial;
    int weekday;  // 0 Sunday
  };
  // clang-format off
  const Case cases[] = {{1899, 12, 30, 0, 6}, {1900, 1, 1, 2, 1}, {2000, 1, 1, 36526, 6},
                        {2024, 2, 29, 45351, 4}, {1899, 12, 1, -29, 5}};
  // clang-format on
  for (const auto& c : cases) {
    const auto value = EncodeDate(c.y, c.m, c.d);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.serial);
    EXPECT_EQ(DayOfWeek(*value), c.weekday) << c.serial;
    const CivilDateTime back = DecodeDateTime(*value);
    EXPECT_EQ(back.year, c.y);
    EXPECT_EQ(back.month, c.m);
    EXPECT_EQ(back.day, c.d);
  }
}

TEST(DateTimeSerial, InvalidPartsAreRefused) {
  EXPECT_FALSE(EncodeDate(2023, 2, 29));
  EXPECT_FALSE(EncodeDate(2024, 13, 1));
  EXPECT_FALSE(EncodeDate(2024, 4, 31));
  EXPECT_FALSE(EncodeTime(24, 0, 0));
  EXPECT_FALSE(EncodeTime(10, 60, 0));
  EXPECT_TRUE(EncodeDate(2000, 2, 29));
  EXPECT_FALSE(EncodeDate(1900, 2, 29));
}

TEST(DateTimeSerial, TimeOfDayRoundsToMilliseconds) {
  const CivilDateTime p = DecodeDateTime(*EncodeDate(2026, 7, 15) + 0.99999999999L);
  EXPECT_EQ(p.day, 16);
  EXPECT_EQ(p.hour, 0);
  const CivilDateTime q = DecodeDateTime(*EncodeDateTime({2026, 7, 15, 14, 30, 5, 0}));
  EXPECT_EQ(q.hour, 14);
  EXPECT_EQ(q.minute, 30);
  EXPECT_EQ(q.second, 5);
}

TEST(DateTimeFormat, PicturesOfBothLocales) {
  const DateTime v = *EncodeDateTime({2026, 1, 5, 9, 7, 3, 0});
  EXPECT_EQ(FormatShortDate(v, Locale::Russian()), L"05.01.2026");
  EXPECT_EQ(FormatShortDate(v, Locale::English()), L"01/05/2026");
  EXPECT_EQ(FormatDate(v, L"d/M/yy", L'-'), L"5-1-26");
  EXPECT_EQ(FormatLongTime(v, Locale::Russian()), L"9:07:03");
  EXPECT_EQ(FormatTime(v, L"HH:mm", L'.'), L"09.07");
  EXPECT_EQ(FormatDateTime(v, Locale::Russian()), L"05.01.2026 9:07:03");
  EXPECT_EQ(FormatDateTime(std::floor(v), Locale::English()), L"01/05/2026");
}

TEST(DateTimeParse, FieldOrderOfTheLocale) {
  struct Case {
    const wchar_t* text;
    bool english;
    wchar_t separator;
    bool ok;
    CivilDateTime expected;
  };
  const Case cases[] = {
      {L"25.12.2026", false, L'.', true, {2026, 12, 25, 0, 0, 0, 0}},
      {L"5.1.26", false, L'.', true, {2026, 1, 5, 0, 0, 0, 0}},
      {L"5.1.99", false, L'.', true, {1999, 1, 5, 0, 0, 0, 0}},
      {L"5.1.49", false, L'.', true, {2049, 1, 5, 0, 0, 0, 0}},  // two-digit years: 00-49 this century
      {L"5.1.50", false, L'.', true, {1950, 1, 5, 0, 0, 0, 0}},
      {L"25.12.2026 10:30", false, L'.', true, {2026, 12, 25, 10, 30, 0, 0}},
      {L"25.12.2026 10:30:15", false, L'.', true, {2026, 12, 25, 10, 30, 15, 0}},
      {L"12.25.2026", true, L'.', true, {2026, 12, 25, 0, 0, 0, 0}},
      {L"12/25/2026", true, L'/', true, {2026, 12, 25, 0, 0, 0, 0}},
      {L"31.02.2026", false, L'.', false, {}},
      {L"25.12", false, L'.', false, {}},
      {L"25.12.2026 25:00", false, L'.', false, {}},
      {L"aa.12.2026", false, L'.', false, {}},
  };
  for (const auto& c : cases) {
    const auto value = ParseDateTime(c.text, c.english ? Locale::English() : Locale::Russian(), c.separator);
    ASSERT_EQ(value.has_value(), c.ok) << c.text;
    if (!value) continue;
    EXPECT_EQ(*value, *EncodeDateTime(c.expected)) << c.text;
  }
}

}  // namespace
}  // namespace tallyman
