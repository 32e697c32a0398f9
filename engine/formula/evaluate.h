#pragma once
// The evaluation service: the one way the program evaluates a typed formula. A formula may be
// followed by ":" and a list of values ("a*b: a=2; b=3", "x*y: 3; 4"); the constants pi and e are
// always available.
#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/core/text.h"

namespace tallyman {

// Error codes of an evaluation; each has its message in the language table.
enum EvalErrorCode : int {
  kEvalOk = 0,
  kEvalWrongNumber = 1,
  kEvalMismatchedBrackets = 2,
  kEvalDivideByZero = 3,
  kEvalWrongOperation = 4,
  kEvalExpectedNumberOrVariable = 5,
  kEvalWrongVariable = 6,
  kEvalSyntaxError = 7,
  kEvalMistakeInArguments = 8,
};

struct EvalResult {
  Number value = 0;
  int errPos = 0;   // 1-based character position of the first error; 0 when there is none
  int errCode = 0;  // 0 = success, otherwise 1..8
};

// Formula, optionally ":" and assignments; never throws; every failure is a code 1..8 with a
// position, and the value is then 0.
EvalResult Evaluate(TextView text, const Locale& locale);

// The message of codes 1..8 in the chosen language; the empty text for any other code.
Text EvalErrorMessage(int code, bool english);

// Shows the message of codes 1..8 in the chosen language through the sink; other codes show
// nothing.
void ShowEvalError(int code, bool english, MessageSink& sink);

// The text without every character of code 32 or below and without the thousands separator.
Text StripBlanks(TextView text, wchar_t thousandsSeparator);

}  // namespace tallyman
