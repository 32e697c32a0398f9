#include "engine/core/lang.h"

#include <gtest/gtest.h>

#include "engine/core/lang_pairs.h"

namespace tallyman {
namespace {

TEST(LangText, SplitsAtTheFirstEqualsSign) {
  struct Case {
    const wchar_t* pair;
    const wchar_t* russian;
    const wchar_t* english;
  };
  const Case cases[] = {
      {L"Ошибка!=Error!", L"Ошибка!", L"Error!"}, {L"a=b=c", L"a", L"b=c"}, {L"OK", L"OK", L"OK"},
      {L"=English only", L"", L"English only"},   {L"", L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LangText(c.pair, false), c.russian) << c.pair;
    EXPECT_EQ(LangText(c.pair, true), c.english) << c.pair;
  }
}

TEST(LangText, TheLimitMessageIsNoPair) {
  // "Limit = 18 digits!" is English only: it is shown as it stands, never split.
  EXPECT_EQ(Text(pairs::kLimit18Digits), L"Limit = 18 digits!");
  EXPECT_EQ(LangText(pairs::kError, true), L"Error!");
  EXPECT_EQ(LangText(pairs::kCalculationError, false), L"Ошибка в расчётах");
}

}  // namespace
}  // namespace tallyman
