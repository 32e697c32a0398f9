#pragma once
// Small text helpers shared by the notebook's text tools.
#include "engine/core/text.h"

namespace tallyman {

// Drops characters at or below the blank (blanks, tabs, line breaks) from both ends.
inline Text Trimmed(TextView text) {
  return Text(TrimBlanks(text));
}

// Upper case of one letter, Latin and Cyrillic (the letters of Windows-1251) included; every
// other character is returned unchanged. Independent of the C library's locale.
wchar_t UpperLetter(wchar_t c);
bool IsUpperLatin(wchar_t c);

// The message text with every "%s" replaced by the argument.
Text WithArgument(TextView pattern, TextView argument);

}  // namespace tallyman
