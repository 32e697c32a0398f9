#pragma once
// The error record of one formula: only the first error's code and position survive.

namespace tallyman::formula {

// Thrown to abandon a parse or an evaluation once the error has been recorded.
struct FormulaFailure {};

class ErrorState {
 public:
  // Records an error at a 1-based scan position (0: no position). A code below 1 or a later
  // error keeps what is recorded; an error with no usable code becomes 7.
  void Record(int code, int position) {
    if (!m_flag) m_position = position;
    m_flag = true;
    if (m_code == 0 && code >= 1) m_code = code;
    if (m_code == 0) m_code = 7;
  }
  [[noreturn]] void Fail(int code, int position) {
    Record(code, position);
    throw FormulaFailure{};
  }
  void Reset() { *this = ErrorState{}; }

  bool Flag() const { return m_flag; }
  int Code() const { return m_code; }
  int Position() const { return m_position; }

 private:
  bool m_flag = false;
  int m_position = 0;
  int m_code = 0;
};

}  // namespace tallyman::formula
