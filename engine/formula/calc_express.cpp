#include "engine/formula/calc_express.h"

#include "engine/core/letter_case.h"
#include "engine/formula/functions.h"
#include "engine/formula/scanner.h"
#include "engine/formula/token_kind.h"
#include "engine/formula/tree_evaluator.h"

namespace tallyman {

using formula::ExpressionNode;
using formula::NodePtr;

TCalcExpress::TCalcExpress(const Locale& locale) : TCalcExpress(formula::UsableSeparators(locale), {}) {}

TCalcExpress::TCalcExpress(formula::Separators separators, std::vector<Text> names) : m_separators(separators) {
  m_variables.Assign(std::move(names));
  SetFormula(L"0");
}

TCalcExpress::~TCalcExpress() = default;

void TCalcExpress::SetVariables(std::vector<Text> names) {
  m_variables.Assign(std::move(names));
  const Text formula = m_formula;
  SetFormula(formula);
}

void TCalcExpress::SetFormula(TextView text) {
  m_tree.reset();
  m_errors.Reset();
  m_formula = LowerText(text);
  m_depth = 0;
  m_nesting = 0;
  formula::Scanner scanner(m_formula, m_separators, m_variables, m_errors);
  m_scanner = &scanner;
  try {
    NodePtr tree = ParseExpression();
    if (m_depth != 0) Fail(FormulaError::kMismatchedBrackets);
    m_tree = std::move(tree);
  } catch (const formula::FormulaFailure&) {
    // The error is recorded; the partial tree has been freed on the way out.
  }
  m_endPosition = scanner.Position();
  m_scanner = nullptr;
}

void TCalcExpress::Fail(FormulaError code) {
  m_errors.Fail(code, m_scanner->Position());
}

NodePtr TCalcExpress::MakeOperator(int kind, NodePtr left, NodePtr right) {
  auto node = std::make_unique<ExpressionNode>();
  node->kind = kind;
  node->left = std::move(left);
  node->right = std::move(right);
  if (m_scanner->PercentPending()) {
    node->percent = true;
    m_scanner->ClearPercent();
  }
  return node;
}

NodePtr TCalcExpress::Leaf() const {
  const formula::Token& token = m_scanner->Current();
  auto node = std::make_unique<ExpressionNode>();
  node->kind = token.kind;
  node->valid = token.valid;
  node->index = token.index;
  node->value = token.value;
  return node;
}

// Expression := Term { ("+" | "-") Term }; a ")" that ends it closes one bracket level.
NodePtr TCalcExpress::ParseExpression() {
  NodePtr left = ParseTerm();
  while (m_scanner->Kind() != formula::kEnd && m_scanner->Kind() != formula::kClose) {
    const int op = m_scanner->Kind();
    if (op != formula::kPlus && op != formula::kMinus) Fail(FormulaError::kSyntaxError);  // two operands in a row
    NodePtr right = ParseTerm();
    left = MakeOperator(op, std::move(left), std::move(right));
  }
  if (m_scanner->Kind() == formula::kClose) --m_depth;
  return left;
}

// Term := [sign] Factor { ("*" | "/") Factor }. A sign is read only at the start of the text or
// right after "(", and it applies to the whole product: -x*y is -(x*y).
NodePtr TCalcExpress::ParseTerm() {
  m_scanner->GetToken();
  bool negate = false;
  if (m_scanner->PrevKind() == formula::kEnd || m_scanner->PrevKind() == formula::kOpen) {
    if (m_scanner->Kind() == formula::kMinus) {
      negate = true;
      m_scanner->GetToken();
    } else if (m_scanner->Kind() == formula::kPlus) {
      m_scanner->GetToken();
    }
  }
  NodePtr left = ParseFactor();
  while (m_scanner->Kind() == formula::kTimes || m_scanner->Kind() == formula::kDivide) {
    const int op = m_scanner->Kind();
    m_scanner->GetToken();
    NodePtr right = ParseFactor();
    left = MakeOperator(op, std::move(left), std::move(right));
  }
  if (!negate) return left;
  auto node = std::make_unique<ExpressionNode>();
  node->kind = formula::kNegate;
  node->left = std::move(left);
  return node;
}

// The Expression after a "(" of a bracket or a function argument, one nesting level deeper.
NodePtr TCalcExpress::ParseBracketed() {
  ++m_depth;
  if (++m_nesting > kMaxNesting) Fail(FormulaError::kSyntaxError);
  NodePtr inner = ParseExpression();
  --m_nesting;
  return inner;
}

// Factor := Primary { "^" Exponent }, entered with its first token already read.
NodePtr TCalcExpress::ParseFactor() {
  NodePtr result;
  const int kind = m_scanner->Kind();
  if (kind == formula::kOpen) {
    result = ParseBracketed();
  } else if (kind == formula::kNumber || kind == formula::kVariable) {
    result = Leaf();
  } else if (formula::IsFunctionKind(kind)) {
    // a function needs its bracket
    if (m_scanner->GetToken().kind != formula::kOpen) Fail(FormulaError::kMismatchedBrackets);
    result = std::make_unique<ExpressionNode>();
    result->kind = kind;
    result->left = ParseBracketed();
  } else {
    Fail(FormulaError::kWrongOperation);  // an operator, ")" or the end where an operand belongs
  }
  m_scanner->GetToken();
  while (m_scanner->Kind() == formula::kPower) {
    m_scanner->GetToken();
    const bool brackets = m_scanner->Kind() == formula::kOpen;
    if (brackets) m_scanner->GetToken();
    const int exponentKind = m_scanner->Kind();
    if (exponentKind != formula::kNumber && exponentKind != formula::kVariable) {
      Fail(FormulaError::kExpectedNumberOrVariable);
    }
    auto power = std::make_unique<ExpressionNode>();
    power->kind = formula::kPower;
    power->left = std::move(result);
    power->right = Leaf();
    result = std::move(power);
    if (brackets && m_scanner->GetToken().kind != formula::kClose) Fail(FormulaError::kMismatchedBrackets);
    m_scanner->GetToken();
  }
  return result;
}

Number TCalcExpress::Calc(const std::vector<Number>& values) {
  if (m_errors.Flag() || !m_tree) return 0;
  const formula::TreeOutcome outcome = formula::EvaluateTree(*m_tree, values);
  if (outcome.code == FormulaError::kNone) return outcome.value;
  // An arithmetic failure has no place in the text; the others point where parsing ended.
  m_errors.Record(outcome.code, outcome.code == FormulaError::kSyntaxError ? 0 : m_endPosition);
  return 0;
}

}  // namespace tallyman
