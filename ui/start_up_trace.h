#pragma once
// Start-up timing marks for finding what delays the first frame. Written to stderr only when
// TALLYMAN_STARTUP_TRACE=1; otherwise a mark costs one flag test.
class QWidget;

namespace tallyman::ui {

// "<ms since the first mark> cpu <CPU ms since exec> <what>" on stderr when tracing is on.
void StartUpMark(const char* what);

// Marks the first time `window` paints, when tracing is on.
void MarkFirstPaint(QWidget& window);

}  // namespace tallyman::ui
