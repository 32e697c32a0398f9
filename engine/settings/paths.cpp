#include "engine/settings/paths.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>

namespace tallyman {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "tallyman";
constexpr const char* kHelpName = "Tallyman.html";

// A program under one of these is installed by a package even when it runs as root, who can
// write there: its settings belong to the user, not beside the program.
bool IsSystemFolder(const fs::path& folder) {
  constexpr std::array<std::string_view, 7> kSystem = {"/usr", "/bin", "/sbin", "/lib", "/lib64", "/snap", "/nix"};
  const std::string text = folder.lexically_normal().generic_string();
  for (std::string_view prefix : kSystem) {
    if (text == prefix) return true;
    if (text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0 && text[prefix.size()] == '/') {
      return true;
    }
  }
  return false;
}

// XDG base folders must be absolute; a relative value is ignored, as the XDG rules say.
std::optional<fs::path> BaseFolder(const std::string& xdgValue, const std::string& home, const char* homeRelative) {
  if (!xdgValue.empty() && fs::path(xdgValue).is_absolute()) return fs::path(xdgValue);
  if (!home.empty() && fs::path(home).is_absolute()) return fs::path(home) / homeRelative;
  return std::nullopt;
}

// The help page of an installed copy, where the install rules put it: <prefix>/share/doc/tallyman.
fs::path InstalledHelp(const fs::path& programFolder) {
  return programFolder.parent_path() / "share" / "doc" / kFolderName / kHelpName;
}

// A copy installed into <prefix>/bin beside its share folder, such as `cmake --install --prefix
// ~/.local`: its folder may be writable, but settings do not belong among the user's programs.
bool IsInstalledLayout(const fs::path& programFolder, const PathProbe& probe) {
  return programFolder.filename() == "bin" && probe.exists(InstalledHelp(programFolder));
}

fs::path FindHelp(const fs::path& programFolder, bool portable, const PathProbe& probe) {
  const fs::path beside = programFolder / kHelpName;
  if (probe.exists(beside)) return beside;
  const fs::path installed = InstalledHelp(programFolder);
  if (probe.exists(installed)) return installed;
  return portable ? beside : installed;
}

}  // namespace

PathProbe PathProbe::Real() {
  return PathProbe{
      IsWritableFolder,
      [](const fs::path& file) {
        std::error_code error;
        return fs::is_regular_file(file, error);
      },
  };
}

ProgramPaths ComputeProgramPaths(const fs::path& program, const PathEnvironment& env, const PathProbe& probe) {
  const fs::path programFolder = program.parent_path();
  fs::path settingsName = program.filename();
  settingsName.replace_extension(".ini");

  ProgramPaths paths;
  paths.portable = !IsSystemFolder(programFolder) && !IsInstalledLayout(programFolder, probe) &&
                   probe.isWritableFolder(programFolder);
  const std::optional<fs::path> config = BaseFolder(env.xdgConfigHome, env.home, ".config");
  const std::optional<fs::path> data = BaseFolder(env.xdgDataHome, env.home, ".local/share");
  if (!paths.portable && config && data) {
    paths.settingsFile = *config / kFolderName / settingsName;
    paths.dataFolder = *data / kFolderName;
  } else {
    paths.portable = true;
    paths.settingsFile = programFolder / settingsName;
    paths.dataFolder = programFolder;
  }
  paths.helpFile = FindHelp(programFolder, paths.portable, probe);
  return paths;
}

PathEnvironment ReadPathEnvironment() {
  auto get = [](const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
  };
  return PathEnvironment{get("XDG_CONFIG_HOME"), get("XDG_DATA_HOME"), get("HOME")};
}

bool IsWritableFolder(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  std::random_device entropy;
  const fs::path probe = folder / (".tallyman-write-test-" + std::to_string(entropy()));
  // "x": fail rather than touch a file that happens to exist.
  std::FILE* file = std::fopen(probe.c_str(), "wx");
  if (!file) return false;
  std::fclose(file);
  fs::remove(probe, error);
  return true;
}

bool CreateProgramFolders(const ProgramPaths& paths) {
  bool ok = true;
  for (const fs::path& folder : {paths.settingsFile.parent_path(), paths.dataFolder}) {
    std::error_code error;
    fs::create_directories(folder, error);
    ok = ok && !error;
  }
  return ok;
}

}  // namespace tallyman
