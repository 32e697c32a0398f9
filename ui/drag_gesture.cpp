#include "ui/drag_gesture.h"

#include <QApplication>
#include <QMouseEvent>

namespace tallyman::ui {

bool DragGesture::Starts(const QEvent* event) {
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() == Qt::LeftButton) {
        m_pressPos = mouse->position().toPoint();
        m_pressed = true;
      }
      return false;
    case QEvent::MouseButtonRelease:
      m_pressed = false;
      return false;
    case QEvent::MouseMove:
      if (!m_pressed || !(mouse->buttons() & Qt::LeftButton) ||
          (mouse->position().toPoint() - m_pressPos).manhattanLength() < QApplication::startDragDistance()) {
        return false;
      }
      m_pressed = false;
      return true;
    default:
      return false;
  }
}

}  // namespace tallyman::ui
