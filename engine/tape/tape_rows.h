#pragma once
// The row grammar of the tape and its recalculation.
//   start row      tab, "=", value
//   operation row  sign, operand, tab, "=", running result
//   pending sign   one sign character, as the last row only
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "engine/core/number_text.h"

namespace tallyman {

inline bool IsSign(wchar_t c) {
  return c == L'+' || c == L'-' || c == L'*' || c == L'/';
}

// p combined with x by the sign, in extended precision.
Number Combine(Number p, wchar_t sign, Number x);

// Recompute the rows in place from the first row on; false (rows then undefined) when any row is
// invalid: an operand of 0, a row without a sign, a start row without a value, a result at the
// 18-digit limit. A former operation row that has become the first row keeps only its result.
bool RecalcTape(std::vector<Text>& rows, const NumberText& numbers);

// Tape files: one row per line, CR LF after every line, Windows-1251 (UTF-8 with a byte-order mark
// when a row holds characters Windows-1251 lacks). Reading accepts CR, LF and CR LF. A larger file
// than kMaxTapeFileBytes (a million rows take about 20 MB) is refused as unreadable.
inline constexpr std::uintmax_t kMaxTapeFileBytes = 64u << 20;
std::optional<std::vector<Text>> ReadTapeFile(const std::filesystem::path& path);
bool WriteTapeFile(const std::filesystem::path& path, const std::vector<Text>& rows);

// Whether every thousands separator in the rows begins a group of exactly three digits. A file
// written where that character is the decimal separator ("1234,5" read where "," groups) would
// otherwise read as another number. Blanks are never taken for a misplaced separator.
bool GroupingFits(const std::vector<Text>& rows, wchar_t thousands);

}  // namespace tallyman
