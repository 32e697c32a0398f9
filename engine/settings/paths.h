#pragma once
// Where the program's files live. A portable copy keeps everything beside the program: the
// settings file (the program's name with ".ini"), "~Calc.txt", "TallyNote.txt", "TallyForm.txt"
// and the help "Tallyman.html". An installed copy (in a system folder such as /usr/bin, in a
// folder it cannot write, or in <prefix>/bin beside <prefix>/share/doc/tallyman/Tallyman.html)
// keeps the settings in $XDG_CONFIG_HOME/tallyman/ (default ~/.config/tallyman/), the text files
// in $XDG_DATA_HOME/tallyman/ (default ~/.local/share/tallyman/), and finds the help in
// <prefix>/share/doc/tallyman/. Nothing else in the program computes a path.
#include <filesystem>
#include <functional>
#include <string>

namespace tallyman {

// The environment values that matter, passed in (empty when unset).
struct PathEnvironment {
  std::string xdgConfigHome;
  std::string xdgDataHome;
  std::string home;
};

// The file system questions the choice needs; the defaults ask the real file system.
struct PathProbe {
  std::function<bool(const std::filesystem::path& folder)> isWritableFolder;
  std::function<bool(const std::filesystem::path& file)> exists;
  static PathProbe Real();
};

struct ProgramPaths {
  bool portable = true;                // everything beside the program
  std::filesystem::path settingsFile;  // "<program name>.ini"
  std::filesystem::path dataFolder;    // holds the text files below
  std::filesystem::path helpFile;      // "Tallyman.html"

  std::filesystem::path TapeCopyFile() const { return dataFolder / "~Calc.txt"; }
  std::filesystem::path NoteFile() const { return dataFolder / "TallyNote.txt"; }
  std::filesystem::path FormulaFile() const { return dataFolder / "TallyForm.txt"; }
};

// `program` is the running program's full path. When the program's folder is not writable and
// no usable home is known (no absolute XDG value, no HOME), the files stay beside the program:
// writes there fail quietly, as they would have anyway.
ProgramPaths ComputeProgramPaths(const std::filesystem::path& program, const PathEnvironment& env,
                                 const PathProbe& probe = PathProbe::Real());

// Reads XDG_CONFIG_HOME, XDG_DATA_HOME and HOME from the process environment.
PathEnvironment ReadPathEnvironment();

// Whether a file can be created in the folder (tried for real, so it holds for root, read-only
// mounts and access lists alike).
bool IsWritableFolder(const std::filesystem::path& folder);

// Creates the settings and data folders of an installed copy (a portable copy has its folder).
// Returns false when one could not be created; later writes then fail quietly.
bool CreateProgramFolders(const ProgramPaths& paths);

}  // namespace tallyman
