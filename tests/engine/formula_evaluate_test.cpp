// The evaluation service: constants, value lists and their binding, messages, blanks, and inputs
// that must end in a value or a code quickly whatever their size.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/core/host.h"
#include "engine/formula/calc_express.h"
#include "engine/formula/evaluate.h"
#include "engine/formula/functions.h"
#include "tests/engine/formula_test_util.h"

namespace tallyman {
namespace {

using formula_test::BothLocales;
using formula_test::Near;
using formula_test::Show;

class FormulaService : public ::testing::TestWithParam<formula_test::NamedLocale> {
 protected:
  void ExpectValue(const wchar_t* text, long double expected) {
    const EvalResult r = Evaluate(text, GetParam().locale);
    EXPECT_EQ(r.errCode, FormulaError::kNone) << Show(text) << " at " << r.errPos;
    EXPECT_TRUE(Near(r.value, expected)) << Show(text);
  }
  void ExpectError(const wchar_t* text, int code, int position) {
    const EvalResult r = Evaluate(text, GetParam().locale);
    EXPECT_EQ(CodeOf(r.errCode), code) << Show(text);
    EXPECT_EQ(r.errPos, position) << Show(text);
    EXPECT_EQ(r.value, 0) << Show(text);
  }
};

INSTANTIATE_TEST_SUITE_P(Locales, FormulaService, ::testing::ValuesIn(BothLocales()), formula_test::LocaleName);

struct Case {
  const wchar_t* text;
  long double value;
};

TEST_P(FormulaService, Constants) {
  const long double pi = formula::kPi;
  const long double e = std::exp(1.0L);
  const Case cases[] = {
      // clang-format off
      {L"2*pi*5", 2 * pi * 5}, {L"PI*2", pi * 2}, {L"Pi*2", pi * 2}, {L"e", e},
      // clang-format on
      {L"e^2", e * e},
      {L"ln(E)", 1},
      {L"pi*2: pi=3", pi * 2},
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaService, AssignmentSyntax) {
  const Case cases[] = {
      // clang-format off
      {L"a*b: a=2; b=3", 6},       {L"a*b: a = 2; b = 3", 6},   {L"a*b: a=2: b=3", 6},
      {L"a*b: a=2\nb=3", 6},       {L"a*b: a=2\r\nb=3", 6},     {L"A*B: a=2; b=3", 6},
      {L"a*b:a=2;b=3;", 6},        {L"2+2:", 4},                {L"a*2: a=1;;", 2},
      {L"x: x=1 000", 1000},       {L"x: x=1e3", 1000},         {L"x: x=-2.5", -2.5L},
      {L"x: x=+4", 4},             {L"x: x=.5", 0.5L},          {L"x*y: 3; 4", 12},
      {L"x*y: 3: 4", 12},          {L"rate*100: rate = 0.25", 25},  {L"доля*100: ДОЛЯ=.25", 25},
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaService, BindingOfUnnamedAndUnknownIdentifiers) {
  const Case cases[] = {
      // clang-format off
      {L"x*2: 5", 10},            // any name takes the single value
      {L"x*2: y=5", 10},          // no match: the last value
      {L"x-y: 3; 4", -1},         // unnamed values in order of first appearance
      {L"y-x: 3; 4", -1},
      {L"x+x: 3", 6},             // the same identifier keeps its value
      {L"x+y: 3", 6},             // y finds nothing left and takes the last value
      {L"a+x: a=1; 7", 8},
      {L"x: abc; 2", 2},          // a bare item that is no number is ignored
      // clang-format on
  };
  for (const Case& c : cases) ExpectValue(c.text, c.value);
}

TEST_P(FormulaService, CyrillicVariables) {
  ExpectValue(L"Х*2: х=3", 6);
  ExpectValue(L"длина*ширина: длина=2; ШИРИНА=5", 10);
  ExpectValue(L"ёж+1: ёж=1", 2);
  ExpectValue(L"а_1+б2: 1; 2", 3);
}

TEST_P(FormulaService, ErrorsOfTheService) {
  ExpectError(L"x*2", 6, 2);          // no value supplied at all
  ExpectError(L"x*2: x=3+4", 8, 10);  // the position is the length of the text
  ExpectError(L"x: x=abc", 8, 8);
  ExpectError(L"x: x=", 8, 5);
  ExpectError(L"x: x=1e99999", 8, 12);
  ExpectError(L"  x*2", 6, 4);  // positions count from the start of the text
  ExpectError(L"  2+*3 : 1", 4, 6);
  ExpectError(L":", 4, 1);
  ExpectError(L"   ", 4, 1);
}

TEST(FormulaServiceLocale, DecimalMarks) {
  EXPECT_EQ(Evaluate(L"x*2: x=1,5", Locale::Russian()).value, 3);
  EXPECT_EQ(Evaluate(L"x*2: x=1.5", Locale::Russian()).value, 3);
  EXPECT_EQ(Evaluate(L"x*2: x=1,500", Locale::English()).value, 3000);  // "," groups thousands
  EXPECT_EQ(Evaluate(L"x*2: x=1\u00A0000", Locale::Russian()).value, 2000);
}

TEST(FormulaServiceResult, NoNegativeZero) {
  const EvalResult r = Evaluate(L"-(0)", Locale::English());
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_FALSE(std::signbit(r.value));
}

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const Text& text) override { messages.push_back(text); }
  std::vector<Text> messages;
};

TEST(FormulaMessages, EveryCodeHasItsMessageInBothLanguages) {
  const struct {
    int code;
    const wchar_t* russian;
    const wchar_t* english;
  } cases[] = {
      {1, L"Ошибочное число", L"Wrong number"},
      {2, L"Не согласованы скобки", L"Mismatched brackets"},
      {3, L"Деление на ноль!", L"Divide by zero!"},
      {4, L"Ошибочная операция", L"Wrong operation"},
      {5, L"Ожидается число или переменная", L"Expected Number or Variable"},
      {6, L"Ошибочная переменная", L"Wrong variable"},
      {7, L"Синтаксическая ошибка!", L"Syntax error!"},
      {8, L"Ошибка в аргументах", L"Mistake in arguments"},
  };
  for (const auto& c : cases) {
    RecordingSink sink;
    ShowEvalError(static_cast<FormulaError>(c.code), false, sink);
    ShowEvalError(static_cast<FormulaError>(c.code), true, sink);
    ASSERT_EQ(sink.messages.size(), 2u) << c.code;
    EXPECT_EQ(sink.messages[0], c.russian);
    EXPECT_EQ(sink.messages[1], c.english);
  }
}

TEST(FormulaMessages, OtherCodesShowNothing) {
  RecordingSink sink;
  for (int code : {-1, 0, 9, 100}) ShowEvalError(static_cast<FormulaError>(code), true, sink);
  EXPECT_TRUE(sink.messages.empty());
}

TEST(FormulaStripBlanks, DropsControlsBlanksAndGrouping) {
  EXPECT_EQ(StripBlanks(L" 1 000\t,5\r\n", L','), L"10005");
  EXPECT_EQ(StripBlanks(L"1\u00A0000,5", kNoBreakSpace), L"1000,5");
  EXPECT_EQ(StripBlanks(L"", L','), L"");
  EXPECT_EQ(StripBlanks(L"abc", L','), L"abc");
}

TEST(FormulaComponent, BindingRules) {
  TCalcExpress calc(Locale::English());
  calc.SetVariables({L"pi", L"e"});
  calc.SetFormula(L"x");
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kWrongVariable);  // the last entry is a constant: no value to take

