#include "engine/text/text_helpers.h"

namespace tallyman {

wchar_t UpperLetter(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c >= L'\u0430' && c <= L'\u044F') return static_cast<wchar_t>(c - 0x20);  // а..я
  if (c >= L'\u0450' && c <= L'\u045F') return static_cast<wchar_t>(c - 0x50);  // ѐ..џ, ё included
  if (c == L'\u0491') return L'\u0490';                                         // ґ
  return c;
}

bool IsUpperLatin(wchar_t c) {
  return c >= L'A' && c <= L'Z';
}

Text WithArgument(TextView pattern, TextView argument) {
  Text out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's') {
      out += argument;
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

}  // namespace tallyman
