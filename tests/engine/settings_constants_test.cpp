// The CONSTANTS section: the ten memory slots in the settings file.
#include <gtest/gtest.h>

#include "engine/settings/settings_file.h"
#include "settings_test_support.h"

namespace tallyman {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct SlotCase {
  const char* value;  // the text after "0=" (ASCII)
  bool filled;
  wchar_t sign;
  long double number;
  const wchar_t* name;
};

class ConstantsRead : public ::testing::TestWithParam<Locale> {};

TEST_P(ConstantsRead, ExamplesOfTheFile) {
  const SlotCase cases[] = {
      {"-5", true, L'-', 5, L""},    // a minus without a sign is the sign
      {"+-5", true, L'+', -5, L""},  // a sign before a negative value
      {"*2", true, L'*', 2, L""},
      {"/4 ; quarter", true, L'/', 4, L"quarter"},
      {"12 ;  rent  ", true, L'\0', 12, L"rent"},
      {"3.5", true, L'\0', 3.5L, L""},  // either separator reads in either locale
      {"3,5", true, L'\0', 3.5L, L""},
      {"1.123456789", true, L'\0', 1.12345679L, L""},  // rounded to Digits (8)
      {"; name only", false, L'\0', 0, L""},           // a name without a number leaves the slot empty
      {"0 ; zero", false, L'\0', 0, L""},
      {"", false, L'\0', 0, L""},
      {"abc", false, L'\0', 0, L""},
      {"1e5", false, L'\0', 0, L""},
      {"+", false, L'\0', 0, L""},
      {"1000000000000000000", false, L'\0', 0, L""},  // past the 18-digit limit
  };
  for (const SlotCase& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "t.ini", std::string("[CONSTANTS]\r\n0=") + c.value + "\r\n");
    const MemorySlot slot = LoadSettings(folder / "t.ini", GetParam()).memory[0];
    SCOPED_TRACE(c.value);
    if (!c.filled) {
      EXPECT_EQ(slot.value, 0);
      continue;
    }
    EXPECT_NEAR(static_cast<double>(slot.value), static_cast<double>(c.number), 1e-12);
    EXPECT_EQ(slot.sign, c.sign);
    EXPECT_EQ(slot.name, c.name);
  }
}

INSTANTIATE_TEST_SUITE_P(BothLocales, ConstantsRead, ::testing::Values(Locale::Russian(), Locale::English()));

TEST(ConstantsWrite, SignValueWithoutGroupingAndName) {
  struct Case {
    MemorySlot slot;
    const wchar_t* ru;
    const wchar_t* en;
  };
  const Case cases[] = {
      {{3.14159265358979L, L'+', L"pi"}, L"+3,14159265 ; pi", L"+3.14159265 ; pi"},
      {{-5, L'+', L""}, L"+-5", L"+-5"},
      {{1250.5L, L'\0', L"rent"}, L"1250,5 ; rent", L"1250.5 ; rent"},
      {{1234567.25L, L'*', L"Аренда"}, L"*1234567,25 ; Аренда", L"*1234567.25 ; Аренда"},
  };
  for (const Case& c : cases) {
    Settings s;
    s.memory[2] = c.slot;
    IniFile ru;
    WriteSettings(ru, s, Locale::Russian());
    EXPECT_EQ(ru.Value(L"CONSTANTS", L"2"), Text(c.ru));
    IniFile en;
    WriteSettings(en, s, Locale::English());
    EXPECT_EQ(en.Value(L"CONSTANTS", L"2"), Text(c.en));
  }
}

TEST(ConstantsWrite, SectionIsRewrittenWithTheFilledSlotsOnly) {
  TempFolder folder;
  WriteBytes(folder / "t.ini", "[CONSTANTS]\r\n0=; name only\r\n7=7\r\nmine=1\r\n[NUMSTRING]\r\n1=x\r\n");
  Settings s = LoadSettings(folder / "t.ini", Locale::Russian());
  EXPECT_EQ(s.memory[0].value, 0);
  s.memory[7].value = 0;  // emptied in this run: its name stays in memory but not in the file
  s.memory[1] = MemorySlot{2, L'\0', L""};
  ASSERT_TRUE(SaveSettings(folder / "t.ini", s, Locale::Russian()));
  const std::string saved = ReadBytes(folder / "t.ini");
  EXPECT_EQ(saved.rfind("[NUMSTRING]\r\n1=x\r\n[SETS]\r\n", 0), 0u);
  const std::string tail = "\r\n[CONSTANTS]\r\n1=2\r\n";  // moved to the end, one key
  ASSERT_GE(saved.size(), tail.size());
  EXPECT_EQ(saved.substr(saved.size() - tail.size()), tail);
  EXPECT_EQ(saved.find("mine=1"), std::string::npos);
}

TEST(ConstantsWrite, SlotsSurviveAChangeOfLocale) {
  Settings s;
  s.memory[0] = MemorySlot{1250.5L, L'-', L"a"};
  s.memory[1] = MemorySlot{0.125L, L'\0', L""};
  for (const auto& [from, to] :
       {std::pair{Locale::Russian(), Locale::English()}, std::pair{Locale::English(), Locale::Russian()}}) {
    TempFolder folder;
    ASSERT_TRUE(SaveSettings(folder / "t.ini", s, from));
    const Settings back = LoadSettings(folder / "t.ini", to);
    EXPECT_EQ(back.memory[0].value, 1250.5L);
    EXPECT_EQ(back.memory[0].sign, L'-');
    EXPECT_EQ(back.memory[1].value, 0.125L);
  }
}

TEST(ConstantsWrite, SlotsAreWrittenWithTheLoadedPrecision) {
  Settings s;
  s.digits = 2;
  s.memory[5] = MemorySlot{2.71828L, L'\0', L""};
  IniFile ini;
  WriteSettings(ini, s, Locale::English());
  EXPECT_EQ(ini.Value(L"CONSTANTS", L"5"), Text(L"2.72"));
  // and read with it
  TempFolder folder;
  WriteBytes(folder / "t.ini", "[SETS]\r\nDigits=1\r\n[CONSTANTS]\r\n5=2.71828\r\n");
  EXPECT_EQ(LoadSettings(folder / "t.ini", Locale::English()).memory[5].value, 2.7L);
}

}  // namespace
}  // namespace tallyman
