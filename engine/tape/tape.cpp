#include "engine/tape/tape.h"

namespace tallyman {

void RowList::Append(Text row) {
  m_rows.push_back(std::move(row));
  if (m_observer) m_observer->RowsInserted(Count() - 1, 1);
}

void RowList::Insert(long index, Text row) {
  m_rows.insert(m_rows.begin() + index, std::move(row));
  if (m_selected >= index) ++m_selected;
  if (m_observer) m_observer->RowsInserted(index, 1);
}

void RowList::Replace(long index, Text row) {
  Text& target = m_rows[static_cast<size_t>(index)];
  if (target == row) return;
  target = std::move(row);
  if (m_observer) m_observer->RowChanged(index);
}

void RowList::Remove(long index) {
  m_rows.erase(m_rows.begin() + index);
  if (m_selected >= Count()) m_selected = -1;
  if (m_observer) m_observer->RowsRemoved(index, 1);
}

void RowList::Clear() {
  Assign({});
}

void RowList::Assign(std::vector<Text> rows) {
  m_rows = std::move(rows);
  m_selected = -1;
  if (m_observer) m_observer->ListReset();
}

void RowList::Select(long index) {
  const long selected = index >= 0 && index < Count() ? index : -1;
  if (selected == m_selected) return;
  m_selected = selected;
  if (m_observer) m_observer->SelectionChanged(m_selected);
}

}  // namespace tallyman
