#include "ui/url_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QUrl>

#include "ui/accessibility.h"
#include "ui/readable_colour.h"

namespace tallyman::ui {

const QColor TUrllabel::kNormal = QColor(0, 0, 255);
const QColor TUrllabel::kHover = QColor(255, 0, 0);

TUrllabel::TUrllabel(const QString& address, UrlOpener openUrl, QWidget* parent)
    : QLabel(address, parent), m_openUrl(std::move(openUrl)) {
  MarkAsLink(this);  // before any change that would make screen readers meet a plain label
  setObjectName(QStringLiteral("TUrllabel"));
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
  setAlignment(Qt::AlignCenter);
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setTextFormat(Qt::PlainText);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(address);
  SetColour(kNormal);
}

void TUrllabel::SetColour(const QColor& colour) {
  KeepReadableText(this, colour);
}

void TUrllabel::Open() {
  m_openUrl(QUrl(text()));  // a failure shows nothing
}

void TUrllabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (event->modifiers() == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    Open();
    return;
  }
  QLabel::keyPressEvent(event);
}

void TUrllabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.rect = contentsRect();
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
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
    Open();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace tallyman::ui
