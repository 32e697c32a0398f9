// Atomic, durable writes of the program's files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <new>
#include <system_error>

#include "engine/core/text_file.h"

namespace tallyman {
namespace {

// Temporary names are short and fixed in length, so a file name of the full 255 bytes can be
// saved too; mkstemp fills in the six characters.
constexpr std::string_view kTempPrefix = ".~tallyman-";
constexpr size_t kTempRandom = 6;
constexpr time_t kStaleSeconds = 60;

bool IsOwnTemporaryName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kTempRandom || name.substr(0, kTempPrefix.size()) != kTempPrefix) {
    return false;
  }
  for (char c : name.substr(kTempPrefix.size())) {
    const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alphanumeric) return false;
  }
  return true;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, std::filesystem::directory_options::skip_permission_denied, error);
  const time_t now = std::time(nullptr);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::filesystem::path& path = it->path();
    if (!IsOwnTemporaryName(path.filename().native())) continue;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
    if (now - info.st_mtime > kStaleSeconds) ::unlink(path.c_str());
  }
}

// The process's umask, read without changing it (another thread could create a file meanwhile).
mode_t CurrentUmask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned long mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status)) found = std::sscanf(line, "Umask: %lo", &mask) == 1;
    std::fclose(status);
    if (found) return static_cast<mode_t>(mask);
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Flushed to the disk; a file system that cannot flush (EINVAL and the like) is no failure.
bool Sync(int fd) {
  return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOSYS || errno == ENOTSUP;
}

// The rename is on the disk only once the folder is.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes the complete content into a new temporary file in `folder`, with the permissions the
// replaced file had (or the ones a new file gets); its name, or nothing on failure.
std::optional<std::filesystem::path> WriteTemporary(const std::filesystem::path& folder, std::string_view bytes,
                                                    const struct stat* old) {
  std::string name = (folder / kTempPrefix).native() + std::string(kTempRandom, 'X');
  // Exclusive creation, mode 0600: nothing planted under the name is followed or opened.
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  bool ok = WriteAll(fd, bytes);
  // Owner and mode are kept where the file system allows it (a FAT stick has neither): the
  // content matters more than they do, so failing to set them fails no save.
  if (old && ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
    // the file stays in our own group
  }
  if (::fchmod(fd, old ? old->st_mode & 07777 : 0666 & ~CurrentUmask()) != 0) {
    // the file keeps the mode of the file system or 0600
  }
  ok = ok && Sync(fd);
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    ::unlink(name.c_str());
    return std::nullopt;
  }
  return std::filesystem::path(std::move(name));
}

// The path with its folder resolved to the real one; the last name stays as it is (it may not
// exist yet, or be a link to follow). A folder that does not exist is left for the write to fail.
std::filesystem::path InResolvedFolder(const std::filesystem::path& path) {
  const std::filesystem::path name = path.filename();
  std::error_code error;
  if (name.empty() || name == "." || name == "..") {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved;
  }
  const std::filesystem::path folder =
      std::filesystem::canonical(path.has_parent_path() ? path.parent_path() : ".", error);
  return error ? path : folder / name;
}

}  // namespace

std::optional<std::filesystem::path> WriteTarget(const std::filesystem::path& path) {
  // Followed link by link, so that a link to a file not created yet leads to that file too. Each
  // step resolves the folder as the kernel does: its links first, then "..", so "sub/../x.txt"
  // through a linked "sub" leads beside the folder "sub" points to, not beside the link.
  constexpr int kMaxLinks = 40;  // as the system's own limit for a path
  std::filesystem::path target = InResolvedFolder(path);
  std::error_code error;
  for (int i = 0; i < kMaxLinks; ++i) {
    if (!std::filesystem::is_symlink(target, error)) return target;
    const std::filesystem::path text = std::filesystem::read_symlink(target, error);
    if (error) return std::nullopt;
    target = InResolvedFolder(text.is_absolute() ? text : target.parent_path() / text);
  }
  return std::nullopt;  // a loop of links, or too long a chain for the system to open
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  try {
    const std::optional<std::filesystem::path> resolved = WriteTarget(path);
    if (!resolved) return false;
    const std::filesystem::path& target = *resolved;
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A folder, a device or a pipe under that name is never replaced by a file.
    if (exists && !S_ISREG(old.st_mode)) return false;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveStaleTemporaryFiles(folder);
    const auto temp = WriteTemporary(folder, bytes, exists ? &old : nullptr);
    if (!temp) return false;
    if (::rename(temp->c_str(), target.c_str()) != 0) {
      ::unlink(temp->c_str());
      return false;
    }
    SyncFolder(folder);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool WriteTextLines(const std::filesystem::path& path, const std::vector<Text>& lines) {
  try {
    return WriteFileAtomically(path, EncodeTextFile(JoinLinesCrLf(lines)));
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace tallyman
