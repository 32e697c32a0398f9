#include "engine/settings/results_file.h"

#include "engine/core/text_file.h"

namespace tallyman {

std::vector<Text> ResultsFileLines(const std::vector<Text>& rows) {
  return rows;
}

std::vector<Text> ResultsWithTapesFileLines(const Results& results) {
  std::vector<Text> lines;
  for (long i = 0; i < results.Count(); ++i) {
    lines.emplace_back();
    for (Text& row : SplitLines(results.TapeTexts()[static_cast<size_t>(i)])) lines.push_back(std::move(row));
    lines.emplace_back();
    lines.push_back(results.Row(i));
    lines.emplace_back();
  }
  return lines;
}

}  // namespace tallyman
