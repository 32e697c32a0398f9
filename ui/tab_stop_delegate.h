#pragma once
// Paints list rows with their tab expanded to one tab stop, so the "=" column of the tape and of
// the results list lines up; a left part wider than the stop moves to the next multiple.
#include <QStyledItemDelegate>
#include <array>

namespace tallyman::ui {

class TabStopDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit TabStopDelegate(QObject* parent);

  void SetTabStop(int pixels);
  void SetRowHeight(int pixels) { m_rowHeight = pixels; }
  // Follows the model's rows so that a row is as wide as the widest one: the list then scrolls
  // sideways instead of cutting a value. Appending and changing rows costs only those rows.
  void FollowWidths(const QAbstractItemModel* model);

  // Where the text after the tab starts, given the width of the text before it.
  static int TabPosition(int leftWidth, int tabStop);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int RowWidth(const QString& text, const QFontMetrics& metrics) const;
  void WidenFor(const QModelIndex& first, const QModelIndex& last);
  void RowsGone(int first, int last);
  void MeasureAll(const QFont& font) const;

  int m_tabStop = 100;
  int m_rowHeight = 22;
  const QAbstractItemModel* m_model = nullptr;
  // The widest row in m_widthFont and which one it is; dirty when it must be measured anew.
  mutable bool m_widthsDirty = true;
  mutable int m_widest = 0;
  mutable int m_widestRow = -1;
  mutable QFont m_widthFont;
  mutable std::array<int, 0x500> m_advances;  // of the Latin and Cyrillic characters in m_widthFont, -1 unknown
};

// The tab stop of a list in dialog units: 70 plus the adjustment for a font of 20 points or more,
// otherwise a fifth of the panel's width (rounded to nearest) plus the adjustment.
int TabStopUnits(double fontPoints, int panelWidth, int tabDelta);

}  // namespace tallyman::ui
