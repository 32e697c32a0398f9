#include <gtest/gtest.h>

#include "engine/text/base_conversion.h"
#include "engine/text/transliteration.h"

namespace tallyman {
namespace {

struct BaseCase {
  Text text;
  bool applies;
  bool overflow;
  Text result;
};

TEST(ConvertBase, KindsAndResults) {
  const BaseCase cases[] = {
      {L"255", true, false, L"FFh=11111111b"},
      {L"0", true, false, L"0h=0b"},
      {L"101", true, false, L"65h=1100101b"},
      {L"$1F", true, false, L"31=11111b"},
      {L"$a0", true, false, L"160=10100000b"},
      {L"1Fh", true, false, L"31=11111b"},
      {L"1fH", true, false, L"31=11111b"},
      {L"101b", true, false, L"5=5h"},
      {L"101B", true, false, L"5=5h"},
      {L"1e5", true, false, L"485=111100101b"},
      {L"1fb", true, false, L"507=111111011b"},
      {L"b1", true, false, L"177=10110001b"},
      {L"9223372036854775807", true, false, L"7FFFFFFFFFFFFFFFh=" + std::wstring(63, L'1') + L"b"},
      {L"9223372036854775808", true, true, L""},
      {L"FFFFFFFFFFFFFFFFh", true, false, L"-1=" + std::wstring(64, L'1') + L"b"},
      {L"00000000000000000000FFh", true, false, L"255=11111111b"},
      {L"1FFFFFFFFFFFFFFFFh", true, true, L""},
      {L"1" + std::wstring(63, L'0') + L"b", true, false, L"-9223372036854775808=8000000000000000h"},
      {L"1" + std::wstring(64, L'0') + L"b", true, true, L""},
      {L"12*3", false, false, L""},
      {L"-5", false, false, L""},
      {L"$", false, false, L""},
      {L"b", false, false, L""},
      {L"h", false, false, L""},
      {L"1$", false, false, L""},
      {L"1h2", false, false, L""},
      {L"1b0", true, false, L"432=110110000b"},
      {L"", false, false, L""},
  };
  for (const auto& c : cases) {
    const BaseConversion r = ConvertBase(c.text);
    EXPECT_EQ(r.applies, c.applies) << c.text;
    EXPECT_EQ(r.overflow, c.overflow) << c.text;
    EXPECT_EQ(r.result, c.result) << c.text;
  }
}

TEST(ConvertBase, NegativeDigitsUseAllBits) {
  EXPECT_EQ(HexDigits(-1), L"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(BinaryDigits(-2), std::wstring(63, L'1') + L"0");
  EXPECT_EQ(HexDigits(0), L"0");
  EXPECT_EQ(BinaryDigits(0), L"0");
}

struct TranslitCase {
  const wchar_t* russian;
  const wchar_t* latin;
};

TEST(Transliteration, RoundTripsOfEveryLetter) {
  const TranslitCase cases[] = {
      {L"Щука", L"Shhuka"},
      {L"Объект", L"Ob\"ekt"},
      {L"ОБЪЕКТ", L"OB\"EKT"},
      {L"Ёлка, ёжик", L"Jolka, jozhik"},
      {L"Цех, чай, шум, щи, эхо, юла, яма, жук, хор", L"Cekh, chaj, shum, shhi, ehkho, jula, jama, zhuk, khor"},
      {L"Схема исхода", L"Skhema iskhoda"},
      {L"Мальчик", L"Mal'chik"},
      {L"МАЛЬЧИК", L"MAL'ChIK"},
      {L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", L"abvgdejozhzijklmnoprstufkhcchshshh\"y'ehjuja"},
      {L"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", L"ABVGDEJoZhZIJKLMNOPRSTUFKhCChShShh\"Y'EhJuJa"},
      {L"Ель 12:30 — №5", L"El' 12:30 — №5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RusToTransLit(c.russian), c.latin) << c.russian;
    EXPECT_EQ(TransLitToRus(c.latin), c.russian) << c.latin;
  }
}

TEST(Transliteration, LatinReadingRules) {
  const TranslitCase cases[] = {
      {L"Щука", L"Shchuka"},
      {L"ЩИ", L"SHCHI"},
      {L"Щи", L"ShCHi"},
      {L"Э", L"Eh"},
      {L"Е", L"E"},
      {L"ЯЮ яю", L"YaYu yayu"},
      {L"Йод йод", L"Jjod jjod"},
      {L"ый ЫЙ", L"yi YI"},
      {L"вв", L"vw"},
      {L"хщ", L"xq"},
      {L"подъезд", L"pod^ezd"},
      {L"ПОДЪЕЗД", L"POD\"EZD"},
      {L"\"кавычки\"", L"\"kavychki\""},
      {L"а \" б", L"a \" b"},
      {L"'аь", L"'a'"},  // an apostrophe at the start stays, after a letter it is the soft sign
      {L"ль", L"l''"},
      {L"12ъ3", L"12\"3"},  // digits are word characters too
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TransLitToRus(c.latin), c.russian) << c.latin;
  }
}

}  // namespace
}  // namespace tallyman
