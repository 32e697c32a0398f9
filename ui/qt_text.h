#pragma once
// Conversions between the engine's text and Qt's, and language pairs resolved to QString.
#include <QString>

#include "engine/core/lang.h"
#include "engine/core/text.h"

namespace tallyman::ui {

inline QString ToQString(TextView text) {
  return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}
inline Text FromQString(const QString& text) {
  return text.toStdWString();
}

// The side of a language pair for the active language.
inline QString Lang(const wchar_t* pair, bool english) {
  return ToQString(LangText(pair, english));
}

}  // namespace tallyman::ui
