#include "engine/formula/tree_evaluator.h"

#include <cmath>

#include "engine/formula/fp_guard.h"
#include "engine/formula/functions.h"
#include "engine/formula/small_stack.h"
#include "engine/formula/token_kind.h"

namespace tallyman::formula {
namespace {

struct Frame {
  const ExpressionNode* node = nullptr;
  int stage = 0;     // how many operands have been evaluated
  Number first = 0;  // the operand evaluated first
};

bool RightFirst(const ExpressionNode& node) {
  return node.kind == kDivide || (node.kind == kTimes && node.percent);
}

// A two-operand operator; a percentage operator takes the right operand as a percentage.
Number Combine(const ExpressionNode& node, Number l, Number r) {
  switch (node.kind) {
    // clang-format off
    case kPlus: return node.percent ? l + l * r / 100 : l + r;
    case kMinus: return node.percent ? l - l * r / 100 : l - r;
    case kTimes: return node.percent ? l * (r / 100) : l * r;
    case kDivide: return node.percent ? l / (r / 100) : l / r;
    default: return Power(l, r);
      // clang-format on
  }
}

}  // namespace

TreeOutcome EvaluateTree(const ExpressionNode& root, const std::vector<Number>& values) {
  FloatingPointGuard guard;
  SmallStack<Frame, 32> stack;
  stack.push_back({&root, 0, 0});
  Number result = 0;  // value of the node finished last
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const ExpressionNode& node = *frame.node;
    if (node.kind == kNumber) {
      if (!node.valid) return {0, FormulaError::kWrongNumber};
      result = node.value;
      stack.pop_back();
      continue;
    }
    if (node.kind == kVariable) {
      if (!node.valid || node.index < 0 || static_cast<size_t>(node.index) >= values.size()) {
        return {0, FormulaError::kWrongVariable};
      }
      result = values[static_cast<size_t>(node.index)];
      stack.pop_back();
      continue;
    }
    if (!node.left) return {0, FormulaError::kSyntaxError};  // cannot happen for a parsed tree
    if (!node.right) {
      // Negation and functions: one operand.
      if (frame.stage == 0) {
        frame.stage = 1;
        stack.push_back({node.left.get(), 0, 0});
        continue;
      }
      result = node.kind == kNegate ? -result : ApplyFunction(node.kind, result);
    } else {
      const bool rightFirst = RightFirst(node);
      if (frame.stage == 0) {
        frame.stage = 1;
        stack.push_back({rightFirst ? node.right.get() : node.left.get(), 0, 0});
        continue;
      }
      if (frame.stage == 1) {
        if (node.kind == kDivide && result == 0) return {0, FormulaError::kDivideByZero};
        frame.stage = 2;
        frame.first = result;
        stack.push_back({rightFirst ? node.left.get() : node.right.get(), 0, 0});
        continue;
      }
      result = rightFirst ? Combine(node, result, frame.first) : Combine(node, frame.first, result);
    }
    if (FloatingPointGuard::Failed() || !std::isfinite(result)) return {0, FormulaError::kSyntaxError};
    stack.pop_back();
  }
  return {result, FormulaError::kNone};
}

}  // namespace tallyman::formula
