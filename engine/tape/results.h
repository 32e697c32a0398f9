#pragma once
// The results list: one entry per closed calculation (description, tab, "=", value), a marker on
// entries whose description is the user's comment, the tape text behind every entry, and the total.
// The rows, the markers and the tape texts always have one element per entry; every change goes
// through the operations below, which keep them in step and the total up to date.
#include <optional>
#include <vector>

#include "engine/core/number_text.h"
#include "engine/tape/tape.h"

namespace tallyman {

class Results {
 public:
  // Values are read and written with `numbers`, which must outlive the list.
  explicit Results(const NumberText& numbers) : m_numbers(numbers) {}
  Results(const Results&) = delete;
  Results& operator=(const Results&) = delete;

  const RowList& List() const { return m_list; }
  long Count() const { return m_list.Count(); }
  bool Empty() const { return m_list.Empty(); }
  const Text& Row(long index) const { return m_list.Row(index); }
  bool IsComment(long index) const { return m_comments[static_cast<size_t>(index)]; }
  const std::vector<Text>& TapeTexts() const { return m_tapes; }
  const Text& Total() const { return m_total; }
  long Selected() const { return m_list.Selected(); }
  // The text before the tab: the generated description or the user's comment.
  Text Description(long index) const;
  // The value after "="; nullopt for an index out of range or a value past the 18-digit limit.
  std::optional<Number> Value(long index) const;
  // The total as a full recount gives it (what Total() always equals).
  Text RecountedTotal() const;

  void SetObserver(ListObserver* observer) { m_list.SetObserver(observer); }
  void Select(long index) { m_list.Select(index); }

  // Records a closed calculation into entry `index`, or into a new last entry when `index` is out
  // of range; an entry holding a comment keeps it. Selects the entry and returns its index.
  long Record(long index, const Text& description, Number value, Text tapeText);
  // Replaces the description by the user's comment (an empty comment marks the entry for a
  // generated description again). Tabs and "=" are kept out of it. False when nothing changed.
  bool Comment(long index, const Text& text);
  void Remove(long index);
  void Clear();

 private:
  // Brings the running sums up to date from entry `first` on; a change of the calculation
  // precision reads every row again.
  void CountFrom(long first);

  const NumberText& m_numbers;
  RowList m_list;
  std::vector<bool> m_comments;
  std::vector<Text> m_tapes;  // the tape text of each entry, rows each ended by CR LF
  // m_running[i]: the sum of the values of entries 0..i, added in order, so that a change near the
  // end adds only what follows it and the total is bit for bit a full recount's.
  std::vector<Number> m_running;
  Text m_total;              // the total field, empty when the list is empty
  int m_countedDigits = -1;  // the precision the rows were last read at
};

}  // namespace tallyman
