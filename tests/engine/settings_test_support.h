#pragma once
// A fresh folder per test, and the few file helpers the settings tests share.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>

namespace tallyman::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device entropy;
    m_path = std::filesystem::temp_directory_path() /
             ("tallyman-settings-test-" + std::to_string(entropy()) + std::to_string(entropy()));
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Permission bits do not stop the superuser.
inline bool RunningAsRoot() {
  return ::geteuid() == 0;
}

// Runs `body` with the rights of an ordinary user, so permission tests mean something under the
// superuser too (as in CI): there it runs in a child process as "nobody". Returns body's result
// (0..100), or nullopt when the rights cannot be dropped.
inline std::optional<int> RunAsOrdinaryUser(const std::function<int()>& body) {
  if (!RunningAsRoot()) return body();
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(125);
    ::_exit(body());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 100) {
    return std::nullopt;
  }
  return WEXITSTATUS(status);
}

}  // namespace tallyman::testing