  calc.SetVariables({});
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kWrongVariable);  // re-parsed against the new list

  calc.SetVariables({L"", L""});  // the current formula "x" names the first unnamed value
  EXPECT_EQ(calc.Variables(), (std::vector<Text>{L"x", L""}));
  calc.SetFormula(L"Y-X");
  EXPECT_EQ(calc.Formula(), L"y-x");
  EXPECT_EQ(calc.Variables(), (std::vector<Text>{L"x", L"y"}));
  EXPECT_EQ(calc.Calc({10, 3}), -7);

  calc.SetVariables({L"a"});
  calc.SetFormula(L"anything*2");
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kNone);
  EXPECT_EQ(calc.Calc({4}), 8);
  EXPECT_EQ(calc.Calc({}), 0);  // a value array shorter than the names
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kWrongVariable);
}

TEST(FormulaComponent, UnnamedValuesGoInOrderOfFirstAppearance) {
  TCalcExpress calc(Locale::English());
  calc.SetVariables({L"pi", L"e", L"", L""});
  calc.SetFormula(L"Y-X+y");
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kNone);
  EXPECT_EQ(calc.Variables(), (std::vector<Text>{L"pi", L"e", L"y", L"x"}));
  EXPECT_EQ(calc.Calc({0, 0, 10, 3}), 17);
}

