#pragma once
// What the formula window does with its entry line and its history list, apart from evaluating.
#include "engine/core/text.h"

namespace tallyman {

// Enter or F12 in the formula window: nothing for an empty entry; a note (its first non-blank
// character ";") is stored in the history as typed, without evaluation, and the window stays
// open; anything else is a formula to evaluate.
enum class FormulaEntryKind { kEmpty, kNote, kFormula };
FormulaEntryKind KindOfFormulaEntry(TextView entry);

// The history line selected after line `removed` was deleted, in a list now `count` lines long:
// the line before it, or the first; -1 when no line is left.
long SelectionAfterRemoval(long removed, long count);

}  // namespace tallyman
