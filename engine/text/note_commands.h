#pragma once
// The notebook's text commands as pure functions over its text, selection and caret. Each returns
// the edit the window should make (one undoable replacement), where the caret goes when nothing
// is inserted, and what to put on the clipboard; messages go out through the sink.
#include <optional>

#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/core/number_text.h"
#include "engine/text/date_time.h"
#include "engine/text/number_words.h"

namespace tallyman {

// A selection of [start, start + length); the caret sits at its end, or at start when empty.
struct NoteSelection {
  size_t start = 0;
  size_t length = 0;
  size_t End() const { return start + length; }
};

struct NoteEdit {
  NoteSelection replace;  // replaced by `insert` (an empty stretch inserts at its start)
  Text insert;
};

struct NoteCommandResult {
  std::optional<NoteEdit> edit;         // the undoable edit; the caret then follows the insert
  std::optional<NoteSelection> select;  // the selection to show when no edit is made
  std::optional<Text> clipboard;
};

// What the commands need from the program around them.
struct NoteContext {
  const Locale& locale;
  const NumberText& numbers;  // the results precision formats calculated values
  NumberWords& words;
  DateTime now;  // the local date and time for "today" and "now"
  bool english;  // the interface language
  MessageSink& sink;
};

struct ExpressionAtCaretResult {
  Text expression;          // trimmed; empty when there is nothing to work on
  NoteSelection selection;  // where the expression stands (ends at the caret without a selection)
};

// The selection trimmed, or else the expression before the caret on its line: blanks and "=" right
// before the caret are passed over, then the text back to the previous "=" or the line start.
ExpressionAtCaretResult ExpressionAtCaret(TextView text, NoteSelection selection);

// Calculates the expression (a formula, or a whole number shown in bases 10, 16 and 2; in time
// mode a time or date calculation) and inserts "=" and the result behind it. A trailing "=" of the
// expression is not doubled.
NoteCommandResult CalcSelection(TextView text, NoteSelection selection, bool timeMode, const NoteContext& context);

// A result taken in the formula window goes behind the selection, which is dropped, after an "="
// unless the selection ends with one (blanks aside), so that it reads like F6's result; without a
// selection the value alone goes in at the caret. A value too long to show says so and inserts
// nothing.
NoteCommandResult InsertFormulaResult(TextView text, NoteSelection selection, Number value, const NoteContext& context);

// Inserts the number in words behind the expression; with copy, the expression and the words also
// go to the clipboard.
NoteCommandResult WordsForSelection(TextView text, NoteSelection selection, bool copy, const NoteContext& context);

// The date and time F5 inserts: the locale's short date, three blanks, then hh:mm:ss (24-hour).
Text NoteDateTimeText(DateTime now, const Locale& locale);

// The transliteration and decoding commands of the Decode menu.
enum class NoteConversion { RusToTransLit = 1, TransLitToRus = 2, DosToWin = 3, KoiToWin = 4 };
Text ConvertNoteText(TextView text, NoteConversion conversion);
// Converts the selection, or the whole text when nothing is selected.
NoteCommandResult ConvertSelection(TextView text, NoteSelection selection, NoteConversion conversion);

}  // namespace tallyman
