#include "engine/text/transliteration.h"

#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

// а..я in alphabetical order (without ё).
// clang-format off
constexpr const wchar_t* kLatinOfLower[32] = {
    L"a", L"b", L"v",  L"g",  L"d",   L"e",  L"zh", L"z", L"i",  L"j",  L"k",  L"l",  L"m",  L"n",  L"o",  L"p",
    L"r", L"s", L"t",  L"u",  L"f",   L"kh", L"c",  L"ch", L"sh", L"shh", L"\"", L"y", L"'",  L"eh", L"ju", L"ja"};
constexpr const wchar_t* kLatinOfUpper[32] = {
    L"A", L"B", L"V",  L"G",  L"D",   L"E",  L"Zh", L"Z", L"I",  L"J",  L"K",  L"L",  L"M",  L"N",  L"O",  L"P",
    L"R", L"S", L"T",  L"U",  L"F",   L"Kh", L"C",  L"Ch", L"Sh", L"Shh", L"\"", L"Y", L"'",  L"Eh", L"Ju", L"Ja"};

// a..z to Cyrillic lower case; the upper case is the same letter upper-cased.
constexpr wchar_t kCyrillicOfLatin[26] = {
    L'а', L'б', L'ц', L'д', L'е', L'ф', L'г', L'х', L'и', L'й', L'к', L'л', L'м',
    L'н', L'о', L'п', L'щ', L'р', L'с', L'т', L'у', L'в', L'в', L'х', L'ы', L'з'};
// clang-format on

wchar_t LowerLatin(wchar_t c) {
  return IsUpperLatin(c) ? static_cast<wchar_t>(c + 32) : c;
}
bool IsLatin(wchar_t c) {
  return (c >= L'a' && c <= L'z') || IsUpperLatin(c);
}

// Every character except controls, blank, "!", the double quote and ( ) * + , - . / : ; < = > ?
// [ \ ] ^ { | }.
bool IsWordChar(wchar_t c) {
  if (c < 35) return false;
  static constexpr TextView kPunctuation = L"()*+,-./:;<=>?[\\]^{|}";
  return kPunctuation.find(c) == TextView::npos;
}

wchar_t InCaseOf(wchar_t first, wchar_t lowerCyrillic) {
  return IsUpperLatin(first) ? UpperLetter(lowerCyrillic) : lowerCyrillic;
}

}  // namespace

Text RusToTransLit(TextView text) {
  Text out;
  out.reserve(text.size() + text.size() / 4);
  for (wchar_t c : text) {
    if (c >= L'а' && c <= L'я') {
      out += kLatinOfLower[c - L'а'];
    } else if (c >= L'А' && c <= L'Я') {
      out += kLatinOfUpper[c - L'А'];
    } else if (c == L'ё') {
      out += L"jo";
    } else if (c == L'Ё') {
      out += L"Jo";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

Text TransLitToRus(TextView text) {
  Text out;
  out.reserve(text.size());
  const size_t n = text.size();
  const auto at = [&](size_t i) { return i < n ? LowerLatin(text[i]) : L'\0'; };
  for (size_t i = 0; i < n; ++i) {
    const wchar_t c = text[i];
    const wchar_t lower = LowerLatin(c);
    const wchar_t next = at(i + 1);
    wchar_t pair = 0;
    size_t used = 2;
    if (next == L'h') {
      switch (lower) {
        // clang-format off
        case L'c': pair = L'ч'; break;
        case L'e': pair = L'э'; break;
        case L'k': pair = L'х'; break;
        case L'z': pair = L'ж'; break;
        // clang-format on
        case L's':
          if (at(i + 2) == L'h') {
            pair = L'щ';
            used = 3;
          } else if (at(i + 2) == L'c' && at(i + 3) == L'h') {
            pair = L'щ';
            used = 4;
          } else {
            pair = L'ш';
          }
          break;
        // clang-format off
        default: break;
          // clang-format on
      }
    } else if (lower == L'j') {
      switch (next) {
        // clang-format off
        case L'a': pair = L'я'; break;
        case L'j': pair = L'й'; break;
        case L'o': pair = L'ё'; break;
        case L'u': pair = L'ю'; break;
        default: break;
          // clang-format on
      }
    } else if (lower == L'y') {
      if (next == L'a') pair = L'я';
      if (next == L'u') pair = L'ю';
    }
    if (pair != 0) {
      out.push_back(InCaseOf(c, pair));
      i += used - 1;
      continue;
    }
    const bool afterWordChar = i > 0 && IsWordChar(text[i - 1]);
    if (lower == L'i' && i > 0 && LowerLatin(text[i - 1]) == L'y') {
      out.push_back(InCaseOf(c, L'й'));
    } else if ((c == L'"' || c == L'^') && afterWordChar && i + 1 < n && IsWordChar(text[i + 1])) {
      out.push_back(IsUpperLatin(text[i + 1]) ? L'Ъ' : L'ъ');
    } else if (c == L'\'' && afterWordChar) {
      out.push_back(IsUpperLatin(text[i - 1]) ? L'Ь' : L'ь');
      if (i + 1 < n && text[i + 1] == L'\'') ++i;
    } else if (IsLatin(c)) {
      out.push_back(InCaseOf(c, kCyrillicOfLatin[lower - L'a']));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace tallyman
