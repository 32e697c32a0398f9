// The texts of a memory slot: parsing what the user typed, and the three ways a slot is shown.
#include <gtest/gtest.h>

#include "engine/settings/slot_text.h"
#include "tests/engine/preset_numbers.h"

namespace tallyman {
namespace {

using test::En;
using test::Ru;

struct ParseCase {
  const wchar_t* ru;  // the same text written for each locale
  const wchar_t* en;
  bool ok;
  wchar_t sign;
  long double value;
  const wchar_t* name;
};

TEST(SlotParse, SignNumberAndName) {
  const ParseCase cases[] = {
      {L"-5", L"-5", true, L'-', 5, L""},  // a leading minus is the sign
      {L"+-5", L"+-5", true, L'+', -5, L""},
      {L"*2", L"*2", true, L'*', 2, L""},
      {L"/0,5", L"/0.5", true, L'/', 0.5L, L""},
      {L"12,5 ; rent", L"12.5 ; rent", true, L'\0', 12.5L, L"rent"},
      {L"1 250,5;  a;b ", L"1,250.5;  a;b ", true, L'\0', 1250.5L, L"a;b"},  // split at the first ";"
      {L" 7 ;", L" 7 ;", true, L'\0', 7, L""},
      {L" -7", L" -7", true, L'\0', -7, L""},  // the sign must be the very first character
      {L"; rent", L"; rent", false, L'\0', 0, L""},
      {L"0", L"0", false, L'\0', 0, L""},
      {L"+0,0 ; x", L"+0.0 ; x", false, L'\0', 0, L""},
      {L"abc", L"abc", false, L'\0', 0, L""},
      {L"", L"", false, L'\0', 0, L""},
      {L"-", L"-", false, L'\0', 0, L""},
      {L"2e3", L"2e3", false, L'\0', 0, L""},
  };
  for (const ParseCase& c : cases) {
    for (const auto& [text, numbers] : {std::pair{c.ru, &Ru()}, std::pair{c.en, &En()}}) {
      SCOPED_TRACE(text);
      const std::optional<MemorySlot> slot = ParseSlotText(text, *numbers);
      ASSERT_EQ(slot.has_value(), c.ok);
      if (!slot) continue;
      EXPECT_EQ(slot->sign, c.sign);
      EXPECT_EQ(slot->value, c.value);
      EXPECT_EQ(slot->name, c.name);
    }
  }
}

struct FormatCase {
  MemorySlot slot;
  const wchar_t* lineRu;
  const wchar_t* lineEn;
  const wchar_t* editRu;
  const wchar_t* settingEn;
};

TEST(SlotFormat, LineEditAndSettingTexts) {
  const FormatCase cases[] = {
      {{1250.5L, L'+', L"rent"},
       L"3 = +1\u00A0250,5 ; rent",
       L"3 = +1,250.5 ; rent",
       L"+1\u00A0250,5 ; rent",
       L"+1250.5 ; rent"},
      {{-2, L'\0', L""}, L"3 = -2", L"3 = -2", L"-2", L"-2"},
      {{0, L'*', L"kept"}, L"3 = 0", L"3 = 0", L"", L""},  // an empty slot shows no sign or name
      {{0.125L, L'/', L"Ω"}, L"3 = /0,125 ; Ω", L"3 = /0.125 ; Ω", L"/0,125 ; Ω", L"/0.125 ; Ω"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(SlotLineText(3, c.slot, Ru()), c.lineRu);
    EXPECT_EQ(SlotLineText(3, c.slot, En()), c.lineEn);
    EXPECT_EQ(SlotEditText(c.slot, Ru()), c.editRu);
    EXPECT_EQ(SlotSettingText(c.slot, En()), c.settingEn);
  }
}

TEST(SlotFormat, TextsReadBackAsTheSameSlot) {
  const MemorySlot slots[] = {
      {1250.5L, L'+', L"rent"}, {-99999.125L, L'-', L""}, {42, L'\0', L"x ; y"}, {0.00000001L, L'*', L"tiny"}};
  for (const NumberText* numbers : {&Ru(), &En()}) {
    for (const MemorySlot& slot : slots) {
      const std::pair<Text, std::optional<MemorySlot>> readings[] = {
          {SlotEditText(slot, *numbers), ParseSlotText(SlotEditText(slot, *numbers), *numbers)},
          {SlotSettingText(slot, *numbers), ParseSlotSettingText(SlotSettingText(slot, *numbers), *numbers)},
      };
      for (const auto& [text, back] : readings) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->value, slot.value);
        EXPECT_EQ(back->sign, slot.sign);
        EXPECT_EQ(back->name, slot.name);
      }
    }
  }
}

TEST(SlotFormat, SeparatorsInTheNameDoNotCountUnderAnotherLocale) {
  const MemorySlot slot{1250.5L, L'+', L"v.2, net"};
  const auto back = ParseSlotSettingText(SlotSettingText(slot, Ru()), En());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->value, slot.value);
  EXPECT_EQ(back->name, slot.name);
}

TEST(SlotEditDialog, EmptyOrZeroDeletesBadTextIsIgnored) {
  struct Case {
    const wchar_t* text;
    SlotEdit::Kind kind;
  };
  const Case cases[] = {
      {L"", SlotEdit::Kind::Delete},     {L"0", SlotEdit::Kind::Delete},
      {L"00", SlotEdit::Kind::Ignore},   {L" 0", SlotEdit::Kind::Ignore},
      {L"zero", SlotEdit::Kind::Ignore}, {L"; only a name", SlotEdit::Kind::Ignore},
      {L"5", SlotEdit::Kind::Store},     {L"*2 ; twice", SlotEdit::Kind::Store},
  };
  for (const Case& c : cases) {
    for (const NumberText* numbers : {&Ru(), &En()}) {
      EXPECT_EQ(InterpretSlotEdit(c.text, *numbers).kind, c.kind) << c.text;
    }
  }
  const SlotEdit edit = InterpretSlotEdit(L"*2 ; twice", En());
  EXPECT_EQ(edit.slot.sign, L'*');
  EXPECT_EQ(edit.slot.value, 2);
  EXPECT_EQ(edit.slot.name, L"twice");
}

TEST(SlotStoreEntry, OnlyANonZeroNumberIsStored) {
  for (const wchar_t* refused : {L"", L"0", L"abc", L"1e3"}) {
    EXPECT_FALSE(EntrySlotValue(refused, Ru()).has_value()) << refused;
  }
  EXPECT_EQ(EntrySlotValue(L"1 234,5", Ru()), 1234.5L);
  EXPECT_EQ(EntrySlotValue(L"1,234.5", En()), 1234.5L);
}

}  // namespace
}  // namespace tallyman
