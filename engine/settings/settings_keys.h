#pragma once
// The one declaration of every key of sections SETS, PLACE and FONT: section, name, kind,
// default, valid range and what to do with a value outside it. Settings() takes its defaults from
// here, and reading, clamping and writing are loops over this table, in the order of the file.
// CONSTANTS and NUMSTRING are lists, not keys, and are handled in settings_file.cpp.
#include <span>

#include "engine/core/text.h"
#include "engine/settings/settings.h"

namespace tallyman {

enum class KeyKind { Integer, Boolean, String };
// A damaged file may hold a value outside the range: bring it to the nearest end, or forget it.
enum class OutOfRange { Clamp, UseDefault };
enum class WriteRule { Always, WhenNotZero };

struct SettingsKey {
  const wchar_t* section = L"";
  const wchar_t* name = L"";
  KeyKind kind = KeyKind::Integer;
  int defaultValue = 0;              // Integer and Boolean (0 or 1)
  const wchar_t* defaultText = L"";  // String
  int min = 0;
  int max = 0;
  OutOfRange outOfRange = OutOfRange::Clamp;
  // A value above max becomes aboveMax instead of following outOfRange (the precision keys take
  // what the precision dialog would reset them to).
  bool hasAboveMax = false;
  int aboveMax = 0;
  WriteRule write = WriteRule::Always;
  // The field behind the key: integers and Booleans through get/set, text through getText/setText.
  int (*get)(const Settings&) = nullptr;
  void (*set)(Settings&, int) = nullptr;
  const Text& (*getText)(const Settings&) = nullptr;
  void (*setText)(Settings&, const Text&) = nullptr;
};

// In the order of writing (and of a new file).
std::span<const SettingsKey> SettingsKeys();

// The value a key takes for an integer read from the file (range rule applied).
int ApplyRange(const SettingsKey& key, int value);

}  // namespace tallyman
