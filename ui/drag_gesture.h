#pragma once
// Tells when mouse events on a control become a drag: the left button pressed, then moved at
// least the desktop's drag distance.
#include <QPoint>

class QEvent;

namespace tallyman::ui {

class DragGesture {
 public:
  // Follows a mouse press, move or release; true when this move starts a drag.
  bool Starts(const QEvent* event);
  QPoint PressPos() const { return m_pressPos; }

 private:
  QPoint m_pressPos;
  bool m_pressed = false;
};

}  // namespace tallyman::ui
