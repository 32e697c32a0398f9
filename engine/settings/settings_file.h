#pragma once
// Reading and writing the settings file. The file is read completely once at start-up and
// written completely once at the end: a save reads the current file first and changes only the
// keys below, so sections, keys and comments written by hand (NUMSTRING above all) stay in place.
// CONSTANTS is erased and rewritten. On disk: Windows-1251 with CR LF, or UTF-8 with a byte-order
// mark when a text (a slot name, the print title) holds characters Windows-1251 lacks.
#include <cstdint>
#include <filesystem>

#include "engine/core/locale.h"
#include "engine/settings/ini_file.h"
#include "engine/settings/settings.h"

namespace tallyman {

// A larger settings file reads as absent and is never overwritten.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 4u << 20;

// Values of the document; a missing key, or a value that is not an integer where one is
// expected, keeps the value of `base` (the caller's current state, Settings() at start-up).
// The slots are read with the loaded Digits and the decimal separator of `locale`.
Settings ReadSettings(const IniFile& ini, const Locale& locale, const Settings& base = Settings());
// Writes every key into the document in file order; TabDelta only when not zero; CONSTANTS
// erased and rewritten with the non-empty slots; NUMSTRING left alone.
void WriteSettings(IniFile& ini, const Settings& settings, const Locale& locale);

// A missing or unreadable file reads as empty, so every value keeps its base. Never fails.
Settings LoadSettings(const std::filesystem::path& file, const Locale& locale, const Settings& base = Settings());
// Reads the current file, writes the settings into it and replaces it atomically (through a
// symbolic link, its target). Returns whether the new content is on disk; on failure (read-only
// folder, missing folder, full disk) the old file is left as it was. Callers usually ignore it.
bool SaveSettings(const std::filesystem::path& file, const Settings& settings, const Locale& locale);

// The early read of SETS/OnlyOne, before any window exists (single-instance rule).
bool ReadOnlyOne(const std::filesystem::path& file);

}  // namespace tallyman
