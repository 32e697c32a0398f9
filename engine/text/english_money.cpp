#include "engine/text/english_money.h"

#include <algorithm>
#include <array>

#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

constexpr std::array<const wchar_t*, 20> kOnes = {L"",         L" One",     L" Two",       L" Three",    L" Four",
                                                  L" Five",    L" Six",     L" Seven",     L" Eight",    L" Nine",
                                                  L" Ten",     L" Eleven",  L" Twelve",    L" Thirteen", L" Fourteen",
                                                  L" Fifteen", L" Sixteen", L" Seventeen", L" Eighteen", L" Nineteen"};
constexpr std::array<const wchar_t*, 10> kTens = {L"",       L" Ten",   L" Twenty",  L" Thirty", L" Forty",
                                                  L" Fifty", L" Sixty", L" Seventy", L" Eighty", L" Ninety"};
constexpr std::array<const wchar_t*, 5> kScales = {L"", L" Thousand", L" Million", L" Billion", L" Trillion"};

Text BelowHundred(int r) {
  if (r < 20) return kOnes[static_cast<size_t>(r)];
  return Text(kTens[static_cast<size_t>(r / 10)]) + kOnes[static_cast<size_t>(r % 10)];
}

Text GroupWords(int g) {
  if (g < 100) return BelowHundred(g);
  return Text(kOnes[static_cast<size_t>(g / 100)]) + L" Hundred" + BelowHundred(g % 100);
}

bool AllDigits(TextView text) {
  return std::all_of(text.begin(), text.end(), IsDigit);
}

}  // namespace

std::optional<Text> EnglishMoneyText(TextView text, wchar_t decimalSeparator, wchar_t thousandsSeparator) {
  Text compact;
  for (wchar_t c : text) {
    if (c > L' ') compact.push_back(c);
  }
  const Text prefix = !compact.empty() && compact[0] == L'-' ? L"Negative " : L"";
  Text t;
  for (wchar_t c : compact) {
    if (c != L'-' && c != thousandsSeparator) t.push_back(c);
  }
  if (std::none_of(t.begin(), t.end(), IsDigit)) return Text();

  const size_t d = t.find(decimalSeparator);
  Text integer = d == Text::npos ? t : t.substr(0, d);
  if (!integer.empty() && integer[0] == L'+') integer.erase(0, 1);
  if (integer.size() > 15) return Text();
  if (!AllDigits(integer)) return std::nullopt;

  Text cents;
  if (d != Text::npos && d + 1 < t.size()) {
    const Text fraction = t.substr(d + 1);
    if (!AllDigits(fraction)) return std::nullopt;
    Text two = fraction.substr(0, 2);
    if (two.size() == 1) two.push_back(L'0');
    cents = L" and " + two + L" Cents";
  }

  Text words;
  size_t end = integer.size();
  for (size_t k = 0; end > 0; ++k) {
    const size_t begin = end >= 3 ? end - 3 : 0;
    const int g = std::stoi(integer.substr(begin, end - begin));
    if (g != 0) words = GroupWords(g) + kScales[k] + words;
    end = begin;
  }
  words = words.empty() ? Text(L"Zero") : Trimmed(words);
  return prefix + words + L" Dollars" + cents;
}

}  // namespace tallyman
