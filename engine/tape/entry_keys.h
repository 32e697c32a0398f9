#pragma once
// Keys typed into a number field: the main window's entry line and the row dialog's operand field
// read the decimal keys, the sign keys and F9 the same way.
#include "engine/core/text.h"

namespace tallyman {

// ",", ".", "б", "ю", "Б", "Ю": the decimal key in either keyboard layout and case.
bool IsDecimalKey(wchar_t c);

// The four keys left of the top letter row act as operation keys in either keyboard layout; any
// other key comes back unchanged.
wchar_t TranslateOperationLetter(wchar_t c);

// F9: the number with its sign turned round; an empty text stays empty.
Text ToggledSign(const Text& text);

// What a printable key does in the row dialog's operand field.
enum class OperandKey {
  kSign,       // "+", "-", "*", "/": chooses the row's sign
  kSeparator,  // a decimal key, see OperandSeparator
  kDigit,      // "0".."9" reach the field
  kDiscarded,  // anything else is dropped silently
};
OperandKey ClassifyOperandKey(wchar_t c, wchar_t decimalSeparator);

// The decimal key in the operand field. With a separator already there, a selection empties the
// field first and no selection discards the key: the field never holds two separators.
enum class SeparatorKey { kInsert, kEmptyFirst, kDiscard };
SeparatorKey OperandSeparator(const Text& field, bool hasSelection, wchar_t decimalSeparator);

}  // namespace tallyman
