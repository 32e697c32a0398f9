#pragma once
// Dollars and cents in English words, as written behind a money amount.
#include <optional>

#include "engine/core/text.h"

namespace tallyman {

// "1,234.56" -> "One Thousand Two Hundred Thirty Four Dollars and 56 Cents". The cents are
// written as digits and further decimals are cut off. Returns the empty text when the text has
// no digits or more than 15 integer digits, and nullopt when it is no number at all (letters,
// a second decimal separator): the caller reports that.
std::optional<Text> EnglishMoneyText(TextView text, wchar_t decimalSeparator, wchar_t thousandsSeparator);

}  // namespace tallyman
