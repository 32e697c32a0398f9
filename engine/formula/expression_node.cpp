#include "engine/formula/expression_node.h"

#include "engine/formula/small_stack.h"

namespace tallyman::formula {

ExpressionNode::~ExpressionNode() {
  if (!left && !right) return;
  // Detach the operands first: every node destroyed in the loop has no children left, so its
  // own destructor returns at once and the stack depth stays constant.
  SmallStack<NodePtr, 16> pending;
  if (left) pending.push_back(std::move(left));
  if (right) pending.push_back(std::move(right));
  while (!pending.empty()) {
    NodePtr node = std::move(pending.back());
    pending.pop_back();
    if (node->left) pending.push_back(std::move(node->left));
    if (node->right) pending.push_back(std::move(node->right));
  }
}

}  // namespace tallyman::formula
