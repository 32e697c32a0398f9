#pragma once
// Token and tree-node kinds of the formula engine. The numbering is shared by the scanner, the
// parser and the evaluator; function kinds are listed in functions.h.

namespace tallyman::formula {

enum Kind : int {
  kEnd = 0,       // end of text
  kOpen = 1,      // "("
  kClose = 2,     // ")"
  kPlus = 3,      // "+"
  kMinus = 4,     // "-"
  kTimes = 5,     // "*"
  kDivide = 6,    // "/"
  kNumber = 7,    // number literal
  kVariable = 8,  // identifier that names no function
  kNegate = 9,    // unary minus (never scanned)
  kPower = 31,    // "^"
};

}  // namespace tallyman::formula
