// libFuzzer target: the time calculator ends every text with a result or nothing, in both locale
// presets and both languages, without crashing, leaking or hanging (it must stay linear).
#include "engine/text/time_calc.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tallyman::Locale russian = tallyman::Locale::Russian();
  static const tallyman::Locale english = tallyman::Locale::English();
  static const tallyman::DateTime now = *tallyman::EncodeDateTime({2026, 7, 15, 14, 30, 0, 0});
  const tallyman::Text text = tallyman::FromUtf8(tallyman::fuzz::Bytes(data, size));
  for (const tallyman::Locale* locale : {&russian, &english}) {
    for (bool inEnglish : {false, true}) {
      tallyman::fuzz::CountingSink sink;
      const tallyman::Text result = tallyman::TimeCalculator(*locale, now, inEnglish).TimeCalc(text, sink);
      if (sink.m_count > 1 || (sink.m_count == 1 && !result.empty())) __builtin_trap();
    }
  }
  return 0;
}
