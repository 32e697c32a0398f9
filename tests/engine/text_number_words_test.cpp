#include <gtest/gtest.h>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/text/english_money.h"
#include "engine/text/number_words.h"
#include "engine/text/text_helpers.h"
#include "tests/engine/text_test_support.h"

namespace tallyman {
namespace {

using testing_text::RecordingSink;

struct WordsCase {
  const wchar_t* input;
  const wchar_t* appended;  // what NumberToText returns
};

TEST(NumberToText, RussianEngineInRussianLocale) {
  const WordsCase cases[] = {
      {L"0", L" руб. (00 копеек)"},
      {L"1234,5", L" руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)"},
      {L"21", L" руб. (Двадцать один рубль 00 копеек)"},
      {L"2000", L" руб. (Две тысячи рублей 00 копеек)"},
      {L"3000000", L" руб. (Три миллиона рублей 00 копеек)"},
      {L"1011", L" руб. (Одна тысяча одиннадцать рублей 00 копеек)"},
      {L"10", L" руб. (Десять рублей 00 копеек)"},
      {L"110", L" руб. (Сто десять рублей 00 копеек)"},
      {L"10000", L" руб. (Десять тысяч рублей 00 копеек)"},
      {L"0,05", L" руб. (05 копеек)"},
      {L"1,99", L" руб. (Один рубль 99 копеек)"},
      {L"1,995", L" руб. (Два рубля 00 копеек)"},
      {L"-12,30", L" руб. (минус Двенадцать рублей 30 копеек)"},
      {L"1000000000000000", L" руб. (0.00)"},
      {L"999999999999999,999", L" руб. (0.00)"},
      {L"1 234.5", L" руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)"},
      {L"  5  ", L" руб. (Пять рублей 00 копеек)"},
      {L"1e3", L" руб. (Одна тысяча рублей 00 копеек)"},
      {L"112", L" руб. (Сто двенадцать рублей 00 копеек)"},
      {L"1,01", L" руб. (Один рубль 01 копейка)"},
      {L"3,22", L" руб. (Три рубля 22 копейки)"},
      {L"1001001", L" руб. (Один миллион одна тысяча один рубль 00 копеек)"},
      {L"2000000000", L" руб. (Два миллиарда рублей 00 копеек)"},
      {L"999999999999999",
       L" руб. (Девятьсот девяносто девять триллионов девятьсот девяносто девять "
       L"миллиардов девятьсот девяносто девять миллионов девятьсот девяносто девять "
       L"тысяч девятьсот девяносто девять рублей 00 копеек)"},
      {L"abc", L""},
      {L"12 руб", L""},
      {L"", L""},
      {L"-", L""},
  };
  NumberWords words(Locale::Russian());
  for (const auto& c : cases) {
    RecordingSink sink;
    EXPECT_EQ(words.NumberToText(c.input, false, sink), c.appended) << c.input;
    EXPECT_TRUE(sink.messages.empty()) << c.input;
  }
}

TEST(NumberToText, EnglishEngineInEnglishLocale) {
  const WordsCase cases[] = {
      {L"0", L" (Zero Dollars)"},
      {L"1,234.56", L" (One Thousand Two Hundred Thirty Four Dollars and 56 Cents)"},
      {L"-1,234.5", L" (Negative One Thousand Two Hundred Thirty Four Dollars and 50 Cents)"},
      {L"0.25", L" (Zero Dollars and 25 Cents)"},
      {L"1.999", L" (One Dollars and 99 Cents)"},
      {L"1234567890123456", L""},
      {L"123456789012345",
       L" (One Hundred Twenty Three Trillion Four Hundred Fifty Six Billion Seven Hundred "
       L"Eighty Nine Million Twelve Thousand Three Hundred Forty Five Dollars)"},
      {L"1000000", L" (One Million Dollars)"},
      {L"21", L" (Twenty One Dollars)"},
      {L"1005", L" (One Thousand Five Dollars)"},
      {L"12.", L" (Twelve Dollars)"},
      {L"13", L" (Thirteen Dollars)"},
      {L"19", L" (Nineteen Dollars)"},
      {L"20", L" (Twenty Dollars)"},
      {L".", L""},
      {L"", L""},
  };
  NumberWords words(Locale::English());
  for (const auto& c : cases) {
    RecordingSink sink;
    EXPECT_EQ(words.NumberToText(c.input, true, sink), c.appended) << c.input;
    EXPECT_TRUE(sink.messages.empty()) << c.input;
  }
}

struct RefusedCase {
  const wchar_t* input;
  bool english;
  const wchar_t* message;
};

TEST(NumberToText, UnreadableNumbersAreReportedAndGiveNothing) {
  const RefusedCase cases[] = {
      // clang-format off
      {L"1-2", false, L"\"1-2\" - не число"},
      {L"1E", false, L"\"1E\" - не число"},
      {L"12abc", true, L"\"12abc\" is not a number"},
      {L"1.a5", true, L"\"1.a5\" is not a number"},
      {L"1.2.3", true, L"\"1.2.3\" is not a number"},
      // clang-format on
  };
  for (const auto& c : cases) {
    NumberWords words(c.english ? Locale::English() : Locale::Russian());
    RecordingSink sink;
    EXPECT_EQ(words.NumberToText(c.input, c.english, sink), L"") << c.input;
    ASSERT_EQ(sink.messages.size(), 1u) << c.input;
    EXPECT_EQ(sink.messages[0], c.message);
  }
}

struct GroupingCase {
  const wchar_t* input;
  bool englishLocale;
  bool englishInterface;
  const wchar_t* appended;  // empty: refused with the "not a number" message
};

TEST(NumberToText, AGroupingSeparatorOnlyBeforeThreeDigits) {
  const GroupingCase cases[] = {
      // clang-format off
      {L"1234,5", true, false, L""},
      {L"1234,5", true, true, L""},
      {L"1,23", true, true, L""},
      {L"1,2345", true, false, L""},
      {L"12,34,567", true, true, L""},
      {L",5", true, false, L""},
      {L"12\u00A034", false, false, L""},
      {L"1,234.5", true, false, L" руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)"},
      {L"-1, 234", true, false, L" руб. (минус Одна тысяча двести тридцать четыре рубля 00 копеек)"},
      {L"1,234,567", true, true, L" (One Million Two Hundred Thirty Four Thousand Five Hundred Sixty Seven Dollars)"},
      {L"1234,5", false, false, L" руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)"},
      {L"1\u00A0234,5", false, true, L" (One Thousand Two Hundred Thirty Four Dollars and 50 Cents)"},
      // clang-format on
  };
  for (const auto& c : cases) {
    NumberWords words(c.englishLocale ? Locale::English() : Locale::Russian());
    RecordingSink sink;
    EXPECT_EQ(words.NumberToText(c.input, c.englishInterface, sink), c.appended) << c.input;
    const Text refusal = WithArgument(LangText(pairs::kNotANumber, c.englishInterface), c.input);
    EXPECT_EQ(sink.messages, *c.appended ? std::vector<Text>{} : std::vector<Text>{refusal}) << c.input;
  }
}

TEST(NumberToText, EnglishInterfaceWithRussianLocaleUsesLocaleSeparators) {
  NumberWords words(Locale::Russian());
  RecordingSink sink;
  EXPECT_EQ(words.NumberToText(L"1\u00A0234,5", true, sink),
            L" (One Thousand Two Hundred Thirty Four Dollars and 50 Cents)");
}

TEST(NumberToText, ShortPennyWritesTheShortKopeckWord) {
  NumberWords words(Locale::Russian());
  words.SetShortPenny(true);
  RecordingSink sink;
  EXPECT_EQ(words.NumberToText(L"5", false, sink), L" руб. (Пять рублей 00 коп.)");
  EXPECT_EQ(words.NumberToText(L"0,01", false, sink), L" руб. (01 коп.)");
}

TEST(NumberToText, ShortPennyIsIgnoredWithANumStringSection) {
  NumberWords words(Locale::Russian());
  words.SetShortPenny(true);
  words.SetNumString(std::vector<Text>{});
  RecordingSink sink;
  EXPECT_EQ(words.NumberToText(L"5", false, sink), L" руб. (Пять рублей 00 копеек)");
}

TEST(NumberToText, NumStringSectionSelectsTheRussianEngineEvenInEnglish) {
  NumberWords words(Locale::English());
  words.SetNumString(std::vector<Text>{});
  RecordingSink sink;
  EXPECT_EQ(words.NumberToText(L"21", true, sink), L" руб. (Двадцать один рубль 00 копеек)");
}

TEST(NumberToText, CurrencyOnlyOverrideMakesFeminineWordsMasculine) {
  NumberWords words(Locale::Russian());
  words.SetNumString(std::vector<Text>{L"Currency=m, dollar, dollars,dollars ,, dollars"});
  RecordingSink sink;
  // Form 4 was left empty and keeps the built-in word; every replaced word gets one blank.
  EXPECT_EQ(words.NumberToText(L"2000", false, sink), L" руб. (Два тысячи dollars 00 копеек)");
  EXPECT_EQ(words.NumberToText(L"21", false, sink), L" руб. (Двадцать один dollar 00 копеек)");
  EXPECT_EQ(words.NumberToText(L"4", false, sink), L" руб. (Четыре рубля 00 копеек)");
  EXPECT_EQ(words.Words().currency[2], L"dollars ");
}

TEST(NumberToText, FullEnglishWordTablesFromNumString) {
  NumberWords words(Locale::English());
  words.SetNumString(std::vector<Text>{
      L"NumM=one,two,three,four,five,six,seven,eight,nine",
      L"Decs=ten,eleven,twelve,thirteen,fourteen,fifteen,sixteen,seventeen,eighteen,nineteen",
      L"tens=twenty,thirty,forty,fifty,sixty,seventy,eighty,ninety",
      L"Hundrs=one hundred,two hundred,three hundred,four hundred,five hundred,six hundred,"
      L"seven hundred,eight hundred,nine hundred",
      L"Thousand=f,thousand,thousand,thousand,thousand,thousand",
      L"Currency=m,dollar,dollars,dollars,dollars,dollars",
      L"Penny=f,cent,cents,cents,cents,cents",
      L"ShortCurrency=$",
      L" MINUS = minus",
      L"[not a key line]",
  });
  RecordingSink sink;
  EXPECT_EQ(words.NumberToText(L"-2021.5", true, sink), L" $ (minus Two thousand twenty one dollar 50 cents)");
}

TEST(TriadText, GendersAndUnknownLetters) {
  NumberWords words(Locale::Russian());
  EXPECT_EQ(words.TriadText(0, L'm'), L"");
  EXPECT_EQ(words.TriadText(1, L'm'), L"один ");
  EXPECT_EQ(words.TriadText(1, L'F'), L"одна ");
  EXPECT_EQ(words.TriadText(1, L'n'), L"одно ");
  EXPECT_EQ(words.TriadText(2, L'f'), L"две ");
  EXPECT_EQ(words.TriadText(512, L'm'), L"пятьсот двенадцать ");
  EXPECT_EQ(words.TriadText(999, L'n'), L"девятьсот девяносто девять ");
  EXPECT_EQ(words.TriadText(342, L'x'), L"триста сорок ");
}

TEST(PluralClass, RussianRule) {
  // clang-format off
  const std::pair<long long, int> cases[] = {{0, 5},   {1, 1},   {2, 2},   {3, 3},   {4, 4},  {5, 5},
                                             {11, 5},  {12, 5},  {19, 5},  {21, 1},  {22, 2}, {101, 1},
                                             {111, 5}, {114, 5}, {1004, 4}};
  // clang-format on
  for (const auto& [n, expected] : cases) EXPECT_EQ(PluralClass(n), expected) << n;
}

TEST(RussianMoneyText, RangeAndKopeckRounding) {
  NumberWords words(Locale::Russian());
  EXPECT_EQ(words.RussianMoneyText(-1), L"0.00");
  EXPECT_EQ(words.RussianMoneyText(1e15L), L"0.00");
  EXPECT_EQ(words.RussianMoneyText(0.994L), L"99 копеек");
  EXPECT_EQ(words.RussianMoneyText(0.9941L), L"Один рубль 00 копеек");
  EXPECT_EQ(words.RussianMoneyText(0.125L), L"12 копеек");  // ties go to even
  EXPECT_EQ(words.RussianMoneyText(1000), L"Одна тысяча рублей 00 копеек");
}

TEST(EnglishMoneyText, SeparatorsAreTheCallers) {
  EXPECT_EQ(EnglishMoneyText(L"1 234,5", L',', L' '), L"One Thousand Two Hundred Thirty Four Dollars and 50 Cents");
  EXPECT_EQ(EnglishMoneyText(L"+7", L'.', L','), L"Seven Dollars");
  EXPECT_EQ(EnglishMoneyText(L"abc", L'.', L','), L"");
  EXPECT_EQ(EnglishMoneyText(L"1x2", L'.', L','), std::nullopt);
}

}  // namespace
}  // namespace tallyman
