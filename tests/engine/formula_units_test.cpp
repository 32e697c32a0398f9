// The building blocks of the formula engine: number literals, variable binding, the walk stack.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/formula/number_literal.h"
#include "engine/formula/small_stack.h"
#include "engine/formula/variable_list.h"
#include "tests/engine/formula_test_util.h"

namespace tallyman::formula {
namespace {

using formula_test::Show;

constexpr Separators kDot{L'.', L','};
constexpr Separators kComma{L',', L'\u00A0'};

// The C library's conversion of the same digits with a "." mark: the reference for rounding.
long double Reference(const wchar_t* text) {
  std::string ascii;
  for (const wchar_t* p = text; *p; ++p) ascii.push_back(*p == L',' ? '.' : static_cast<char>(*p));
  return std::strtold(ascii.c_str(), nullptr);
}

TEST(FormulaNumberLiteral, RoundsLikeAFullDecimalConversion) {
  for (const wchar_t* text :
       {L"0.1", L"0.3", L"2.675", L"123456789.123456789", L"999999999999999999", L"1000000000000000000",
        L"0.000000000000000001", L"-0.7", L"+42", L"3.14159265358979323846", L"1e3", L"1.5e-3", L"-2E+2",
        L"12345678901234567890123", L"5.", L"0"}) {
    const auto dot = ReadNumberLiteral(text, kDot);
    ASSERT_TRUE(dot.has_value()) << Show(text);
    EXPECT_EQ(*dot, Reference(text)) << Show(text);
  }
}

TEST(FormulaNumberLiteral, UsesTheDecimalSeparatorInForce) {
  EXPECT_EQ(ReadNumberLiteral(L"2,5", kComma), 2.5L);
  EXPECT_EQ(ReadNumberLiteral(L"-0,125e1", kComma), -1.25L);
  EXPECT_FALSE(ReadNumberLiteral(L"2.5", kComma).has_value());
  EXPECT_FALSE(ReadNumberLiteral(L"2,5", kDot).has_value());
}

TEST(FormulaNumberLiteral, RefusesWhatIsNoNumber) {
  for (const wchar_t* text : {L"", L"-", L"+", L"e3", L"1e", L"1e+", L"1..2", L"1.2.3", L"abc", L"1 0", L"--1", L"0x10",
                              L"inf", L"nan", L"1e99999"}) {
    EXPECT_FALSE(ReadNumberLiteral(text, kDot).has_value()) << Show(text);
  }
  EXPECT_EQ(ReadNumberLiteral(L"1e-99999", kDot), 0.0L);  // an underflow reads as zero
}

TEST(FormulaSeparators, ThousandsSeparatorIsMadeUsable) {
  Locale locale = Locale::English();
  EXPECT_EQ(UsableSeparators(locale).thousands, L',');
  locale.thousandsSeparator = L'.';
  EXPECT_EQ(UsableSeparators(locale).thousands, kNoBreakSpace);  // same as the decimal separator
  locale.thousandsSeparator = L' ';
  EXPECT_EQ(UsableSeparators(locale).thousands, kNoBreakSpace);
  locale.thousandsSeparator = L'\'';
  EXPECT_EQ(UsableSeparators(locale).thousands, L'\'');
  EXPECT_EQ(UsableSeparators(locale).decimal, L'.');
}

TEST(FormulaVariableList, BindingSteps) {
  VariableList list;
  EXPECT_EQ(list.Bind(L"x"), -1);  // nothing to bind to

  list.Assign({L"pi", L"e", L"Rate", L"", L""});
  EXPECT_EQ(list.Bind(L"PI"), 0);  // by name, ignoring case
  EXPECT_EQ(list.Bind(L"rate"), 2);
  EXPECT_EQ(list.Bind(L"a"), 3);  // the first unnamed value
  EXPECT_EQ(list.Bind(L"b"), 4);
  EXPECT_EQ(list.Bind(L"A"), 3);  // and from now on by its name
  EXPECT_EQ(list.Bind(L"c"), 4);  // none left: the last value
  EXPECT_EQ(list.Names()[3], L"a");

  list.Assign({L"pi", L"e"});
  EXPECT_EQ(list.Bind(L"x"), -1);  // the last entry is a constant
  list.Assign({L"Ширина"});
  EXPECT_EQ(list.Bind(L"ширина"), 0);
  EXPECT_EQ(list.Bind(L"высота"), 0);
}

TEST(FormulaSmallStack, KeepsOrderAcrossTheInlinePart) {
  SmallStack<int, 4> stack;
  EXPECT_TRUE(stack.empty());
  for (int i = 0; i < 10; ++i) stack.push_back(i);
  stack.back() = 90;  // the top is writable in the spilled part
  for (int i = 9; i >= 0; --i) {
    ASSERT_FALSE(stack.empty());
    EXPECT_EQ(stack.back(), i == 9 ? 90 : i);
    stack.pop_back();
  }
  EXPECT_TRUE(stack.empty());
  stack.push_back(7);
  EXPECT_EQ(stack.back(), 7);
}

}  // namespace
}  // namespace tallyman::formula
