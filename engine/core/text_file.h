#pragma once
// Reading and writing the program's plain-text files: Windows-1251 with CR LF on disk, or UTF-8
// with a byte-order mark when the text holds characters Windows-1251 lacks. Writes are atomic:
// a temporary file in the same folder is written, flushed and renamed over the old one, so a
// failed write never damages the previous file.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

// Windows-1251, or UTF-8 when the bytes start with the UTF-8 byte-order mark.
Text DecodeTextFile(std::string_view bytes);
// Windows-1251 when every character fits, otherwise UTF-8 with a byte-order mark.
std::string EncodeTextFile(TextView text);

// Lines split at CR, LF or CR LF; a line end after the last line adds no empty line.
std::vector<Text> SplitLines(TextView text);
// Every line followed by CR LF.
Text JoinLinesCrLf(const std::vector<Text>& lines);

// nullopt for anything that is not a readable regular file (missing, a folder, a device).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
std::optional<std::vector<Text>> ReadTextLines(const std::filesystem::path& path);

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
bool WriteTextLines(const std::filesystem::path& path, const std::vector<Text>& lines);

}  // namespace tallyman
