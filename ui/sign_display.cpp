#include "ui/sign_display.h"

#include <QFont>
#include <QLabel>

#include "ui/installed_family.h"
#include "ui/readable_colour.h"

namespace tallyman::ui {

QFont SignDisplayFont() {
  QFont font(InstalledFamily(QStringLiteral("Courier New")));
  font.setPixelSize(29);
  font.setBold(true);
  return font;
}

void StyleSignDisplay(QLabel* label) {
  label->setFont(SignDisplayFont());
  label->setAlignment(Qt::AlignCenter);
  KeepReadableText(label, QColor(0, 0, 128));  // navy
}

}  // namespace tallyman::ui
