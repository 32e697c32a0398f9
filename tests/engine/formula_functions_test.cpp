// Functions and the power operator at their edges, and arithmetic failures (code 7), which must
// never come back as infinities or NaN.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#include "engine/formula/evaluate.h"
#include "engine/formula/functions.h"
#include "tests/engine/formula_test_util.h"

namespace tallyman {
namespace {

using formula_test::BothLocales;
using formula_test::Near;
using formula_test::Show;

class FormulaFunctions : public ::testing::TestWithParam<formula_test::NamedLocale> {
 protected:
  void ExpectValue(const wchar_t* text, long double expected) {
    const EvalResult r = Evaluate(text, GetParam().locale);
    EXPECT_EQ(r.errCode, FormulaError::kNone) << Show(text);
    EXPECT_TRUE(Near(r.value, expected)) << Show(text);
  }
  void ExpectArithmeticFailure(const wchar_t* text) {
    const EvalResult r = Evaluate(text, GetParam().locale);
    EXPECT_EQ(r.errCode, FormulaError::kSyntaxError) << Show(text);
    EXPECT_EQ(r.errPos, 0) << Show(text);  // an arithmetic failure has no place in the text
    EXPECT_EQ(r.value, 0) << Show(text);
  }
};

INSTANTIATE_TEST_SUITE_P(Locales, FormulaFunctions, ::testing::ValuesIn(BothLocales()), formula_test::LocaleName);

struct Case {
  const wchar_t* text;
  long double value;
};

TEST_P(FormulaFunctions, Trigonometry) {
  const long double pi = formula::kPi;
  const Case cases[] = {
      // clang-format off
      {L"cos(0)", 1},           {L"sin(1)", std::sin(1.0L)},  {L"tg(1)", std::tan(1.0L)},
      {L"tan(0)", 0},           {L"ctg(1)", 1 / std::tan(1.0L)}, {L"cot(pi/4)", 1},
      {L"arcsin(1)", pi / 2},   {L"arcsin(-1)", -pi / 2},     {L"arccos(1)", 0},
      {L"arccos(-1)", pi},      {L"arccos(0)", pi / 2},       {L"arctg(1)", pi / 4},
      {L"arctan(-1)", -pi / 4}, {L"arcctg(0)", pi / 2},       {L"arccot(1)", pi / 4},
      {L"cos(1e20)", 0},        {L"sin(1e20)", 0},            {L"sin(9.3e18)", 0},
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaFunctions, SineOfPiIsTheTinyRemainder) {
  const EvalResult r = Evaluate(L"sin(pi)", GetParam().locale);
  ASSERT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_LT(r.value, 0);  // pi is slightly above the true value
  EXPECT_GT(r.value, -1e-19L);
}

TEST_P(FormulaFunctions, SignsAndSteps) {
  const Case cases[] = {
      // clang-format off
      {L"sgn(0)", 0},   {L"sgn(-0.5)", -1},        {L"sign(3)", 1},     {L"abs(-2.5)", 2.5L},
      {L"h(0)", 1},     {L"h(-1e-30)", 0},         {L"heaviside(2)", 1}, {L"abs(0)", 0},
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaFunctions, WholeAndFractionalParts) {
  const Case cases[] = {
      // clang-format off
      {L"ceil(2.1)", 3},   {L"ceil(-2.1)", -2},  {L"ceil(2)", 2},       {L"floor(-2.1)", -3},
      {L"floor(2.9)", 2},  {L"floor(-2)", -2},   {L"int(-2.7)", -2},    {L"int(1e30)", 1e30L},
      {L"frac(-2.7)", -0.7L}, {L"frac(2.25)", 0.25L}, {L"round(0.5)", 0}, {L"round(1.5)", 2},
      {L"round(2.5)", 2},  {L"round(3.5)", 4},   {L"round(-2.5)", -2},  {L"round(-2.6)", -3},
      {L"ceil(9.2e18)", 9.2e18L}, {L"round(-9.2e18)", -9.2e18L},
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaFunctions, WholePartsOutsideSixtyFourBitsFail) {
  for (const wchar_t* text : {L"ceil(1e19)", L"floor(-1e19)", L"round(9.3e18)", L"ceil(-9.3e18)"}) {
    ExpectArithmeticFailure(text);
  }
}

TEST_P(FormulaFunctions, LogarithmsAndExponentials) {
  const long double e = std::exp(1.0L);
  const Case cases[] = {
      // clang-format off
      {L"ln(e)", 1},        {L"ln(1)", 0},           {L"exp(1)", e},        {L"exp(-100000)", 0},
      {L"log10(1000)", 3},  {L"lg(0.01)", -2},       {L"log2(8)", 3},       {L"log2(0.5)", -1},
      {L"sqrt(16)", 4},     {L"sqrt(2)", std::sqrt(2.0L)}, {L"sqr(-3)", 9}, {L"sqrt(0)", 0},
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaFunctions, Hyperbolic) {
  const long double e = std::exp(1.0L);
  const Case cases[] = {
      // clang-format off
      {L"sh(0)", 0},          {L"ch(0)", 1},           {L"th(0)", 0},
      {L"sinh(1)", (e - 1 / e) / 2}, {L"cosh(1)", (e + 1 / e) / 2},
      {L"tanh(1)", (e - 1 / e) / (e + 1 / e)},       {L"coth(1)", (e + 1 / e) / (e - 1 / e)},
      // clang-format on
      {L"sh(1e-20)", 1e-20L},  // no cancellation near zero
                               // clang-format off
      {L"th(20000)", 1},       {L"th(-20000)", -1},  {L"cth(20000)", 1},
                               // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaFunctions, InvalidOperationsDivisionsByZeroAndOverflows) {
  for (const wchar_t* text : {L"cot(0)", L"ctg(0)", L"ln(0)", L"ln(-1)", L"lg(0)", L"log2(-2)", L"sqrt(-1)",
                              L"arcsin(2)", L"arccos(-1.5)", L"exp(100000)", L"sh(20000)", L"ch(-20000)", L"cth(0)",
                              L"sqr(1e3000)", L"1e4000*1e4000", L"-1e4000*1e4000", L"exp(exp(10))", L"1e4932+1e4932"}) {
    ExpectArithmeticFailure(text);
  }
}

TEST_P(FormulaFunctions, ZeroDivisorIsDivideByZeroEvenFromAFunction) {
  const EvalResult r = Evaluate(L"1/tan(0)", GetParam().locale);
  EXPECT_EQ(r.errCode, FormulaError::kDivideByZero);
  EXPECT_EQ(r.errPos, 9);
}

TEST_P(FormulaFunctions, Power) {
  const Case cases[] = {
      // clang-format off
      {L"(-8)^3", -512},  {L"0^0", 1},        {L"0^5", 0},          {L"0^0.5", 0},          {L"2^0.5", std::sqrt(2.0L)},
      {L"2^10", 1024},    {L"2^(-2)", 0.25L}, {L"(-2)^(-3)", -0.125L}, {L"1^2147483647", 1},
      {L"(-1)^2147483647", -1}, {L"2^63", 9223372036854775808.0L}, {L"10^(-3)", 0.001L},
      {L"4^0.5", 2},      {L"x^0: x=0", 1},   {L"1.5^3", 3.375L},   {L"(-0.5)^(-2)", 4},
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaFunctions, PowerFailures) {
  for (const wchar_t* text :
       {L"(-8)^0.5", L"0^(-1)", L"0^(-0.5)", L"(-2)^1e10", L"10^5000", L"2^2147483647", L"0.5^(-20000)"}) {
    ExpectArithmeticFailure(text);
  }
}

// Every name and its other spelling computes its function; near names are no functions.
TEST_P(FormulaFunctions, EveryNameComputesItsFunction) {
  const long double one = 1;
  const Case cases[] = {
      // clang-format off
      {L"cos(1)", std::cos(one)},        {L"sin(1)", std::sin(one)},       {L"tg(1)", std::tan(one)},
      {L"tan(1)", std::tan(one)},        {L"ctg(1)", 1 / std::tan(one)},   {L"cot(1)", 1 / std::tan(one)},
      {L"abs(-2)", 2},                   {L"sgn(-2)", -1},                 {L"sign(-2)", -1},
      {L"sqrt(16)", 4},                  {L"ln(2)", std::log(2.0L)},       {L"exp(2)", std::exp(2.0L)},
      {L"arcsin(0.5)", std::asin(0.5L)}, {L"arccos(0.5)", std::acos(0.5L)}, {L"arctg(2)", std::atan(2.0L)},
      {L"arctan(2)", std::atan(2.0L)},   {L"arcctg(2)", std::atan(0.5L)},  {L"arccot(2)", std::atan(0.5L)},
      {L"sh(1)", std::sinh(one)},        {L"sinh(1)", std::sinh(one)},     {L"ch(1)", std::cosh(one)},
      {L"cosh(1)", std::cosh(one)},      {L"th(1)", std::tanh(one)},       {L"tanh(1)", std::tanh(one)},
      {L"cth(1)", 1 / std::tanh(one)},   {L"coth(1)", 1 / std::tanh(one)}, {L"heaviside(2)", 1},
      {L"h(-2)", 0},                     {L"ceil(1.25)", 2},               {L"frac(1.75)", 0.75L},
      {L"int(1.75)", 1},                 {L"round(1.5)", 2},               {L"log10(1000)", 3},
      {L"lg(100)", 2},                   {L"log2(8)", 3},                  {L"sqr(3)", 9},
      {L"floor(-1.5)", -2},              {L"SIN(1)", std::sin(one)},  // formulas are read in lower case
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
  for (const wchar_t* other : {L"si(1)", L"sinus(1)", L"log(1)"}) {
    EXPECT_NE(Evaluate(other, GetParam().locale).errCode, FormulaError::kNone) << Show(other);
  }
}

TEST(FormulaConstants, PiIsTheNearestExtendedValue) {
  // The next extended values on either side are farther from pi than kPi is.
  const long double piAbove = 3.14159265358979323846264338327950288L;
  EXPECT_EQ(formula::kPi, piAbove);
  EXPECT_EQ(formula::kHalfPi * 2, formula::kPi);
}

TEST(FormulaFloatingPoint, CallerStateIsRestored) {
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(Evaluate(L"ln(0)", Locale::English()).errCode, FormulaError::kSyntaxError);
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);

  // A flag the caller left raised neither fails a sound formula nor disappears.
  std::feraiseexcept(FE_DIVBYZERO);
  const EvalResult r = Evaluate(L"2+2", Locale::English());
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, 4);
  EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0);
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(FormulaFloatingPoint, RoundingIsToNearestWhateverTheCallerSet) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  const EvalResult r = Evaluate(L"round(2.5)+1/3", Locale::English());
  std::fesetround(saved);
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(std::fegetround(), saved);
  EXPECT_TRUE(Near(r.value, 2 + 1.0L / 3));
}

}  // namespace
}  // namespace tallyman
