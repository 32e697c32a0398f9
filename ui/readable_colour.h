#pragma once
// Colours the windows choose themselves (the navy sign displays, the About box's title and links)
// stay as chosen where they can be read, and give way to a palette colour where the desktop's
// theme makes their background too close to them.
#include <QColor>
#include <QPalette>

class QWidget;

namespace tallyman::ui {

// The least contrast of text against its background that stays readable (WCAG 2, normal text).
inline constexpr double kReadableContrast = 4.5;

// The WCAG 2 contrast ratio of two colours, from 1 (same luminance) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
// `wanted` when it reads well on `background`, else the first of the palette's link, highlight
// and window-text colours that does, else whichever of them contrasts most.
QColor ReadableColour(const QColor& wanted, const QColor& background, const QPalette& palette);
// Shows the widget's text (role `text`) in `wanted`, or a readable palette colour on the
// application's `background` colour, again whenever the palette changes.
void KeepReadableText(QWidget* widget, const QColor& wanted, QPalette::ColorRole text = QPalette::WindowText,
                      QPalette::ColorRole background = QPalette::Window);

}  // namespace tallyman::ui
