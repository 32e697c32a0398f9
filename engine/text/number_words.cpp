#include "engine/text/number_words.h"

#include <cmath>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/text/english_money.h"
#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

constexpr Number kLimit = 1e15L;

void UpperFirst(Text& text) {
  if (!text.empty()) text[0] = UpperLetter(text[0]);
}

Text TwoDigits(long long n) {
  Text out;
  out.push_back(static_cast<wchar_t>(L'0' + n / 10));
  out.push_back(static_cast<wchar_t>(L'0' + n % 10));
  return out;
}

bool RussianAccepts(TextView cleaned, wchar_t decimal) {
  for (wchar_t c : cleaned) {
    if (c != decimal && c != L' ' && c != L'+' && c != L'-' && c != L'E' && c != L'e' && !IsDigit(c)) return false;
  }
  return true;
}

}  // namespace

NumberWords::NumberWords(const Locale& locale) : m_numbers(locale) {
  m_englishDecimal = locale.decimalSeparator ? locale.decimalSeparator : L'.';
  m_englishThousands = locale.thousandsSeparator ? locale.thousandsSeparator : L',';
}

void NumberWords::ApplyNumString() {
  if (m_numString) tallyman::ApplyNumString(m_words, *m_numString);
}

Text NumberWords::RussianMoneyText(Number value) {
  if (m_numString) {
    ApplyNumString();
  } else if (m_shortPenny) {
    for (size_t i = 1; i < m_words.penny.size(); ++i) m_words.penny[i] = L"коп.";
  }
  if (!(value >= 0 && value < kLimit)) return L"0.00";

  Number f = value - std::trunc(value);
  if (f > 0.994L) {
    f = 0;
    value += 1;
  }
  // Rounding a value just below the limit up by a kopeck must not leave the five groups.
  if (value >= kLimit) return L"0.00";
  const long long whole = static_cast<long long>(value - f);
  const long long kopecks = static_cast<long long>(std::nearbyint(f * 100));

  struct Group {
    long long n;
    const RussianWords::Scale& scale;
  };
  const Group groups[] = {
      {whole / 1000000000000LL, m_words.trillion},
      {whole / 1000000000LL % 1000, m_words.milliard},
      {whole / 1000000LL % 1000, m_words.million},
      {whole / 1000LL % 1000, m_words.thousand},
      {whole % 1000, m_words.currency},
  };
  Text out;
  for (const Group& g : groups) {
    if (g.n <= 0) continue;
    const wchar_t gender = g.scale[0].empty() ? L' ' : g.scale[0][0];
    out += tallyman::TriadText(m_words, static_cast<int>(g.n), gender);
    out += g.scale[static_cast<size_t>(PluralClass(g.n))];
  }
  if (whole % 1000 == 0 && value >= 1) out += m_words.currency[5];
  out += TwoDigits(kopecks) + L" " + m_words.penny[static_cast<size_t>(PluralClass(kopecks))];
  if (!out.empty() && out.back() == L' ') out.pop_back();
  UpperFirst(out);
  return out;
}

Text NumberWords::NumberToText(TextView text, bool english, MessageSink& sink) {
  const Text trimmed = Trimmed(text);
  if (trimmed.empty()) return Text();
  const auto refuse = [&] {
    sink.ShowMessage(WithArgument(LangText(pairs::kNotANumber, english), trimmed));
    return Text();
  };

  const bool englishEngine = english && !m_numString;
  Text compact;
  for (wchar_t c : trimmed) {
    if (c > L' ') compact.push_back(c);
  }
  // Both engines: a separator before anything but a group of three digits groups nothing, so
  // "1234,5" where "," groups thousands is no number (rather than 12345).
  Text words;
  bool negative = false;
  if (englishEngine) {
    const auto result = EnglishMoneyText(trimmed, m_englishDecimal, m_englishThousands);
    if (!result || (!result->empty() && !GroupingFits(compact, m_englishThousands))) return refuse();
    words = *result;
  } else {
    if (compact[0] == L'-') {
      negative = true;
      compact.erase(0, 1);
    }
    const Text cleaned = m_numbers.CleanNumber(compact);
    if (cleaned.empty() || !RussianAccepts(cleaned, m_numbers.DecimalSeparator())) return Text();
    if (!GroupingFits(compact, m_numbers.ThousandsSeparator())) return refuse();
    const auto value = m_numbers.ReadFloat(cleaned);
    if (!value) return refuse();
    words = RussianMoneyText(*value);
  }
  if (words.empty()) return Text();
  UpperFirst(words);
  if (negative) words = m_words.minus + words;
  words = L"(" + words + L")";
  return englishEngine ? L" " + words : L" " + m_words.shortCurrency + words;
}

}  // namespace tallyman
