#include "engine/settings/safe_read.h"

#include <exception>
#include <system_error>

#include "engine/core/text_file.h"

namespace tallyman {

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  try {
    return ReadFileBytes(file);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace tallyman
