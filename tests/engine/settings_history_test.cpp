// The formula history list and its file, and the two results files.
#include <gtest/gtest.h>

#include "engine/core/text_file.h"
#include "engine/settings/formula_history.h"
#include "engine/settings/results_file.h"
#include "settings_test_support.h"

namespace tallyman {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(HistoryFormulaPart, TextBeforeTheFirstColon) {
  struct Case {
    const wchar_t* text;
    const wchar_t* line;   // as a history line
    const wchar_t* entry;  // as the entry's text
  };
  const Case cases[] = {
      {L"a*b: a=2; b=3", L"a*b", L"a*b"},
      {L"a*b:", L"a*b", L"a*b:"},  // a colon at the very end does not cut the entry
      {L"sin(x)", L"sin(x)", L"sin(x)"},
      {L":x=1", L"", L""},
      {L"; note: text", L"; note", L"; note"},
      {L"", L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormulaHistory::FormulaPart(c.text), c.line) << c.text;
    EXPECT_EQ(FormulaHistory::EntryFormulaPart(c.text), c.entry) << c.text;
  }
}

TEST(HistoryFind, SameFormulaIgnoringAsciiCase) {
  const FormulaHistory history({L"1+1", L"A*B: a=2; b=3", L"Синус: x=1", L"sqrt(2)"});
  struct Case {
    const wchar_t* entry;
    int index;
  };
  const Case cases[] = {
      {L"a*b: a=5; b=6", 1}, {L"a*b", 1},         {L"a*b:", -1},  // "a*b:" is compared whole
      {L"SQRT(2)", 3},       {L"синус: x=2", -1},                 // Cyrillic case is not folded
      {L"Синус", 2},         {L"1+1 ", -1},       {L"2+2", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(history.Find(c.entry), c.index) << c.entry;
}

TEST(HistoryStore, NewLinesGoOnTopAndTheSameFormulaMovesUp) {
  FormulaHistory history;
  history.Store(L"a*b: a=2; b=3");
  history.Store(L"1+1");
  history.Store(L"A*B: a=5; b=6");
  EXPECT_EQ(history.Lines(), (std::vector<Text>{L"A*B: a=5; b=6", L"1+1"}));
  history.Store(L";  a note ");  // kept untrimmed
  history.Store(L";  a note : changed");
  EXPECT_EQ(history.Lines(), (std::vector<Text>{L";  a note : changed", L"A*B: a=5; b=6", L"1+1"}));
  history.Store(L"x\r\ny");
  EXPECT_EQ(history.Lines().front(), L"x  y");
}

TEST(HistoryStore, TakingAResultCutsTheListTo100) {
  FormulaHistory history;
  for (int i = 0; i < 100; ++i) history.Store(std::to_wstring(i) + L"+1");
  history.Store(L"stored note");  // storing alone does not cut
  EXPECT_EQ(history.Count(), 101u);
  history.StoreResult(L"last");
  ASSERT_EQ(history.Count(), FormulaHistory::kMaxLines);
  EXPECT_EQ(history.Lines().front(), L"last");
  EXPECT_EQ(history.Lines().back(), L"2+1");  // "0+1" and "1+1" are the oldest, dropped
  history.StoreResult(L"50+1");               // moving an existing line keeps 100
  EXPECT_EQ(history.Count(), FormulaHistory::kMaxLines);
  EXPECT_EQ(history.Lines().front(), L"50+1");
}

TEST(HistoryRemove, OutOfRangeIsIgnored) {
  FormulaHistory history({L"a", L"b", L"c"});
  history.Remove(1);
  history.Remove(7);
  EXPECT_EQ(history.Lines(), (std::vector<Text>{L"a", L"c"}));
  history.Clear();
  EXPECT_TRUE(history.Empty());
}

TEST(HistoryFile, SavedWithCrLfAndReadBack) {
  TempFolder folder;
  const auto file = folder / "TallyForm.txt";
  FormulaHistory history({L"2*пи", L"; note"});
  ASSERT_TRUE(history.Save(file));
  EXPECT_EQ(ReadBytes(file), "2*\xEF\xE8\r\n; note\r\n");
  FormulaHistory loaded;
  ASSERT_TRUE(loaded.Load(file));
  EXPECT_EQ(loaded.Lines(), history.Lines());

  WriteBytes(file, "a\rb\nc");  // lone CR or LF and no final line end
  ASSERT_TRUE(loaded.Load(file));
  EXPECT_EQ(loaded.Lines(), (std::vector<Text>{L"a", L"b", L"c"}));

  FormulaHistory unicode({L"√2 ≈ 1,41"});
  ASSERT_TRUE(unicode.Save(file));
  ASSERT_TRUE(loaded.Load(file));
  EXPECT_EQ(loaded.Lines(), unicode.Lines());
}

TEST(HistoryFile, MissingFileIsAnEmptyList) {
  TempFolder folder;
  FormulaHistory history({L"old"});
  EXPECT_FALSE(history.Load(folder / "none.txt"));
  EXPECT_TRUE(history.Empty());
  std::filesystem::create_directory(folder / "TallyForm.txt");  // not a file at all
  history.Store(L"old");
  EXPECT_FALSE(history.Load(folder / "TallyForm.txt"));
  EXPECT_TRUE(history.Empty());
}

TEST(HistoryFile, DeletedWhenTheWindowClosesWithAnEmptyList) {
  TempFolder folder;
  const auto file = folder / "TallyForm.txt";
  FormulaHistory history({L"1+1"});
  ASSERT_TRUE(history.Save(file));
  EXPECT_TRUE(history.RemoveFileIfEmpty(file));
  EXPECT_TRUE(std::filesystem::exists(file));
  history.Remove(0);
  EXPECT_TRUE(history.RemoveFileIfEmpty(file));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(history.RemoveFileIfEmpty(file));  // nothing to delete is fine
}

TEST(HistoryFile, WhatCouldNotBeReadIsNeverWrittenOverOrDeleted) {
  const std::string old = "1+1\r\n";
  for (const std::string kind : {"too large", "no permission", "a folder"}) {
    for (const bool takeResult : {false, true}) {
      TempFolder folder;
      const auto file = folder / "TallyForm.txt";
      if (kind == "a folder") std::filesystem::create_directory(file);
      if (kind != "a folder") WriteBytes(file, old);
      if (kind == "too large") std::filesystem::resize_file(file, FormulaHistory::kMaxFileBytes + 1);
      if (kind == "no permission") std::filesystem::permissions(file, std::filesystem::perms::none);
      FormulaHistory history;
      if (history.Load(file)) continue;  // the superuser reads a file of mode 000
      if (takeResult) {
        history.StoreResult(L"2*2");
        EXPECT_FALSE(history.Save(file)) << kind;
      } else {
        history.Clear();
      }
      EXPECT_TRUE(history.RemoveFileIfEmpty(file)) << kind;
      if (kind == "a folder") {
        EXPECT_TRUE(std::filesystem::is_directory(file)) << takeResult;
        continue;
      }
      std::filesystem::permissions(file, std::filesystem::perms::owner_read);
      const std::string bytes = ReadBytes(file);
      EXPECT_EQ(bytes.size(), kind == "too large" ? FormulaHistory::kMaxFileBytes + 1 : old.size()) << kind;
      EXPECT_EQ(bytes.substr(0, old.size()), old) << kind << takeResult;
    }
  }
}

TEST(HistoryFile, WhatTheUserEmptiedGoesAndALinkToItStays) {
  TempFolder folder;
  const auto file = folder / "TallyForm.txt";
  WriteBytes(folder / "real.txt", "1+1\r\n");
  std::filesystem::create_symlink("real.txt", file);
  FormulaHistory history;
  ASSERT_TRUE(history.Load(file));
  history.Clear();
  EXPECT_TRUE(history.RemoveFileIfEmpty(file));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
  EXPECT_EQ(ReadBytes(folder / "real.txt"), "");

  std::filesystem::remove(file);
  WriteBytes(file, "1+1\r\n");
  ASSERT_TRUE(history.Load(file));
  history.Remove(0);
  EXPECT_TRUE(history.RemoveFileIfEmpty(file));
  EXPECT_FALSE(std::filesystem::exists(file));

  // A file that only appeared after the window opened (another copy wrote it) is not this list's.
  EXPECT_FALSE(history.Load(file));
  WriteBytes(file, "3*3\r\n");
  EXPECT_TRUE(history.RemoveFileIfEmpty(file));
  EXPECT_EQ(ReadBytes(file), "3*3\r\n");
}

TEST(ResultsFile, RowsAlone) {
  const std::vector<Text> rows = {L"12+5\t=17", L"rent\t=1\u00A0250,5"};
  EXPECT_EQ(ResultsFileLines(rows), rows);
  TempFolder folder;
  ASSERT_TRUE(WriteTextLines(folder / "r.txt", ResultsFileLines(rows)));
  EXPECT_EQ(ReadBytes(folder / "r.txt"),
            "12+5\t=17\r\nrent\t=1\xA0"
            "250,5\r\n");
}

TEST(ResultsFile, EveryEntryWithItsTape) {
  const NumberText numbers(Locale::Russian());
  Results results(numbers);
  EXPECT_EQ(ResultsWithTapesFileLines(results), std::vector<Text>{});
  results.Record(-1, L"12+5", 17, L"\t=12\r\n+5\t=17\r\n");
  results.Record(-1, L"2*3", 6, L"\t=2\r\n*3\t=6\r\n");
  EXPECT_EQ(ResultsWithTapesFileLines(results), (std::vector<Text>{L"", L"\t=12", L"+5\t=17", L"", L"12+5\t=17", L"",
                                                                   L"", L"\t=2", L"*3\t=6", L"", L"2*3\t=6", L""}));
}

}  // namespace
}  // namespace tallyman
