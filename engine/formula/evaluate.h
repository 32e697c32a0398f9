#pragma once
// The evaluation service: the one way the program evaluates a typed formula. A formula may be
// followed by ":" and a list of values ("a*b: a=2; b=3", "x*y: 3; 4"); the constants pi and e are
// always available.
#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/core/text.h"
#include "engine/formula/formula_error.h"

namespace tallyman {

struct EvalResult {
  Number value = 0;
  int errPos = 0;  // 1-based character position of the first error; 0 when there is none
  FormulaError errCode = FormulaError::kNone;
};

// Formula, optionally ":" and assignments; never throws; every failure is a code 1..8 with a
// position, and the value is then 0.
EvalResult Evaluate(TextView text, const Locale& locale);

// The message of an error in the chosen language; the empty text for kNone or an unknown code.
Text EvalErrorMessage(FormulaError code, bool english);

// Shows the message of an error in the chosen language through the sink; kNone or an unknown
// code shows nothing.
void ShowEvalError(FormulaError code, bool english, MessageSink& sink);

// Where the formula window puts the caret after an error: at errPos (at most the end of the
// text), then one place left unless it is at the start, so it stands before the faulty character.
long ErrorCaret(int errPos, long textLength);

// The text without every character of code 32 or below and without the thousands separator.
Text StripBlanks(TextView text, wchar_t thousandsSeparator);

}  // namespace tallyman
