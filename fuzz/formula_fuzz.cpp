// libFuzzer target: Evaluate must end every input in a finite value or a code 1..8 with a
// position inside the text, in both locale presets, without crashing, leaking or hanging.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/core/locale.h"
#include "engine/core/text.h"
#include "engine/formula/evaluate.h"

namespace {

class NullSink : public tallyman::MessageSink {
 public:
  void ShowMessage(const tallyman::Text& text) override { m_length += text.size(); }
  size_t m_length = 0;
};

void Check(const tallyman::Text& text, const tallyman::Locale& locale) {
  const tallyman::EvalResult r = tallyman::Evaluate(text, locale);
  const int code = tallyman::CodeOf(r.errCode);
  if (code < 0 || code > 8) __builtin_trap();
  if (code == 0 && (r.errPos != 0 || !std::isfinite(r.value))) __builtin_trap();
  if (code != 0 && r.value != 0) __builtin_trap();
  if (r.errPos < 0 || static_cast<size_t>(r.errPos) > text.size() + 1) __builtin_trap();
  NullSink sink;
  tallyman::ShowEvalError(r.errCode, true, sink);
  if ((code != 0) != (sink.m_length != 0)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tallyman::Locale russian = tallyman::Locale::Russian();
  static const tallyman::Locale english = tallyman::Locale::English();
  const tallyman::Text text = tallyman::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  Check(text, russian);
  Check(text, english);
  return 0;
}
