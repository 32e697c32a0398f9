#pragma once
// The calculations of the tape as notebook lines: what Ctrl+W appends to the notebook.
#include <vector>

#include "engine/core/text.h"
#include "engine/tape/results.h"
#include "engine/tape/tape.h"

namespace tallyman {

// For every results entry an empty line, the entry's tape text (one line per row), the entry
// itself and an empty line; without results, every tape row between empty lines.
std::vector<Text> TapeCalculationLines(const Results& results, const RowList& tape);

}  // namespace tallyman
