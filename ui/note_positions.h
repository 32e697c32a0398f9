#pragma once
// The engine counts characters (code points); Qt counts UTF-16 units, two for a character outside
// the basic plane. These convert positions inside one piece of text.
#include <QString>
#include <cstddef>

namespace tallyman::ui {

// The UTF-16 offset of the character `index` of `piece` (the end when past it).
inline int Utf16Offset(const QString& piece, size_t index) {
  qsizetype units = 0;
  for (size_t i = 0; i < index && units < piece.size(); ++i) {
    units += piece.at(units).isHighSurrogate() && units + 1 < piece.size() ? 2 : 1;
  }
  return static_cast<int>(units);
}

}  // namespace tallyman::ui
