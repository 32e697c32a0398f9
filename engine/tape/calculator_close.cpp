// Closing a calculation, the results list it records into, and the ways values enter the entry
// line from elsewhere: memory slots, the clipboard, rows and results entries.
#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_rows.h"
#include "engine/text/number_words.h"

namespace tallyman {

void Calculator::CloseCalculation() {
  const Notice notice(*this);
  Close(true);
}

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

  m_resultIndex = m_results.Record(m_resultIndex, description, *p, JoinLinesCrLf(m_tape.Rows()));
  CheckTotalLimit();
}

void Calculator::CheckTotalLimit() {
  if (!m_results.Empty() && m_results.Total().empty()) LimitMessage();
}

void Calculator::StartNewIfClosed() {
  if (Closed()) {
    CloseCalculation();
    ClearTape();
  }
}

void Calculator::TakeMemoryCell(int slot) {
  const Notice notice(*this);
  if (slot >= 0 && slot < static_cast<int>(m_memory.size()) && m_memory[static_cast<size_t>(slot)].value != 0) {
    const MemorySlot cell = m_memory[static_cast<size_t>(slot)];
    if (IsSign(cell.sign)) OperationKey(cell.sign);
    StartNewIfClosed();
    WriteEntry(FormatCalcWithLimit(cell.value));
    OperationKey(L'=');
  }
  CaretToEnd();
}

void Calculator::NumberToClipboard(NumberWords& words) {
  if (m_entry.text.empty()) return;
  const Text spelled = words.NumberToText(m_entry.text, m_english, m_host);
  if (!spelled.empty()) m_host.SetText(m_entry.text + spelled);
}

void Calculator::TakeFormulaResult(Number value) {
  const Notice notice(*this);
  StartNewIfClosed();
  WriteEntry(m_numbers.FormatResult(value));
  m_entry.Select(0, 0);
}

void Calculator::CopyResult() {
  const Notice notice(*this);
  CloseCalculation();
  m_host.SetText(m_numbers.CleanNumber(m_entry.text));
}

void Calculator::PasteByKey() {
  const Notice notice(*this);
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
  if (SignPending()) SetEntryText(Text());
}

void Calculator::EditCut() {
  const Notice notice(*this);
  const Text former = m_entry.text;
  m_entry.DeleteSelection();
  OnEntryChanged();
  m_host.SetText(m_numbers.CleanNumber(former));
}

void Calculator::EditCopy() {
  m_host.SetText(m_numbers.CleanNumber(m_entry.text));
}

void Calculator::EditPaste() {
  const Notice notice(*this);
  const Text cleaned = m_numbers.CleanNumber(m_host.GetText().value_or(Text()));
  if (!m_numbers.ReadFloat(cleaned)) {
    Message(pairs::kWrongClipboardNumber);
    return;
  }
  if (Closed()) {
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
  const Notice notice(*this);
  StartNewIfClosed();
  WriteEntry(withLimitMessage ? FormatCalcWithLimit(value) : m_numbers.FormatCalc(value));
  CaretToEnd();
}

void Calculator::DropIntoEntry(DropSource source) {
  const Notice notice(*this);
  std::optional<Number> value;
  switch (source) {
    case DropSource::kTotal:
      MoveTotalIntoEntry();
      return;
    case DropSource::kResultsEntry:
      value = m_results.Value(m_results.Selected());
      break;
    case DropSource::kTapeOperand:
      value = m_numbers.RowValue(m_tape.Rows(), m_tape.Selected(), L'\t');
      break;
    case DropSource::kTapeResult:
      value = m_numbers.RowValue(m_tape.Rows(), m_tape.Selected(), L'=');
      break;
  }
  if (value) TakeValueIntoEntry(*value, false);
}

void Calculator::TakeOperand() {
  const Notice notice(*this);
  TakeRowValue(L'\t');
}

void Calculator::TakeResult() {
  const Notice notice(*this);
  TakeRowValue(L'=');
}

void Calculator::TakeRowValue(wchar_t delimiter) {
  const auto value = m_numbers.RowValue(m_tape.Rows(), m_tape.Selected(), delimiter);
  if (!value) return;
  StartNewIfClosed();
  WriteEntry(FormatResultWithLimit(*value));
  CaretToEnd();
}

}  // namespace tallyman
