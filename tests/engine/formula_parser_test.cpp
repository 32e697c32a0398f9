// The grammar of formulas: precedence, associativity, signs, percentages, numbers, and the code
// and position of every parse error, in both locale presets.
#include <gtest/gtest.h>

#include "engine/formula/evaluate.h"
#include "tests/engine/formula_test_util.h"

namespace tallyman {
namespace {

using formula_test::BothLocales;
using formula_test::Near;
using formula_test::Show;

class FormulaGrammar : public ::testing::TestWithParam<formula_test::NamedLocale> {};

INSTANTIATE_TEST_SUITE_P(Locales, FormulaGrammar, ::testing::ValuesIn(BothLocales()), formula_test::LocaleName);

struct ValueCase {
  const wchar_t* text;
  long double value;
};

void ExpectValues(const Locale& locale, std::initializer_list<ValueCase> cases) {
  for (const ValueCase& c : cases) {
    const EvalResult r = Evaluate(c.text, locale);
    EXPECT_EQ(r.errCode, FormulaError::kNone) << Show(c.text) << " at " << r.errPos;
    EXPECT_TRUE(Near(r.value, c.value)) << Show(c.text);
  }
}

struct ErrorCase {
  const wchar_t* text;
  int code;
  int position;
};

void ExpectErrors(const Locale& locale, std::initializer_list<ErrorCase> cases) {
  for (const ErrorCase& c : cases) {
    const EvalResult r = Evaluate(c.text, locale);
    EXPECT_EQ(CodeOf(r.errCode), c.code) << Show(c.text);
    EXPECT_EQ(r.errPos, c.position) << Show(c.text);
    EXPECT_EQ(r.value, 0) << Show(c.text);
  }
}

TEST_P(FormulaGrammar, PrecedenceAndAssociativity) {
  ExpectValues(GetParam().locale, {
                                      {L"2+3*4", 14},
                                      {L"(2+3)*4", 20},
                                      {L"10-2-3", 5},
                                      {L"8/2/2", 2},
                                      {L"2^3^2", 64},
                                      {L"2*3^2", 18},
                                      {L"2^3*2", 16},
                                      {L"1+2^2*3-4/2", 11},
                                      {L"((((1))))", 1},
                                      {L"1/3*3", 1},
                                  });
}

TEST_P(FormulaGrammar, SignsAndNegativeLiterals) {
  ExpectValues(GetParam().locale, {
                                      {L"-2^2", 4},  // "-2" is one literal
                                      {L"-(2^2)", -4},
                                      {L"(-2)^2", 4},
                                      {L"- 2^2", -4},  // with a blank the sign is a negation
                                      {L"-x^2: 3", -9},
                                      {L"-x*y: x=2; y=3", -6},
                                      {L"-x+y: x=2; y=3", 1},
                                      {L"2*(-3)", -6},
                                      {L"+5", 5},
                                      {L"(+5)*2", 10},
                                      {L"abs(-4)", 4},
                                      {L"sin(-0)+1", 1},
                                  });
}

TEST_P(FormulaGrammar, NumbersWithBlanksAndExponents) {
  ExpectValues(GetParam().locale, {
                                      {L"1 000 000 + 1", 1000001},
                                      {L"1 + 1", 2},
                                      {L"2e3", 2000},
                                      {L"2E3", 2000},
                                      {L"2e+3", 2000},
                                      {L"25e-1", 2.5L},
                                      {L"1.5*2", 3},
                                      {L"0.1+0.2", 0.3L},
                                      {L"1.25e2", 125},
                                      {L"123456789012345678", 123456789012345678.0L},
                                      {L"0.000000000000000001", 1e-18L},
                                      {L"1234567890123456789012", 1234567890123456789012.0L},
                                      {L"1e-99999", 0},  // an underflow reads as zero
                                      {L"1\t+\n1", 2},
                                  });
}

TEST_P(FormulaGrammar, PercentRule) {
  ExpectValues(GetParam().locale, {
                                      {L"200+10%", 220},
                                      {L"200-10%", 180},
                                      {L"200*10%", 20},
                                      {L"200/10%", 2000},
                                      // clang-format off
                                      {L"50%", 50},             // no operator: nothing to mark
                                      {L"100+10%*3", 130},      // read past "*": the mark is lost
                                      {L"2*3%+1", 1.06L},       // a*b% marks the "*"
                                      {L"(200+10%)*2", 440},    // inside brackets
                                      // clang-format on
                                      {L"100+x%: x=5", 105},
                                      {L"100 + 10 %", 110},
                                  });
}

TEST_P(FormulaGrammar, FunctionNamesIgnoreCase) {
  ExpectValues(GetParam().locale, {{L"SIN(0)", 0}, {L"Sqrt(16)", 4}, {L"ABS(-2)+Sqr(3)", 11}});
}

TEST_P(FormulaGrammar, ExponentIsANumberOrVariable) {
  ExpectValues(GetParam().locale, {
                                      {L"2^(-1)", 0.5L},
                                      {L"2^x: x=3", 8},
                                      {L"2^(x): x=3", 8},
                                      {L"2^3^(2)", 64},
                                  });
  ExpectErrors(GetParam().locale, {
                                      {L"2^(1+1)", 2, 6},
                                      {L"2^sin(1)", 5, 6},
                                      {L"2^-1", 5, 4},
                                      {L"0^-1", 5, 4},
                                      {L"2^", 5, 3},
                                      {L"2^(3", 2, 5},
                                  });
}

TEST_P(FormulaGrammar, OperandErrors) {
  ExpectErrors(GetParam().locale, {
                                      {L"", 4, 1},
                                      {L"()", 4, 3},
                                      {L"2*-3", 4, 4},
                                      {L"2+-3", 4, 4},
                                      {L"3*-2", 4, 4},
                                      {L"2+", 4, 3},
                                      {L"*2", 4, 2},
                                      {L"(2+*3)*5", 4, 5},  // the first error's place is kept
                                  });
}

TEST_P(FormulaGrammar, TwoOperandsInARow) {
  ExpectErrors(GetParam().locale, {
                                      {L"2(3)", 7, 3},
                                      {L"2x: 1", 7, 3},
                                      {L"(1+2)3", 7, 7},
                                      {L"pi pi", 7, 6},
                                  });
}

TEST_P(FormulaGrammar, Brackets) {
  ExpectErrors(GetParam().locale, {
                                      {L"(1+2", 2, 5},
                                      {L"1+2)", 2, 5},
                                      {L"1+2)+5", 2, 5},
                                      {L"sin(1", 2, 6},
                                      {L"((1)", 2, 5},
                                      {L"sin 1", 2, 6},  // a function needs its bracket
                                      {L"h+1", 2, 3},    // reserved words stay functions
                                      {L"2*ln", 2, 5},
                                      {L"sh: sh=2", 2, 3},
                                  });
}

TEST_P(FormulaGrammar, WrongNumbers) {
  ExpectErrors(GetParam().locale, {
                                      {L"1.+2", 1, 3},
                                      {L"2e", 1, 3},
                                      {L"2e+", 1, 4},
                                      {L"2e+x", 1, 4},
                                      // clang-format off
                                      {L"1e99999", 1, 8},  // found when the literal is evaluated
                                      {L"1e99999/0", 3, 10},     // "/" looks at the divisor first
                                      {L"1e99999+1/0", 1, 12},   // "+" looks at the left first
                                      // clang-format on
                                  });
}

TEST_P(FormulaGrammar, StrayCharacters) {
  ExpectErrors(GetParam().locale, {
                                      {L"#1", 7, 2},
                                      {L"(#1)", 7, 3},
                                      {L"sin(!1)", 7, 6},
                                      {L"1#", 7, 3},
                                      {L"2+#3", 4, 4},
                                      {L"2^#3", 5, 4},
                                      {L"sin#(1)", 2, 5},
                                      {L"1=2", 7, 3},
                                  });
}

TEST_P(FormulaGrammar, DivideByZero) {
  ExpectErrors(GetParam().locale, {
                                      {L"1/0", 3, 4},
                                      {L"1/(2-2)", 3, 8},
                                      {L"200/0%", 3, 7},
                                      {L"1/(-0)", 3, 7},
                                      {L"x/y: x=1; y=0", 3, 4},
                                  });
}

TEST(FormulaLocale, RussianDecimalComma) {
  const Locale ru = Locale::Russian();
  ExpectValues(ru, {{L"2,5*2", 5}, {L"2.5*2", 5}, {L"1 000,5+1", 1001.5L}, {L"1\u00A0000+1", 1001}});
  ExpectErrors(ru, {{L"1,", 1, 3}, {L"1,e3", 1, 3}});
}

TEST(FormulaLocale, EnglishCommaGroupsThousands) {
  const Locale en = Locale::English();
  ExpectValues(en, {{L"2.5*2", 5}, {L"2,5*2", 50}, {L"1,000.5+1", 1001.5L}, {L"1,", 1}});
  ExpectErrors(en, {{L"1\u00A0000+1", 7, 3}});
}

TEST(FormulaLocale, DotGroupsThousandsWhereCommaIsDecimal) {
  Locale german = Locale::Russian();
  german.thousandsSeparator = L'.';
  ExpectValues(german, {{L"1.000,5+1", 1001.5L}, {L"2,5*2", 5}});
}

TEST(FormulaLocale, UnusableThousandsSeparatorBecomesNoBreakSpace) {
  Locale odd = Locale::English();
  odd.thousandsSeparator = L'.';  // the same as the decimal separator
  ExpectValues(odd, {{L"1.5+1", 2.5L}, {L"1\u00A0000,5", 1000.5L}});
}

}  // namespace
}  // namespace tallyman
