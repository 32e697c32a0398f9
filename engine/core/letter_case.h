#pragma once
// Letter case without the C library's locale: Latin and Cyrillic letters, the alphabets of formulas
// and settings keys.
#include "engine/core/text.h"

namespace tallyman {

inline wchar_t LowerLetter(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
  if (c >= L'\u0410' && c <= L'\u042F') return static_cast<wchar_t>(c + 0x20);  // А..Я
  if (c >= L'\u0400' && c <= L'\u040F') return static_cast<wchar_t>(c + 0x50);  // Ѐ..Џ, Ё among them
  return c;
}

inline Text LowerText(TextView text) {
  Text out(text);
  for (wchar_t& c : out) c = LowerLetter(c);
  return out;
}

inline wchar_t LowerAsciiLetter(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

inline bool EqualIgnoringCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerLetter(a[i]) != LowerLetter(b[i])) return false;
  }
  return true;
}

// Latin letters only: what the formula history compares.
inline bool EqualIgnoringAsciiCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAsciiLetter(a[i]) != LowerAsciiLetter(b[i])) return false;
  }
  return true;
}

}  // namespace tallyman
