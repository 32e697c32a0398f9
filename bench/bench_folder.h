#pragma once
// A fresh folder for one benchmark below `parent`, removed with everything in it afterwards.
#include <filesystem>
#include <random>
#include <string>

namespace tallyman::bench {

class BenchFolder {
 public:
  explicit BenchFolder(const std::filesystem::path& parent) {
    std::random_device entropy;
    m_path = parent / ("tallyman-bench-" + std::to_string(entropy()));
    std::filesystem::create_directories(m_path);
  }
  ~BenchFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

}  // namespace tallyman::bench
