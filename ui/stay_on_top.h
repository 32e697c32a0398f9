#pragma once
// Keeping a window above the others.
class QWidget;

namespace tallyman::ui {

// Sets or clears the stay-on-top hint. A shown window keeps its place, size and visibility: the
// hint goes to the window system directly instead of through QWidget::setWindowFlag, which hides
// the window to re-create it.
void KeepOnTop(QWidget* window, bool on);

}  // namespace tallyman::ui
