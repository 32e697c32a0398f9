#pragma once
// The results list: one entry per closed calculation (description, tab, "=", value), a marker on
// entries whose description is the user's comment, the tape text behind every entry, and the total.
#include <vector>

#include "engine/tape/tape.h"

namespace tallyman {

class Results {
 public:
  const RowList& List() const { return m_list; }
  long Count() const { return m_list.Count(); }
  const Text& Row(long index) const { return m_list.Row(index); }
  bool IsComment(long index) const { return m_comments[static_cast<size_t>(index)]; }
  const std::vector<Text>& TapeTexts() const { return m_tapes; }
  const Text& Total() const { return m_total; }
  long Selected() const { return m_list.Selected(); }

  void SetObserver(ListObserver* observer) { m_list.SetObserver(observer); }

 private:
  friend class Calculator;
  RowList m_list;
  std::vector<bool> m_comments;
  std::vector<Text> m_tapes;  // the tape text of each entry, rows each ended by CR LF
  Text m_total;               // the total field, empty when the list is empty
};

}  // namespace tallyman
