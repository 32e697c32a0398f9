#include "engine/settings/formula_entry.h"

namespace tallyman {

FormulaEntryKind KindOfFormulaEntry(TextView entry) {
  const TextView trimmed = TrimBlanks(entry);
  if (trimmed.empty()) return FormulaEntryKind::kEmpty;
  return trimmed.front() == L';' ? FormulaEntryKind::kNote : FormulaEntryKind::kFormula;
}

long SelectionAfterRemoval(long removed, long count) {
  if (count <= 0) return -1;
  return removed > 0 ? removed - 1 : 0;
}

}  // namespace tallyman
