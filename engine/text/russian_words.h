#pragma once
// The word tables of the Russian money engine, and their replacement word by word from the
// NUMSTRING lines of the settings file. With replaced tables the engine writes any language with
// up to three genders and five plural forms.
#include <array>
#include <optional>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

struct RussianWords {
  using Ones = std::array<Text, 10>;
  // Entry 0 is the gender letter ("m", "f" or "n"; only its first character counts), entries
  // 1..5 the forms after a number of plural class 1..5.
  using Scale = std::array<Text, 6>;

  Ones numM, numF, numN;  // index 0 is the empty word
  Ones decs;              // 10..19
  Ones tens;              // index 2..9
  Ones hundrs;            // index 1..9
  Scale thousand, million, milliard, trillion, currency, penny;
  Text shortCurrency;
  Text minus;

  // The built-in words: every word ends with one blank, except the kopeck words.
  static RussianWords BuiltIn();
};

// The NUMSTRING section as its lines "key=value"; absent when the settings have no such section.
using NumStringSection = std::optional<std::vector<Text>>;

// The value of a key (compared case-insensitively, blanks around key and value ignored).
std::optional<Text> NumStringValue(const std::vector<Text>& lines, TextView key);

// Copies the overrides into the tables. A value is a comma-separated list stored into consecutive
// entries; an empty item keeps its entry, a non-empty one replaces it and gets one blank appended.
// The feminine and neuter ones always start as copies of the masculine ones.
void ApplyNumString(RussianWords& words, const std::vector<Text>& lines);

// 0 to 999 in words of a gender ("m", "f", "n"; any other letter writes no ones word).
Text TriadText(const RussianWords& words, int n, wchar_t gender);

// Plural class 1..5 of a whole number: 1 for ..1, 2..4 for ..2 to ..4, 5 for the rest and 11..19.
int PluralClass(long long n);

}  // namespace tallyman
