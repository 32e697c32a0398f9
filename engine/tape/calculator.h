#pragma once
// The calculator model behind the main window, with no window.
//
//   tape (RowList)          rows: start row "\t=v", operation rows "+x\t=r", a pending sign "+"
//   entry (EntryLine)       the entry line Ed: text, selection, caret
//   S1, S2                  the sign displays; with the last tape row they are the whole state:
//                           (none, none) empty tape; (none, sign) sign just chosen;
//                           (sign, none) operand being typed; ('=', none) calculation closed
//   results (Results)       one entry per closed calculation, with its tape text and a total
//   memory                  ten named slots
//
// Keys, clipboard work and tape changes come in as operations; messages, beeps and the clipboard
// leave through CalculatorHost. The window shows this state and forwards input; it does no
// arithmetic of its own.
#include <filesystem>
#include <optional>
#include <vector>

#include "engine/core/host.h"
#include "engine/core/memory_slot.h"
#include "engine/core/number_text.h"
#include "engine/settings/paths.h"
#include "engine/tape/entry_line.h"
#include "engine/tape/results.h"
#include "engine/tape/state_observer.h"
#include "engine/tape/tape.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {

class NumberWords;

// Keys of the entry line other than printable characters.
inline constexpr wchar_t kKeyEnter = L'\r';
inline constexpr wchar_t kKeyEscape = L'\x1b';
inline constexpr wchar_t kKeyBackspace = L'\b';

// Commands of the pop-up menus that are offered only in some states.
enum class MenuCommand {
  kEditRow,    // change the selected row
  kInsertRow,  // insert a row before the selected one
  kDeleteRow,
  kTakeOperand,  // F6
  kTakeResult,   // F7
  kSaveTape,
  kClearTape,
  kResultsEntry,  // the commands of the results list's pop-up menu, all needing an entry
  kNumberToText,  // S: the entry's number in words onto the clipboard
};

// What the row dialog shows as it opens.
struct RowDialogSetup {
  bool showSign = false;  // inserting, or changing a row after the start row
  wchar_t sign = L'+';    // the row's own sign when changing, else "+"
  Text operand;           // the value to change, without grouping; empty when inserting
  long row = 0;           // the selected row, 1-based
  long count = 0;         // rows on the tape
};

// Where a value dropped on the entry line comes from.
enum class DropSource { kTapeOperand, kTapeResult, kResultsEntry, kTotal };

class Calculator {
 public:
  Calculator(const Locale& locale, CalculatorHost& host);
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  // --- state ---
  const RowList& Tape() const { return m_tape; }
  const EntryLine& Entry() const { return m_entry; }
  wchar_t S1() const { return m_s1; }  // L'\0' when empty
  wchar_t S2() const { return m_s2; }
  const Results& ResultsList() const { return m_results; }
  const NumberText& Numbers() const { return m_numbers; }
  const MemorySlots& Memory() const { return m_memory; }
  bool English() const { return m_english; }
  void SetEnglish(bool english) { m_english = english; }

  void SetTapeObserver(ListObserver* observer) { m_tape.SetObserver(observer); }
  void SetResultsObserver(ListObserver* observer) { m_results.SetObserver(observer); }
  // Observers of the entry line, the signs, the total and the results index (see StateObserver).
  void AddStateObserver(StateObserver* observer);
  void RemoveStateObserver(StateObserver* observer);

  // --- the entry line ---
  // A character typed in the entry line (digits, separators, operation keys, Enter, space, "%").
  void KeyPress(wchar_t key);
  // The window edited the entry itself (Backspace, Delete, undo, cut...): take its new text and
  // selection and apply the text-change rule.
  void SetEntryFromEditor(const Text& text, long selectionStart, long selectionLength);
  void SetEntrySelection(long selectionStart, long selectionLength);
  void SelectAllEntry();
  void Percentage();  // space, "%", PageUp
  void SignChange();  // F9
  void CaretToEnd();

  // --- operations of the window ---
  void ClearTape();  // Ctrl+Del
  void CloseCalculation();
  void TakeMemoryCell(int slot);  // Ctrl+0..9
  // The memory slots (index 0..9, others ignored); a change is told to the state observers.
  void StoreSlot(int index, Number value, wchar_t sign);  // the name stays
  void RenameSlot(int index, const Text& name);
  void EmptySlot(int index);              // the name stays, so it comes back with the next value
  void CopyResult();                      // C, Ctrl+C, Ctrl+Ins in the entry
  void PasteByKey();                      // Ctrl+V, Shift+Ins in the entry
  void PasteSelection(const Text& text);  // a middle click: the desktop's selected text
  void EditCut();                         // the entry's pop-up menu
  void EditCopy();
  void EditPaste();
  void SetPrecision(int digits, int resOut);  // precision dialog confirmed: recomputes when changed
  // S: the entry text followed directly by its words goes to the clipboard. An empty entry does
  // nothing; a text the words cannot be written for says why (or nothing) and leaves the clipboard.
  void NumberToClipboard(NumberWords& words);
  // A result of the formula window: after "=" it starts a new calculation; the entry shows it in
  // the result format (empty past the 18-digit limit, without a message) with the caret at its start.
  void TakeFormulaResult(Number value);

