#include "engine/tape/spoken_rows.h"

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {
namespace {

// The value part after the tab, "=value" read as "total value".
Text SpokenTotal(TextView afterTab, bool english) {
  if (!afterTab.empty() && afterTab.front() == L'=') afterTab.remove_prefix(1);
  return LangText(pairs::kSpokenTotal, english) + L" " + Text(afterTab);
}

// Signs and "%" between numbers read as words; a minus directly before a digit at the start or
// after another sign stays a negative number.
Text SpokenExpression(TextView text, bool english) {
  Text spoken;
  bool afterOperand = false;
  for (const wchar_t c : text) {
    const bool sign = IsSign(c) && afterOperand;
    if (sign || c == L'%') {
      const Text word = c == L'%' ? LangText(pairs::kSpokenPercent, english) : SpokenSign(c, english);
      if (!spoken.empty() && spoken.back() != L' ') spoken += L' ';
      spoken += word + L' ';
      afterOperand = c == L'%';
      continue;
    }
    spoken += c;
    afterOperand = c != L' ' && !IsSign(c);
  }
  while (!spoken.empty() && spoken.back() == L' ') spoken.pop_back();
  return spoken;
}

}  // namespace

Text SpokenSign(wchar_t sign, bool english) {
  switch (sign) {
    case L'+':
      return LangText(pairs::kSpokenPlus, english);
    case L'-':
      return LangText(pairs::kSpokenMinus, english);
    case L'*':
      return LangText(pairs::kSpokenTimes, english);
    case L'/':
      return LangText(pairs::kSpokenDivide, english);
    default:
      return Text();
  }
}

Text SpokenTapeRow(TextView row, bool english) {
  if (row.size() == 1 && IsSign(row[0])) return SpokenSign(row[0], english);
  const size_t tab = row.find(L'\t');
  if (tab == TextView::npos) return SpokenExpression(row, english);
  const Text total = SpokenTotal(row.substr(tab + 1), english);
  if (tab == 0) return total;
  const TextView operation = row.substr(0, tab);
  Text spoken =
      IsSign(operation[0]) ? SpokenSign(operation[0], english) + L" " + Text(operation.substr(1)) : Text(operation);
  return spoken + L", " + total;
}

Text SpokenResultRow(TextView row, bool isComment, bool english) {
  const size_t tab = row.find(L'\t');
  const TextView description = row.substr(0, tab);
  Text spoken = isComment ? Text(description) : SpokenExpression(description, english);
  if (tab == TextView::npos) return spoken;
  const Text total = SpokenTotal(row.substr(tab + 1), english);
  return spoken.empty() ? total : spoken + L", " + total;
}

Text SpokenMemoryLine(int index, const MemorySlot& slot, const NumberText& numbers, bool english) {
  Text spoken = LangText(pairs::kSpokenMemory, english) + L" " + std::to_wstring(index) + L": ";
  if (slot.value == 0) return spoken + LangText(pairs::kSpokenEmpty, english);
  if (IsSign(slot.sign)) spoken += SpokenSign(slot.sign, english) + L" ";
  spoken += numbers.FormatCalc(slot.value);
  if (!slot.name.empty()) spoken += L", " + slot.name;
  return spoken;
}

}  // namespace tallyman
