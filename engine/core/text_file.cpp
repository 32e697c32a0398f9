// Encoding, line splitting and reading of text files; writing is in text_file_write.cpp.
#include "engine/core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "engine/core/codepage.h"

namespace tallyman {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool StartsWithBom(std::string_view bytes) {
  return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

// Calls line(piece) for every line of text split at CR, LF or CR LF.
template <typename Char, typename Line>
void ForEachLine(std::basic_string_view<Char> text, Line line) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != Char('\r') && text[i] != Char('\n')) continue;
    line(text.substr(start, i - start));
    if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) line(text.substr(start));
}

}  // namespace

Text DecodeTextFile(std::string_view bytes) {
  if (StartsWithBom(bytes)) return FromUtf8(bytes.substr(kUtf8Bom.size()));
  return Decode(bytes, CodePage::Windows1251);
}

std::string EncodeTextFile(TextView text) {
  bool lossless = false;
  std::string bytes = Encode(text, CodePage::Windows1251, &lossless);
  // Windows-1251 bytes that start like a byte-order mark would read back as UTF-8.
  if (lossless && !StartsWithBom(bytes)) return bytes;
  return std::string(kUtf8Bom) + ToUtf8(text);
}

std::vector<Text> SplitLines(TextView text) {
  std::vector<Text> lines;
  ForEachLine(text, [&lines](TextView line) { lines.emplace_back(line); });
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

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  // Non-blocking, so that opening a pipe cannot hang; only a regular file is then read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> result;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) <= maxBytes) {
    try {
      std::string bytes;
      bytes.reserve(static_cast<size_t>(info.st_size));
      char buffer[65536];
      bool ok = true;
      for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
          ok = n == 0;
          break;
        }
        // The file may grow while it is read.
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
          ok = false;
          break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
      }
      if (ok) result = std::move(bytes);
    } catch (const std::bad_alloc&) {
      result.reset();
    }
  }
  ::close(fd);
  return result;
}

std::optional<std::vector<Text>> ReadTextLines(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  const auto bytes = ReadFileBytes(path, maxBytes);
  if (!bytes) return std::nullopt;
  try {
    // Line by line straight from the bytes: the whole file is never held decoded a second time.
    std::string_view content(*bytes);
    const bool utf8 = StartsWithBom(content);
    if (utf8) content.remove_prefix(kUtf8Bom.size());
    std::vector<Text> lines;
    ForEachLine(content, [&lines, utf8](std::string_view line) {
      lines.push_back(utf8 ? FromUtf8(line) : Decode(line, CodePage::Windows1251));
    });
    return lines;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace tallyman
