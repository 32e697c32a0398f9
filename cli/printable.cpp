#include "cli/printable.h"

namespace tallyman::cli {
namespace {

void AppendHex(Text& out, unsigned value, int digits) {
  constexpr const wchar_t* kHex = L"0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string Printable(TextView text) {
  Text out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const auto code = static_cast<unsigned>(c);
    if (c == L'\t') {
      out += L"\\t";
    } else if (code < 0x20 || code == 0x7F) {
      out += L"\\x";
      AppendHex(out, code, 2);
    } else if (code >= 0x80 && code < 0xA0) {
      out += L"\\u";
      AppendHex(out, code, 4);
    } else {
      out += c;
    }
  }
  return ToUtf8(out);
}

}  // namespace tallyman::cli
