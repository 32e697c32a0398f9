#pragma once
// Reading a file the program did not choose the content of: anything that is not a readable
// regular file (a folder, a device, a read error) reads as missing instead of throwing.
#include <filesystem>
#include <optional>
#include <string>

namespace tallyman {

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file);

}  // namespace tallyman
