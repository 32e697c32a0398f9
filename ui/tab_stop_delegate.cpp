#include "ui/tab_stop_delegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tallyman::ui {

TabStopDelegate::TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

int TabStopDelegate::TabPosition(int leftWidth, int tabStop) {
  if (tabStop <= 0) return leftWidth;
  int position = tabStop;
  while (position <= leftWidth) position += tabStop;
  return position;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  const QString text = background.text;
  background.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  const QString left = tab < 0 ? text : text.left(tab);
  const QString right = tab < 0 ? QString() : text.mid(tab + 1);
  const QFontMetrics metrics(option.font);
  const QRect area = option.rect.adjusted(2, 0, -2, 0);
  painter->save();
  painter->setFont(option.font);
  const bool selected = option.state & QStyle::State_Selected;
  painter->setPen(option.palette.color(QPalette::Normal, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, left);
  if (tab >= 0) {
    const int x = TabPosition(metrics.horizontalAdvance(left), m_tabStop);
    painter->drawText(area.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, right);
  }
  painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  const QFontMetrics metrics(option.font);
  return {option.rect.width() > 0 ? option.rect.width() : 100, std::max(m_rowHeight, metrics.height() + 2)};
}

int TabStopUnits(double fontPoints, int panelWidth, int tabDelta) {
  if (fontPoints >= 20) return tabDelta + 70;
  // A fifth of a whole number is never exactly half-way, so plain rounding is round-half-even.
  return static_cast<int>(std::lround(panelWidth / 5.0)) + tabDelta;
}

int DialogUnitsToPixels(int units, const QFont& font) {
  const QFontMetricsF metrics(font);
  const double average =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
  return static_cast<int>(std::lround(units * average / 4.0));
}

}  // namespace tallyman::ui
