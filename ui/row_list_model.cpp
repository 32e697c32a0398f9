#include "ui/row_list_model.h"

#include "ui/qt_text.h"

namespace tallyman::ui {

RowListModel::RowListModel(const RowList& rows, QObject* parent)
    : QAbstractListModel(parent), m_rows(rows), m_count(static_cast<int>(rows.Count())) {}

int RowListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_count;
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_rows.Count()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) return ToQString(m_rows.Row(index.row()));
  if (role == Qt::AccessibleTextRole && m_spoken) return m_spoken(index.row());
  return {};
}

Qt::ItemFlags RowListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void RowListModel::RowsInserted(long first, long count) {
  if (count <= 0) return;
  beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
  m_count += static_cast<int>(count);
  endInsertRows();
}

void RowListModel::RowsRemoved(long first, long count) {
  if (count <= 0) return;
  beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
  m_count -= static_cast<int>(count);
  endRemoveRows();
}

void RowListModel::RowChanged(long index) {
  const QModelIndex changed = this->index(static_cast<int>(index));
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void RowListModel::SpokenTextsChanged() {
  if (m_count > 0) emit dataChanged(index(0), index(m_count - 1), {Qt::AccessibleTextRole});
}

void RowListModel::ListReset() {
  beginResetModel();
  m_count = static_cast<int>(m_rows.Count());
  endResetModel();
}

void RowListModel::SelectionChanged(long index) {
  emit engineSelectionChanged(static_cast<int>(index));
}

}  // namespace tallyman::ui
