#include "engine/core/text_file.h"

#include <cstdio>
#include <random>
#include <system_error>

#include "engine/core/codepage.h"

namespace tallyman {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

Text DecodeTextFile(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return FromUtf8(bytes.substr(kUtf8Bom.size()));
  return Decode(bytes, CodePage::Windows1251);
}

std::string EncodeTextFile(TextView text) {
  bool lossless = false;
  std::string bytes = Encode(text, CodePage::Windows1251, &lossless);
  if (lossless) return bytes;
  return std::string(kUtf8Bom) + ToUtf8(text);
}

std::vector<Text> SplitLines(TextView text) {
  std::vector<Text> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

Text JoinLinesCrLf(const std::vector<Text>& lines) {
  size_t size = 0;
  for (const Text& line : lines) size += line.size() + 2;
  Text out;
  out.reserve(size);
  for (const Text& line : lines) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  // Only regular files: a folder reads as missing, and a pipe or a device could block forever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

std::optional<std::vector<Text>> ReadTextLines(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return SplitLines(DecodeTextFile(*bytes));
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::random_device entropy;
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(entropy() % 1000000);
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  std::error_code error;
  // The new file keeps the permissions the user gave the old one.
  const auto old = std::filesystem::status(path, error);
  if (ok && !error && std::filesystem::is_regular_file(old)) {
    std::filesystem::permissions(temp, old.permissions(), error);
  }
  error.clear();
  if (ok) std::filesystem::rename(temp, path, error);
  if (!ok || error) {
    std::filesystem::remove(temp, error);
    return false;
  }
  return true;
}

bool WriteTextLines(const std::filesystem::path& path, const std::vector<Text>& lines) {
  return WriteFileAtomically(path, EncodeTextFile(JoinLinesCrLf(lines)));
}

}  // namespace tallyman
