#include "engine/text/russian_words.h"

#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

wchar_t LowerAscii(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

bool SameKey(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// Stores the comma-separated items of a value into entries first..last of a table.
template <size_t N>
void StoreItems(std::array<Text, N>& table, size_t first, size_t last, TextView value) {
  size_t index = first;
  size_t start = 0;
  while (index <= last && index < N) {
    const size_t comma = value.find(L',', start);
    const TextView item = TrimBlanks(value.substr(start, comma == TextView::npos ? TextView::npos : comma - start));
    if (!item.empty()) table[index] = Text(item) + L' ';
    ++index;
    if (comma == TextView::npos) break;
    start = comma + 1;
  }
}

template <size_t N>
void Override(std::array<Text, N>& table, size_t first, size_t last, const std::vector<Text>& lines, TextView key) {
  if (const auto value = NumStringValue(lines, key)) StoreItems(table, first, last, *value);
}

}  // namespace

RussianWords RussianWords::BuiltIn() {
  RussianWords w;
  w.numM = {L"", L"один ", L"два ", L"три ", L"четыре ", L"пять ", L"шесть ", L"семь ", L"восемь ", L"девять "};
  w.numF = w.numM;
  w.numF[1] = L"одна ";
  w.numF[2] = L"две ";
  w.numN = w.numM;
  w.numN[1] = L"одно ";
  // clang-format off
  w.decs = {L"десять ",      L"одиннадцать ", L"двенадцать ",   L"тринадцать ",  L"четырнадцать ",
            L"пятнадцать ",  L"шестнадцать ", L"семнадцать ",   L"восемнадцать ", L"девятнадцать "};
  w.tens = {L"",           L"",            L"двадцать ",   L"тридцать ",    L"сорок ",
            L"пятьдесят ", L"шестьдесят ", L"семьдесят ",  L"восемьдесят ", L"девяносто "};
  w.hundrs = {L"",          L"сто ",      L"двести ",   L"триста ",    L"четыреста ",
              L"пятьсот ",  L"шестьсот ", L"семьсот ",  L"восемьсот ", L"девятьсот "};
  // clang-format on
  w.thousand = {L"f", L"тысяча ", L"тысячи ", L"тысячи ", L"тысячи ", L"тысяч "};
  w.million = {L"m", L"миллион ", L"миллиона ", L"миллиона ", L"миллиона ", L"миллионов "};
  w.milliard = {L"m", L"миллиард ", L"миллиарда ", L"миллиарда ", L"миллиарда ", L"миллиардов "};
  w.trillion = {L"m", L"триллион ", L"триллиона ", L"триллиона ", L"триллиона ", L"триллионов "};
  w.currency = {L"m", L"рубль ", L"рубля ", L"рубля ", L"рубля ", L"рублей "};
  w.penny = {L"f", L"копейка", L"копейки", L"копейки", L"копейки", L"копеек"};
  w.shortCurrency = L"руб. ";
  w.minus = L"минус ";
  return w;
}

std::optional<Text> NumStringValue(const std::vector<Text>& lines, TextView key) {
  for (const Text& line : lines) {
    const size_t equals = line.find(L'=');
    if (equals == Text::npos) continue;
    if (SameKey(TrimBlanks(TextView(line).substr(0, equals)), key)) {
      return Trimmed(TextView(line).substr(equals + 1));
    }
  }
  return std::nullopt;
}

void ApplyNumString(RussianWords& words, const std::vector<Text>& lines) {
  Override(words.numM, 1, 9, lines, L"NumM");
  for (size_t i = 1; i <= 9; ++i) {
    words.numF[i] = words.numM[i];
    words.numN[i] = words.numM[i];
  }
  Override(words.numF, 1, 9, lines, L"NumF");
  Override(words.numN, 1, 9, lines, L"NumN");
  Override(words.decs, 0, 9, lines, L"Decs");
  Override(words.tens, 2, 9, lines, L"Tens");
  Override(words.hundrs, 1, 9, lines, L"Hundrs");
  Override(words.thousand, 0, 5, lines, L"Thousand");
  Override(words.million, 0, 5, lines, L"Million");
  Override(words.milliard, 0, 5, lines, L"Milliard");
  Override(words.trillion, 0, 5, lines, L"Trillion");
  Override(words.currency, 0, 5, lines, L"Currency");
  Override(words.penny, 0, 5, lines, L"Penny");
  if (const auto value = NumStringValue(lines, L"ShortCurrency")) words.shortCurrency = *value + L' ';
  if (const auto value = NumStringValue(lines, L"Minus")) words.minus = *value + L' ';
}

Text TriadText(const RussianWords& words, int n, wchar_t gender) {
  if (n < 0 || n > 999) return Text();
  const RussianWords::Ones* ones = nullptr;
  switch (gender) {
    // clang-format off
    case L'M': case L'm': ones = &words.numM; break;
    case L'F': case L'f': ones = &words.numF; break;
    case L'N': case L'n': ones = &words.numN; break;
    default: break;
      // clang-format on
  }
  Text out = words.hundrs[static_cast<size_t>(n / 100)];
  const int r = n % 100;
  if (r >= 10 && r <= 19) {
    out += words.decs[static_cast<size_t>(r - 10)];
  } else {
    out += words.tens[static_cast<size_t>(r / 10)];
    if (ones) out += (*ones)[static_cast<size_t>(r % 10)];
  }
  return out;
}

int PluralClass(long long n) {
  const long long r = n % 100;
  if (r >= 10 && r <= 19) return 5;
  const long long d = r % 10;
  if (d == 1) return 1;
  if (d >= 2 && d <= 4) return static_cast<int>(d);
  return 5;
}

}  // namespace tallyman
