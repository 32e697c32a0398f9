#include "engine/tape/tape_calculations.h"

#include "engine/core/text_file.h"

namespace tallyman {

std::vector<Text> TapeCalculationLines(const Results& results, const RowList& tape) {
  std::vector<Text> lines;
  if (results.Empty()) {
    lines.reserve(static_cast<size_t>(tape.Count()) * 3);
    for (long i = 0; i < tape.Count(); ++i) {
      lines.emplace_back();
      lines.push_back(tape.Row(i));
      lines.emplace_back();
    }
    return lines;
  }
  const std::vector<Text>& tapes = results.TapeTexts();
  for (long i = 0; i < results.Count(); ++i) {
    lines.emplace_back();
    for (Text& row : SplitLines(tapes[static_cast<size_t>(i)])) lines.push_back(std::move(row));
    lines.push_back(results.Row(i));
    lines.emplace_back();
  }
  return lines;
}

}  // namespace tallyman
