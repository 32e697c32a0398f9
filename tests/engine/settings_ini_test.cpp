#include <gtest/gtest.h>

#include "engine/settings/ini_file.h"

namespace tallyman {
namespace {

TEST(IniRead, NamesMatchWithoutCaseAndValuesStayAsWritten) {
  const IniFile ini = IniFile::Parse(
      L"[Sets]\r\n"
      L"Digits=5\r\n"
      L"  PrnTitle =  a = b  \r\n"
      L"[ПАМЯТЬ]\r\n"
      L"Ключ=да\r\n");
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
  };
  const Case cases[] = {
      {L"SETS", L"digits", L"5"},
      {L"sets", L"DIGITS", L"5"},
      {L"SeTs", L"prntitle", L"  a = b  "},  // the text after the first "=", unchanged
      {L"память", L"КЛЮЧ", L"да"},
  };
  for (const Case& c : cases) {
    const std::optional<Text> value = ini.Value(c.section, c.key);
    ASSERT_TRUE(value.has_value()) << c.section << L"/" << c.key;
    EXPECT_EQ(*value, c.value);
  }
  EXPECT_FALSE(ini.Value(L"SETS", L"Missing").has_value());
  EXPECT_FALSE(ini.Value(L"Other", L"Digits").has_value());
}

TEST(IniRead, IgnoresCommentsPreambleAndLinesWithoutKey) {
  const IniFile ini = IniFile::Parse(
      L"Digits=1\n"  // before any section: belongs to none
      L"[SETS]\n"
      L";Digits=2\n"
      L"  ; ResOut=3\n"
      L"=4\n"
      L"no equals sign\n"
      L"ResOut=5");  // no final line end
  EXPECT_FALSE(ini.Value(L"SETS", L"Digits").has_value());
  EXPECT_EQ(ini.Value(L"SETS", L"ResOut"), Text(L"5"));
  EXPECT_EQ(ini.SectionLines(L"SETS"), std::vector<Text>{L"ResOut=5"});
}

TEST(IniRead, FirstDuplicateWinsAcrossRepeatedSections) {
  const IniFile ini = IniFile::Parse(L"[A]\nk=1\nk=2\n[B]\nk=9\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(ini.Value(L"A", L"k"), Text(L"1"));
  EXPECT_EQ(ini.Value(L"A", L"j"), Text(L"4"));  // a later section of the same name still counts
  EXPECT_EQ(ini.Value(L"B", L"K"), Text(L"9"));
}

TEST(IniRead, SurvivesHostileText) {
  Text longLine = L"k=" + Text(200000, L'x');
  Text binary = L"bin=";
  for (wchar_t c = 0; c < 256; ++c) binary += c;
  const Text text = L"\x01\x02 garbage\r\r\n[S]\n" + longLine + L"\n" + binary + L"\n[unclosed\n[T";
  const IniFile ini = IniFile::Parse(text);
  EXPECT_EQ(ini.Value(L"S", L"k")->size(), 200000u);
  EXPECT_TRUE(ini.Value(L"S", L"bin").has_value());
  EXPECT_FALSE(ini.HasSection(L"T"));  // "[T" without "]" is no header
  EXPECT_FALSE(IniFile::Parse(L"").HasSection(L"S"));
}

TEST(IniWrite, UnchangedDocumentSerializesAsRead) {
  const Text text = L"; top comment\r\n\r\n[SETS]\r\nDigits=8\r\n; note\r\n\r\n[NUMSTRING]\r\n 1 = один \r\n";
  EXPECT_EQ(IniFile::Parse(text).Serialize(), text);
  // Lone CR and LF line ends come out as CR LF.
  EXPECT_EQ(IniFile::Parse(L"[A]\nk=1\rj=2").Serialize(), L"[A]\r\nk=1\r\nj=2\r\n");
}

TEST(IniWrite, SetValueReplacesInPlaceAndAddsAfterTheLastKey) {
  IniFile ini = IniFile::Parse(L"[A]\r\nk = old\r\n;c\r\nk=second\r\nz=1\r\n\r\n[B]\r\nq=1\r\n");
  ini.SetValue(L"a", L"K", L"new");
  ini.SetValue(L"A", L"added", L"2");
  ini.SetValue(L"C", L"x", L"3");
  EXPECT_EQ(ini.Serialize(), L"[A]\r\nk =new\r\n;c\r\nk=second\r\nz=1\r\nadded=2\r\n\r\n[B]\r\nq=1\r\n[C]\r\nx=3\r\n");
}

TEST(IniWrite, ValuesCannotAddLines) {
  IniFile ini;
  ini.SetValue(L"A", L"k", L"one\r\n[B]\nx=1");
  EXPECT_EQ(ini.Serialize(), L"[A]\r\nk=one  [B] x=1\r\n");
  EXPECT_FALSE(IniFile::Parse(ini.Serialize()).HasSection(L"B"));
}

TEST(IniWrite, EraseSectionRemovesEveryCopy) {
  IniFile ini = IniFile::Parse(L"[K]\r\n0=1\r\n[A]\r\nx=1\r\n[k]\r\n1=2\r\n");
  ini.EraseSection(L"K");
  EXPECT_EQ(ini.Serialize(), L"[A]\r\nx=1\r\n");
  EXPECT_FALSE(ini.HasSection(L"k"));
}

TEST(IniNames, CaseFoldingCoversAsciiAndCyrillicOnly) {
  EXPECT_TRUE(IniFile::SameName(L"NumString", L"NUMSTRING"));
  EXPECT_TRUE(IniFile::SameName(L"Ёлка", L"ёЛКА"));
  EXPECT_FALSE(IniFile::SameName(L"SETS", L"SET"));
  EXPECT_FALSE(IniFile::SameName(L"Straße", L"STRASSE"));
}

TEST(IniNames, TrimBlanksDropsControlsAndSpaces) {
  EXPECT_EQ(TrimBlanks(L"\t a b \r"), L"a b");
  EXPECT_EQ(TrimBlanks(L"   "), L"");
  EXPECT_EQ(TrimBlanks(L"\u00A0x"), L"\u00A0x");  // the no-break space is text
}

}  // namespace
}  // namespace tallyman
