#include "engine/settings/results_file.h"

#include "engine/core/text_file.h"

namespace tallyman {

std::vector<Text> ResultsFileLines(const std::vector<Text>& rows) {
  return rows;
}

std::optional<std::vector<Text>> ResultsWithTapesFileLines(const std::vector<Text>& rows,
                                                           const std::vector<Text>& tapeTexts) {
  if (rows.size() != tapeTexts.size()) return std::nullopt;
  std::vector<Text> lines;
  for (size_t i = 0; i < rows.size(); ++i) {
    lines.emplace_back();
    for (Text& row : SplitLines(tapeTexts[i])) lines.push_back(std::move(row));
    lines.emplace_back();
    lines.push_back(rows[i]);
    lines.emplace_back();
  }
  return lines;
}

}  // namespace tallyman
