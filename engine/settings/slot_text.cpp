#include "engine/settings/slot_text.h"

#include <algorithm>
#include <string>

#include "engine/settings/ini_file.h"

namespace tallyman {
namespace {

bool IsSlotSign(wchar_t c) {
  return c == L'*' || c == L'+' || c == L'-' || c == L'/';
}

Text NameSuffix(const MemorySlot& slot) {
  if (slot.name.empty()) return Text();
  return L" ; " + slot.name;
}

Text SignText(const MemorySlot& slot) {
  return IsSlotSign(slot.sign) ? Text(1, slot.sign) : Text();
}

}  // namespace

std::optional<MemorySlot> ParseSlotText(TextView text, const NumberText& numbers) {
  MemorySlot slot;
  if (!text.empty() && IsSlotSign(text.front())) {
    slot.sign = text.front();
    text.remove_prefix(1);
  }
  TextView number = text;
  const size_t semicolon = text.find(L';');
  if (semicolon != TextView::npos) {
    slot.name = Text(TrimBlanks(text.substr(semicolon + 1)));
    number = text.substr(0, semicolon);
  }
  const std::optional<Number> value = numbers.TextToNumber(TrimBlanks(number));
  if (!value || *value == 0) return std::nullopt;
  slot.value = *value;
  return slot;
}

std::optional<MemorySlot> ParseSlotSettingText(TextView text, const NumberText& numbers) {
  Text normalised(text);
  const size_t numberEnd = std::min(normalised.find(L';'), normalised.size());
  size_t separators = 0;
  size_t at = 0;
  for (size_t i = 0; i < numberEnd; ++i) {
    if (normalised[i] == L'.' || normalised[i] == L',') {
      ++separators;
      at = i;
    }
  }
  if (separators == 1) normalised[at] = numbers.DecimalSeparator();
  return ParseSlotText(normalised, numbers);
}

Text SlotLineText(int index, const MemorySlot& slot, const NumberText& numbers) {
  Text line = std::to_wstring(index) + L" = ";
  if (slot.value == 0) return line + L"0";
  return line + SignText(slot) + numbers.FormatCalc(slot.value) + NameSuffix(slot);
}

Text SlotEditText(const MemorySlot& slot, const NumberText& numbers) {
  if (slot.value == 0) return Text();
  return SignText(slot) + numbers.FormatCalc(slot.value) + NameSuffix(slot);
}

Text SlotSettingText(const MemorySlot& slot, const NumberText& numbers) {
  if (slot.value == 0) return Text();
  const std::optional<Text> number = numbers.Format(slot.value, numbers.Digits());
  // A value that cannot be written is not kept: writing only its sign would change its meaning.
  if (!number) return Text();
  return SignText(slot) + numbers.CleanNumber(*number) + NameSuffix(slot);
}

SlotEdit InterpretSlotEdit(TextView entered, const NumberText& numbers) {
  if (entered.empty() || entered == L"0") return SlotEdit{SlotEdit::Kind::Delete, {}};
  if (std::optional<MemorySlot> slot = ParseSlotText(entered, numbers)) {
    return SlotEdit{SlotEdit::Kind::Store, std::move(*slot)};
  }
  return SlotEdit{};
}

std::optional<Number> EntrySlotValue(TextView entry, const NumberText& numbers) {
  if (entry.empty()) return std::nullopt;
  const std::optional<Number> value = numbers.TextToNumber(entry);
  if (!value || *value == 0) return std::nullopt;
  return value;
}

}  // namespace tallyman
