#include "engine/tape/spoken_rows.h"

#include <gtest/gtest.h>

namespace tallyman {
namespace {

enum class Kind { Tape, Result, Comment, Memory };

TEST(SpokenRows, ReadRowsAsWordsInBothLanguages) {
  struct Case {
    Kind kind;
    const wchar_t* row;
    const wchar_t* russian;
    const wchar_t* english;
  };
  const Case cases[] = {
      {Kind::Tape, L"+5\t=17", L"плюс 5, итог 17", L"plus 5, total 17"},
      {Kind::Tape, L"--2,5\t=-1", L"минус -2,5, итог -1", L"minus -2,5, total -1"},
      {Kind::Tape, L"*3\t=6", L"умножить на 3, итог 6", L"times 3, total 6"},
      {Kind::Tape, L"/4\t=1,5", L"разделить на 4, итог 1,5", L"divided by 4, total 1,5"},
      {Kind::Tape, L"\t=30", L"итог 30", L"total 30"},
      {Kind::Tape, L"*", L"умножить на", L"times"},
      {Kind::Tape, L"-", L"минус", L"minus"},
      {Kind::Result, L"200+15\t=215", L"200 плюс 15, итог 215", L"200 plus 15, total 215"},
      {Kind::Result, L"-3*-2\t=6", L"-3 умножить на -2, итог 6", L"-3 times -2, total 6"},
      {Kind::Result, L"200+15%\t=230", L"200 плюс 15 процентов, итог 230", L"200 plus 15 percent, total 230"},
      {Kind::Result, L"--->\t=7", L"--->, итог 7", L"--->, total 7"},
      {Kind::Comment, L"rent 5-7\t=12", L"rent 5-7, итог 12", L"rent 5-7, total 12"},
  };
  for (const Case& c : cases) {
    for (const bool english : {false, true}) {
      const Text spoken = c.kind == Kind::Tape ? SpokenTapeRow(c.row, english)
                                               : SpokenResultRow(c.row, c.kind == Kind::Comment, english);
      EXPECT_EQ(spoken, english ? c.english : c.russian) << c.row;
    }
  }
}

TEST(SpokenRows, ReadMemoryLines) {
  const NumberText numbers{Locale::Russian()};
  EXPECT_EQ(SpokenMemoryLine(3, MemorySlot{1250.5L, L'+', L"rent"}, numbers, true),
            L"memory 3: plus 1\u00A0250,5, rent");
  EXPECT_EQ(SpokenMemoryLine(0, MemorySlot{-2, L'\0', L""}, numbers, false), L"память 0: -2");
  EXPECT_EQ(SpokenMemoryLine(9, MemorySlot{}, numbers, true), L"memory 9: empty");
}

}  // namespace
}  // namespace tallyman
