#include "ui/url_label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace tallyman::ui {

const QColor TUrllabel::kNormal = QColor(0, 0, 255);
const QColor TUrllabel::kHover = QColor(255, 0, 0);

TUrllabel::TUrllabel(const QString& address, QWidget* parent) : QLabel(address, parent) {
  setObjectName(QStringLiteral("TUrllabel"));
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
  setAlignment(Qt::AlignCenter);
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setTextFormat(Qt::PlainText);
  SetColour(kNormal);
}

void TUrllabel::SetColour(const QColor& colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, colour);
  setPalette(palette);
}

void TUrllabel::enterEvent(QEnterEvent* event) {
  SetColour(kHover);
  QLabel::enterEvent(event);
}

void TUrllabel::leaveEvent(QEvent* event) {
  SetColour(kNormal);
  QLabel::leaveEvent(event);
}

void TUrllabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    QDesktopServices::openUrl(QUrl(text()));
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace tallyman::ui
