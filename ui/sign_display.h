#pragma once
// The large navy sign displays: S1 and S2 of the main window and the row dialog's sign.
class QLabel;
class QFont;

namespace tallyman::ui {

QFont SignDisplayFont();
// Gives a label the sign displays' font, colour and centring.
void StyleSignDisplay(QLabel* label);

}  // namespace tallyman::ui
