#include <gtest/gtest.h>

#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"

namespace tallyman {
namespace {

struct NoticeLog : StateObserver {
  void StateChanged(const StateChange& change) override { notices.push_back(change); }
  std::vector<StateChange> notices;
};

struct NoticeCase {
  const char* name;
  const wchar_t* before;  // keys typed before the observer listens
  void (*operation)(Calculator&);
  bool entry, selection, signs, total, resultIndex;
};

const NoticeCase kNoticeCases[] = {
    {"digit", L"", [](Calculator& c) { c.KeyPress(L'7'); }, true, true, false, false, false},
    {"sign after a number", L"7", [](Calculator& c) { c.KeyPress(L'+'); }, false, false, true, false, false},
    {"second sign replaces the first", L"7+", [](Calculator& c) { c.KeyPress(L'-'); }, false, false, true, false,
     false},
    {"equals records and totals", L"7+1", [](Calculator& c) { c.KeyPress(L'='); }, true, false, true, true, true},
    {"caret moved", L"123", [](Calculator& c) { c.SetEntrySelection(1, 0); }, false, true, false, false, false},
    {"new calculation takes the next slot", L"7+1=", [](Calculator& c) { c.ClearTape(); }, true, true, true, false,
     true},
    {"return to an older entry", L"7+1=2+2=",
     [](Calculator& c) {
       c.SelectResult(0);
       c.GoToResult();
     },
     true, false, false, false, true},
    {"delete an entry", L"7+1=2+2=",
     [](Calculator& c) {
       c.SelectResult(0);
       c.DeleteResult();
     },
     false, false, false, true, true},
    {"clear all results", L"7+1=", [](Calculator& c) { c.ClearAllResults(); }, true, true, true, true, false},
};

TEST(CalculatorNotices, OneNoticePerOperationSayingWhatChanged) {
  for (const NoticeCase& c : kNoticeCases) {
    RecordingHost host;
    Calculator calc(Locale::Russian(), host);
    for (wchar_t k : Text(c.before)) calc.KeyPress(k);
    NoticeLog log;
    calc.AddStateObserver(&log);
    c.operation(calc);
    ASSERT_EQ(log.notices.size(), 1u) << c.name;
    const StateChange& n = log.notices[0];
    EXPECT_EQ(n.entry, c.entry) << c.name;
    EXPECT_EQ(n.selection, c.selection) << c.name;
    EXPECT_EQ(n.signs, c.signs) << c.name;
    EXPECT_EQ(n.total, c.total) << c.name;
    EXPECT_EQ(n.resultIndex, c.resultIndex) << c.name;
  }
}

TEST(CalculatorNotices, SelectionLengthAloneIsAChange) {
  RecordingHost host;
  Calculator calc(Locale::Russian(), host);
  for (wchar_t k : Text(L"123")) calc.KeyPress(k);
  calc.SetEntrySelection(0, 1);
  NoticeLog log;
  calc.AddStateObserver(&log);
  calc.SetEntrySelection(0, 3);
  ASSERT_EQ(log.notices.size(), 1u);
  EXPECT_TRUE(log.notices[0].selection);
}

TEST(CalculatorNotices, SilentWhenNothingChangedAndAfterRemoval) {
  RecordingHost host;
  Calculator calc(Locale::Russian(), host);
  NoticeLog log;
  calc.AddStateObserver(&log);
  calc.CopyResult();  // an empty tape: nothing to close
  calc.SelectRow(0);  // the tape's selection has its own notice
  EXPECT_TRUE(log.notices.empty());
  calc.RemoveStateObserver(&log);
  calc.KeyPress(L'5');
  EXPECT_TRUE(log.notices.empty());
}

}  // namespace
}  // namespace tallyman
