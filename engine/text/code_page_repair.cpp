#include "engine/text/code_page_repair.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "engine/core/codepage.h"

namespace tallyman {
namespace {

// Windows-1251 byte of a character, by binary search over its upper half (the code-page module
// scans linearly, which dominates when a whole notebook is converted).
std::optional<unsigned char> Windows1251Byte(wchar_t c) {
  if (c >= 0 && c < 0x80) return static_cast<unsigned char>(c);
  using Entry = std::pair<wchar_t, unsigned char>;
  static const std::array<Entry, 128> kSorted = [] {
    std::array<Entry, 128> table{};
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
      table[b - 0x80] = {DecodeByte(static_cast<unsigned char>(b), CodePage::Windows1251), static_cast<unsigned char>(b)};
    }
    std::sort(table.begin(), table.end());
    return table;
  }();
  const auto it = std::lower_bound(kSorted.begin(), kSorted.end(), Entry{c, 0});
  if (it == kSorted.end() || it->first != c) return std::nullopt;
  return it->second;
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
