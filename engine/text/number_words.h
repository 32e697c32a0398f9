#pragma once
// Number to words: a money amount written behind the number, in Russian roubles and kopecks or
// in English dollars and cents.
//
// The Russian word tables live as long as the object does and are changed in place: the NUMSTRING
// overrides are applied before every conversion and the short kopeck word replaces the kopeck
// forms, and neither is undone. Keep one NumberWords for the life of the program.
#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/core/number_text.h"
#include "engine/text/russian_words.h"

namespace tallyman {

class NumberWords {
 public:
  explicit NumberWords(const Locale& locale);

  // The NUMSTRING section of the settings file; when it exists the Russian engine is used in
  // both languages.
  void SetNumString(NumStringSection section) { m_numString = std::move(section); }
  // ShortPenny: kopecks written as "коп." (only without a NUMSTRING section).
  void SetShortPenny(bool on) { m_shortPenny = on; }

  // The text appended behind the number: a blank, the short currency word (Russian engine only)
  // and the words in brackets, e.g. " руб. (Двадцать один рубль 00 копеек)". Empty when the text
  // is not a number this can write; a text that looks like a number but cannot be read (1-2, 1E)
  // is reported through the sink and also gives the empty text.
  Text NumberToText(TextView text, bool english, MessageSink& sink);

  // The Russian engine on a value: "Одна тысяча двести тридцать четыре рубля 50 копеек".
  // Values below 0 or from 10^15 on give "0.00".
  Text RussianMoneyText(Number value);

  Text TriadText(int n, wchar_t gender) const { return tallyman::TriadText(m_words, n, gender); }
  void ApplyNumString();
  const RussianWords& Words() const { return m_words; }

 private:
  NumberText m_numbers;
  wchar_t m_englishDecimal;
  wchar_t m_englishThousands;
  RussianWords m_words = RussianWords::BuiltIn();
  NumStringSection m_numString;
  bool m_shortPenny = false;
};

}  // namespace tallyman
