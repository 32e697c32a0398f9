#include "ui/window_places.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace tallyman::ui {
namespace {

int TitleBarHeight(const QWidget* window) {
  const QStyle* style = window ? window->style() : QApplication::style();
  return std::max(20, style->pixelMetric(QStyle::PM_TitleBarHeight));
}

}  // namespace

QScreen* ScreenOf(const QWidget* widget) {
  if (widget && widget->screen()) return widget->screen();
  return QGuiApplication::primaryScreen();
}

void CentreOnScreen(QWidget* window, QScreen* screen) {
  window->adjustSize();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

bool TitleBarOnSomeScreen(const QPoint& topLeft, int width) {
  const int height = TitleBarHeight(nullptr);
  const QRect titleBar(topLeft - QPoint(0, height), QSize(std::max(width, height), height));
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect reachable = screen->availableGeometry().intersected(titleBar);
    // A corner of a few pixels is no handle for the mouse.
    if (reachable.width() >= height && reachable.height() >= height / 2) return true;
  }
  return false;
}

void PlaceOnScreen(QWidget* window, const QPoint& topLeft, const QPoint& fallback) {
  const QPoint place = TitleBarOnSomeScreen(topLeft, window->width()) ? topLeft : fallback;
  window->setGeometry(QRect(place, window->size()));
}

QSize FitToScreen(const QSize& size, const QPoint& topLeft) {
  const QScreen* screen = QGuiApplication::screenAt(topLeft);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return size;
  return size.boundedTo(screen->availableGeometry().size());
}

int TitleWidth(const QString& title, const QWidget* window) {
  const QFont font = QApplication::font("QMdiSubWindowTitleBar");
  // Room for the window's icon and its minimise, maximise and close buttons beside the text.
  return QFontMetrics(font).horizontalAdvance(title) + 5 * TitleBarHeight(window);
}

void PlaceWindow(QWidget* window, const WindowPlace& place) {
  const QPoint topLeft(place.left, place.top);
  if (place.width > 0 && place.height > 0) window->resize(FitToScreen(QSize(place.width, place.height), topLeft));
  PlaceOnScreen(window, topLeft, window->geometry().topLeft());
}

WindowPlace PlaceOf(const QWidget* window) {
  const QRect client = window->geometry();
  return {client.x(), client.y(), client.height(), client.width()};
}

}  // namespace tallyman::ui
