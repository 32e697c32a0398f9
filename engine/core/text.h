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

inline bool Contains(TextView text, wchar_t c) { return text.find(c) != TextView::npos; }

}  // namespace tallyman
