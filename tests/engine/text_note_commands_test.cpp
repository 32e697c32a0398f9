#include <gtest/gtest.h>

#include "engine/formula/evaluate.h"
#include "engine/text/note_commands.h"
#include "tests/engine/text_test_support.h"

namespace tallyman {
namespace {

using testing_text::RecordingSink;

// One notebook with a locale, the default precision and a fixed clock.
struct Notebook {
  explicit Notebook(Locale l, bool isEnglish = false)
      : locale(std::move(l)), numbers(locale), words(locale), english(isEnglish) {}
  NoteContext Context() {
    return {locale, numbers, words, *EncodeDateTime({2026, 7, 15, 14, 30, 0, 0}), english, sink};
  }

  // The text after the command's edit, or the text unchanged.
  Text Apply(const Text& text, const NoteCommandResult& result) {
    if (!result.edit) return text;
    Text out = text;
    out.replace(result.edit->replace.start, result.edit->replace.length, result.edit->insert);
    return out;
  }
  Text Calc(const Text& text, NoteSelection selection, bool timeMode = false) {
    return Apply(text, CalcSelection(text, selection, timeMode, Context()));
  }

  Locale locale;
  NumberText numbers;
  NumberWords words;
  bool english;
  RecordingSink sink;
};

NoteSelection CaretAt(size_t position) {
  return {position, 0};
}
NoteSelection CaretAtEnd(const Text& text) {
  return {text.size(), 0};
}

struct AtCaretCase {
  const wchar_t* text;
  NoteSelection selection;
  const wchar_t* expression;
  NoteSelection expected;
};

TEST(ExpressionAtCaret, SelectionOrTheTextBeforeTheCaret) {
  const AtCaretCase cases[] = {
      // clang-format off
      {L"x = 2+3", {7, 0}, L"2+3", {4, 3}},
      {L"12*3", {4, 0}, L"12*3", {0, 4}},
      {L"12*3= ", {6, 0}, L"12*3=", {0, 6}},  // the stretch ends at the caret
      {L"1+1\n2*3", {7, 0}, L"2*3", {4, 3}},
      {L"1+1\n2*3", {3, 0}, L"1+1", {0, 3}},
      {L"a=1=2", {5, 0}, L"2", {4, 1}},
      {L"12*3", {0, 0}, L"", {0, 0}},
      {L"  ", {2, 0}, L"", {2, 0}},
      {L"x  7*6 = y", {3, 6}, L"7*6 =", {3, 5}},
      // clang-format on
  };
  for (const auto& c : cases) {
    const auto at = ExpressionAtCaret(c.text, c.selection);
    EXPECT_EQ(at.expression, c.expression) << c.text;
    EXPECT_EQ(at.selection.start, c.expected.start) << c.text;
    EXPECT_EQ(at.selection.length, c.expected.length) << c.text;
  }
}

struct CalcCase {
  const wchar_t* text;
  NoteSelection selection;
  const wchar_t* after;
};

TEST(CalcSelection, FormulasAndBasesInRussianLocale) {
  const CalcCase cases[] = {
      {L"12*3", {4, 0}, L"12*3=36"},
      {L"12*3=", {5, 0}, L"12*3=36"},
      {L"x = 2+3", {7, 0}, L"x = 2+3=5"},
      {L"x  7*6 = y", {3, 6}, L"x  7*6 = 42y"},
      {L"0", {1, 0}, L"0=0h=0b"},
      {L"255", {3, 0}, L"255=FFh=11111111b"},
      {L"255=", {4, 0}, L"255=FFh=11111111b"},
      {L"$1F", {3, 0}, L"$1F=31=11111b"},
      {L"101b", {4, 0}, L"101b=5=5h"},
      {L"1e5", {3, 0}, L"1e5=485=111100101b"},
      {L"1,5*2", {5, 0}, L"1,5*2=3"},
      {L"1+1\n2*3", {7, 0}, L"1+1\n2*3=6"},
      {L"1+1\n2*3", {3, 0}, L"1+1=2\n2*3"},
      {L"10/3", {4, 0}, L"10/3=3,3333"},
      {L"", {0, 0}, L""},
      {L"12*3", {0, 0}, L"12*3"},
  };
  for (const auto& c : cases) {
    Notebook note(Locale::Russian());
    EXPECT_EQ(note.Calc(c.text, c.selection), c.after) << c.text;
    EXPECT_TRUE(note.sink.messages.empty()) << c.text;
  }
}

TEST(CalcSelection, FormulasInEnglishLocale) {
  const CalcCase cases[] = {
      {L"1.5*2", {5, 0}, L"1.5*2=3"},
      {L"1000*1000", {9, 0}, L"1000*1000=1,000,000"},
      {L"10/4", {4, 0}, L"10/4=2.5"},
  };
  for (const auto& c : cases) {
    Notebook note(Locale::English(), true);
    EXPECT_EQ(note.Calc(c.text, c.selection), c.after) << c.text;
  }
}

TEST(CalcSelection, EvaluationErrorMovesTheCaretAndChangesNothing) {
  const CalcCase cases[] = {
      {L"x = 2+*3", {8, 0}, L""},
      {L"(1+2", {4, 0}, L""},
      {L"  5/0  ", {1, 6}, L""},
  };
  for (const auto& c : cases) {
    Notebook note(Locale::Russian());
    const Text text = c.text;
    const auto result = CalcSelection(text, c.selection, false, note.Context());
    const auto at = ExpressionAtCaret(text, c.selection);
    const EvalResult expected = Evaluate(at.expression, note.locale);
    ASSERT_GT(expected.errCode, FormulaError::kNone) << c.text;
    EXPECT_FALSE(result.edit) << c.text;
    ASSERT_TRUE(result.select) << c.text;
    EXPECT_EQ(result.select->start, at.selection.start + static_cast<size_t>(expected.errPos) - 1) << c.text;
    EXPECT_EQ(result.select->length, 0u);
    ASSERT_EQ(note.sink.messages.size(), 1u) << c.text;
    EXPECT_EQ(note.sink.messages[0], EvalErrorMessage(expected.errCode, false));
  }
}

struct GroupingCalcCase {
  const wchar_t* text;
  const wchar_t* after;  // empty: refused as a wrong number, the caret on the separator
  size_t separator;
};

TEST(CalcSelection, AGroupingSeparatorBetweenDigitsOnlyBeforeThreeDigits) {
  const GroupingCalcCase cases[] = {
      // clang-format off
      {L"1234,5", L"", 4},
      {L"x = 2*1,5", L"", 7},
      {L"1,234,56+1", L"", 5},
      {L"1,234.5*2", L"1,234.5*2=2,469", 0},
      {L"1,000,000/1,000", L"1,000,000/1,000=1,000", 0},
      {L"2*,5", L"", 2},
      {L"1, 5", L"", 1},
      {L"2 ,+3", L"2 ,+3=5", 0},  // no digit follows: a blank, as in every formula
      // clang-format on
  };
  for (const auto& c : cases) {
    Notebook note(Locale::English());
    const Text text = c.text;
    const auto result = CalcSelection(text, CaretAtEnd(text), false, note.Context());
    if (*c.after) {
      EXPECT_EQ(note.Apply(text, result), c.after) << c.text;
      EXPECT_TRUE(note.sink.messages.empty()) << c.text;
      continue;
    }
    EXPECT_FALSE(result.edit) << c.text;
    ASSERT_TRUE(result.select) << c.text;
    EXPECT_EQ(result.select->start, c.separator) << c.text;
    EXPECT_EQ(note.sink.messages, std::vector<Text>{EvalErrorMessage(FormulaError::kWrongNumber, false)}) << c.text;
  }
}

TEST(CalcSelection, ResultsThatCannotBeShownInsertNothing) {
  Notebook note(Locale::Russian());
  EXPECT_EQ(note.Calc(L"999999999999*999999999", {22, 0}), L"999999999999*999999999");
  ASSERT_EQ(note.sink.messages.size(), 1u);
  EXPECT_EQ(note.sink.messages[0], L"Limit = 18 digits!");

  Notebook english(Locale::English(), true);
  EXPECT_EQ(english.Calc(L"99999999999999999999", {20, 0}), L"99999999999999999999");
  ASSERT_EQ(english.sink.messages.size(), 1u);
  EXPECT_EQ(english.sink.messages[0], L"The number \"99999999999999999999\" does not fit in 64 bits");
}

TEST(InsertFormulaResult, GoesBehindTheSelectionAfterAnEqualsSignOrSaysItIsTooLong) {
  struct InsertCase {
    const wchar_t* text;
    NoteSelection selection;
    Number value;
    const wchar_t* after;
  };
  const InsertCase cases[] = {
      // clang-format off
      {L"a 2*3 b", {2, 3}, 6.0L, L"a 2*3=6 b"},
      {L"a 2*3= b", {2, 4}, 6.0L, L"a 2*3=6 b"},
      {L"a 2*3 = b", {2, 5}, 6.0L, L"a 2*3 =6 b"},    // blanks before a closing "=" are the user's
      {L"a 2*3 b", {2, 4}, 6.0L, L"a 2*3 =6b"},       // trailing blanks selected: the sign still comes
      {L"a 2*3 b", CaretAt(0), -1.5L, L"-1,5a 2*3 b"},  // no selection: the value alone
      {L"a 2*3 b", {2, 5}, 999999999999999999.0L,
       L"a 2*3 b=999\u00A0999\u00A0999\u00A0999\u00A0999\u00A0999"},
      // clang-format on
  };
  for (const InsertCase& c : cases) {
    Notebook note(Locale::Russian());
    EXPECT_EQ(note.Apply(c.text, InsertFormulaResult(c.text, c.selection, c.value, note.Context())), c.after) << c.text;
    EXPECT_TRUE(note.sink.messages.empty());
  }

  Notebook note(Locale::Russian());
  const Text text = L"a 2*3 b";
  const NoteCommandResult tooLong = InsertFormulaResult(text, {2, 3}, 1e18L, note.Context());
  EXPECT_FALSE(tooLong.edit);
  ASSERT_TRUE(tooLong.select);
  EXPECT_EQ(tooLong.select->start, 5u);
  EXPECT_EQ(tooLong.select->length, 0u);
  ASSERT_EQ(note.sink.messages.size(), 1u);
  EXPECT_EQ(note.sink.messages[0], L"Limit = 18 digits!");
}

TEST(CalcSelection, TimeMode) {
  struct TimeCase {
    const wchar_t* text;
    NoteSelection selection;
    bool english;
    const wchar_t* after;
  };
  const TimeCase cases[] = {
      {L"1:30 + 0:45", {0, 11}, false, L"1:30 + 0:45=2:15:00"},
      {L"8:45 - 7:30=", {12, 0}, false, L"8:45 - 7:30=1:15:00"},
      {L"01.03.2024 - 01.02.2024", {23, 0}, false, L"01.03.2024 - 01.02.2024=0 лет 1 мес. 0 дней=29"},
      {L"01.03.2024 - 01.02.2024", {23, 0}, true, L"01.03.2024 - 01.02.2024=0 years 1 months 0 days=29"},
      {L"5 / 0", {5, 0}, false, L"5 / 0"},
  };
  for (const auto& c : cases) {
    Notebook note(Locale::Russian(), c.english);
    EXPECT_EQ(note.Calc(c.text, c.selection, true), c.after) << c.text;
  }
}

TEST(WordsForSelection, InsertsAndOptionallyCopies) {
  Notebook note(Locale::Russian());
  const Text text = L"Итого 1234,5";
  const auto result = WordsForSelection(text, {6, 6}, true, note.Context());
  EXPECT_EQ(note.Apply(text, result), L"Итого 1234,5 руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)");
  ASSERT_TRUE(result.clipboard);
  EXPECT_EQ(*result.clipboard, L"1234,5 руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)");

  const auto plain = WordsForSelection(L"21", CaretAt(2), false, note.Context());
  EXPECT_EQ(note.Apply(L"21", plain), L"21 руб. (Двадцать один рубль 00 копеек)");
  EXPECT_FALSE(plain.clipboard);

  Notebook english(Locale::English(), true);
  const auto dollars = WordsForSelection(L"x = 12.5", CaretAtEnd(L"x = 12.5"), true, english.Context());
  EXPECT_EQ(english.Apply(L"x = 12.5", dollars), L"x = 12.5 (Twelve Dollars and 50 Cents)");
  EXPECT_EQ(*dollars.clipboard, L"12.5 (Twelve Dollars and 50 Cents)");
}

TEST(WordsForSelection, NothingForNonNumbers) {
  Notebook note(Locale::Russian());
  const auto words = WordsForSelection(L"обед", CaretAt(4), true, note.Context());
  EXPECT_FALSE(words.edit);
  EXPECT_FALSE(words.clipboard);
  const auto refused = WordsForSelection(L"1-2", CaretAt(3), true, note.Context());
  EXPECT_FALSE(refused.edit);
  EXPECT_EQ(note.sink.messages.size(), 1u);
}

TEST(ConvertSelection, SelectionOrWholeText) {
  const Text text = L"Щука и ёж";
  const auto whole = ConvertSelection(text, CaretAt(3), NoteConversion::RusToTransLit);
  ASSERT_TRUE(whole.edit);
  EXPECT_EQ(whole.edit->replace.start, 0u);
  EXPECT_EQ(whole.edit->replace.length, text.size());
  EXPECT_EQ(whole.edit->insert, L"Shhuka i jozh");

  const auto part = ConvertSelection(text, {7, 2}, NoteConversion::RusToTransLit);
  ASSERT_TRUE(part.edit);
  EXPECT_EQ(part.edit->replace.start, 7u);
  EXPECT_EQ(part.edit->insert, L"jozh");

  EXPECT_EQ(ConvertNoteText(L"Shhuka", NoteConversion::TransLitToRus), L"Щука");
  EXPECT_FALSE(ConvertSelection(L"", CaretAt(0), NoteConversion::KoiToWin).edit);
}

TEST(NoteDateTimeText, ShortDateThreeBlanksAndTwoDigitTime) {
  EXPECT_EQ(NoteDateTimeText(*EncodeDateTime({2026, 7, 5, 9, 3, 7, 0}), Locale::Russian()), L"05.07.2026   09:03:07");
  EXPECT_EQ(NoteDateTimeText(*EncodeDateTime({2026, 12, 31, 23, 59, 59, 0}), Locale::English()),
            L"12/31/2026   23:59:59");
}

}  // namespace
}  // namespace tallyman