TEST(FormulaComponent, ReassigningTheFormulaResetsTheError) {
  TCalcExpress calc(Locale::Russian());
  EXPECT_EQ(calc.Formula(), L"0");
  EXPECT_EQ(calc.Calc({}), 0);
  calc.SetFormula(L"1/0");
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kNone);
  EXPECT_EQ(calc.Calc({}), 0);
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kDivideByZero);
  EXPECT_EQ(calc.Calc({}), 0);  // an error stays until the next formula
  calc.SetFormula(L"1+2,5");
  EXPECT_EQ(calc.ErrorCode(), FormulaError::kNone);
  EXPECT_EQ(calc.Calc({}), 3.5L);
}

// Inputs far beyond anything typed by hand end in a value or a code, without deep recursion.
class FormulaRobustness : public ::testing::Test {
 protected:
  // How fast lives in bench/; a hang is the test runner's to stop.
  static EvalResult Long(const Text& text) { return Evaluate(text, Locale::English()); }
  static Text Repeat(TextView piece, size_t count) {
    Text out;
    out.reserve(piece.size() * count);
    for (size_t i = 0; i < count; ++i) out += piece;
    return out;
  }
};

TEST_F(FormulaRobustness, DeepBracketsAreRefusedBeyondTheLimit) {
  const size_t limit = TCalcExpress::kMaxNesting;
  EvalResult r = Long(Repeat(L"(", limit) + L"1" + Repeat(L")", limit));
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, 1);
  r = Long(Repeat(L"(", limit + 1) + L"1" + Repeat(L")", limit + 1));
  EXPECT_EQ(r.errCode, FormulaError::kSyntaxError);
  EXPECT_EQ(r.errPos, static_cast<int>(limit) + 2);
  r = Long(Repeat(L"(", 100000));
  EXPECT_EQ(r.errCode, FormulaError::kSyntaxError);
  r = Long(Repeat(L"sin(", 100000) + L"1" + Repeat(L")", 100000));
  EXPECT_EQ(r.errCode, FormulaError::kSyntaxError);
  r = Long(Repeat(L")", 100000));
  EXPECT_EQ(r.errCode, FormulaError::kWrongOperation);
}

TEST_F(FormulaRobustness, LongChainsEvaluateAndFree) {
  const size_t terms = 5000000;  // a 10 MB formula: a tree five million levels deep
  EvalResult r = Long(L"1" + Repeat(L"+1", terms - 1));
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, static_cast<long double>(terms));
  r = Long(L"2" + Repeat(L"^1", terms));
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, 2);
  r = Long(Repeat(L"-(1)*1", 1000000));
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, -1000000);
  r = Long(L"1" + Repeat(L"+1", terms - 1) + L")");
  EXPECT_EQ(r.errCode, FormulaError::kMismatchedBrackets);
}

TEST_F(FormulaRobustness, HugeLiteralsAndNoise) {
  EvalResult r = Long(Repeat(L"9", 10000000));
  EXPECT_EQ(r.errCode, FormulaError::kWrongNumber);  // too large for any number
  r = Long(L"0." + Repeat(L"0", 10000000) + L"1");
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, 0);
  r = Long(Repeat(L"#", 10000000));
  EXPECT_EQ(r.errCode, FormulaError::kSyntaxError);
  r = Long(L"1" + Repeat(L"#", 10000000));
  EXPECT_EQ(r.errCode, FormulaError::kSyntaxError);
  r = Long(L"x: " + Repeat(L"1;", 1000000));
  EXPECT_EQ(r.errCode, FormulaError::kNone);
  EXPECT_EQ(r.value, 1);
}

TEST(FormulaErrorCaret, StandsBeforeTheFaultyCharacter) {
  const struct {
    int errPos;
    long length;
    long caret;
  } cases[] = {{0, 3, 0}, {1, 3, 0}, {2, 5, 1}, {3, 3, 2}, {4, 3, 2}, {99, 0, 0}, {-1, 3, 0}};
  for (const auto& c : cases) EXPECT_EQ(ErrorCaret(c.errPos, c.length), c.caret) << c.errPos << " " << c.length;
}

}  // namespace
}  // namespace tallyman
