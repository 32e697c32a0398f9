// Changes to rows already on the tape: every change is made on a copy that must recompute
// cleanly before it replaces the tape.
#include <algorithm>
#include <new>

#include "engine/core/lang_pairs.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {

void Calculator::SelectRow(long index) {
  const Notice notice(*this);
  m_tape.Select(index);
}

bool Calculator::CanEditSelectedRow() const {
  const long selected = m_tape.Selected();
  return selected >= 0 && m_tape.Row(selected).size() > 1;
}

std::optional<Number> Calculator::SelectedRowDialogValue() const {
  if (!CanEditSelectedRow()) return std::nullopt;
  const long selected = m_tape.Selected();
  return m_numbers.RowValue(m_tape.Rows(), selected, selected > 0 ? L'\t' : L'=');
}

bool Calculator::IsEnabled(MenuCommand command) const {
  const long selected = m_tape.Selected();
  switch (command) {
    case MenuCommand::kEditRow:
    case MenuCommand::kTakeResult:
      return CanEditSelectedRow();
    case MenuCommand::kInsertRow:
    case MenuCommand::kTakeOperand:
      return selected > 0 && CanEditSelectedRow();
    case MenuCommand::kDeleteRow:
      return selected >= 0;
    case MenuCommand::kSaveTape:
    case MenuCommand::kClearTape:
      return !m_tape.Empty();
    case MenuCommand::kResultsEntry:
      return !m_results.Empty();
    case MenuCommand::kNumberToText:
      return !m_entry.text.empty();
  }
  return false;
}

std::optional<RowDialogSetup> Calculator::OpenRowDialog(bool insert) {
  if (!CanEditSelectedRow()) return std::nullopt;
  const long selected = m_tape.Selected();
  RowDialogSetup setup;
  setup.showSign = insert || selected > 0;
  if (!insert) {
    const auto value = SelectedRowDialogValue();
    if (!value) return std::nullopt;
    if (selected > 0) setup.sign = m_tape.Row(selected)[0];
    setup.operand = m_numbers.CleanNumber(FormatCalcWithLimit(*value));
  }
  setup.row = selected + 1;
  setup.count = m_tape.Count();
  return setup;
}

bool Calculator::ConfirmRowDialog(bool insert, wchar_t sign, const Text& operandText) {
  const Notice notice(*this);
  // A pending sign (or no row at all) is not a row to edit or insert before, whoever asks.
  if (!CanEditSelectedRow()) return true;
  const Text cleaned = m_numbers.CleanNumber(operandText);
  const auto typed = m_numbers.ReadFloat(cleaned);
  if (!typed || *typed == 0 || cleaned.find_first_of(L"eE") != Text::npos) {
    Message(pairs::kZeroNotMeaningful);
    return false;
  }
  if (m_numbers.FormatCalc(*typed).empty()) {
    LimitMessage();
    return false;
  }
  const auto value = m_numbers.TextToNumber(operandText);
  if (value && *value != 0) {
    ModifyTape(insert ? L'n' : L'e', sign, *value);
    CloseCalculation();
  }
  return true;
}

void Calculator::DeleteSelectedRow() {
  const Notice notice(*this);
  ModifyTape(L'd', L'\0', 0);
}

void Calculator::ModifyTape(wchar_t command, wchar_t sign, Number value) {
  const Notice notice(*this);
  const long remembered = m_tape.Selected();
  if (m_tape.Empty()) return;
  if (command == L'd' && m_tape.Count() == 1 && remembered >= 0) {
    ClearTape();
    return;
  }
  std::vector<Text> rows = m_tape.Rows();
  if (remembered >= 0) {
    const auto at = rows.begin() + remembered;
    if (command == L'd') {
      rows.erase(at);
    } else if (command == L'n' || command == L'e') {
      const Text operand = FormatCalcWithLimit(value);
      if (operand.empty()) return;
      if (command == L'n') {
        if (value != 0) rows.insert(at, sign + operand + L"\t=1");  // the result is recomputed below
      } else {
        Text& row = *at;
        if (remembered > 0 && !row.empty()) row[0] = sign;
        if (value != 0) {
          if (remembered > 0) {
            const size_t tab = row.find(L'\t');
            row = row.substr(0, 1) + operand + (tab == Text::npos ? Text() : row.substr(tab));
          } else {
            row = L"\t=" + operand;
          }
        }
      }
    }
  }
  if (!RecalcTape(rows, m_numbers)) {
    Message(pairs::kCalculationError);
    return;
  }
  m_tape.Assign(std::move(rows));
  AfterSuccessfulChange(command, remembered);
}

void Calculator::AfterSuccessfulChange(wchar_t command, long rememberedSelection) {
  m_s2 = L'\0';
  const Text& last = m_tape.Last();
  if (last.size() == 1) {
    m_s1 = last[0];
    SetEntryText(Text());
  } else {
    m_s1 = L'=';
    if (const auto r = m_numbers.RowValue(last, L'=')) {
      WriteEntry(FormatResultWithLimit(*r));
      CloseCalculation();
    }
  }
  if (command == L'd') {
    m_tape.Select(std::min(rememberedSelection, m_tape.Count() - 1));
  } else {
    m_tape.SelectLast();
    CaretToEnd();
  }
}

void Calculator::LoadTapeFile(const std::filesystem::path& path) {
  const Notice notice(*this);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  CloseCalculation();
  std::optional<std::vector<Text>> rows;
  try {
    rows = ReadTapeFile(path);
    if (rows && (!GroupingFits(*rows, m_numbers.ThousandsSeparator()) || !RecalcTape(*rows, m_numbers))) rows.reset();
  } catch (const std::bad_alloc&) {
    // A file too large for the memory left is refused like a broken one; the tape stays.
    rows.reset();
  }
  if (!rows) {
    Message(pairs::kFileError);
    return;
  }
  m_tape.Assign(std::move(*rows));
  NextResultSlot();
  AfterSuccessfulChange(L'\0', -1);
}

bool Calculator::SaveTapeFile(const std::filesystem::path& path) {
  const Notice notice(*this);
  if (m_tape.Empty()) return false;
  CloseCalculation();
  return WriteTapeFile(path, m_tape.Rows());
}

void Calculator::AutoSave(const ProgramPaths& paths) {
  const Notice notice(*this);
  if (!m_entryChanged || m_tape.Empty()) return;
  m_entryChanged = false;
  CreateProgramFolders(paths);
  WriteTapeFile(paths.TapeCopyFile(), m_tape.Rows());
}

void Calculator::SetPrecision(int digits, int resOut) {
  const Notice notice(*this);
  if (digits == m_numbers.Digits() && resOut == m_numbers.ResOut()) return;
  m_numbers.SetPrecision(digits, resOut);
  ModifyTape(L'\0', L'\0', 0);
}

}  // namespace tallyman
