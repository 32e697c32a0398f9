#include "engine/tape/entry_keys.h"

#include "engine/tape/tape_rows.h"

namespace tallyman {

bool IsDecimalKey(wchar_t c) {
  return c == L',' || c == L'.' || c == L'б' || c == L'ю' || c == L'Б' || c == L'Ю';
}

// clang-format off
wchar_t TranslateOperationLetter(wchar_t c) {
  switch (c) {
    case L'q': case L'Q': case L'й': case L'Й': return L'+';
    case L'w': case L'W': case L'ц': case L'Ц': return L'-';
    case L'e': case L'E': case L'у': case L'У': return L'*';
    case L'r': case L'R': case L'к': case L'К': return L'/';
    default: return c;
  }
}
// clang-format on

Text ToggledSign(const Text& text) {
  if (text.empty()) return text;
  return text[0] == L'-' ? text.substr(1) : L"-" + text;
}

OperandKey ClassifyOperandKey(wchar_t c, wchar_t decimalSeparator) {
  if (IsSign(c)) return OperandKey::kSign;
  if (IsDecimalKey(c) || c == decimalSeparator) return OperandKey::kSeparator;
  if (c >= L'0' && c <= L'9') return OperandKey::kDigit;
  return OperandKey::kDiscarded;
}

SeparatorKey OperandSeparator(const Text& field, bool hasSelection, wchar_t decimalSeparator) {
  if (field.find(decimalSeparator) == Text::npos) return SeparatorKey::kInsert;
  return hasSelection ? SeparatorKey::kEmptyFirst : SeparatorKey::kDiscard;
}

}  // namespace tallyman
