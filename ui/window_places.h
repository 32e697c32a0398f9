#pragma once
// Where windows go on the desktop's screens: remembered places checked against the screens there
// are now, dialogs centred on a screen, and the width a window needs to show its whole title.
#include <QPoint>
#include <QSize>

#include "engine/settings/settings.h"

class QScreen;
class QString;
class QWidget;

namespace tallyman::ui {

// The widget's screen, or the primary one.
QScreen* ScreenOf(const QWidget* widget);

// Sizes the window to its contents and centres it in the screen's available area.
void CentreOnScreen(QWidget* window, QScreen* screen);

// Places are the top-left corners of the windows' client areas (QWidget::geometry()): the frame
// around it is the window manager's, unknown until the window is shown, so a place stored as the
// frame's corner and restored as the client's would move the window at every opening.

// Whether a window whose client area starts at `topLeft` and is `width` wide has enough of its
// title bar (just above the client area) on a screen for the user to take it with the mouse.
bool TitleBarOnSomeScreen(const QPoint& topLeft, int width);

// Puts the window's client area at `topLeft`, or at `fallback` when its title bar would be on no
// screen there (damaged values, a monitor since removed). The window keeps its size.
void PlaceOnScreen(QWidget* window, const QPoint& topLeft, const QPoint& fallback);

// `size` made no larger than the available area of the screen at `topLeft` (or the primary
// screen): a damaged settings file must not make a window bigger than the desktop.
QSize FitToScreen(const QSize& size, const QPoint& topLeft);

// Restores a kept place; one whose title bar is on no screen (damaged values, a monitor since
// removed) is passed over and the window keeps its own default place. No size is taken larger
// than the screen.
void PlaceWindow(QWidget* window, const WindowPlace& place);
// The window's client area as a place to keep.
WindowPlace PlaceOf(const QWidget* window);

// The width a window needs for the desktop to show `title` whole, with the title bar's buttons.
int TitleWidth(const QString& title, const QWidget* window);

}  // namespace tallyman::ui
