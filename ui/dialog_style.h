#pragma once
// How a dialog looks to the user: the language of its texts and whether it stays above other
// programs' windows. One value, made once from the settings, so the two cannot be swapped.
#include "engine/settings/settings.h"

namespace tallyman::ui {

enum class Language { kRussian, kEnglish };

struct DialogStyle {
  Language language = Language::kRussian;
  bool onTop = false;

  bool English() const { return language == Language::kEnglish; }
};

inline Language LanguageOf(bool english) {
  return english ? Language::kEnglish : Language::kRussian;
}

inline DialogStyle DialogStyleOf(const Settings& settings) {
  return {LanguageOf(settings.english), settings.stayOnTop};
}

}  // namespace tallyman::ui
