#pragma once
// The scanner of formulas: one token per call of GetToken. Blanks and thousands separators
// between tokens and inside numbers are skipped; "%" marks are reported through PercentPending.
#include "engine/core/text.h"
#include "engine/formula/error_state.h"
#include "engine/formula/number_literal.h"
#include "engine/formula/variable_list.h"

namespace tallyman::formula {

struct Token {
  int kind = 0;
  bool valid = true;  // false: a literal that does not convert, or a stray character
  int index = -1;     // variable: value index
  Number value = 0;   // number literal: its value
};

class Scanner {
 public:
  // The formula must outlive the scanner.
  Scanner(TextView formula, Separators separators, VariableList& variables, ErrorState& errors);

  // Reads the next token; failures (a wrong number, an unbound identifier, a stray character at
  // the start of a bracket level) are recorded and thrown.
  const Token& GetToken();

  const Token& Current() const { return m_token; }
  int Kind() const { return m_token.kind; }
  // Kinds of the last two tokens read, not counting the end of text: the sign rules use them.
  int PrevKind() const { return m_prevKind; }
  bool PercentPending() const { return m_percentPending; }
  void ClearPercent() { m_percentPending = false; }
  // 1-based index of the next character to scan.
  int Position() const { return static_cast<int>(m_pos) + 1; }

 private:
  wchar_t At(size_t i) const { return i < m_text.size() ? m_text[i] : L'\0'; }
  bool IsSkipped(wchar_t c) const;
  void SkipBlanks();
  void ReadNumber(bool negative);
  void ReadIdentifier();
  void AppendDigits();
  [[noreturn]] void Fail(FormulaError code) { m_errors.Fail(code, Position()); }

  TextView m_text;
  Separators m_separators;
  VariableList& m_variables;
  ErrorState& m_errors;
  size_t m_pos = 0;
  int m_prevKind = 0;
  int m_curKind = 0;
  bool m_percentPending = false;
  Token m_token;
  Text m_literal;  // digits of the number being read, reused between numbers
};

}  // namespace tallyman::formula