  // --- the tape ---
  void SelectRow(long index);
  bool CanEditSelectedRow() const;            // a row longer than one character is selected
  bool IsEnabled(MenuCommand command) const;  // offered in the pop-up menu now
  // The value the row dialog opens with (operand, or start value for the first row).
  std::optional<Number> SelectedRowDialogValue() const;
  // What the row dialog opens with to change the selected row or insert before it; nullopt when
  // no row longer than one character is selected. A value past the 18-digit limit says so and
  // gives "".
  std::optional<RowDialogSetup> OpenRowDialog(bool insert);
  // The row dialog was confirmed with `sign` and the operand text; false when the text is zero or
  // no number ("The zero is not meaningful!") or past the 18-digit limit: the dialog stays open.
  // Nothing happens unless a row longer than one character is selected.
  bool ConfirmRowDialog(bool insert, wchar_t sign, const Text& operandText);
  void DeleteSelectedRow();  // Delete in the tape
  void TakeOperand();        // F6
  void TakeResult();         // F7
  // A value dropped or taken into the entry line (drag and drop of a row or a results entry).
  void TakeValueIntoEntry(Number value, bool withLimitMessage);
  // A drag from the tape, the results list or the total dropped on the entry line.
  void DropIntoEntry(DropSource source);
  // Load a tape file (menu, dropped file): the current calculation is recorded first. A missing
  // file does nothing; an invalid one says "File error!" and leaves the tape as it was.
  void LoadTapeFile(const std::filesystem::path& path);
  // Save: the calculation is closed first, then the rows are written; false when the write failed.
  bool SaveTapeFile(const std::filesystem::path& path);
  // The automatic copy: written when the entry line changed since the last copy and the tape has
  // rows, after making the program's folders; write errors are ignored (the previous copy stays
  // intact). Nothing is made or written otherwise.
  void AutoSave(const ProgramPaths& paths);

  // --- the results list ---
  void SelectResult(long index);
  void GoToResult();    // F8: bring the selected entry back onto the tape
  void DeleteResult();  // Delete in the results list
  // The comment dialog was confirmed with `text` for the selected entry.
  void CommentResult(const Text& text);
  void ClearAllResults();     // after the confirmation question
  void TakeResultEntry();     // F7 in the results window
  void MoveTotalIntoEntry();  // the total dragged or moved into the entry line
  void CopyTotal();

  // ModifyTape with one of 'd', 'n', 'e' or '\0' (recompute); see also LoadTapeFile.
  void ModifyTape(wchar_t command, wchar_t sign, Number value);

 private:
  // Held by every operation: the outermost one tells the state observers what it changed.
  class Notice {
   public:
    explicit Notice(Calculator& calculator);
    ~Notice();
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

   private:
    Calculator& m_calc;
    bool m_outermost;
    EntryLine m_entry;
    wchar_t m_s1 = L'\0';
    wchar_t m_s2 = L'\0';
    Text m_total;
    long m_resultIndex = -1;
    MemorySlots m_memory;
  };

  // The states the sign displays show, beside the empty start.
  bool Closed() const { return m_s1 == L'=' && m_s2 == L'\0'; }       // a result closed the calculation
  bool SignPending() const { return m_s1 == L'\0' && IsSign(m_s2); }  // a sign waits for its operand
  bool OperandOpen() const { return IsSign(m_s1) && m_s2 == L'\0'; }  // the operand after a sign is typed

  // implementation in calculator.cpp and its companions
  void SetSign(wchar_t rowSign, wchar_t left, wchar_t right);
  void DropPendingSign();
  bool AppendOperand(Number x);
  void WriteEntry(const Text& text);    // programmatic write, with EntryWriting set
  void SetEntryText(const Text& text);  // any write: applies the text-change rule
  void OnEntryChanged();
  void TypeIntoEntry(wchar_t c);
  void OperationKey(wchar_t key);
  void RefuseKey();
  void Message(const wchar_t* pair);
  void LimitMessage();
  Text FormatCalcWithLimit(Number value);
  Text FormatResultWithLimit(Number value);
  void CheckTotalLimit();  // the total past the 18-digit limit says so
  void AfterSuccessfulChange(wchar_t command, long rememberedSelection);
  // A value taken after "=" starts a new calculation.
  void StartNewIfClosed();
  void NextResultSlot();
  void Close(bool appendEntry);
  void EmptyEntryIfOperandStarts();
  void TakeRowValue(wchar_t delimiter);
  void ReplaceEntrySelection(const Text& text);
  void PasteNumber(const Text& cleaned);  // by key or selection: a new calculation after "="
  std::optional<Number> EntryNumber() const { return m_numbers.TextToNumber(m_entry.text); }

  CalculatorHost& m_host;
  NumberText m_numbers;
  RowList m_tape;
  EntryLine m_entry;
  wchar_t m_s1 = L'\0';
  wchar_t m_s2 = L'\0';
  Results m_results;
  long m_resultIndex = -1;
  bool m_entryWriting = false;
  bool m_entryChanged = false;
  bool m_deleting = false;
  bool m_english = false;
  MemorySlots m_memory;
  std::vector<StateObserver*> m_stateObservers;
  int m_noticeDepth = 0;
};

}  // namespace tallyman
