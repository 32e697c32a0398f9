#include "ui/guarded_application.h"

#include <new>

namespace tallyman::ui {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    if (m_outOfMemory) m_outOfMemory();
    return true;
  }
}

}  // namespace tallyman::ui
