// Closing a calculation, the results list it records into, and the ways values enter the entry
// line from elsewhere: memory slots, the clipboard, rows and results entries.
#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {

void Calculator::CloseCalculation() { Close(true); }

void Calculator::Close(bool appendEntry) {
  if (appendEntry && IsSign(m_s1) && !m_entry.text.empty()) {
    const auto x = EntryNumber();
    if (x && *x != 0) AppendOperand(*x);
  }
  DropPendingSign();
  if (m_tape.Empty()) return;
  const auto p = m_numbers.RowValue(m_tape.Last(), L'=');
  if (!p) return;
  m_s1 = L'=';
  m_s2 = L'\0';
  WriteEntry(FormatResultWithLimit(*p));
  CaretToEnd();

  const long count = m_tape.Count();
  Text description = L"--->";
  if (count >= 2) {
    description = L"???";
    if (const auto q = m_numbers.RowValue(m_tape.Rows(), count - 2, L'=')) {
      description = m_numbers.FormatCalc(*q);
      if (const auto x = m_numbers.RowValue(m_tape.Last(), L'\t')) {
        description += m_tape.Last()[0] + m_numbers.FormatCalc(*x);
      }
    }
  }

  Text tapeText = JoinLinesCrLf(m_tape.Rows());
  auto& tapes = m_results.m_tapes;
  if (m_resultIndex < 0 || m_resultIndex >= static_cast<long>(tapes.size())) {
    tapes.push_back(std::move(tapeText));
  } else {
    tapes[static_cast<size_t>(m_resultIndex)] = std::move(tapeText);
  }

  RowList& list = m_results.m_list;
  const Text value = L"\t=" + m_numbers.FormatResult(*p);
  if (m_resultIndex < 0 || m_resultIndex >= list.Count()) {
    list.Append(description + value);
    m_results.m_comments.push_back(false);
    m_resultIndex = list.Count() - 1;
  } else {
    if (m_results.IsComment(m_resultIndex)) {
      const Text& row = list.Row(m_resultIndex);
      const size_t tab = row.find(L'\t');
      description = tab == Text::npos ? L"???" : row.substr(0, tab);
    }
    list.Replace(m_resultIndex, description + value);
  }
  list.Select(m_resultIndex);
  UpdateResultsTotal();
}

void Calculator::UpdateResultsTotal() {
  m_results.m_total.clear();
  Number sum = 0;
  RowList& list = m_results.m_list;
  for (long i = 0; i < list.Count(); ++i) {
    const Text& row = list.Row(i);
    if (row.empty()) return;
    const size_t equals = row.find(L'=');
    if (equals == Text::npos) continue;
    const auto value = m_numbers.TextToNumber(TextView(row).substr(equals + 1));
    if (!value) continue;
    list.Replace(i, row.substr(0, equals + 1) + m_numbers.FormatCalc(*value));
    sum += *value;
  }
  if (!list.Empty()) m_results.m_total = FormatResultWithLimit(sum);
}

void Calculator::StartNewIfClosed() {
  if (m_s1 == L'=' && m_s2 == L'\0') {
    CloseCalculation();
    ClearTape();
  }
}

void Calculator::TakeMemoryCell(int slot) {
  if (slot >= 0 && slot < static_cast<int>(m_memory.size()) && m_memory[static_cast<size_t>(slot)].value != 0) {
    const MemorySlot cell = m_memory[static_cast<size_t>(slot)];
    if (IsSign(cell.sign)) OperationKey(cell.sign);
    StartNewIfClosed();
    WriteEntry(FormatCalcWithLimit(cell.value));
    OperationKey(L'=');
  }
  CaretToEnd();
}

void Calculator::CopyResult() {
  CloseCalculation();
  m_host.SetText(m_numbers.CleanNumber(m_entry.text));
}

void Calculator::PasteByKey() {
  const Text cleaned = m_numbers.CleanNumber(m_host.GetText().value_or(Text()));
  if (!m_numbers.ReadFloat(cleaned)) {
    Message(pairs::kWrongClipboardNumber);
    return;
  }
  m_host.SetText(cleaned);
  PasteNumber(cleaned);
}

// The selection is whatever was last highlighted anywhere, and a middle click is easily made by
// chance: text that is no number is passed over without a message.
void Calculator::PasteSelection(const Text& text) {
  const Text cleaned = m_numbers.CleanNumber(text);
  if (m_numbers.ReadFloat(cleaned)) PasteNumber(cleaned);
}

void Calculator::PasteNumber(const Text& cleaned) {
  if (!m_entryWriting) StartNewIfClosed();
  EmptyEntryIfOperandStarts();
  ReplaceEntrySelection(cleaned);
}

// Just after a sign the entry still shows the previous number: a pasted operand replaces it, as
// a typed one does, instead of being joined to it.
void Calculator::EmptyEntryIfOperandStarts() {
  if (m_s1 == L'\0' && IsSign(m_s2)) SetEntryText(Text());
}

void Calculator::EditCut() {
  const Text former = m_entry.text;
  m_entry.DeleteSelection();
  OnEntryChanged();
  m_host.SetText(m_numbers.CleanNumber(former));
}

void Calculator::EditCopy() { m_host.SetText(m_numbers.CleanNumber(m_entry.text)); }

void Calculator::EditPaste() {
  const Text cleaned = m_numbers.CleanNumber(m_host.GetText().value_or(Text()));
  if (!m_numbers.ReadFloat(cleaned)) {
    Message(pairs::kWrongClipboardNumber);
    return;
  }
  if (m_s1 == L'=' && m_s2 == L'\0') {
    if (!m_entryWriting) {
      CloseCalculation();
      ClearTape();
    }
    SetEntryText(cleaned);
  } else {
    EmptyEntryIfOperandStarts();
    ReplaceEntrySelection(cleaned);
  }
}

void Calculator::TakeValueIntoEntry(Number value, bool withLimitMessage) {
  StartNewIfClosed();
  WriteEntry(withLimitMessage ? FormatCalcWithLimit(value) : m_numbers.FormatCalc(value));
  CaretToEnd();
}

void Calculator::TakeOperand() { TakeRowValue(L'\t'); }

void Calculator::TakeResult() { TakeRowValue(L'='); }

void Calculator::TakeRowValue(wchar_t delimiter) {
  const auto value = m_numbers.RowValue(m_tape.Rows(), m_tape.Selected(), delimiter);
  if (!value) return;
  StartNewIfClosed();
  WriteEntry(FormatResultWithLimit(*value));
  CaretToEnd();
}

}  // namespace tallyman
