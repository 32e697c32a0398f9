#include "engine/text/code_page_repair.h"

#include <optional>

#include "engine/core/codepage.h"

namespace tallyman {
namespace {

std::optional<unsigned char> Windows1251Byte(wchar_t c) {
  return EncodeChar(c, CodePage::Windows1251);
}

template <typename Fix>
Text Reread(TextView text, CodePage page, Fix fix) {
  Text out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const auto byte = Windows1251Byte(c);
    out.push_back(byte ? fix(DecodeByte(*byte, page)) : c);
  }
  return out;
}

}  // namespace

Text DosToWin(TextView text) {
  return Reread(text, CodePage::Cp866, [](wchar_t c) { return c; });
}

Text KoiToWin(TextView text) {
  return Reread(text, CodePage::Koi8R, [](wchar_t c) {
    if (c == L'\u2219') return L'\u2022';
    return Windows1251Byte(c) ? c : L'?';
  });
}

}  // namespace tallyman
