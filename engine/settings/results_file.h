#pragma once
// The two files the results window saves, as lines (each to be ended by CR LF when written):
// the results rows alone, or every entry with the tape that produced it.
#include <vector>

#include "engine/core/text.h"
#include "engine/tape/results.h"

namespace tallyman {

// "Save": the results rows as they are (description, tab, "=", value).
std::vector<Text> ResultsFileLines(const std::vector<Text>& rows);

// "Save all": for each entry an empty line, its tape rows, an empty line, its results row and an
// empty line.
std::vector<Text> ResultsWithTapesFileLines(const Results& results);

}  // namespace tallyman
