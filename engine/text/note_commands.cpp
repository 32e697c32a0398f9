#include "engine/text/note_commands.h"

#include <algorithm>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/formula/evaluate.h"
#include "engine/formula/number_literal.h"
#include "engine/text/base_conversion.h"
#include "engine/text/code_page_repair.h"
#include "engine/text/text_helpers.h"
#include "engine/text/time_calc.h"
#include "engine/text/transliteration.h"

namespace tallyman {
namespace {

NoteCommandResult InsertAt(size_t position, Text text) {
  NoteCommandResult result;
  result.edit = NoteEdit{{position, 0}, std::move(text)};
  return result;
}

// In a formula the thousands separator also parts tokens like a blank ("12 + 3" with a no-break
// space). Where it joins digits into one number, directly or across blanks, it groups them, and
// then only before a group of exactly three digits: "1234,5" is no 12345. The position of the
// first one that groups wrongly, or npos.
size_t MisplacedGrouping(TextView formula, wchar_t thousands) {
  if (thousands <= L' ') return TextView::npos;
  const auto joins = [thousands](wchar_t c) { return c == L' ' || c == thousands; };
  wchar_t before = L' ';  // the last character that is neither a blank nor a separator
  size_t next = 0;        // the first such character after the separator looked at
  for (size_t at = 0; at < formula.size(); ++at) {
    if (formula[at] != thousands) {
      if (formula[at] != L' ') before = formula[at];
      continue;
    }
    if (next <= at) {
      next = at + 1;
      while (next < formula.size() && joins(formula[next])) ++next;
    }
    const bool digitFollows = next < formula.size() && IsDigit(formula[next]);
    const bool groups = digitFollows && (IsDigit(before) || IsDigit(formula[at + 1]));
    if (groups && !BeginsGroupOfThree(formula, at)) return at;
  }
  return TextView::npos;
}

EvalResult EvaluateNote(TextView expression, const Locale& locale) {
  const size_t misplaced = MisplacedGrouping(expression, formula::UsableSeparators(locale).thousands);
  if (misplaced != TextView::npos) return EvalResult{0, static_cast<int>(misplaced) + 1, FormulaError::kWrongNumber};
  return Evaluate(expression, locale);
}

}  // namespace

ExpressionAtCaretResult ExpressionAtCaret(TextView text, NoteSelection selection) {
  ExpressionAtCaretResult out;
  selection.start = std::min(selection.start, text.size());
  selection.length = std::min(selection.length, text.size() - selection.start);
  if (selection.length > 0) {
    const TextView selected = text.substr(selection.start, selection.length);
    const TextView trimmed = TrimBlanks(selected);
    out.expression = Text(trimmed);
    // The selection stays as the user made it; positions inside count from the expression.
    out.selection = {selection.start + static_cast<size_t>(trimmed.data() - selected.data()), trimmed.size()};
    if (trimmed.empty()) out.selection = selection;
    return out;
  }
  const size_t caret = selection.start;
  size_t i = caret;
  bool seenOther = false;
  while (i > 0) {
    const wchar_t c = text[i - 1];
    if (c < 32) break;
    if (!seenOther) {
      seenOther = c != L' ' && c != L'=';
    } else if (c == L'=') {
      break;
    }
    --i;
  }
  const TextView stretch = text.substr(i, caret - i);
  const TextView trimmed = TrimBlanks(stretch);
  out.expression = Text(trimmed);
  const size_t begin = trimmed.empty() ? caret : i + static_cast<size_t>(trimmed.data() - stretch.data());
  out.selection = {begin, caret - begin};
  return out;
}

NoteCommandResult CalcSelection(TextView text, NoteSelection selection, bool timeMode, const NoteContext& context) {
  if (text.empty()) return {};
  const ExpressionAtCaretResult at = ExpressionAtCaret(text, selection);
  if (at.expression.empty()) return {};
  // Insert behind what the user selected, or at the caret.
  const size_t end = selection.length > 0 ? std::min(selection.End(), text.size()) : at.selection.End();

  Text expression = at.expression;
  Text prefix = L"=";
  if (expression.back() == L'=') {
    expression.back() = L' ';
    prefix.clear();
  }

  if (timeMode) {
    const TimeCalculator calculator(context.locale, context.now, context.english);
    const Text result = calculator.TimeCalc(expression, context.sink);
    if (result.empty()) return {};
    return InsertAt(end, prefix + result);
  }

  const Text number = Trimmed(expression);
  const BaseConversion conversion = ConvertBase(number);
  if (conversion.applies) {
    if (conversion.overflow) {
      context.sink.ShowMessage(WithArgument(LangText(pairs::kNotInt64, context.english), number));
      return {};
    }
    return InsertAt(end, prefix + conversion.result);
  }

  const EvalResult evaluated = EvaluateNote(expression, context.locale);
  if (evaluated.errCode != FormulaError::kNone) {
    ShowEvalError(evaluated.errCode, context.english, context.sink);
    NoteCommandResult result;
    const long caret = static_cast<long>(at.selection.start) + evaluated.errPos - 1;
    result.select = NoteSelection{static_cast<size_t>(std::max(0L, caret)), 0};
    return result;
  }
  const auto formatted = context.numbers.Format(evaluated.value, context.numbers.ResOut());
  if (!formatted) {
    // Showing only "=" would look like a result; the message says why there is none.
    context.sink.ShowMessage(pairs::kLimit18Digits);
    return {};
  }
  return InsertAt(end, prefix + *formatted);
}

NoteCommandResult InsertFormulaResult(TextView text, NoteSelection selection, Number value,
                                      const NoteContext& context) {
  selection.start = std::min(selection.start, text.size());
  selection.length = std::min(selection.length, text.size() - selection.start);
  const Text formatted = context.numbers.FormatResult(value);
  if (formatted.empty()) {
    context.sink.ShowMessage(pairs::kLimit18Digits);
    NoteCommandResult result;
    result.select = NoteSelection{selection.End(), 0};
    return result;
  }
  const TextView selected = TrimBlanks(text.substr(selection.start, selection.length));
  const bool needsSign = !selected.empty() && selected.back() != L'=';
  return InsertAt(selection.End(), needsSign ? L"=" + formatted : formatted);
}

NoteCommandResult WordsForSelection(TextView text, NoteSelection selection, bool copy, const NoteContext& context) {
  const ExpressionAtCaretResult at = ExpressionAtCaret(text, selection);
  if (at.expression.empty()) return {};
  const Text words = context.words.NumberToText(at.expression, context.english, context.sink);
  if (words.empty()) return {};
  const size_t end = selection.length > 0 ? std::min(selection.End(), text.size()) : at.selection.End();
  NoteCommandResult result = InsertAt(end, words);
  if (copy) result.clipboard = at.expression + words;
  return result;
}

Text NoteDateTimeText(DateTime now, const Locale& locale) {
  return FormatShortDate(now, locale) + L"   " + FormatTime(now, L"HH:mm:ss", locale.timeSeparator);
}

Text ConvertNoteText(TextView text, NoteConversion conversion) {
  switch (conversion) {
    // clang-format off
    case NoteConversion::RusToTransLit: return RusToTransLit(text);
    case NoteConversion::TransLitToRus: return TransLitToRus(text);
    case NoteConversion::DosToWin: return DosToWin(text);
    case NoteConversion::KoiToWin: return KoiToWin(text);
      // clang-format on
  }
  return Text(text);
}

NoteCommandResult ConvertSelection(TextView text, NoteSelection selection, NoteConversion conversion) {
  selection.start = std::min(selection.start, text.size());
  selection.length = std::min(selection.length, text.size() - selection.start);
  const NoteSelection target = selection.length > 0 ? selection : NoteSelection{0, text.size()};
  const TextView source = text.substr(target.start, target.length);
  if (source.empty()) return {};
  NoteCommandResult result;
  result.edit = NoteEdit{target, ConvertNoteText(source, conversion)};
  return result;
}

}  // namespace tallyman
