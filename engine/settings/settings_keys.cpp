#include "engine/settings/settings_keys.h"

#include <algorithm>
#include <array>
#include <climits>

namespace tallyman {
namespace {

// Field accessors for the table: each expands to the get/set pair of one field.
#define TALLYMAN_INT(field) \
  .get = [](const Settings& s) { return static_cast<int>(s.field); }, .set = [](Settings& s, int v) { s.field = v; }
#define TALLYMAN_BOOL(field) \
  .get = [](const Settings& s) { return s.field ? 1 : 0; }, .set = [](Settings& s, int v) { s.field = v != 0; }
#define TALLYMAN_TEXT(field)                                           \
  .getText = [](const Settings& s) -> const Text& { return s.field; }, \
  .setText = [](Settings& s, const Text& v) { s.field = v; }

constexpr const wchar_t* kSets = L"SETS";
constexpr const wchar_t* kPlace = L"PLACE";
constexpr const wchar_t* kFont = L"FONT";

// A place coordinate may be negative (a screen left of or above the primary one); sizes may not.
constexpr int kCoordMin = -100000;
constexpr int kCoordMax = 100000;
constexpr int kSizeMax = 100000;

#define TALLYMAN_PLACE(prefix, window, x, y, h, w)                                                            \
  Integer(kPlace, prefix L"Left", x, kCoordMin, kCoordMax, OutOfRange::Clamp, {TALLYMAN_INT(window.left)}),   \
      Integer(kPlace, prefix L"Top", y, kCoordMin, kCoordMax, OutOfRange::Clamp, {TALLYMAN_INT(window.top)}), \
      Integer(kPlace, prefix L"Height", h, 0, kSizeMax, OutOfRange::Clamp, {TALLYMAN_INT(window.height)}),    \
      Integer(kPlace, prefix L"Width", w, 0, kSizeMax, OutOfRange::Clamp, {TALLYMAN_INT(window.width)})

constexpr SettingsKey Integer(const wchar_t* section, const wchar_t* name, int def, int min, int max,
                              OutOfRange outOfRange, SettingsKey access) {
  access.section = section;
  access.name = name;
  access.kind = KeyKind::Integer;
  access.defaultValue = def;
  access.min = min;
  access.max = max;
  access.outOfRange = outOfRange;
  return access;
}

constexpr SettingsKey ResetAbove(SettingsKey key, int value) {
  key.hasAboveMax = true;
  key.aboveMax = value;
  return key;
}

constexpr SettingsKey Boolean(const wchar_t* section, const wchar_t* name, bool def, SettingsKey access) {
  access.section = section;
  access.name = name;
  access.kind = KeyKind::Boolean;
  access.defaultValue = def ? 1 : 0;
  access.min = 0;
  access.max = 1;
  return access;
}

constexpr SettingsKey String(const wchar_t* section, const wchar_t* name, const wchar_t* def, SettingsKey access) {
  access.section = section;
  access.name = name;
  access.kind = KeyKind::String;
  access.defaultText = def;
  return access;
}

constexpr std::array kKeys = {
    ResetAbove(Integer(kSets, L"Digits", 8, 0, 18, OutOfRange::Clamp, {TALLYMAN_INT(digits)}), 8),
    ResetAbove(Integer(kSets, L"ResOut", 4, 0, 18, OutOfRange::Clamp, {TALLYMAN_INT(resOut)}), 2),
    [] {
      SettingsKey key = Integer(kSets, L"TabDelta", 0, -1000, 1000, OutOfRange::Clamp, {TALLYMAN_INT(tabDelta)});
      key.write = WriteRule::WhenNotZero;
      return key;
    }(),
    // Designed places: the main window has a client area of 262 x 127 and the results window
    // of 282 x 105, each with a caption, a menu bar and a thin border around it.
    TALLYMAN_PLACE(L"", mainWindow, 333, 239, 173, 270),
    TALLYMAN_PLACE(L"2", resultsWindow, 131, 306, 151, 290),
    TALLYMAN_PLACE(L"3", notebook, 215, 90, 320, 398),
    TALLYMAN_PLACE(L"4", formulaWindow, 60, 180, 140, 500),
    // Centred on a 1024 x 768 screen until CenterRowEditDialog knows the real one.
    Integer(kPlace, L"5Left", (1024 - 235) / 2, kCoordMin, kCoordMax, OutOfRange::Clamp,
            {TALLYMAN_INT(rowEditDialog.left)}),
    Integer(kPlace, L"5Top", (768 - 100) / 2, kCoordMin, kCoordMax, OutOfRange::Clamp,
            {TALLYMAN_INT(rowEditDialog.top)}),
    TALLYMAN_PLACE(L"M", memoryList, 60, 180, 280, 220),
    Boolean(kPlace, L"Stay", false, {TALLYMAN_BOOL(stayOnTop)}),
    String(kFont, L"Name", L"Arial", {TALLYMAN_TEXT(font.name)}),
    Integer(kFont, L"CharSet", 1, 0, 255, OutOfRange::UseDefault, {TALLYMAN_INT(font.charSet)}),
    // 19 pixels at 96 dots per inch.
    Integer(kFont, L"Size", 14, 1, 1000, OutOfRange::UseDefault, {TALLYMAN_INT(font.size)}),
    Integer(kFont, L"Color", kWindowTextColor, INT_MIN, INT_MAX, OutOfRange::Clamp, {TALLYMAN_INT(font.color)}),
    // Bold by default although the designed font is not: a first start shows a bold tape.
    Boolean(kFont, L"Bold", true, {TALLYMAN_BOOL(font.bold)}),
    Boolean(kSets, L"Menu", true, {TALLYMAN_BOOL(menu)}),
    Boolean(kSets, L"Tray", false, {TALLYMAN_BOOL(tray)}),
    Boolean(kSets, L"Confirm", true, {TALLYMAN_BOOL(confirm)}),
    Boolean(kSets, L"HideOnMin", false, {TALLYMAN_BOOL(hideOnMin)}),
    Boolean(kSets, L"Lang", false, {TALLYMAN_BOOL(english)}),
    // Any virtual-key code is kept (65 registers "A"); a negative or impossible one is forgotten.
    Integer(kSets, L"Hot", static_cast<int>(HotKey::Pause), 0, 255, OutOfRange::UseDefault,
            {.get = [](const Settings& s) { return static_cast<int>(s.hotKey); },
             .set = [](Settings& s, int v) { s.hotKey = static_cast<HotKey>(v); }}),
    Boolean(kSets, L"NumLock", true, {TALLYMAN_BOOL(numLock)}),
    Boolean(kSets, L"MaxNote", false, {TALLYMAN_BOOL(maxNote)}),
    Boolean(kSets, L"KeysNote", false, {TALLYMAN_BOOL(keysNote)}),
    Boolean(kSets, L"ShortPenny", false, {TALLYMAN_BOOL(shortPenny)}),
    String(kSets, L"PrnTitle", L"", {TALLYMAN_TEXT(printTitle)}),
    Integer(kSets, L"NumLang", 0, INT_MIN, INT_MAX, OutOfRange::Clamp, {TALLYMAN_INT(numLang)}),
    Boolean(kSets, L"OnlyOne", false, {TALLYMAN_BOOL(onlyOne)}),
    // 1 tray, 2 undo, 3 clear; any other value closes.
    Integer(kSets, L"ESC", 0, 0, 3, OutOfRange::UseDefault,
            {.get = [](const Settings& s) { return static_cast<int>(s.escape); },
             .set = [](Settings& s, int v) { s.escape = static_cast<EscapeAction>(v); }}),
};

#undef TALLYMAN_PLACE
#undef TALLYMAN_TEXT
#undef TALLYMAN_BOOL
#undef TALLYMAN_INT

}  // namespace

std::span<const SettingsKey> SettingsKeys() {
  return kKeys;
}

int ApplyRange(const SettingsKey& key, int value) {
  if (key.kind == KeyKind::Boolean) return value != 0 ? 1 : 0;
  if (value >= key.min && value <= key.max) return value;
  if (value > key.max && key.hasAboveMax) return key.aboveMax;
  if (key.outOfRange == OutOfRange::UseDefault) return key.defaultValue;
  return std::clamp(value, key.min, key.max);
}

Settings::Settings() {
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.kind == KeyKind::String) {
      key.setText(*this, key.defaultText);
    } else {
      key.set(*this, key.defaultValue);
    }
  }
}

void CenterRowEditDialog(Settings& settings, int screenWidth, int screenHeight) {
  settings.rowEditDialog.left = (screenWidth - 235) / 2;
  settings.rowEditDialog.top = (screenHeight - 100) / 2;
}

}  // namespace tallyman
