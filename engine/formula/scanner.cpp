#include "engine/formula/scanner.h"

#include "engine/formula/functions.h"
#include "engine/formula/token_kind.h"

namespace tallyman::formula {
namespace {

// Latin letters, "_" and the Cyrillic alphabet (А..я, Ё, ё).
bool IsIdentifierStart(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || (c >= L'\u0410' && c <= L'\u044F') ||
         c == L'\u0401' || c == L'\u0451';
}

bool IsIdentifierChar(wchar_t c) {
  return IsDigit(c) || IsIdentifierStart(c);
}

}  // namespace

Scanner::Scanner(TextView formula, Separators separators, VariableList& variables, ErrorState& errors)
    : m_text(formula), m_separators(separators), m_variables(variables), m_errors(errors) {}

bool Scanner::IsSkipped(wchar_t c) const {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == m_separators.thousands;
}

void Scanner::SkipBlanks() {
  while (m_pos < m_text.size() && IsSkipped(m_text[m_pos])) ++m_pos;
}

const Token& Scanner::GetToken() {
  m_percentPending = false;
  SkipBlanks();
  while (At(m_pos) == L'%') {
    m_percentPending = true;
    ++m_pos;
  }
  SkipBlanks();
  if (m_pos >= m_text.size()) {
    m_token = Token{};
    return m_token;
  }
  m_token = Token{};
  const wchar_t c = m_text[m_pos];
  switch (c) {
    // clang-format off
    case L'(': m_token.kind = kOpen; ++m_pos; break;
    case L')': m_token.kind = kClose; ++m_pos; break;
    case L'+': m_token.kind = kPlus; ++m_pos; break;
    case L'*': m_token.kind = kTimes; ++m_pos; break;
    case L'/': m_token.kind = kDivide; ++m_pos; break;
    case L'^': m_token.kind = kPower; ++m_pos; break;
    // clang-format on
    case L'-':
      ++m_pos;
      // A minus right before a digit at the start of the text or after "(" is a negative literal.
      if (IsDigit(At(m_pos)) && (m_curKind == kEnd || m_curKind == kOpen)) {
        ReadNumber(true);
      } else {
        m_token.kind = kMinus;
      }
      break;
    default:
      if (IsDigit(c)) {
        ReadNumber(false);
      } else if (IsIdentifierStart(c)) {
        ReadIdentifier();
      } else {
        // A character that starts no token repeats the kind of the token before it, which always
        // ends in an error further on; at the start of a bracket level there is none to repeat.
        ++m_pos;
        if (m_curKind == kEnd || m_curKind == kOpen) Fail(FormulaError::kSyntaxError);
        m_token.kind = m_curKind;
        m_token.valid = false;
      }
      break;
  }
  m_prevKind = m_curKind;
  m_curKind = m_token.kind;
  return m_token;
}

void Scanner::AppendDigits() {
  while (IsDigit(At(m_pos))) m_literal.push_back(m_text[m_pos++]);
}

void Scanner::ReadNumber(bool negative) {
  m_literal.clear();
  if (negative) m_literal.push_back(L'-');
  // Integer part: digits with blanks and thousands separators between them.
  for (wchar_t c = At(m_pos); m_pos < m_text.size(); c = At(m_pos)) {
    if (IsDigit(c)) {
      m_literal.push_back(c);
    } else if (c != L' ' && c != m_separators.thousands) {
      break;
    }
    ++m_pos;
  }
  if (At(m_pos) == m_separators.decimal && m_pos < m_text.size()) {
    m_literal.push_back(m_separators.decimal);
    ++m_pos;
    while (m_pos < m_text.size() && (At(m_pos) == L' ' || At(m_pos) == m_separators.thousands)) ++m_pos;
    if (!IsDigit(At(m_pos))) Fail(FormulaError::kWrongNumber);
    AppendDigits();
  }
  if (At(m_pos) == L'e' || At(m_pos) == L'E') {
    m_literal.push_back(L'e');
    ++m_pos;
    if (m_pos >= m_text.size()) Fail(FormulaError::kWrongNumber);
    if (At(m_pos) == L'+' || At(m_pos) == L'-') m_literal.push_back(m_text[m_pos++]);
    if (!IsDigit(At(m_pos))) Fail(FormulaError::kWrongNumber);
    AppendDigits();
  }
  m_token.kind = kNumber;
  // The literal is checked here but reported only if it is ever evaluated.
  const auto value = ReadNumberLiteral(m_literal, m_separators);
  m_token.valid = value.has_value();
  m_token.value = value.value_or(0);
}

void Scanner::ReadIdentifier() {
  const size_t start = m_pos;
  while (m_pos < m_text.size() && IsIdentifierChar(m_text[m_pos])) ++m_pos;
  const TextView name = m_text.substr(start, m_pos - start);
  if (const int function = FindFunction(name)) {
    m_token.kind = function;
    return;
  }
  m_token.kind = kVariable;
  m_token.index = m_variables.Bind(name);
  if (m_token.index < 0) Fail(FormulaError::kWrongVariable);
}

}  // namespace tallyman::formula
