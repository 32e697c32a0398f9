#pragma once
// Evaluation of a parsed formula.
#include <vector>

#include "engine/core/text.h"
#include "engine/formula/expression_node.h"
#include "engine/formula/formula_error.h"

namespace tallyman::formula {

struct TreeOutcome {
  Number value = 0;
  // kWrongNumber a literal that does not convert, kDivideByZero a zero divisor, kWrongVariable a
  // variable without a value, kSyntaxError an arithmetic failure (invalid operation, overflow).
  FormulaError code = FormulaError::kNone;
};

// Evaluates the tree with an explicit stack, so that trees of any depth are safe. "+", "-" and
// "*" take the left operand first; "/" and a percentage "*" take the right one first, and a zero
// divisor stops the evaluation before the dividend is looked at. The first failure ends it.
TreeOutcome EvaluateTree(const ExpressionNode& root, const std::vector<Number>& values);

}  // namespace tallyman::formula
