#pragma once
// Drags between the two windows carry the name of the control they started from.
#include <QString>

namespace tallyman::ui {

// Where a drag started: the tape, the results list or the results total.
inline const QString kDragFromTape = QStringLiteral("Lb");
inline const QString kDragFromResults = QStringLiteral("Lm");
inline const QString kDragFromTotal = QStringLiteral("EdRes");
inline const char* const kDragMimeType = "application/x-tallyman-drag-source";

}  // namespace tallyman::ui
