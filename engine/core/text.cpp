#include "engine/core/text.h"

namespace tallyman {

Text FromUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  const auto byteAt = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = byteAt(i);
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    int extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
      out.push_back(L'\uFFFD');
      ++i;
      continue;
    }
    size_t j = i + 1;
    for (; j <= i + extra; ++j) {
      if (j >= bytes.size() || (byteAt(j) & 0xC0) != 0x80) break;
      code = (code << 6) | (byteAt(j) & 0x3F);
    }
    if (j != i + extra + 1 || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(L'\uFFFD');
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    out.push_back(static_cast<wchar_t>(code));
    i = j;
  }
  return out;
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace tallyman
