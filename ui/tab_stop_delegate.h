#pragma once
// Paints list rows with their tab expanded to one tab stop, so the "=" column of the tape and of
// the results list lines up; a left part wider than the stop moves to the next multiple.
#include <QStyledItemDelegate>

namespace tallyman::ui {

class TabStopDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit TabStopDelegate(QObject* parent);

  void SetTabStop(int pixels) { m_tabStop = pixels; }
  void SetRowHeight(int pixels) { m_rowHeight = pixels; }

  // Where the text after the tab starts, given the width of the text before it.
  static int TabPosition(int leftWidth, int tabStop);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int m_tabStop = 100;
  int m_rowHeight = 22;
};

// The tab stop of a list in dialog units: 70 plus the adjustment for a font of 20 points or more,
// otherwise a fifth of the panel's width (rounded to nearest) plus the adjustment.
int TabStopUnits(double fontPoints, int panelWidth, int tabDelta);
// Dialog units to pixels for a font: a unit is a quarter of the average letter width.
int DialogUnitsToPixels(int units, const QFont& font);

}  // namespace tallyman::ui
