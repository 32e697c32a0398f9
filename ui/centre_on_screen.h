#pragma once
// Dialogs that open in the middle of the screen the main window is on.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tallyman::ui {

inline void CentreOnScreen(QWidget* window, const QWidget* parent) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  window->adjustSize();
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace tallyman::ui
