#include "ui/program_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace tallyman::ui {
namespace {

// "»" as two strokes, pointing the way the menus overflow; painted at whatever size is asked, in
// the palette's colour of the moment, so it follows a change of theme.
class ChevronIcon final : public QIconEngine {
 public:
  explicit ChevronIcon(bool pointsLeft) : m_pointsLeft(pointsLeft) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const QPalette::ColorGroup group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
    const qreal side = std::min(rect.width(), rect.height());
    const qreal height = side / 2;
    const qreal width = side / 4;
    const QPointF centre = QRectF(rect).center();
    QPainterPath path;
    const qreal half = (m_pointsLeft ? -width : width) / 2;  // from a stroke's middle to its tip
    for (const qreal offset : {-width * 0.6, width * 0.6}) {
      const qreal tip = centre.x() + offset + half;
      const qreal tail = centre.x() + offset - half;
      path.moveTo(tail, centre.y() - height / 2);
      path.lineTo(tip, centre.y());
      path.lineTo(tail, centre.y() + height / 2);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QGuiApplication::palette().color(group, QPalette::ButtonText), std::max(1.0, side / 10)));
    painter->drawPath(path);
    painter->restore();
  }

  // On a clear ground: the stock pixmap would start from whatever its memory held.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new ChevronIcon(m_pointsLeft); }

 private:
  bool m_pointsLeft;
};

}  // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton) return QProxyStyle::standardIcon(icon, option, widget);
  const Qt::LayoutDirection direction = option   ? option->direction
                                        : widget ? widget->layoutDirection()
                                                 : QGuiApplication::layoutDirection();
  return QIcon(new ChevronIcon(direction == Qt::RightToLeft));
}

void InstallProgramStyle() {
  if (dynamic_cast<ProgramStyle*>(QApplication::style())) return;
  QStyle* base = QStyleFactory::create(QApplication::style()->name());
  if (base) QApplication::setStyle(new ProgramStyle(base));
}

}  // namespace tallyman::ui
