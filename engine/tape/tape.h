#pragma once
// The tape: an ordered list of text rows and the selected row. Rows are the only store of a
// calculation; values are always read back from them. Observers hear about each change so that a
// view of 100,000 rows repaints only what changed.
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

class ListObserver {
 public:
  virtual ~ListObserver() = default;
  virtual void RowsInserted(long first, long count) = 0;
  virtual void RowsRemoved(long first, long count) = 0;
  virtual void RowChanged(long index) = 0;
  virtual void ListReset() = 0;
  virtual void SelectionChanged(long index) = 0;
};

// A list of text rows with one selected row (-1 for none), as the tape and the results list are.
class RowList {
 public:
  long Count() const { return static_cast<long>(m_rows.size()); }
  bool Empty() const { return m_rows.empty(); }
  const Text& Row(long index) const { return m_rows[static_cast<size_t>(index)]; }
  const Text& Last() const { return m_rows.back(); }
  const std::vector<Text>& Rows() const { return m_rows; }
  long Selected() const { return m_selected; }

  void SetObserver(ListObserver* observer) { m_observer = observer; }
  void Append(Text row);
  void Insert(long index, Text row);
  void Replace(long index, Text row);
  void Remove(long index);
  void Clear();
  void Assign(std::vector<Text> rows);
  void Select(long index);  // out of range selects nothing
  void SelectLast() { Select(Count() - 1); }

 private:
  std::vector<Text> m_rows;
  long m_selected = -1;
  ListObserver* m_observer = nullptr;
};

}  // namespace tallyman
