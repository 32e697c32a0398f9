#pragma once
// Key helpers shared by the windows. The modifiers a key binding cares about leave the keypad
// flag and others out, so "Ctrl+C" matches whether or not the key came from the keypad.
#include <QKeyEvent>

namespace tallyman::ui {

inline Qt::KeyboardModifiers KeyModifiers(const QKeyEvent* event) {
  return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

// Return on the main keyboard or Enter on the keypad.
inline bool IsEnterKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace tallyman::ui
