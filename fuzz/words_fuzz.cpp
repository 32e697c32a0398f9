// libFuzzer target: number to words. The first line is the number; the lines after it are a
// NUMSTRING section of word overrides. Every input gives words, nothing, or one message.
#include "engine/core/text_file.h"
#include "engine/text/number_words.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tallyman::Locale russian = tallyman::Locale::Russian();
  static const tallyman::Locale english = tallyman::Locale::English();
  std::vector<tallyman::Text> lines = tallyman::SplitLines(tallyman::FromUtf8(tallyman::fuzz::Bytes(data, size)));
  if (lines.empty()) return 0;
  const tallyman::Text number = lines.front();
  lines.erase(lines.begin());
  for (const tallyman::Locale* locale : {&russian, &english}) {
    for (bool inEnglish : {false, true}) {
      tallyman::NumberWords words(*locale);
      words.SetNumString(lines.empty() ? tallyman::NumStringSection() : tallyman::NumStringSection(lines));
      tallyman::fuzz::CountingSink sink;
      const tallyman::Text appended = words.NumberToText(number, inEnglish, sink);
      if (sink.m_count > 1 || (sink.m_count == 1 && !appended.empty())) __builtin_trap();
    }
  }
  return 0;
}
