#include "ui/tab_stop_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tallyman::ui {

TabStopDelegate::TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {
  m_advances.fill(-1);
}

int TabStopDelegate::TabPosition(int leftWidth, int tabStop) {
  if (tabStop <= 0) return leftWidth;
  int position = tabStop;
  while (position <= leftWidth) position += tabStop;
  return position;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
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
  int width = option.rect.width() > 0 ? option.rect.width() : 100;
  if (m_model) {
    if (m_widthsDirty || option.font != m_widthFont) MeasureAll(option.font);
    width = std::max(width, m_widest);
  }
  return {width, std::max(m_rowHeight, metrics.height() + 2)};
}

void TabStopDelegate::SetTabStop(int pixels) {
  if (pixels == m_tabStop) return;
  m_tabStop = pixels;
  m_widthsDirty = true;
  emit sizeHintChanged(QModelIndex());
}

void TabStopDelegate::FollowWidths(const QAbstractItemModel* model) {
  m_model = model;
  m_widthsDirty = true;
  connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
    WidenFor(m_model->index(first, 0), m_model->index(last, 0));
  });
  connect(model, &QAbstractItemModel::dataChanged, this, &TabStopDelegate::WidenFor);
  connect(model, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex&, int first, int last) { RowsGone(first, last); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    m_widthsDirty = true;
    emit sizeHintChanged(QModelIndex());
  });
}

// The painted width: the text before the tab, the jump to the tab stop, the text after it. Each
// part is the sum of its characters' advances, kept per character: shaping every row of a long
// tape would cost far more, and kerning only ever makes the painted text narrower.
int TabStopDelegate::RowWidth(const QString& text, const QFontMetrics& metrics) const {
  const auto width = [this, &metrics](QStringView part) {
    int sum = 0;
    for (const QChar c : part) {
      if (c.unicode() >= m_advances.size()) {
        sum += metrics.horizontalAdvance(c);
        continue;
      }
      int& advance = m_advances[c.unicode()];
      if (advance < 0) advance = metrics.horizontalAdvance(c);
      sum += advance;
    }
    return sum;
  };
  const QStringView row(text);
  const qsizetype tab = row.indexOf(QLatin1Char('\t'));
  if (tab < 0) return width(row) + 4;
  return TabPosition(width(row.left(tab)), m_tabStop) + width(row.mid(tab + 1)) + 4;
}

void TabStopDelegate::WidenFor(const QModelIndex& first, const QModelIndex& last) {
  if (m_widthsDirty) return;  // measured in full before the next use anyway
  const QFontMetrics metrics(m_widthFont);
  bool changed = false;
  for (int row = first.row(); row <= last.row(); ++row) {
    const int width = RowWidth(m_model->index(row, 0).data().toString(), metrics);
    if (width >= m_widest) {
      changed = changed || width != m_widest;
      m_widest = width;
      m_widestRow = row;
    } else if (row == m_widestRow) {
      m_widthsDirty = true;  // the widest row became narrower: another may be the widest now
      changed = true;
    }
  }
  if (changed) emit sizeHintChanged(first);
}

void TabStopDelegate::RowsGone(int first, int last) {
  if (m_widthsDirty) return;
  if (m_widestRow >= first && m_widestRow <= last) {
    m_widthsDirty = true;
    emit sizeHintChanged(QModelIndex());
  } else if (m_widestRow > last) {
    m_widestRow -= last - first + 1;
  }
}

void TabStopDelegate::MeasureAll(const QFont& font) const {
  if (font != m_widthFont) m_advances.fill(-1);
  m_widthFont = font;
  m_widest = 0;
  m_widestRow = -1;
  const QFontMetrics metrics(font);
  const int rows = m_model->rowCount();
  for (int row = 0; row < rows; ++row) {
    const int width = RowWidth(m_model->index(row, 0).data().toString(), metrics);
    if (width > m_widest) {
      m_widest = width;
      m_widestRow = row;
    }
  }
  m_widthsDirty = false;
}

int TabStopUnits(double fontPoints, int panelWidth, int tabDelta) {
  if (fontPoints >= 20) return tabDelta + 70;
  // A fifth of a whole number is never exactly half-way, so plain rounding is round-half-even.
  return static_cast<int>(std::lround(panelWidth / 5.0)) + tabDelta;
}

}  // namespace tallyman::ui
