#pragma once
// TCalcExpress, the formula engine: a formula is scanned and parsed once into a tree, which Calc
// then evaluates for an array of variable values.
//
//   formula text -> Scanner (tokens) -> recursive-descent parser (this class) -> ExpressionNode
//   tree -> EvaluateTree (tree_evaluator.h) -> value, or an error code and position.
//
// Grammar, from loose to tight:
//   Expression := Term { ("+" | "-") Term }                left-associative
//   Term       := [sign] Factor { ("*" | "/") Factor }     the sign applies to the whole product
//   Factor     := Primary { "^" Exponent }                 left-associative: a^b^c = (a^b)^c
//   Primary    := number | variable | function "(" Expression | "(" Expression
//   Exponent   := number | variable | "(" (number | variable) ")"
// A "%" after the right operand of "+", "-", "*" or "/" turns it into a percentage operation.
// Errors never escape: they end in ErrorCode (1..7; 8 belongs to the assignment list) and ErrorPos.
#include <vector>

#include "engine/core/locale.h"
#include "engine/core/text.h"
#include "engine/formula/error_state.h"
#include "engine/formula/expression_node.h"
#include "engine/formula/number_literal.h"
#include "engine/formula/variable_list.h"

namespace tallyman {

namespace formula {
class Scanner;
}

class TCalcExpress {
 public:
  // Brackets and function arguments nested deeper than this are refused (a syntax error), which keeps
  // the parser's recursion bounded whatever the input.
  static constexpr int kMaxNesting = 1000;

  // The locale supplies the decimal and thousands separators of numbers in formulas.
  explicit TCalcExpress(const Locale& locale);
  // Created with its variable names already in place, as SetVariables would leave them.
  TCalcExpress(formula::Separators separators, std::vector<Text> names);
  ~TCalcExpress();
  TCalcExpress(const TCalcExpress&) = delete;
  TCalcExpress& operator=(const TCalcExpress&) = delete;

  // Parses the text (lower-cased first); errors are left in ErrorCode and ErrorPos.
  void SetFormula(TextView text);
  const Text& Formula() const { return m_formula; }

  // Replaces the variable names and parses the formula again, so that identifiers bind to them.
  void SetVariables(std::vector<Text> names);
  const std::vector<Text>& Variables() const { return m_variables.Names(); }

  // Evaluates the parsed formula; value i belongs to the name at index i of Variables. Returns 0
  // when the formula has an error or the evaluation fails (then ErrorCode tells why).
  Number Calc(const std::vector<Number>& values);

  FormulaError ErrorCode() const { return m_errors.Code(); }
  int ErrorPos() const { return m_errors.Position(); }

 private:
  formula::NodePtr ParseExpression();
  formula::NodePtr ParseTerm();
  formula::NodePtr ParseFactor();
  formula::NodePtr ParseBracketed();
  formula::NodePtr Leaf() const;
  formula::NodePtr MakeOperator(int kind, formula::NodePtr left, formula::NodePtr right);
  [[noreturn]] void Fail(FormulaError code);

  formula::Separators m_separators;
  Text m_formula;
  formula::VariableList m_variables;
  formula::NodePtr m_tree;
  formula::ErrorState m_errors;
  formula::Scanner* m_scanner = nullptr;  // set while parsing
  int m_depth = 0;                        // bracket balance
  int m_nesting = 0;                      // current recursion depth of the parser
  int m_endPosition = 1;                  // scan position where parsing ended
};

}  // namespace tallyman
