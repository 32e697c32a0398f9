#include "engine/tape/tape_rows.h"

#include "engine/core/text_file.h"

namespace tallyman {

Number Combine(Number p, wchar_t sign, Number x) {
  switch (sign) {
    // clang-format off
    case L'+': return p + x;
    case L'-': return p - x;
    case L'*': return p * x;
    case L'/': return p / x;
    default: return p;
      // clang-format on
  }
}

bool RecalcTape(std::vector<Text>& rows, const NumberText& numbers) {
  if (rows.empty()) return false;
  Text& first = rows[0];
  const size_t startMark = first.find(L"\t=");
  if (startMark != Text::npos && startMark > 0) first.erase(0, startMark);
  auto p = numbers.RowValue(first, L'=');
  if (!p) return false;
  const size_t last = rows.size() - 1;
  for (size_t i = 1; i <= last; ++i) {
    Text& row = rows[i];
    if (i == last && row.size() == 1) return IsSign(row[0]);
    const auto x = numbers.RowValue(row, L'\t');
    if (!x || !IsSign(row[0])) return false;
    const Number combined = Combine(*p, row[0], *x);
    const Text result = numbers.FormatCalc(combined);
    const Text operand = numbers.FormatCalc(*x);
    if (result.empty() || operand.empty()) return false;
    // The formatted text has at most 18 significant digits, which an 80-bit value holds exactly
    // enough to format back to the same text: reading it back is the rounding to Digits decimals.
    p = numbers.ReadFloat(numbers.CleanNumber(result)).value_or(combined);
    Text rewritten;
    rewritten.reserve(operand.size() + result.size() + 3);
    rewritten += row[0];
    rewritten += operand;
    rewritten += L"\t=";
    rewritten += result;
    row = std::move(rewritten);
  }
  return true;
}

std::optional<std::vector<Text>> ReadTapeFile(const std::filesystem::path& path) {
  auto lines = ReadTextLines(path, kMaxTapeFileBytes);
  if (!lines) return std::nullopt;
  // Blank lines that an editor left after the last row are no rows.
  while (!lines->empty() && lines->back().find_first_not_of(L" \t") == Text::npos) lines->pop_back();
  return lines;
}

bool WriteTapeFile(const std::filesystem::path& path, const std::vector<Text>& rows) {
  return WriteTextLines(path, rows);
}

bool GroupingFits(const std::vector<Text>& rows, wchar_t thousands) {
  for (const Text& row : rows) {
    if (!GroupingFits(row, thousands)) return false;
  }
  return true;
}

}  // namespace tallyman
