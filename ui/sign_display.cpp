#include "ui/sign_display.h"

#include <QFont>
#include <QLabel>

namespace tallyman::ui {

QFont SignDisplayFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(29);
  font.setBold(true);
  return font;
}

void StyleSignDisplay(QLabel* label) {
  label->setFont(SignDisplayFont());
  label->setAlignment(Qt::AlignCenter);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
  label->setPalette(palette);
}

}  // namespace tallyman::ui
