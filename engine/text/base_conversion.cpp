#include "engine/text/base_conversion.h"

#include <cstdint>
#include <limits>

#include "engine/text/text_helpers.h"

namespace tallyman {
namespace {

bool IsHexDigit(wchar_t c) {
  return IsDigit(c) || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

int HexValue(wchar_t c) {
  if (IsDigit(c)) return c - L'0';
  if (c >= L'a') return c - L'a' + 10;
  return c - L'A' + 10;
}

bool IsHexText(TextView t) {
  for (size_t i = 0; i < t.size(); ++i) {
    const wchar_t c = t[i];
    const bool ok = IsHexDigit(c) || (c == L'$' && i == 0) || ((c == L'H' || c == L'h') && i + 1 == t.size());
    if (!ok) return false;
  }
  return !t.empty();
}

bool IsBinaryText(TextView t) {
  for (size_t i = 0; i < t.size(); ++i) {
    const wchar_t c = t[i];
    const bool ok = c == L'0' || c == L'1' || ((c == L'B' || c == L'b') && i + 1 == t.size());
    if (!ok) return false;
  }
  return !t.empty();
}

bool IsDecimalText(TextView t) {
  for (wchar_t c : t) {
    if (!IsDigit(c)) return false;
  }
  return !t.empty();
}

// Digits of `bits` bits each into a 64-bit pattern; nullopt when more than 64 bits are set.
std::optional<uint64_t> ReadPattern(TextView digits, int bits) {
  uint64_t value = 0;
  const int top = 64 - bits;
  for (wchar_t c : digits) {
    if (value >> top != 0) return std::nullopt;
    value = (value << bits) | static_cast<uint64_t>(HexValue(c));
  }
  return value;
}

std::optional<long long> ReadDecimal(TextView digits) {
  constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<long long>::max());
  uint64_t value = 0;
  for (wchar_t c : digits) {
    const auto d = static_cast<uint64_t>(c - L'0');
    if (value > (kMax - d) / 10) return std::nullopt;
    value = value * 10 + d;
  }
  return static_cast<long long>(value);
}

Text Digits(long long value, int bits) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  auto pattern = static_cast<uint64_t>(value);
  const uint64_t mask = (1u << bits) - 1;
  Text out;
  do {
    out.insert(out.begin(), kDigits[pattern & mask]);
    pattern >>= bits;
  } while (pattern != 0);
  return out;
}

}  // namespace

Text HexDigits(long long value) {
  return Digits(value, 4);
}
Text BinaryDigits(long long value) {
  return Digits(value, 1);
}

BaseConversion ConvertBase(TextView text) {
  BaseConversion out;
  const bool decimal = IsDecimalText(text);
  bool binary = IsBinaryText(text);
  bool hex = IsHexText(text);
  if (binary && hex) {
    // 101b reads as base 2; 101 and 1 stay decimal.
    const wchar_t last = text.back();
    if (last == L'B' || last == L'b') {
      hex = false;
    } else {
      binary = false;
    }
  }
  if (decimal) {
    out.applies = true;
    const auto value = ReadDecimal(text);
    if (!value) {
      out.overflow = true;
    } else {
      out.result = HexDigits(*value) + L"h=" + BinaryDigits(*value) + L"b";
    }
    return out;
  }
  if (!hex && !binary) return out;
  TextView digits = text;
  if (hex && digits.front() == L'$') digits.remove_prefix(1);
  if (!digits.empty() && (digits.back() == L'H' || digits.back() == L'h' ||
                          (binary && (digits.back() == L'B' || digits.back() == L'b')))) {
    digits.remove_suffix(1);
  }
  // "$", "h" or "b" alone are no numbers: leave them to the formula (a variable may be named b).
  if (digits.empty()) return out;
  out.applies = true;
  const auto pattern = ReadPattern(digits, hex ? 4 : 1);
  if (!pattern) {
    out.overflow = true;
    return out;
  }
  const auto value = static_cast<long long>(*pattern);
  out.result = std::to_wstring(value) + L"=" + (hex ? BinaryDigits(value) + L"b" : HexDigits(value) + L"h");
  return out;
}

}  // namespace tallyman
