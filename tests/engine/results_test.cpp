#include "engine/tape/results.h"

#include <gtest/gtest.h>

#include "engine/tape/tape_calculations.h"

namespace tallyman {
namespace {

struct ResultsFixture {
  ResultsFixture() : results(numbers) {}
  // Every entry has its row, comment marker and tape text, and the total is a full recount's.
  void ExpectConsistent() const {
    EXPECT_EQ(results.TapeTexts().size(), static_cast<size_t>(results.Count()));
    for (long i = 0; i < results.Count(); ++i) {
      EXPECT_EQ(results.Row(i).find(L'\t'), results.Description(i).size());
    }
    EXPECT_EQ(results.Total(), results.RecountedTotal());
  }
  NumberText numbers{Locale::Russian()};
  Results results;
};

TEST(Results, RecordAppendsOutOfRangeAndRewritesInRange) {
  ResultsFixture f;
  EXPECT_EQ(f.results.Record(-1, L"1+1", 2, L"a\r\n"), 0);
  EXPECT_EQ(f.results.Record(1, L"2+2", 4, L"b\r\n"), 1);  // index == Count appends
  EXPECT_EQ(f.results.Record(7, L"3+3", 6, L"c\r\n"), 2);
  EXPECT_EQ(f.results.Total(), L"12");
  EXPECT_EQ(f.results.Record(1, L"2*5", 10, L"d\r\n"), 1);
  EXPECT_EQ(f.results.Row(1), L"2*5\t=10");
  EXPECT_EQ(f.results.TapeTexts()[1], L"d\r\n");
  EXPECT_EQ(f.results.Selected(), 1);
  EXPECT_EQ(f.results.Total(), L"18");
  f.ExpectConsistent();
}

TEST(Results, CommentSurvivesRewriteUntilCleared) {
  ResultsFixture f;
  f.results.Record(-1, L"1+1", 2, L"a\r\n");
  EXPECT_TRUE(f.results.Comment(0, L"rent"));
  EXPECT_FALSE(f.results.Comment(0, L"rent"));  // unchanged
  EXPECT_FALSE(f.results.Comment(1, L"x"));     // no such entry
  EXPECT_FALSE(f.results.Comment(-1, L"x"));
  f.results.Record(0, L"1+2", 3, L"b\r\n");
  EXPECT_EQ(f.results.Row(0), L"rent\t=3");
  EXPECT_TRUE(f.results.IsComment(0));
  EXPECT_TRUE(f.results.Comment(0, L""));
  EXPECT_FALSE(f.results.IsComment(0));
  f.results.Record(0, L"1+3", 4, L"c\r\n");
  EXPECT_EQ(f.results.Row(0), L"1+3\t=4");
  f.ExpectConsistent();
}

TEST(Results, RemoveAndClearKeepTheListsInStep) {
  ResultsFixture f;
  for (int i = 1; i <= 4; ++i) f.results.Record(-1, L"x", i, Text(i, L'r'));
  f.results.Remove(4);  // out of range: nothing
  f.results.Remove(-1);
  EXPECT_EQ(f.results.Count(), 4);
  f.results.Remove(1);
  EXPECT_EQ(f.results.TapeTexts(), (std::vector<Text>{L"r", L"rrr", L"rrrr"}));
  EXPECT_EQ(f.results.Total(), L"8");
  f.ExpectConsistent();
  f.results.Clear();
  EXPECT_TRUE(f.results.TapeTexts().empty());
  EXPECT_EQ(f.results.Total(), L"");
  f.ExpectConsistent();
}

TEST(Results, RunningTotalEqualsARecount) {
  ResultsFixture f;
  // Thirds and sevenths round differently at every step: any other order or reading would show.
  for (int i = 1; i <= 300; ++i) {
    f.results.Record(-1, L"x", static_cast<Number>(i) / (i % 2 ? 3 : 7), L"t");
    ASSERT_EQ(f.results.Total(), f.results.RecountedTotal()) << i;
  }
  f.numbers.SetPrecision(2, 2);  // rows are read again at the new precision on the next change
  f.results.Record(-1, L"x", 1.005L, L"t");
  EXPECT_EQ(f.results.Row(0), L"x\t=0,33");
  f.ExpectConsistent();
}

TEST(Results, ValuePastTheLimitCountsAsNothing) {
  ResultsFixture f;
  f.results.Record(-1, L"big", 1e18L, L"t");
  f.results.Record(-1, L"x", 5, L"t");
  EXPECT_EQ(f.results.Row(0), L"big\t=");
  EXPECT_FALSE(f.results.Value(0).has_value());
  EXPECT_EQ(f.results.Total(), L"5");
  f.ExpectConsistent();
}

// Ctrl+W in the notebook: each entry's tape between empty lines, or the tape rows without results.
TEST(TapeCalculationLines, ResultsWithTheirTapesOrElseTheTapeRows) {
  ResultsFixture f;
  RowList tape;
  tape.Append(L"\t=\t2");
  tape.Append(L"+3\t=\t5");
  EXPECT_EQ(TapeCalculationLines(f.results, tape), (std::vector<Text>{L"", L"\t=\t2", L"", L"", L"+3\t=\t5", L""}));
  EXPECT_TRUE(TapeCalculationLines(f.results, RowList{}).empty());

  f.results.Record(-1, L"1+1", 2, L"\t=\t1\r\n+1\t=\t2\r\n");
  f.results.Record(-1, L"3", 3, L"\t=\t3\r\n");
  EXPECT_EQ(TapeCalculationLines(f.results, tape), (std::vector<Text>{L"", L"\t=\t1", L"+1\t=\t2", f.results.Row(0),
                                                                      L"", L"", L"\t=\t3", f.results.Row(1), L""}));
}

}  // namespace
}  // namespace tallyman
