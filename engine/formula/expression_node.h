#pragma once
// A node of a parsed formula. Each node owns its operands; long operator chains make deep trees,
// so a node frees its subtree without recursion.
#include <memory>

#include "engine/core/text.h"

namespace tallyman::formula {

struct ExpressionNode {
  int kind = 0;                           // token kind of token_kind.h or a function kind
  bool percent = false;                   // "+", "-", "*", "/" marked by a "%" after the right operand
  bool valid = true;                      // a literal that converts, a variable that has a value index
  int index = -1;                         // variable: index of its value
  Number value = 0;                       // literal: its value
  std::unique_ptr<ExpressionNode> left;   // first or only operand
  std::unique_ptr<ExpressionNode> right;  // second operand of a two-operand operator

  ExpressionNode() = default;
  ExpressionNode(const ExpressionNode&) = delete;
  ExpressionNode& operator=(const ExpressionNode&) = delete;
  ~ExpressionNode();
};

using NodePtr = std::unique_ptr<ExpressionNode>;

}  // namespace tallyman::formula
