#pragma once
// The modifiers a key binding cares about: the keypad flag and others are left out, so
// "Ctrl+C" matches whether or not the key came from the keypad.
#include <QKeyEvent>

namespace tallyman::ui {

inline Qt::KeyboardModifiers KeyModifiers(const QKeyEvent* event) {
  return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

}  // namespace tallyman::ui
