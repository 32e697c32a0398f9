#include "engine/settings/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <system_error>

#include "engine/core/number_text.h"
#include "engine/core/text_file.h"
#include "engine/settings/settings_keys.h"
#include "engine/settings/slot_text.h"

namespace tallyman {
namespace {

constexpr const wchar_t* kConstants = L"CONSTANTS";
constexpr const wchar_t* kNumString = L"NUMSTRING";

// A decimal integer, or hexadecimal after "0x"/"0X" (8 digits at most, read as the 32-bit
// pattern, so 0x80000008 is a negative colour value), with an optional sign; blanks around it
// are allowed. Anything else, or a decimal number outside the int range, is not an integer.
std::optional<int> ParseInteger(TextView text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // Leading zeros are no digits, however many there are.
  if (!text.empty()) text.remove_prefix(std::min(text.find_first_not_of(L'0'), text.size() - 1));
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::string ascii;
  for (wchar_t c : text) {
    if (c > 0x7F) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), magnitude, base);
  if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  std::int64_t value = 0;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFu) return std::nullopt;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  } else {
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) + 1) {
      return std::nullopt;
    }
    value = static_cast<std::int64_t>(magnitude);
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

IniFile ReadIniFile(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadFileBytes(file, kMaxSettingsFileBytes);
  if (!bytes) return IniFile();
  return IniFile::Parse(DecodeTextFile(*bytes));
}

// The save itself; SaveSettings turns running out of memory into a failed save.
bool SaveSettingsUnguarded(const std::filesystem::path& file, const Settings& settings, const Locale& locale) {
  const std::optional<std::filesystem::path> resolved = WriteTarget(file);
  if (!resolved) return false;
  const std::filesystem::path& target = *resolved;
  IniFile ini;
  std::error_code error;
  if (std::filesystem::exists(target, error)) {
    const std::optional<std::string> bytes = ReadFileBytes(target, kMaxSettingsFileBytes);
    // A file that exists but cannot be read is not replaced: its hand-written sections would go.
    if (!bytes) return false;
    ini = IniFile::Parse(DecodeTextFile(*bytes));
  }
  WriteSettings(ini, settings, locale);
  return WriteFileAtomically(target, EncodeTextFile(ini.Serialize()));
}

}  // namespace

Settings ReadSettings(const IniFile& ini, const Locale& locale, const Settings& base) {
  Settings settings = base;
  for (const SettingsKey& key : SettingsKeys()) {
    const std::optional<Text> value = ini.Value(key.section, key.name);
    if (!value) continue;
    if (key.kind == KeyKind::String) {
      key.setText(settings, *value);
    } else if (const std::optional<int> number = ParseInteger(*value)) {
      key.set(settings, ApplyRange(key, *number));
    }
  }

  settings.hasNumString = ini.HasSection(kNumString);
  settings.numString = ini.SectionLines(kNumString);

  const NumberText numbers(locale, settings.digits, settings.resOut);
  for (size_t i = 0; i < settings.memory.size(); ++i) {
    const std::optional<Text> text = ini.Value(kConstants, std::to_wstring(i));
    const std::optional<MemorySlot> slot = text ? ParseSlotSettingText(*text, numbers) : std::nullopt;
    settings.memory[i] = slot.value_or(MemorySlot());
  }
  return settings;
}

void WriteSettings(IniFile& ini, const Settings& settings, const Locale& locale) {
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.kind == KeyKind::String) {
      ini.SetValue(key.section, key.name, key.getText(settings));
      continue;
    }
    const int value = key.get(settings);
    // A key that is written only when not zero is still set back to zero when the file holds
    // it, or the old value would come back at the next start.
    if (key.write == WriteRule::WhenNotZero && value == 0 && !ini.Value(key.section, key.name)) {
      continue;
    }
    ini.SetValue(key.section, key.name, std::to_wstring(value));
  }

  ini.EraseSection(kConstants);
  const NumberText numbers(locale, settings.digits, settings.resOut);
  for (size_t i = 0; i < settings.memory.size(); ++i) {
    const Text text = SlotSettingText(settings.memory[i], numbers);
    if (!text.empty()) ini.SetValue(kConstants, std::to_wstring(i), text);
  }
}

Settings LoadSettings(const std::filesystem::path& file, const Locale& locale, const Settings& base) {
  try {
    return ReadSettings(ReadIniFile(file), locale, base);
  } catch (const std::bad_alloc&) {
    return base;  // as if the file were absent
  }
}

bool SaveSettings(const std::filesystem::path& file, const Settings& settings, const Locale& locale) {
  try {
    return SaveSettingsUnguarded(file, settings, locale);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool ReadOnlyOne(const std::filesystem::path& file) {
  return LoadSettings(file, Locale::English()).onlyOne;
}

}  // namespace tallyman
