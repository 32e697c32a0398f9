// Encoding, line splitting and reading of text files; writing is in text_file_write.cpp.
#include "engine/core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <utility>

#include "engine/core/codepage.h"

namespace tallyman {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool StartsWithBom(std::string_view bytes) {
  return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

// Well-formed UTF-8 (no overlong forms, surrogates or codes past U+10FFFF) holding at least one
// character beyond ASCII. Text in Windows-1251 hardly ever passes: its letters are bytes from 0xC0
// on, which UTF-8 allows only before continuation bytes (0x80..0xBF).
bool IsMultiByteUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    unsigned char low = 0x80;  // the bounds of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (length > bytes.size() - i) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
    }
    multiByte = true;
    i += length;
  }
  return multiByte;
}

// The content without its byte-order mark, and whether it is UTF-8.
std::pair<std::string_view, bool> Content(std::string_view bytes) {
  if (StartsWithBom(bytes)) return {bytes.substr(kUtf8Bom.size()), true};
  return {bytes, IsMultiByteUtf8(bytes)};
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
  const auto [content, utf8] = Content(bytes);
  return utf8 ? FromUtf8(content) : Decode(content, CodePage::Windows1251);
}

std::string EncodeTextFile(TextView text) {
  bool lossless = false;
  std::string bytes = Encode(text, CodePage::Windows1251, &lossless);
  // Windows-1251 bytes that start like a byte-order mark or happen to form UTF-8 ("ВЁ" is C2 A8)
  // would read back as UTF-8.
  if (lossless && !StartsWithBom(bytes) && !IsMultiByteUtf8(bytes)) return bytes;
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
    const auto [content, utf8] = Content(*bytes);
    std::vector<Text> lines;
    ForEachLine(content, [&lines, utf8 = utf8](std::string_view line) {
      lines.push_back(utf8 ? FromUtf8(line) : Decode(line, CodePage::Windows1251));
    });
    return lines;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace tallyman
