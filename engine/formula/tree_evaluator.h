#pragma once
// Evaluation of a parsed formula.
#include <vector>

#include "engine/core/text.h"
#include "engine/formula/expression_node.h"

namespace tallyman::formula {

struct TreeOutcome {
  Number value = 0;
  // 0 on success; 1 a literal that does not convert, 3 a zero divisor, 6 a variable without a
  // value, 7 an arithmetic failure (invalid operation, division by zero, overflow).
  int code = 0;
};

// Evaluates the tree with an explicit stack, so that trees of any depth are safe. "+", "-" and
// "*" take the left operand first; "/" and a percentage "*" take the right one first, and a zero
// divisor stops the evaluation before the dividend is looked at. The first failure ends it.
TreeOutcome EvaluateTree(const ExpressionNode& root, const std::vector<Number>& values);

}  // namespace tallyman::formula
