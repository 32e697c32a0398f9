#include "engine/formula/evaluate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/core/letter_case.h"
#include "engine/formula/calc_express.h"
#include "engine/formula/functions.h"
#include "engine/formula/number_literal.h"

namespace tallyman {
namespace {

// Items of the value list: separated by ";", ":" or line breaks.
std::vector<TextView> SplitItems(TextView list) {
  std::vector<TextView> items;
  size_t start = 0;
  for (size_t i = 0; i <= list.size(); ++i) {
    if (i == list.size() || list[i] == L';' || list[i] == L':' || list[i] == L'\n' || list[i] == L'\r') {
      items.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  return items;
}

// A plain decimal number with optional sign and exponent, and at least one digit.
std::optional<Number> ReadValue(TextView text, formula::Separators separators) {
  const size_t mantissaEnd = std::min(text.find_first_of(L"eE"), text.size());
  if (std::none_of(text.begin(), text.begin() + static_cast<long>(mantissaEnd),
                   [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
    return std::nullopt;
  }
  return formula::ReadNumberLiteral(text, separators);
}

Number EulerNumber() {
  static const Number e = std::exp(Number{1});
  return e;
}

EvalResult Failure(FormulaError code, int position) {
  return EvalResult{0, position, code};
}

EvalResult EvaluateUnguarded(TextView text, const Locale& givenLocale) {
  const formula::Separators separators = formula::UsableSeparators(givenLocale);
  const wchar_t decimal = separators.decimal;
  const wchar_t thousands = separators.thousands;
  Text s = LowerText(text);
  // Both "." and "," are decimal marks unless one of them groups thousands.
  if (decimal == L',' && thousands != L'.') {
    std::replace(s.begin(), s.end(), L'.', L',');
  } else if (decimal == L'.' && thousands != L',') {
    std::replace(s.begin(), s.end(), L',', L'.');
  }

  std::vector<Text> names = {L"pi", L"e"};
  std::vector<Number> values = {formula::kPi, EulerNumber()};
  const size_t colon = s.find(L':');
  if (colon != Text::npos) {
    for (TextView item : SplitItems(TrimBlanks(TextView(s).substr(colon + 1)))) {
      const size_t equals = item.find(L'=');
      const TextView valueText = TrimBlanks(equals == TextView::npos ? item : item.substr(equals + 1));
      const auto value = ReadValue(StripBlanks(valueText, thousands), separators);
      if (value) {
        names.emplace_back(equals == TextView::npos ? TextView() : TrimBlanks(item.substr(0, equals)));
        values.push_back(*value);
      } else if (equals != TextView::npos) {
        return Failure(FormulaError::kMistakeInArguments, static_cast<int>(s.size()));
      }
      // A bare item that is no number (an empty one included) is ignored.
    }
  }

  const TextView whole = TextView(s).substr(0, colon == Text::npos ? s.size() : colon);
  const TextView formulaText = TrimBlanks(whole);
  // Positions count from the start of the given text, blanks in front of the formula included.
  const int lead = static_cast<int>(formulaText.empty() ? 0 : formulaText.data() - whole.data());

  TCalcExpress calc(separators, std::move(names));
  calc.SetFormula(formulaText);
  Number value = 0;
  if (calc.ErrorCode() == FormulaError::kNone) value = calc.Calc(values);
  if (calc.ErrorCode() != FormulaError::kNone) {
    return Failure(calc.ErrorCode(), calc.ErrorPos() > 0 ? calc.ErrorPos() + lead : 0);
  }
  if (!std::isfinite(value)) return Failure(FormulaError::kSyntaxError, 0);
  if (value == 0) value = 0;  // no "-0"
  return EvalResult{value, 0, FormulaError::kNone};
}

}  // namespace

EvalResult Evaluate(TextView text, const Locale& locale) {
  // Positions are int: a text too long for them is refused before anything is read.
  if (text.size() >= static_cast<size_t>(std::numeric_limits<int>::max() / 2)) {
    return Failure(FormulaError::kSyntaxError, 0);
  }
  try {
    return EvaluateUnguarded(text, locale);
  } catch (const std::bad_alloc&) {
    return Failure(FormulaError::kSyntaxError, 0);
  }
}

Text EvalErrorMessage(FormulaError code, bool english) {
  const wchar_t* pair = nullptr;
  switch (code) {
    // clang-format off
    case FormulaError::kWrongNumber: pair = pairs::kWrongNumber; break;
    case FormulaError::kMismatchedBrackets: pair = pairs::kMismatchedBrackets; break;
    case FormulaError::kDivideByZero: pair = pairs::kDivideByZero; break;
    case FormulaError::kWrongOperation: pair = pairs::kWrongOperation; break;
    case FormulaError::kExpectedNumberOrVariable: pair = pairs::kExpectedNumberOrVariable; break;
    case FormulaError::kWrongVariable: pair = pairs::kWrongVariable; break;
    case FormulaError::kSyntaxError: pair = pairs::kSyntaxError; break;
    case FormulaError::kMistakeInArguments: pair = pairs::kMistakeInArguments; break;
    default: return Text();
      // clang-format on
  }
  return LangText(pair, english);
}

void ShowEvalError(FormulaError code, bool english, MessageSink& sink) {
  const Text message = EvalErrorMessage(code, english);
  if (!message.empty()) sink.ShowMessage(message);
}

long ErrorCaret(int errPos, long textLength) {
  const long caret = std::clamp<long>(errPos, 0, std::max(textLength, 0L));
  return caret > 0 ? caret - 1 : 0;
}

Text StripBlanks(TextView text, wchar_t thousandsSeparator) {
  Text out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if (!IsBlank(c) && c != thousandsSeparator) out.push_back(c);
  }
  return out;
}

}  // namespace tallyman
