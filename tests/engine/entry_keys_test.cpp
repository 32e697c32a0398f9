#include "engine/tape/entry_keys.h"

#include <gtest/gtest.h>

namespace tallyman {
namespace {

TEST(EntryKeys, DecimalKeysInBothLayoutsAndCases) {
  for (wchar_t c : Text(L",.бюБЮ")) EXPECT_TRUE(IsDecimalKey(c)) << static_cast<int>(c);
  for (wchar_t c : Text(L"-0жЖ;/ ")) EXPECT_FALSE(IsDecimalKey(c)) << static_cast<int>(c);
}

TEST(EntryKeys, OperationLetters) {
  const struct {
    const wchar_t* keys;
    wchar_t sign;
  } cases[] = {{L"qQйЙ", L'+'}, {L"wWцЦ", L'-'}, {L"eEуУ", L'*'}, {L"rRкК", L'/'}};
  for (const auto& c : cases) {
    for (wchar_t k : Text(c.keys)) EXPECT_EQ(TranslateOperationLetter(k), c.sign) << static_cast<int>(k);
  }
  for (wchar_t k : Text(L"tTеЕ5,")) EXPECT_EQ(TranslateOperationLetter(k), k) << static_cast<int>(k);
}

TEST(EntryKeys, SignToggle) {
  EXPECT_EQ(ToggledSign(L""), L"");
  EXPECT_EQ(ToggledSign(L"5,5"), L"-5,5");
  EXPECT_EQ(ToggledSign(L"-5,5"), L"5,5");
  EXPECT_EQ(ToggledSign(L"-"), L"");
}

TEST(EntryKeys, OperandFieldKeys) {
  const struct {
    wchar_t key;
    wchar_t decimal;
    OperandKey kind;
  } cases[] = {
      {L'+', L',', OperandKey::kSign},      {L'-', L',', OperandKey::kSign},
      {L'*', L',', OperandKey::kSign},      {L'/', L',', OperandKey::kSign},
      {L'.', L',', OperandKey::kSeparator}, {L'Ю', L',', OperandKey::kSeparator},
      {L'б', L'.', OperandKey::kSeparator}, {L'\'', L'\'', OperandKey::kSeparator},
      {L'0', L',', OperandKey::kDigit},     {L'9', L',', OperandKey::kDigit},
      {L':', L',', OperandKey::kDiscarded}, {L'e', L',', OperandKey::kDiscarded},
      {L'٣', L',', OperandKey::kDiscarded},  // a digit of another script never reaches the field
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyOperandKey(c.key, c.decimal), c.kind) << static_cast<int>(c.key);
}

TEST(EntryKeys, OneSeparatorInTheOperandField) {
  EXPECT_EQ(OperandSeparator(L"12", false, L','), SeparatorKey::kInsert);
  EXPECT_EQ(OperandSeparator(L"12", true, L','), SeparatorKey::kInsert);
  EXPECT_EQ(OperandSeparator(L"1,2", false, L','), SeparatorKey::kDiscard);
  EXPECT_EQ(OperandSeparator(L"1,2", true, L','), SeparatorKey::kEmptyFirst);
  EXPECT_EQ(OperandSeparator(L"1,2", false, L'.'), SeparatorKey::kInsert);
}

}  // namespace
}  // namespace tallyman
