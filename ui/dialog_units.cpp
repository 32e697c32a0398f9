#include "ui/dialog_units.h"

#include <QFontMetricsF>
#include <cmath>

namespace tallyman::ui {

DialogUnits MeasureDialogUnits(const QFont& font) {
  const QFontMetricsF metrics(font);
  const double letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {letters / 52.0 / 4.0, metrics.height() / 8.0};
}

int DialogUnitsToPixels(int units, const QFont& font) {
  return static_cast<int>(std::lround(units * MeasureDialogUnits(font).x));
}

}  // namespace tallyman::ui
