#include "engine/core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/engine/preset_numbers.h"

namespace tallyman {
namespace {

using test::En;
using test::Ru;

struct CleanCase {
  const wchar_t* input;
  const wchar_t* ru;
  const wchar_t* en;
};

TEST(CleanNumber, NormalisesSeparatorsAndDropsBlanks) {
  const CleanCase cases[] = {
      {L"1 234.5", L"1234,5", L"1234.5"},
      {L"1\u00A0234,5", L"1234,5", L"1\u00A02345"},  // in "en" the comma is grouping; U+00A0 is kept
      {L"1,234.5", L"1,234,5", L"1234.5"},
      {L" -12\t", L"-12", L"-12"},
      {L"abc", L"abc", L"abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Ru().CleanNumber(c.input), c.ru) << c.input;
    EXPECT_EQ(En().CleanNumber(c.input), c.en) << c.input;
  }
}

struct ParseCase {
  const wchar_t* input;
  bool ok;
  long double value;
};

TEST(TextToNumber, RussianLocale) {
  const ParseCase cases[] = {
      // clang-format off
      {L"1 234.5", true, 1234.5L},   {L"1 234,5", true, 1234.5L},      {L"1.234,5", false, 0},
      {L"1e5", false, 0},            {L"1E5", false, 0},                {L",", true, 0},
      {L"", false, 0},               {L"-", false, 0},                  {L"+7", true, 7},
      {L"0,123456789", true, 0.12345679L}, {L"999999999999999999", true, 999999999999999999.0L},
      {L"1000000000000000000", false, 0},  {L"12abc", false, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    const auto v = Ru().TextToNumber(c.input);
    EXPECT_EQ(v.has_value(), c.ok) << c.input;
    if (v && c.ok) {
      EXPECT_EQ(*v, c.value) << c.input;
    }
  }
}

TEST(TextToNumber, EnglishLocale) {
  const ParseCase cases[] = {
      {L"1,234.5", true, 1234.5L},
      {L"1.234,5", true, 1.2345L},
      {L"-0.000000004", true, 0},
      {L"0.000000005", true, 0.00000001L},
  };
  for (const auto& c : cases) {
    const auto v = En().TextToNumber(c.input);
    EXPECT_EQ(v.has_value(), c.ok) << c.input;
    if (v && c.ok) {
      EXPECT_EQ(*v, c.value) << c.input;
    }
  }
}

TEST(TextToNumber, ZeroDigitsRoundsHalfAwayFromZero) {
  const NumberText n(Locale::English(), 0, 0);
  EXPECT_EQ(*n.TextToNumber(L"2.5"), 3);
  EXPECT_EQ(*n.TextToNumber(L"-2.5"), -3);
  EXPECT_EQ(*n.TextToNumber(L"0.4"), 0);
}

struct FormatCase {
  long double value;
  int decimals;
  const wchar_t* ru;
  const wchar_t* en;
};

TEST(Format, PictureRules) {
  const FormatCase cases[] = {
      {1234.5L, 4, L"1\u00A0234,5", L"1,234.5"},
      {2.0L / 3.0L, 4, L"0,6667", L"0.6667"},
      {1000000, 4, L"1\u00A0000\u00A0000", L"1,000,000"},
      {12.00004L, 4, L"12", L"12"},
      {-0.00001L, 4, L"0", L"0"},
      {-1.5L, 0, L"-2", L"-2"},
      {0.5L, 0, L"1", L"1"},
      {999999999999999999.0L, 2, L"999\u00A0999\u00A0999\u00A0999\u00A0999\u00A0999", L"999,999,999,999,999,999"},
      {0.99995L, 4, L"1", L"1"},
      {-123.456L, 2, L"-123,46", L"-123.46"},
      {0, 8, L"0", L"0"},
      {1e-20L, 18, L"0", L"0"},
      {0.000000000000000001L, 18, L"0,000000000000000001", L"0.000000000000000001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Ru().Format(c.value, c.decimals).value_or(L"<limit>"), c.ru) << static_cast<double>(c.value);
    EXPECT_EQ(En().Format(c.value, c.decimals).value_or(L"<limit>"), c.en) << static_cast<double>(c.value);
  }
}

TEST(Format, EighteenDigitLimit) {
  EXPECT_FALSE(En().Format(1e18L, 4).has_value());
  EXPECT_FALSE(En().Format(-1e18L, 0).has_value());
  EXPECT_FALSE(En().Format(999999999999999999.7L, 0).has_value());  // 18 significant digits round up
  EXPECT_EQ(En().FormatCalc(1e18L), L"");
  EXPECT_EQ(En().FormatResult(1e30L), L"");
}

TEST(Format, PicturesFollowPrecision) {
  NumberText n(Locale::English());
  EXPECT_EQ(n.FmtCalc(), L"#,##0.########");
  EXPECT_EQ(n.FmtRes(), L"#,##0.####");
  n.SetPrecision(-3, 40);
  EXPECT_EQ(n.Digits(), 0);
  EXPECT_EQ(n.ResOut(), 18);
}

TEST(ReadFloat, AcceptsExponentNotation) {
  EXPECT_EQ(*En().ReadFloat(L"1e5"), 100000);
  EXPECT_EQ(*En().ReadFloat(L"2.5E-1"), 0.25L);
  EXPECT_FALSE(En().ReadFloat(L"1e").has_value());
  EXPECT_FALSE(En().ReadFloat(L"-").has_value());
  EXPECT_FALSE(En().ReadFloat(L"1e99999").has_value());
  EXPECT_EQ(*En().ReadFloat(L"."), 0);
}

struct LeadingZerosCase {
  const char* name;
  Text text;
  bool allowExponent;
  long double value;
};

// Leading zeros hold no digit, however many there are; the digits after them all count.
TEST(ReadDecimalNumber, LeadingZerosDoNotCrowdOutTheDigits) {
  const auto zeros = [](size_t n) { return Text(n, L'0'); };
  const LeadingZerosCase cases[] = {
      {"119 zeros", zeros(119) + L"5", false, 5},
      {"120 zeros", zeros(120) + L"5", false, 5},
      {"121 zeros, sign", L"-" + zeros(121) + L"5", false, -5},
      {"plus sign, 300 zeros, fraction", L"+" + zeros(300) + L"12.5", false, 12.5L},
      {"zeros after the separator", L"0." + zeros(200) + L"5e201", true, 5},
      {"zeros, then more than 19 digits", zeros(150) + L"12345678901234567890", false, 12345678901234567890.0L},
      {"only zeros", zeros(500), false, 0},
      {"digits past those kept scale the value", L"1" + zeros(130), false, 1e130L},
      {"exponent after zeros", zeros(130) + L"1e2", true, 100},
  };
  for (const LeadingZerosCase& c : cases) {
    EXPECT_EQ(ReadDecimalNumber(c.text, L'.', c.allowExponent), std::optional<Number>(c.value)) << c.name;
  }
  EXPECT_EQ(Ru().TextToNumber(zeros(120) + L"5"), std::optional<Number>(5));
}

struct RowCase {
  const wchar_t* row;
  wchar_t delimiter;
  bool ok;
  long double value;
};

TEST(RowValue, ReadsResultsAndOperands) {
  const RowCase cases[] = {
      // clang-format off
      {L"\t=10", L'=', true, 10},       {L"+5\t=15", L'=', true, 15}, {L"+5\t=15", L'\t', true, 5},
      {L"*", L'=', false, 0},           {L"*", L'\t', false, 0},      {L"", L'=', false, 0},
      {L"+0\t=15", L'\t', false, 0},    {L"\t=0", L'=', true, 0},     {L"-1,234.5\t=3", L'\t', true, 1234.5L},
      // clang-format on
  };
  for (const auto& c : cases) {
    const auto v = En().RowValue(c.row, c.delimiter);
    EXPECT_EQ(v.has_value(), c.ok) << c.row;
    if (v && c.ok) {
      EXPECT_EQ(*v, c.value) << c.row;
    }
  }
  EXPECT_FALSE(En().RowValue(std::vector<Text>{L"\t=1"}, 1, L'=').has_value());
  EXPECT_FALSE(En().RowValue(std::vector<Text>{L"\t=1"}, -1, L'=').has_value());
}

TEST(Locale, UnusableThousandsSeparatorBecomesNoBreakSpace) {
  Locale l = Locale::English();
  for (wchar_t t : {L'\0', L' ', L'.', L'\t'}) {
    l.thousandsSeparator = t;
    EXPECT_EQ(WithUsableThousandsSeparator(l).thousandsSeparator, kNoBreakSpace) << int(t);
  }
  l.thousandsSeparator = L'\'';
  EXPECT_EQ(WithUsableThousandsSeparator(l).thousandsSeparator, L'\'');
}

}  // namespace
}  // namespace tallyman

namespace tallyman {
namespace {

// The formatter's quick path must give exactly the digits of a correctly rounded conversion.
TEST(Format, AgreesWithTheCLibraryOnRandomValues) {
  const NumberText n(Locale::English());
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(0, 17);
  for (int i = 0; i < 20000; ++i) {
    const long double value = static_cast<long double>(mantissa(random)) * std::pow(10.0L, exponent(random)) *
                              (1.0L + static_cast<long double>(i) * 1e-19L);
    char reference[64];
    std::snprintf(reference, sizeof reference, "%.17Le", value);
    const Text text = n.Format(value, 18).value_or(L"");
    // Rebuild the 18 significant digits from the formatted text (no rounding happens at 18
    // decimals for values of 1 and more, except trailing zeros that were dropped).
    std::string digits;
    for (wchar_t c : text)
      if (c >= L'0' && c <= L'9') digits += static_cast<char>(c);
    digits.erase(0, digits.find_first_not_of('0'));
    std::string expected = std::string(1, reference[0]) + std::string(reference + 2, 17);
    while (!expected.empty() && expected.back() == '0') expected.pop_back();
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    ASSERT_EQ(digits, expected) << reference;
  }
}

TEST(TextToNumber, QuickReadingIsCorrectlyRounded) {
  const NumberText n(Locale::English(), 18, 18);
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const unsigned long long whole = random() % 1000000000ULL;
    const unsigned long long fraction = random() % 1000000000ULL;
    char text[64];
    std::snprintf(text, sizeof text, "%llu.%09llu", whole, fraction);
    const long double expected = std::strtold(text, nullptr);
    ASSERT_EQ(n.ReadFloat(FromUtf8(text)).value(), expected) << text;
  }
}

}  // namespace
}  // namespace tallyman
