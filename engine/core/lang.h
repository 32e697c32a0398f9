#pragma once
// Language pairs: one text holding the Russian wording, "=", and the English wording. The split is
// at the first "="; a text without "=" reads the same in both languages.
#include "engine/core/text.h"

namespace tallyman {

inline Text LangText(TextView pair, bool english) {
  const size_t split = pair.find(L'=');
  if (split == TextView::npos) return Text(pair);
  return Text(english ? pair.substr(split + 1) : pair.substr(0, split));
}

}  // namespace tallyman
