#pragma once
// Reading and writing the program's plain-text files: Windows-1251 with CR LF on disk, or UTF-8
// with a byte-order mark when the text holds characters Windows-1251 lacks. UTF-8 without a mark
// is read too.
//
// Writes are atomic and durable: the content goes into a new temporary file in the target's
// folder (created exclusively, readable by the owner alone until it is complete), is flushed to
// the disk and renamed over the old file, and the folder is flushed too. A failed write never
// damages the previous file; temporary files an interrupted write left behind (older than a
// minute) are removed by the next write in that folder. A symbolic link is written through: its target gets the content
// and the link stays. A replacing save detaches other hard links of the file (the file is a new one).
//
// Reads take only regular files, up to a size limit the caller gives; a larger file, or one that
// does not fit into memory, reads as unreadable.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

// UTF-8 when the bytes start with the UTF-8 byte-order mark, or when they are well-formed UTF-8
// with at least one character beyond ASCII (as most text files on this system are); otherwise
// Windows-1251. Every text file the program reads is decoded so.
Text DecodeTextFile(std::string_view bytes);
// Windows-1251 when every character fits and the bytes would read back as Windows-1251 (neither
// a byte-order mark, "п»ї", at the start nor well-formed UTF-8), otherwise UTF-8 with a mark.
std::string EncodeTextFile(TextView text);

// Lines split at CR, LF or CR LF; a line end after the last line adds no empty line.
std::vector<Text> SplitLines(TextView text);
// Every line followed by CR LF.
Text JoinLinesCrLf(const std::vector<Text>& lines);

// nullopt for anything that is not a readable regular file (missing, a folder, a device), for a
// file larger than maxBytes and when memory runs out.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);
// The decoded lines of a text file, with the same refusals.
std::optional<std::vector<Text>> ReadTextLines(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Where a write of `path` goes: the file the kernel would open under that name (the target of a
// symbolic link, followed through linked folders), or a file of that name in the real folder;
// nullopt for a loop of links.
std::optional<std::filesystem::path> WriteTarget(const std::filesystem::path& path);
// False when the content could not be written completely, or when the target exists but is no
// regular file (a folder, a device); the old file is then unchanged.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
bool WriteTextLines(const std::filesystem::path& path, const std::vector<Text>& lines);

}  // namespace tallyman
