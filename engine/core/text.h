#pragma once
// Text inside the engine is Unicode in one wide string type; bytes exist only at the edges
// (files through engine/core/codepage.h, the command line and the windows through UTF-8).
#include <string>
#include <string_view>

namespace tallyman {

using Text = std::wstring;
using TextView = std::wstring_view;
using Number = long double;

// UTF-8 <-> Text. Malformed UTF-8 sequences become U+FFFD; nothing is ever dropped silently.
Text FromUtf8(std::string_view bytes);
std::string ToUtf8(TextView text);

inline bool Contains(TextView text, wchar_t c) {
  return text.find(c) != TextView::npos;
}

// "0".."9" only: digits of other scripts are no digits of a number here.
inline bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// Blanks are the space and every control character (codes 32 and below).
inline bool IsBlank(wchar_t c) {
  return c >= 0 && c <= L' ';
}
inline TextView TrimBlanks(TextView text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace tallyman
