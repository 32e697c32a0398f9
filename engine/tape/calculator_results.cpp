// Commands of the results list: select, return to a calculation, delete, comment, clear, take.
#include <algorithm>

#include "engine/core/text_file.h"
#include "engine/tape/calculator.h"

namespace tallyman {

void Calculator::SelectResult(long index) { m_results.m_list.Select(index); }

void Calculator::GoToResult() {
  const long i = m_results.Selected();
  const auto& tapes = m_results.m_tapes;
  if (tapes.empty() || m_results.Count() == 0 || i < 0 || i >= static_cast<long>(tapes.size())) return;
  if (!m_deleting) CloseCalculation();
  m_results.m_list.Select(i);
  m_resultIndex = i;
  m_tape.Assign(SplitLines(tapes[static_cast<size_t>(i)]));
  ModifyTape(L'\0', L'\0', 0);
  m_deleting = false;
}

void Calculator::DeleteResult() {
  const long i = m_results.Selected();
  if (i < 0) return;
  CloseCalculation();
  RowList& list = m_results.m_list;
  list.Select(i);
  m_deleting = true;
  if (i < static_cast<long>(m_results.m_tapes.size())) m_results.m_tapes.erase(m_results.m_tapes.begin() + i);
  m_results.m_comments.erase(m_results.m_comments.begin() + i);
  list.Remove(i);
  if (list.Empty()) {
    ClearAllResults();
    m_deleting = false;
    return;
  }
  list.SelectLast();
  m_resultIndex = list.Count() - 1;
  UpdateResultsTotal();
  GoToResult();
}

void Calculator::CommentResult(const Text& text) {
  const long i = m_results.Selected();
  if (i < 0) return;
  const Text& row = m_results.Row(i);
  const size_t tab = row.find(L'\t');
  const size_t equals = row.find(L'=');
  if (tab == Text::npos || equals == Text::npos) return;
  // A tab or "=" inside the comment would be read as the start of the value: keep them out.
  Text comment = text;
  std::replace(comment.begin(), comment.end(), L'\t', L' ');
  std::replace(comment.begin(), comment.end(), L'=', L':');
  if (comment == row.substr(0, tab)) return;
  m_results.m_list.Replace(i, comment + L"\t=" + row.substr(equals + 1));
  m_results.m_comments[static_cast<size_t>(i)] = !comment.empty();
}

void Calculator::ClearAllResults() {
  m_results.m_tapes.clear();
  m_results.m_comments.clear();
  m_results.m_list.Clear();
  m_resultIndex = -1;
  ClearTape();
  m_results.m_total.clear();
}

void Calculator::TakeResultEntry() {
  const auto value = m_numbers.RowValue(m_results.List().Rows(), m_results.Selected(), L'=');
  if (!value) return;
  StartNewIfClosed();
  WriteEntry(m_numbers.FormatResult(*value));
  CaretToEnd();
}

void Calculator::MoveTotalIntoEntry() {
  StartNewIfClosed();
  SetEntryText(m_numbers.CleanNumber(m_results.m_total));
  CaretToEnd();
}

void Calculator::CopyTotal() { m_host.SetText(m_numbers.CleanNumber(m_results.m_total)); }

}  // namespace tallyman
