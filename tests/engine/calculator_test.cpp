#include "engine/tape/calculator.h"

#include <gtest/gtest.h>

#include "engine/tape/recording_host.h"
#include "engine/text/number_words.h"

namespace tallyman {
namespace {

struct Fixture {
  explicit Fixture(const Locale& locale = Locale::Russian(), bool english = true) : calc(locale, host) {
    calc.SetEnglish(english);
  }
  Fixture& Keys(const Text& keys) {
    for (wchar_t k : keys) calc.KeyPress(k == L'\n' ? kKeyEnter : k);
    return *this;
  }
  Text Tape() const {
    Text out;
    for (const Text& row : calc.Tape().Rows()) out += row + L"|";
    return out;
  }
  Text Results() const {
    Text out;
    for (const Text& row : calc.ResultsList().List().Rows()) out += row + L"|";
    return out;
  }
  Text Signs() const {
    Text out;
    out += calc.S1() ? calc.S1() : L'_';
    out += calc.S2() ? calc.S2() : L'_';
    return out;
  }
  RecordingHost host;
  Calculator calc;
};

struct KeyCase {
  const wchar_t* name;
  const wchar_t* keys;
  const wchar_t* tape;   // rows joined with "|" after each
  const wchar_t* signs;  // S1 and S2, "_" for empty
  const wchar_t* entry;
  const wchar_t* results;  // results rows joined with "|" after each
  const wchar_t* message;  // the single message shown, or empty
};

// Russian-style locale: "," decimal, U+00A0 grouping.
const KeyCase kRussianCases[] = {
    {L"road of one calculation", L"12+5=", L"\t=12|+5\t=17|", L"=_", L"17", L"12+5\t=17|", L""},
    {L"sign chosen, operand pending", L"12+", L"\t=12|+|", L"_+", L"12", L"", L""},
    {L"digit moves the sign to S1", L"12+5", L"\t=12|+|", L"+_", L"5", L"", L""},
    {L"pending sign dropped by =", L"5+=", L"\t=5|", L"=_", L"5", L"--->\t=5|", L""},
    {L"second sign replaces the pending one", L"10++", L"\t=10|+|", L"_+", L"10", L"", L""},
    {L"sign replaced by another", L"10+*3=", L"\t=10|*3\t=30|", L"=_", L"30", L"10*3\t=30|", L""},
    {L"zero operand is an error", L"10+0=", L"\t=10|", L"=_", L"10", L"--->\t=10|", L"Error!"},
    {L"continue after =", L"2+3=*4=", L"\t=2|+3\t=5|*4\t=20|", L"=_", L"20", L"5*4\t=20|", L""},
    {L"digit after = starts a new tape", L"2+3=7", L"", L"__", L"7", L"2+3\t=5|", L""},
    {L"two calculations, two entries", L"2+3=7*2=", L"\t=7|*2\t=14|", L"=_", L"14", L"2+3\t=5|7*2\t=14|", L""},
    {L"= twice records once", L"2+3==", L"\t=2|+3\t=5|", L"=_", L"5", L"2+3\t=5|", L""},
    {L"single row", L"7=", L"\t=7|", L"=_", L"7", L"--->\t=7|", L""},
    {L"percentage of the running result", L"200+15%=", L"\t=200|+30\t=230|", L"=_", L"230", L"200+30\t=230|", L""},
    {L"a value between -1 and 0 keeps its minus", L"1-1,5*2=", L"\t=1|-1,5\t=-0,5|*2\t=-1|", L"=_", L"-1",
     L"-0,5*2\t=-1|", L""},
    {L"percentage after a division", L"200/15 =", L"\t=200|/0,15\t=1\u00A0333,33333333|", L"=_", L"1\u00A0333,3333",
     L"200/0,15\t=1\u00A0333,3333|", L""},
    {L"percentage as a factor", L"200*15 =", L"\t=200|*0,15\t=30|", L"=_", L"30", L"200*0,15\t=30|", L""},
    {L"letters act as operations", L"6q2e3r4=", L"\t=6|+2\t=8|*3\t=24|/4\t=6|", L"=_", L"6", L"24/4\t=6|", L""},
    {L"Cyrillic letters act as operations", L"6й2ц1у3к2=", L"\t=6|+2\t=8|-1\t=7|*3\t=21|/2\t=10,5|", L"=_", L"10,5",
     L"21/2\t=10,5|", L""},
    {L"decimal keys of both layouts", L"1.5+1б5+2ю5=", L"\t=1,5|+1,5\t=3|+2,5\t=5,5|", L"=_", L"5,5", L"3+2,5\t=5,5|",
     L""},
    {L"second separator in an operand is ignored", L"1+2,5,5=", L"\t=1|+2,55\t=3,55|", L"=_", L"3,55",
     L"1+2,55\t=3,55|", L""},
    {L"second separator in the first number empties it", L"1,2,", L"", L"__", L"", L"", L""},
    {L"division rounds to Digits", L"2/3=", L"\t=2|/3\t=0,66666667|", L"=_", L"0,6667", L"2/3\t=0,6667|", L""},
    {L"grouping in rows", L"1234567+1=", L"\t=1\u00A0234\u00A0567|+1\t=1\u00A0234\u00A0568|", L"=_",
     L"1\u00A0234\u00A0568", L"1\u00A0234\u00A0567+1\t=1\u00A0234\u00A0568|", L""},
    {L"18-digit limit", L"999999999*999999999*999999999*",
     L"\t=999\u00A0999\u00A0999|*999\u00A0999\u00A0999\t=999\u00A0999\u00A0998\u00A0000\u00A0000\u00A0001|*|", L"*_",
     L"999999999", L"", L"Limit = 18 digits!"},
    {L"lone minus never stays", L"-", L"", L"__", L"", L"", L""},
    {L"space after the first number only records it", L"5 3+", L"\t=5|+|", L"_+", L"53", L"", L""},
};

TEST(CalculatorKeys, RussianLocale) {
  for (const KeyCase& c : kRussianCases) {
    Fixture f;
    f.Keys(c.keys);
    EXPECT_EQ(f.Tape(), c.tape) << c.name;
    EXPECT_EQ(f.Signs(), c.signs) << c.name;
    EXPECT_EQ(f.calc.Entry().text, c.entry) << c.name;
    EXPECT_EQ(f.Results(), c.results) << c.name;
    const auto messages = f.host.Messages();
    EXPECT_EQ(messages.empty() ? Text() : messages.front(), c.message) << c.name;
    EXPECT_LE(messages.size(), 1u) << c.name;
  }
}

TEST(CalculatorKeys, EnglishLocale) {
  Fixture f(Locale::English());
  f.Keys(L"1234,5+0.5=");  // a typed "," is the decimal separator too
  EXPECT_EQ(f.Tape(), L"\t=1,234.5|+0.5\t=1,235|");
  EXPECT_EQ(f.calc.Entry().text, L"1,235");
  Fixture g(Locale::English());
  g.host.SetClipboard(L"1.5,5");  // pasted, "," is grouping here: 1.55
  g.calc.PasteByKey();
  EXPECT_EQ(g.calc.Entry().text, L"1.55");
  g.Keys(L"=");
  EXPECT_EQ(g.Tape(), L"\t=1.55|");
}

TEST(CalculatorKeys, RefusedKeyBeepsThreeTimes) {
  Fixture f;
  f.Keys(L"1x");
  EXPECT_EQ(f.host.Beeps(), 3);
  EXPECT_EQ(f.calc.Entry().text, L"1");
}

TEST(CalculatorKeys, RussianMessagesByDefault) {
  Fixture f(Locale::Russian(), false);
  f.Keys(L"10+0=");
  ASSERT_EQ(f.host.Messages().size(), 1u);
  EXPECT_EQ(f.host.Messages()[0], L"Ошибка!");
}

TEST(CalculatorKeys, SelectedEntryWithSignChangesThePendingSign) {
  Fixture f;
  f.Keys(L"10+5");
  f.calc.SelectAllEntry();
  f.Keys(L"*");
  EXPECT_EQ(f.Tape(), L"\t=10|*|");
  EXPECT_EQ(f.Signs(), L"*_");
  EXPECT_EQ(f.calc.Entry().text, L"");
}

TEST(CalculatorKeys, SignChange) {
  Fixture f;
  f.Keys(L"10+5");
  f.calc.SignChange();
  EXPECT_EQ(f.calc.Entry().text, L"-5");
  f.Keys(L"=");
  EXPECT_EQ(f.Tape(), L"\t=10|+-5\t=5|");
  f.calc.SignChange();  // not on a result
  EXPECT_EQ(f.calc.Entry().text, L"5");
}

TEST(CalculatorKeys, BackspaceEditsTheEntry) {
  Fixture f;
  f.Keys(L"123\b\b4");
  EXPECT_EQ(f.calc.Entry().text, L"14");
}

TEST(CalculatorClipboard, CopyAndPaste) {
  Fixture f;
  f.Keys(L"1234,5+1");
  f.calc.CopyResult();
  EXPECT_EQ(f.host.GetText().value(), L"1235,5");
  EXPECT_EQ(f.Signs(), L"=_");
  f.host.SetClipboard(L"1 000,25");
  f.calc.PasteByKey();  // after a result: a new calculation
  EXPECT_EQ(f.calc.Entry().text, L"1000,25");
  EXPECT_TRUE(f.calc.Tape().Empty());
  EXPECT_EQ(f.Results(), L"1\u00A0234,5+1\t=1\u00A0235,5|");
  f.host.SetClipboard(L"abc");
  f.calc.PasteByKey();
  ASSERT_EQ(f.host.Messages().size(), 1u);
  EXPECT_EQ(f.host.Messages()[0], L"Wrong number in clipboard!");
  EXPECT_EQ(f.calc.Entry().text, L"1000,25");
}

TEST(CalculatorClipboard, PasteAfterASignIsTheOperand) {
  Fixture f;
  f.Keys(L"21+");
  f.host.SetClipboard(L"4");
  f.calc.PasteByKey();
  EXPECT_EQ(f.calc.Entry().text, L"4");
  EXPECT_EQ(f.Signs(), L"+_");
  f.Keys(L"*");
  f.host.SetClipboard(L"2");
  f.calc.EditPaste();
  f.Keys(L"=");
  EXPECT_EQ(f.Tape(), L"\t=21|+4\t=25|*2\t=50|");
}

TEST(CalculatorClipboard, SelectionPasteFollowsThePasteRules) {
  struct Case {
    const wchar_t* keys;
    const wchar_t* selection;
    const wchar_t* entry;
    const wchar_t* signs;
    const wchar_t* tape;
  };
  const Case cases[] = {
      {L"12+5=", L"9 9", L"99", L"__", L""},     // after "=": a new calculation
      {L"21+", L"4", L"4", L"+_", L"\t=21|+|"},  // after a sign: the operand
      {L"123", L"abc", L"123", L"__", L""},      // no number: passed over
      {L"12+5=", L"", L"17", L"=_", L"\t=12|+5\t=17|"},
  };
  for (const Case& c : cases) {
    Fixture f;
    f.Keys(c.keys);
    f.host.SetClipboard(L"7");
    f.calc.PasteSelection(c.selection);
    EXPECT_EQ(f.calc.Entry().text, c.entry) << c.keys << c.selection;
    EXPECT_EQ(f.Signs(), c.signs) << c.keys << c.selection;
    EXPECT_EQ(f.Tape(), c.tape) << c.keys << c.selection;
    EXPECT_TRUE(f.host.Messages().empty()) << c.keys << c.selection;
    EXPECT_EQ(f.host.GetText().value(), L"7") << "the clipboard stays as it was";
  }
}

TEST(CalculatorKeys, OperandPastTheLimitWarnsOnce) {
  Fixture f;
  f.Keys(L"999999999*999999999*999999999=");
  EXPECT_EQ(f.host.Messages(), (std::vector<Text>{L"Limit = 18 digits!", L"Error!"}));
  EXPECT_EQ(f.Tape(),
            L"\t=999\u00A0999\u00A0999|*999\u00A0999\u00A0999\t=999\u00A0999\u00A0998\u00A0000\u00A0000\u00A0001|");
  EXPECT_EQ(f.Signs(), L"=_");
}

TEST(CalculatorClipboard, ExponentPasteIsNoOperand) {
  Fixture f;
  f.Keys(L"5+");
  f.calc.SelectAllEntry();
  f.host.SetClipboard(L"1e3");
  f.calc.PasteByKey();
  EXPECT_EQ(f.calc.Entry().text, L"1e3");
  f.Keys(L"*");
  EXPECT_EQ(f.Tape(), L"\t=5|+|");
}

TEST(CalculatorMemory, SlotWithAndWithoutSign) {
  Fixture f;
  f.calc.StoreSlot(3, 12.5L, L'+');
  f.calc.StoreSlot(4, 2, L'\0');
  f.Keys(L"10=");
  f.calc.TakeMemoryCell(3);
  EXPECT_EQ(f.Tape(), L"\t=10|+12,5\t=22,5|");
  f.calc.TakeMemoryCell(4);  // no sign: a new calculation of its own
  EXPECT_EQ(f.Tape(), L"\t=2|");
  EXPECT_EQ(f.Results(), L"10+12,5\t=22,5|--->\t=2|");
  f.calc.TakeMemoryCell(5);  // empty slot: nothing
  EXPECT_EQ(f.Tape(), L"\t=2|");
}

struct WordsClipboardCase {
  bool english;
  const wchar_t* keys;       // typed into the entry line
  const wchar_t* clipboard;  // what S puts there; empty: nothing
};

TEST(CalculatorWords, NumberAndWordsGoToTheClipboard) {
  const WordsClipboardCase cases[] = {
      {false, L"21", L"21 руб. (Двадцать один рубль 00 копеек)"},
      {false, L"2+3=", L"5 руб. (Пять рублей 00 копеек)"},
      {true, L"21", L"21 (Twenty One Dollars)"},
      {true, L"1.5", L"1.5 (One Dollars and 50 Cents)"},
      // past the 15 integer digits the English words have: nothing is copied
      {true, L"1234567890123456", L""},
      {true, L"", L""},
      {false, L"", L""},
  };
  for (const auto& c : cases) {
    Fixture f(c.english ? Locale::English() : Locale::Russian(), c.english);
    NumberWords words(c.english ? Locale::English() : Locale::Russian());
    f.host.SetClipboard(L"before");
    f.Keys(c.keys);
    EXPECT_EQ(f.calc.IsEnabled(MenuCommand::kNumberToText), *c.keys != L'\0') << c.keys;
    f.calc.NumberToClipboard(words);
    EXPECT_EQ(f.host.GetText(), Text(*c.clipboard ? c.clipboard : L"before")) << c.keys;
    EXPECT_TRUE(f.host.Messages().empty()) << c.keys;
  }
}

struct FormulaResultCase {
  const wchar_t* keys;  // typed before the result is taken
  Number value;
  const wchar_t* tape;
  const wchar_t* signs;
  const wchar_t* entry;
};

TEST(CalculatorFormula, ResultGoesIntoTheEntryLine) {
  const FormulaResultCase cases[] = {
      {L"", 31.4159265L, L"", L"__", L"31,4159"},
      {L"12+", 2.5L, L"\t=12|+|", L"+_", L"2,5"},
      // after "=" the result starts a new calculation; the closed one stays in the results
      {L"2+3=", 7, L"", L"__", L"7"},
      {L"2+3=", -0.5L, L"", L"__", L"-0,5"},
      // no text past the 18-digit limit, and no message
      {L"", 1e18L, L"", L"__", L""},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.Keys(c.keys);
    f.calc.TakeFormulaResult(c.value);
    EXPECT_EQ(f.Tape(), c.tape) << c.keys << " " << static_cast<double>(c.value);
    EXPECT_EQ(f.Signs(), c.signs) << c.keys;
    EXPECT_EQ(f.calc.Entry().text, c.entry) << c.keys;
    EXPECT_EQ(f.calc.Entry().selectionStart, 0);
    EXPECT_EQ(f.calc.Entry().selectionLength, 0);
    EXPECT_TRUE(f.host.Messages().empty()) << c.keys;
  }
}

struct ModifyCase {
  const wchar_t* name;
  long row;         // 0-based row to select
  wchar_t command;  // 'd', 'n', 'e'
  wchar_t sign;
  const wchar_t* operand;
  const wchar_t* tape;
  const wchar_t* message;
};

TEST(CalculatorModify, RowChangesRecomputeTheTape) {
  const ModifyCase cases[] = {
      {L"delete the start row", 0, L'd', 0, L"", L"\t=15|*2\t=30|", L""},
      {L"delete a middle row", 1, L'd', 0, L"", L"\t=10|*2\t=20|", L""},
      {L"edit the start value", 0, L'e', L'+', L"20", L"\t=20|+5\t=25|*2\t=50|", L""},
      {L"edit the sign only", 1, L'e', L'-', L"5", L"\t=10|-5\t=5|*2\t=10|", L""},
      {L"insert before row 2", 1, L'n', L'*', L"3", L"\t=10|*3\t=30|+5\t=35|*2\t=70|", L""},
      {L"insert before the first row fails", 0, L'n', L'+', L"3", L"\t=10|+5\t=15|*2\t=30|", L"Error in calculations!"},
      {L"zero operand refused by the dialog", 1, L'e', L'+', L"0", L"\t=10|+5\t=15|*2\t=30|",
       L"The zero is not meaningful!"},
      {L"operand past the limit refused", 1, L'e', L'+', L"1234567890123456789", L"\t=10|+5\t=15|*2\t=30|",
       L"Limit = 18 digits!"},
      {L"18 digits taken", 1, L'e', L'+', L"123456789012345678",
       L"\t=10|+123\u00A0456\u00A0789\u00A0012\u00A0345\u00A0678\t=123\u00A0456\u00A0789\u00A0012\u00A0345\u00A0688|"
       L"*2\t=246\u00A0913\u00A0578\u00A0024\u00A0691\u00A0376|",
       L""},
  };
  for (const ModifyCase& c : cases) {
    Fixture f;
    f.Keys(L"10+5*2=");
    f.calc.SelectRow(c.row);
    if (c.command == L'd') {
      f.calc.DeleteSelectedRow();
    } else {
      f.calc.ConfirmRowDialog(c.command == L'n', c.sign, c.operand);
    }
    EXPECT_EQ(f.Tape(), c.tape) << c.name;
    const auto messages = f.host.Messages();
    EXPECT_EQ(messages.empty() ? Text() : messages.back(), c.message) << c.name;
    // Every change after "=" rewrites the same results entry.
    EXPECT_EQ(f.calc.ResultsList().Count(), 1) << c.name;
  }
}

TEST(CalculatorModify, PendingSignRowIsNotOfferedToTheRowDialog) {
  for (const bool insert : {true, false}) {
    Fixture f;
    f.Keys(L"10+5*");
    f.calc.SelectRow(2);
    EXPECT_FALSE(f.calc.CanEditSelectedRow());
    EXPECT_TRUE(f.calc.ConfirmRowDialog(insert, L'+', L"1"));
    EXPECT_EQ(f.Tape(), L"\t=10|+5\t=15|*|") << insert;
    EXPECT_EQ(f.Signs(), L"_*") << insert;
    EXPECT_TRUE(f.host.Messages().empty()) << insert;
    EXPECT_EQ(f.calc.ResultsList().Count(), 0) << insert;
  }
}

TEST(CalculatorModify, DeletingTheLastRowSelectsTheNewLastRow) {
  Fixture f;
  f.Keys(L"10+5*2=");
  f.calc.SelectRow(2);
  f.calc.DeleteSelectedRow();
  EXPECT_EQ(f.Tape(), L"\t=10|+5\t=15|");
  EXPECT_EQ(f.calc.Tape().Selected(), 1);
}

TEST(CalculatorKeys, DecimalKeyReplacesASelectionHoldingTheSeparator) {
  Fixture f;
  f.Keys(L"1+2,5");
  f.calc.SetEntrySelection(1, 2);  // ",5"
  f.Keys(L",");
  EXPECT_EQ(f.calc.Entry().text, L"2,");
  f.calc.SetEntrySelection(0, 1);  // "2": the separator stays outside the selection
  f.Keys(L",");
  EXPECT_EQ(f.calc.Entry().text, L"2,");
}

TEST(CalculatorModify, DeletingTheOnlyRowEmptiesEverything) {
  Fixture f;
  f.Keys(L"7=");
  f.calc.SelectRow(0);
  f.calc.DeleteSelectedRow();
  EXPECT_TRUE(f.calc.Tape().Empty());
  EXPECT_EQ(f.Signs(), L"__");
  EXPECT_EQ(f.calc.Entry().text, L"");
}

TEST(CalculatorModify, PendingSignSurvivesARecalculation) {
  Fixture f;
  f.Keys(L"10+5*2*");
  f.calc.SelectRow(0);
  f.calc.DeleteSelectedRow();
  EXPECT_EQ(f.Tape(), L"\t=15|*2\t=30|*|");
  EXPECT_EQ(f.Signs(), L"*_");
  EXPECT_EQ(f.calc.Entry().text, L"");
}

TEST(CalculatorModify, TakeOperandAndResult) {
  Fixture f;
  f.Keys(L"10+5=");
  f.calc.SelectRow(1);
  f.calc.TakeOperand();  // after "=": a new calculation with 5
  EXPECT_TRUE(f.calc.Tape().Empty());
  EXPECT_EQ(f.calc.Entry().text, L"5");
  f.Keys(L"*3=");
  EXPECT_EQ(f.Tape(), L"\t=5|*3\t=15|");

  Fixture g;  // while an operand is expected, the taken value becomes the operand
  g.Keys(L"10+");
  g.calc.SelectRow(0);
  g.calc.TakeResult();
  EXPECT_EQ(g.Signs(), L"+_");
  g.Keys(L"=");
  EXPECT_EQ(g.Tape(), L"\t=10|+10\t=20|");
}

TEST(CalculatorPrecision, ZeroDigitsFailsOnAVanishingOperand) {
  Fixture f;
  f.Keys(L"10+0,4=");
  f.calc.SetPrecision(0, 0);
  EXPECT_EQ(f.Tape(), L"\t=10|+0,4\t=10,4|");
  ASSERT_FALSE(f.host.Messages().empty());
  EXPECT_EQ(f.host.Messages().back(), L"Error in calculations!");
  EXPECT_EQ(f.calc.Numbers().Digits(), 0);
}

TEST(CalculatorPrecision, RecomputesAtTheNewPrecision) {
  Fixture f;
  f.Keys(L"2/3*3=");
  EXPECT_EQ(f.Tape(), L"\t=2|/3\t=0,66666667|*3\t=2,00000001|");
  f.calc.SetPrecision(2, 2);
  EXPECT_EQ(f.Tape(), L"\t=2|/3\t=0,67|*3\t=2,01|");
  EXPECT_EQ(f.calc.Entry().text, L"2,01");
}

TEST(CalculatorResults, TotalCommentsAndGoTo) {
  Fixture f;
  f.Keys(L"1+1=5*2=3-1=");
  EXPECT_EQ(f.calc.ResultsList().Count(), 3);
  EXPECT_EQ(f.calc.ResultsList().Total(), L"14");

  f.calc.SelectResult(0);
  f.calc.CommentResult(L"first");
  EXPECT_EQ(f.calc.ResultsList().Row(0), L"first\t=2");
  f.calc.GoToResult();  // the first calculation is back on the tape
  EXPECT_EQ(f.Tape(), L"\t=1|+1\t=2|");
  f.Keys(L"+1=");  // rewrites the older entry, comment kept
  EXPECT_EQ(f.calc.ResultsList().Row(0), L"first\t=3");
  EXPECT_EQ(f.calc.ResultsList().Count(), 3);
  EXPECT_EQ(f.calc.ResultsList().Total(), L"15");

  f.calc.SelectResult(0);
  f.calc.CommentResult(L"");  // the generated description comes back on the next close
  f.Keys(L"=");
  EXPECT_EQ(f.calc.ResultsList().Row(0), L"2+1\t=3");
}

TEST(CalculatorResults, ClearTapeAfterGoToAppendsANewEntry) {
  Fixture f;
  f.Keys(L"1+1=5*2=3-1=");
  f.calc.SelectResult(0);
  f.calc.GoToResult();
  f.calc.ClearTape();
  f.Keys(L"9=");
  ASSERT_EQ(f.calc.ResultsList().Count(), 4);
  EXPECT_EQ(f.calc.ResultsList().Row(1), L"5*2\t=10");  // the second entry is untouched
  EXPECT_EQ(f.calc.ResultsList().Row(3), L"--->\t=9");
}

TEST(CalculatorResults, DeleteEntries) {
  Fixture f;
  f.Keys(L"1+1=5*2=");
  f.calc.SelectResult(1);
  f.calc.DeleteResult();  // the last remaining calculation comes back onto the tape
  EXPECT_EQ(f.Results(), L"1+1\t=2|");
  EXPECT_EQ(f.Tape(), L"\t=1|+1\t=2|");
  f.calc.SelectResult(0);
  f.calc.DeleteResult();
  EXPECT_EQ(f.Results(), L"");
  EXPECT_TRUE(f.calc.Tape().Empty());
  EXPECT_EQ(f.calc.ResultsList().Total(), L"");
}

TEST(CalculatorResults, CommentCannotBreakTheValue) {
  Fixture f;
  f.Keys(L"1+1=");
  f.calc.SelectResult(0);
  f.calc.CommentResult(L"a=b\tc");
  EXPECT_EQ(f.calc.ResultsList().Row(0), L"a:b c\t=2");
  EXPECT_EQ(f.calc.ResultsList().Total(), L"2");
}

TEST(CalculatorMenus, CommandsOfferedByState) {
  Fixture f;
  EXPECT_FALSE(f.calc.IsEnabled(MenuCommand::kSaveTape));
  EXPECT_FALSE(f.calc.IsEnabled(MenuCommand::kClearTape));
  EXPECT_FALSE(f.calc.IsEnabled(MenuCommand::kDeleteRow));
  EXPECT_FALSE(f.calc.IsEnabled(MenuCommand::kResultsEntry));
  f.Keys(L"2+3*");  // a pending sign row "*" is one character long
  const struct {
    long row;
    bool edit, insert, remove;
  } rows[] = {{0, true, false, true}, {1, true, true, true}, {2, false, false, true}, {-1, false, false, false}};
  for (const auto& r : rows) {
    f.calc.SelectRow(r.row);
    EXPECT_EQ(f.calc.IsEnabled(MenuCommand::kEditRow), r.edit) << r.row;
    EXPECT_EQ(f.calc.IsEnabled(MenuCommand::kTakeResult), r.edit) << r.row;
    EXPECT_EQ(f.calc.IsEnabled(MenuCommand::kInsertRow), r.insert) << r.row;
    EXPECT_EQ(f.calc.IsEnabled(MenuCommand::kTakeOperand), r.insert) << r.row;
    EXPECT_EQ(f.calc.IsEnabled(MenuCommand::kDeleteRow), r.remove) << r.row;
  }
  EXPECT_TRUE(f.calc.IsEnabled(MenuCommand::kSaveTape));
  EXPECT_TRUE(f.calc.IsEnabled(MenuCommand::kClearTape));
  f.Keys(L"=");
  EXPECT_TRUE(f.calc.IsEnabled(MenuCommand::kResultsEntry));
}

TEST(CalculatorDrops, EachSourceGivesItsValue) {
  const struct {
    DropSource source;
    const wchar_t* entry;
  } cases[] = {{DropSource::kTapeOperand, L"3"},
               {DropSource::kTapeResult, L"5"},
               {DropSource::kResultsEntry, L"9"},
               {DropSource::kTotal, L"14"}};
  for (const auto& c : cases) {
    Fixture f;
    f.Keys(L"4+5=2+3=");
    f.calc.SelectRow(1);
    f.calc.SelectResult(0);
    f.calc.DropIntoEntry(c.source);
    EXPECT_EQ(f.calc.Entry().text, c.entry) << static_cast<int>(c.source);
    EXPECT_EQ(f.Signs(), L"__") << static_cast<int>(c.source);  // a new calculation starts
  }
}

struct RowDialogCase {
  long row;
  bool insert;
  bool opens, showSign;
  wchar_t sign;
  const wchar_t* operand;
};

TEST(CalculatorModify, RowDialogOpensWithTheRowsSignAndUngroupedOperand) {
  const RowDialogCase cases[] = {
      {0, false, true, false, L'+', L"1234567"},  // the start row has no sign of its own
      {1, false, true, true, L'-', L"2"},        {2, false, true, true, L'*', L"3"},
      {0, true, true, true, L'+', L""},  // inserting always shows "+" and no operand
      {2, true, true, true, L'+', L""},          {-1, false, false, false, L'+', L""},
      {3, false, false, false, L'+', L""},  // the pending sign is no row to change
      {3, true, false, false, L'+', L""},
  };
  for (const RowDialogCase& c : cases) {
    Fixture f;
    f.Keys(L"1234567-2*3=/");
    f.calc.SelectRow(c.row);
    const std::optional<RowDialogSetup> setup = f.calc.OpenRowDialog(c.insert);
    ASSERT_EQ(setup.has_value(), c.opens) << c.row << c.insert;
    if (!setup) continue;
    EXPECT_EQ(setup->showSign, c.showSign) << c.row << c.insert;
    EXPECT_EQ(setup->sign, c.sign) << c.row << c.insert;
    EXPECT_EQ(setup->operand, c.operand) << c.row << c.insert;
    EXPECT_EQ(setup->row, c.row + 1);
    EXPECT_EQ(setup->count, 4);
  }
}

TEST(CalculatorPrecision, UnchangedPrecisionLeavesTheTapeAlone) {
  Fixture f;
  f.Keys(L"2+3");
  f.calc.SelectRow(0);
  f.calc.SetPrecision(f.calc.Numbers().Digits(), f.calc.Numbers().ResOut());
  EXPECT_EQ(f.calc.Entry().text, L"3");  // the operand being typed stays
  EXPECT_EQ(f.calc.Tape().Selected(), 0);
}

TEST(CalculatorMemory, SlotChangesKeepTheNameAndAreNoticed) {
  struct Log : StateObserver {
    void StateChanged(const StateChange& change) override { memory += change.memory; }
    int memory = 0;
  } log;
  Fixture f;
  f.calc.AddStateObserver(&log);
  f.calc.StoreSlot(2, 5, L'*');
  f.calc.RenameSlot(2, L"rent");
  f.calc.EmptySlot(2);
  EXPECT_EQ(log.memory, 3);
  EXPECT_EQ(f.calc.Memory()[2], (MemorySlot{0, L'\0', L"rent"}));
  f.calc.StoreSlot(2, 7, L'\0');
  EXPECT_EQ(f.calc.Memory()[2], (MemorySlot{7, L'\0', L"rent"}));
  f.calc.EmptySlot(10);
  f.calc.StoreSlot(-1, 1, L'+');
  f.calc.KeyPress(L'1');
  EXPECT_EQ(log.memory, 4);  // out of range and other operations change no slot
  f.calc.RemoveStateObserver(&log);
}

}  // namespace
}  // namespace tallyman
