#include <gtest/gtest.h>

#include "engine/settings/formula_entry.h"

namespace tallyman {
namespace {

TEST(FormulaEntry, NotesAreLinesStartingWithASemicolon) {
  const std::pair<const wchar_t*, FormulaEntryKind> cases[] = {
      {L"", FormulaEntryKind::kEmpty},         {L"  \t", FormulaEntryKind::kEmpty},
      {L";rent", FormulaEntryKind::kNote},     {L"  ; rent ", FormulaEntryKind::kNote},
      {L"2+2 ;x", FormulaEntryKind::kFormula}, {L"2+2", FormulaEntryKind::kFormula},
      {L"x:=1;", FormulaEntryKind::kFormula},
  };
  for (const auto& [entry, kind] : cases) EXPECT_EQ(KindOfFormulaEntry(entry), kind) << entry;
}

TEST(FormulaEntry, TheLineBeforeTheDeletedOneIsSelected) {
  struct Case {
    long removed, count, selected;
  };
  const Case cases[] = {{3, 5, 2}, {1, 4, 0}, {0, 4, 0}, {4, 4, 3}, {0, 0, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(SelectionAfterRemoval(c.removed, c.count), c.selected) << c.removed << " of " << c.count;
  }
}

}  // namespace
}  // namespace tallyman
