#pragma once
// Why a formula has no value. The numbers are the codes the user sees and the command line prints;
// each code has its message in the language table.

namespace tallyman {

enum class FormulaError : int {
  kNone = 0,
  kWrongNumber = 1,
  kMismatchedBrackets = 2,
  kDivideByZero = 3,
  kWrongOperation = 4,
  kExpectedNumberOrVariable = 5,
  kWrongVariable = 6,
  kSyntaxError = 7,  // also every arithmetic failure: invalid operation, overflow
  kMistakeInArguments = 8,
};

inline int CodeOf(FormulaError error) {
  return static_cast<int>(error);
}

}  // namespace tallyman
