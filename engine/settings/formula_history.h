#pragma once
// The formula window's history: one formula per line, the most recent first, each formula at
// most once. Two lines hold the same formula when their formula parts (the text before the first
// ":", the assignments after it do not count) are equal ignoring ASCII letter case. Kept in
// "TallyForm.txt"; the file is deleted when the window closes with an empty list. A file that
// exists but could not be read is never written over or deleted.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

class FormulaHistory {
 public:
  static constexpr size_t kMaxLines = 100;
  // A larger file is no history of this program: it reads as unreadable.
  static constexpr std::uintmax_t kMaxFileBytes = 4u << 20;

  FormulaHistory() = default;
  explicit FormulaHistory(std::vector<Text> lines) : m_lines(std::move(lines)) {}

  const std::vector<Text>& Lines() const { return m_lines; }
  size_t Count() const { return m_lines.size(); }
  bool Empty() const { return m_lines.empty(); }

  // The formula part of a history line: before the first ":", or the whole line.
  static TextView FormulaPart(TextView line);
  // The formula part of the entry's text: before the first ":" unless that ":" is the last
  // character, then the whole text.
  static TextView EntryFormulaPart(TextView entry);

  // FindFormula: the index of the first line holding the entry's formula, or -1.
  int Find(TextView entry) const;
  // The entry's text (untrimmed) becomes line 0: a new line, or the line of the same formula
  // replaced and moved to the top. Line breaks inside the text become blanks.
  void Store(TextView entry);
  // Taking a result: store, then cut the list to kMaxLines.
  void StoreResult(TextView entry);
  void CutToLimit();
  // Out-of-range indexes are ignored.
  void Remove(size_t index);
  void Clear() { m_lines.clear(); }

  // A missing or unreadable file gives an empty list (and false). Save and RemoveFileIfEmpty then
  // work on that file: one that exists but could not be read (too large, no permission, no
  // regular file) is left alone for good.
  bool Load(const std::filesystem::path& file);
  // Atomic write; the old file stays on failure, and a file that could not be read is refused.
  bool Save(const std::filesystem::path& file);
  // When the window closes with an empty list: the file goes if this history read or wrote it
  // (the user emptied it). A link to it stays and its target is emptied; anything else is left
  // alone. Returns false only when a file that should go could not be removed.
  bool RemoveFileIfEmpty(const std::filesystem::path& file);

 private:
  std::vector<Text> m_lines;
  bool m_fileIsOurs = false;      // read or written by this history
  bool m_fileUnreadable = false;  // there, but could not be read
};

}  // namespace tallyman
