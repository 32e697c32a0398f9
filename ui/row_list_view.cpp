#include "ui/row_list_view.h"

#include <QApplication>
#include <QDrag>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "ui/dialog_units.h"
#include "ui/readable_colour.h"
#include "ui/row_list_model.h"
#include "ui/tab_stop_delegate.h"

namespace tallyman::ui {

RowListView::RowListView(const QString& name, const RowList& rows, std::function<void(long row)> select,
                         QWidget* parent)
    : QListView(parent),
      m_model(new RowListModel(rows, this)),
      m_delegate(new TabStopDelegate(this)),
      m_select(std::move(select)) {
  setObjectName(name);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setContextMenuPolicy(Qt::CustomContextMenu);
  setModel(m_model);
  m_delegate->FollowWidths(m_model);
  setItemDelegate(m_delegate);

  connect(m_model, &RowListModel::engineSelectionChanged, this, [this](int row) { ShowSelection(row); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
    if (m_syncing || !current.isValid()) return;
    m_select(current.row());
  });
}

ListObserver& RowListView::Observer() {
  return *m_model;
}

void RowListView::ShowSelection(long row) {
  m_syncing = true;
  if (row < 0) {
    clearSelection();
  } else {
    const QModelIndex index = m_model->index(static_cast<int>(row));
    setCurrentIndex(index);
    scrollTo(index);
  }
  m_syncing = false;
}

void RowListView::SetSpokenText(std::function<QString(long row)> spoken) {
  m_model->SetSpokenText(std::move(spoken));
}

void RowListView::Relanguage() {
  m_model->SpokenTextsChanged();
}

void RowListView::SetRowHeight(int pixels) {
  m_delegate->SetRowHeight(pixels);
}

void RowListView::UpdateTabStop(int panelWidth, int tabDelta) {
  const QFont current = font();
  const int units = TabStopUnits(QFontInfo(current).pointSizeF(), panelWidth, tabDelta);
  m_delegate->SetTabStop(DialogUnitsToPixels(units, current));
  viewport()->update();
}

void RowListView::ShowActive(bool active) {
  ShowActiveColour(this, active);
}

void RowListView::mousePressEvent(QMouseEvent* event) {
  m_drag.Starts(event);
  QListView::mousePressEvent(event);  // the list selects the row itself
}

void RowListView::mouseReleaseEvent(QMouseEvent* event) {
  m_drag.Starts(event);
  QListView::mouseReleaseEvent(event);
}

void RowListView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_drag.Starts(event) || !m_dragPayload) {
    QListView::mouseMoveEvent(event);
    return;
  }
  QMimeData* payload = m_dragPayload(m_drag.PressPos());
  if (!payload) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(payload);
  drag->exec(Qt::CopyAction);
}

void ShowActiveColour(QWidget* control, bool active) {
  const QPalette colours = QApplication::palette();
  QPalette palette = control->palette();
  const QColor back = colours.color(active ? QPalette::Base : QPalette::Button);
  palette.setColor(QPalette::Base, back);
  // Some themes give the face colour nearly the text colour.
  palette.setColor(QPalette::Text, ReadableColour(colours.color(QPalette::Text), back, colours));
  control->setPalette(palette);
}

// An empty list has no current row to frame, so a keyboard user would not see that it has the
// focus; the whole list is framed instead.
void RowListView::paintEvent(QPaintEvent* event) {
  QListView::paintEvent(event);
  if (!hasFocus() || model()->rowCount() > 0) return;
  QPainter painter(viewport());
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.rect = viewport()->rect().adjusted(1, 1, -1, -1);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void RowListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  viewport()->update();
}

void RowListView::focusOutEvent(QFocusEvent* event) {
  QListView::focusOutEvent(event);
  viewport()->update();
}

}  // namespace tallyman::ui
