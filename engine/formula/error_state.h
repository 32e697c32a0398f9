#pragma once
// The error record of one formula: only the first error's code and position survive.

#include "engine/formula/formula_error.h"

namespace tallyman::formula {

// Thrown to abandon a parse or an evaluation once the error has been recorded.
struct FormulaFailure {};

class ErrorState {
 public:
  // Records an error at a 1-based scan position (0: no position). A later error keeps what is
  // recorded; an error with no code becomes a syntax error.
  void Record(FormulaError code, int position) {
    if (!m_flag) m_position = position;
    m_flag = true;
    if (m_code == FormulaError::kNone) m_code = code;
    if (m_code == FormulaError::kNone) m_code = FormulaError::kSyntaxError;
  }
  [[noreturn]] void Fail(FormulaError code, int position) {
    Record(code, position);
    throw FormulaFailure{};
  }
  void Reset() { *this = ErrorState{}; }

  bool Flag() const { return m_flag; }
  FormulaError Code() const { return m_code; }
  int Position() const { return m_position; }

 private:
  bool m_flag = false;
  int m_position = 0;
  FormulaError m_code = FormulaError::kNone;
};

}  // namespace tallyman::formula
