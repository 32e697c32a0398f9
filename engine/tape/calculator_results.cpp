// Commands of the results list: select, return to a calculation, delete, comment, clear, take.
#include "engine/core/text_file.h"
#include "engine/tape/calculator.h"

namespace tallyman {

void Calculator::SelectResult(long index) {
  const Notice notice(*this);
  m_results.Select(index);
}

void Calculator::GoToResult() {
  const Notice notice(*this);
  const long i = m_results.Selected();
  if (i < 0) return;
  if (!m_deleting) CloseCalculation();
  m_results.Select(i);
  m_resultIndex = i;
  m_tape.Assign(SplitLines(m_results.TapeTexts()[static_cast<size_t>(i)]));
  ModifyTape(L'\0', L'\0', 0);
  m_deleting = false;
}

void Calculator::DeleteResult() {
  const Notice notice(*this);
  const long i = m_results.Selected();
  if (i < 0) return;
  CloseCalculation();
  m_deleting = true;
  m_results.Remove(i);
  if (m_results.Empty()) {
    ClearAllResults();
    m_deleting = false;
    return;
  }
  CheckTotalLimit();
  m_resultIndex = m_results.Count() - 1;
  m_results.Select(m_resultIndex);
  GoToResult();
}

void Calculator::CommentResult(const Text& text) {
  const Notice notice(*this);
  m_results.Comment(m_results.Selected(), text);
}

void Calculator::ClearAllResults() {
  const Notice notice(*this);
  m_results.Clear();
  m_resultIndex = -1;
  ClearTape();
}

void Calculator::TakeResultEntry() {
  const Notice notice(*this);
  const auto value = m_results.Value(m_results.Selected());
  if (!value) return;
  StartNewIfClosed();
  WriteEntry(m_numbers.FormatResult(*value));
  CaretToEnd();
}

void Calculator::MoveTotalIntoEntry() {
  const Notice notice(*this);
  StartNewIfClosed();
  SetEntryText(m_numbers.CleanNumber(m_results.Total()));
  CaretToEnd();
}

void Calculator::CopyTotal() {
  m_host.SetText(m_numbers.CleanNumber(m_results.Total()));
}

}  // namespace tallyman
