#include "engine/text/mail_address.h"

namespace tallyman {
namespace {

constexpr TextView kScheme = L"mailto:";
constexpr TextView kRefused = L"%,;<>\"\\";

bool StartsWithSchemeIgnoringCase(TextView text) {
  if (text.size() < kScheme.size()) return false;
  for (size_t i = 0; i < kScheme.size(); ++i) {
    const wchar_t c = text[i];
    const wchar_t lower = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    if (lower != kScheme[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<Text> BareMailAddress(TextView target) {
  TextView address = target;
  if (StartsWithSchemeIgnoringCase(address)) address.remove_prefix(kScheme.size());
  address = address.substr(0, address.find(L'?'));
  const size_t at = address.find(L'@');
  if (at == TextView::npos || at == 0 || at + 1 == address.size()) return std::nullopt;
  if (address.find(L'@', at + 1) != TextView::npos) return std::nullopt;
  for (const wchar_t c : address) {
    if (IsBlank(c) || c == 0x7F || Contains(kRefused, c)) return std::nullopt;
  }
  return Text(address);
}

}  // namespace tallyman
