#pragma once
// Dialog units: a quarter of the average letter width and an eighth of the height of a font, so
// that dialogs and tab stops keep their proportions with any font.
#include <QFont>

namespace tallyman::ui {

struct DialogUnits {
  double x;
  double y;
  int X(double units) const { return static_cast<int>(units * x + 0.5); }
  int Y(double units) const { return static_cast<int>(units * y + 0.5); }
};

DialogUnits MeasureDialogUnits(const QFont& font);
// Horizontal dialog units to pixels, rounded to nearest (also for negative units).
int DialogUnitsToPixels(int units, const QFont& font);

}  // namespace tallyman::ui
