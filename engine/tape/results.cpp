#include "engine/tape/results.h"

#include <algorithm>

namespace tallyman {
namespace {

constexpr wchar_t kValueStart[] = L"\t=";

}  // namespace

Text Results::Description(long index) const {
  if (index < 0 || index >= Count()) return Text();
  const Text& row = Row(index);
  return row.substr(0, row.find(L'\t'));
}

std::optional<Number> Results::Value(long index) const {
  return m_numbers.RowValue(m_list.Rows(), index, L'=');
}

long Results::Record(long index, const Text& description, Number value, Text tapeText) {
  // The row holds the value as the results precision shows it, read back at the calculation
  // precision: the total adds exactly what a reader of the row would see.
  const Text shown = m_numbers.FormatResult(value);
  const auto read = m_numbers.TextToNumber(shown);
  const Text valueText = kValueStart + (read ? m_numbers.FormatCalc(*read) : shown);
  if (index < 0 || index >= Count()) {
    index = Count();
    m_comments.push_back(false);
    m_tapes.push_back(std::move(tapeText));
    m_list.Append(description + valueText);
  } else {
    const size_t i = static_cast<size_t>(index);
    m_tapes[i] = std::move(tapeText);
    m_list.Replace(index, (m_comments[i] ? Description(index) : description) + valueText);
  }
  CountFrom(index);
  m_list.Select(index);
  return index;
}

bool Results::Comment(long index, const Text& text) {
  if (index < 0 || index >= Count()) return false;
  // A tab or "=" inside the comment would be read as the start of the value: keep them out.
  Text comment = text;
  std::replace(comment.begin(), comment.end(), L'\t', L' ');
  std::replace(comment.begin(), comment.end(), L'=', L':');
  if (comment == Description(index)) return false;
  const Text& row = Row(index);
  m_list.Replace(index, comment + row.substr(row.find(L'\t')));
  m_comments[static_cast<size_t>(index)] = !comment.empty();
  return true;
}

void Results::Remove(long index) {
  if (index < 0 || index >= Count()) return;
  m_tapes.erase(m_tapes.begin() + index);
  m_comments.erase(m_comments.begin() + index);
  m_list.Remove(index);
  CountFrom(index);
}

void Results::Clear() {
  m_tapes.clear();
  m_comments.clear();
  m_list.Clear();
  CountFrom(0);
}

void Results::CountFrom(long first) {
  if (m_countedDigits != m_numbers.Digits()) {
    m_countedDigits = m_numbers.Digits();
    first = 0;
  }
  m_running.resize(static_cast<size_t>(Count()));
  Number sum = first > 0 ? m_running[static_cast<size_t>(first - 1)] : 0;
  for (long i = first; i < Count(); ++i) {
    const Text& row = Row(i);
    const size_t equals = row.find(L'=');
    if (const auto value = m_numbers.TextToNumber(TextView(row).substr(equals + 1))) {
      // Rows read at another precision are shown as they now count.
      m_list.Replace(i, row.substr(0, equals + 1) + m_numbers.FormatCalc(*value));
      sum += *value;
    }
    m_running[static_cast<size_t>(i)] = sum;
  }
  m_total = Empty() ? Text() : m_numbers.FormatResult(sum);
}

Text Results::RecountedTotal() const {
  Number sum = 0;
  for (long i = 0; i < Count(); ++i) {
    if (const auto value = Value(i)) sum += *value;
  }
  return Empty() ? Text() : m_numbers.FormatResult(sum);
}

}  // namespace tallyman
