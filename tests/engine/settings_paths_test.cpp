// Where the program's files live: beside a portable copy, in the XDG folders for an installed one.
#include <gtest/gtest.h>

#include <set>

#include "engine/settings/paths.h"
#include "settings_test_support.h"

namespace tallyman {
namespace {

namespace fs = std::filesystem;

PathProbe FakeProbe(std::set<fs::path> writable, std::set<fs::path> existing = {}) {
  return PathProbe{
      [writable](const fs::path& folder) { return writable.count(folder) > 0; },
      [existing](const fs::path& file) { return existing.count(file) > 0; },
  };
}

struct PathCase {
  const char* name;
  const char* program;
  PathEnvironment env;
  std::set<fs::path> writable;
  std::set<fs::path> existing;
  bool portable;
  const char* settings;
  const char* data;
  const char* help;
};

TEST(ProgramPaths, PortableOrInstalled) {
  const PathEnvironment xdg{"/xdg/config", "/xdg/data", "/home/ann"};
  const PathEnvironment homeOnly{"", "", "/home/ann"};
  const PathCase cases[] = {
      {"portable copy",
       "/home/ann/calc/tallyman",
       xdg,
       {"/home/ann/calc"},
       {},
       true,
       "/home/ann/calc/tallyman.ini",
       "/home/ann/calc",
       "/home/ann/calc/Tallyman.html"},
      {"installed, XDG set",
       "/usr/bin/tallyman",
       xdg,
       {},
       {"/usr/share/doc/tallyman/Tallyman.html"},
       false,
       "/xdg/config/tallyman/tallyman.ini",
       "/xdg/data/tallyman",
       "/usr/share/doc/tallyman/Tallyman.html"},
      {"installed, XDG unset",
       "/usr/local/bin/tallyman",
       homeOnly,
       {},
       {},
       false,
       "/home/ann/.config/tallyman/tallyman.ini",
       "/home/ann/.local/share/tallyman",
       "/usr/local/share/doc/tallyman/Tallyman.html"},
      {"relative XDG values are ignored",
       "/opt/tm/bin/tallyman",
       {"cfg", "./data", "/home/ann"},
       {},
       {},
       false,
       "/home/ann/.config/tallyman/tallyman.ini",
       "/home/ann/.local/share/tallyman",
       "/opt/tm/share/doc/tallyman/Tallyman.html"},
      {"system folder writable by root",
       "/usr/bin/tallyman",
       xdg,
       {"/usr/bin"},
       {},
       false,
       "/xdg/config/tallyman/tallyman.ini",
       "/xdg/data/tallyman",
       "/usr/share/doc/tallyman/Tallyman.html"},
      {"installed into a writable prefix",
       "/home/ann/.local/bin/tallyman",
       xdg,
       {"/home/ann/.local/bin"},
       {"/home/ann/.local/share/doc/tallyman/Tallyman.html"},
       false,
       "/xdg/config/tallyman/tallyman.ini",
       "/xdg/data/tallyman",
       "/home/ann/.local/share/doc/tallyman/Tallyman.html"},
      {"writable bin folder without the installed help",
       "/home/ann/bin/tallyman",
       xdg,
       {"/home/ann/bin"},
       {"/home/ann/share/tallyman/Tallyman.html"},
       true,
       "/home/ann/bin/tallyman.ini",
       "/home/ann/bin",
       "/home/ann/bin/Tallyman.html"},
      {"installed help beside a folder not named bin",
       "/home/ann/calc/tallyman",
       xdg,
       {"/home/ann/calc"},
       {"/home/ann/share/doc/tallyman/Tallyman.html"},
       true,
       "/home/ann/calc/tallyman.ini",
       "/home/ann/calc",
       "/home/ann/share/doc/tallyman/Tallyman.html"},
      {"help beside an installed program",
       "/opt/tm/tallyman",
       xdg,
       {},
       {"/opt/tm/Tallyman.html"},
       false,
       "/xdg/config/tallyman/tallyman.ini",
       "/xdg/data/tallyman",
       "/opt/tm/Tallyman.html"},
      {"no home at all",
       "/usr/bin/tallyman",
       {},
       {},
       {},
       true,
       "/usr/bin/tallyman.ini",
       "/usr/bin",
       "/usr/bin/Tallyman.html"},
      {"extension replaced",
       "/home/ann/calc/Calc.exe",
       xdg,
       {"/home/ann/calc"},
       {},
       true,
       "/home/ann/calc/Calc.ini",
       "/home/ann/calc",
       "/home/ann/calc/Tallyman.html"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramPaths paths = ComputeProgramPaths(c.program, c.env, FakeProbe(c.writable, c.existing));
    EXPECT_EQ(paths.portable, c.portable);
    EXPECT_EQ(paths.settingsFile, fs::path(c.settings));
    EXPECT_EQ(paths.dataFolder, fs::path(c.data));
    EXPECT_EQ(paths.helpFile, fs::path(c.help));
    EXPECT_EQ(paths.TapeCopyFile(), fs::path(c.data) / "~Calc.txt");
    EXPECT_EQ(paths.NoteFile(), fs::path(c.data) / "TallyNote.txt");
    EXPECT_EQ(paths.FormulaFile(), fs::path(c.data) / "TallyForm.txt");
  }
}

TEST(ProgramPaths, WritableFolderIsTriedForReal) {
  testing::TempFolder folder;
  EXPECT_TRUE(IsWritableFolder(folder.Path()));
  EXPECT_FALSE(IsWritableFolder(folder / "missing"));
  testing::WriteBytes(folder / "file", "x");
  EXPECT_FALSE(IsWritableFolder(folder / "file"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);  // no probe left
}

TEST(ProgramPaths, ReadOnlyFolderIsNotWritable) {
  testing::TempFolder folder;
  fs::create_directory(folder / "ro");
  fs::permissions(folder / "ro",
                  fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::optional<int> writable =
      testing::RunAsOrdinaryUser([&] { return IsWritableFolder(folder / "ro") ? 1 : 0; });
  if (!writable) GTEST_SKIP() << "the superuser's rights cannot be dropped here";
  EXPECT_EQ(*writable, 0);
}

TEST(ProgramPaths, InstalledCopyCreatesItsFolders) {
  testing::TempFolder folder;
  const std::string root = folder.Path().string();
  const ProgramPaths paths =
      ComputeProgramPaths("/usr/bin/tallyman", {root + "/config", root + "/data", "/nonexistent"}, FakeProbe({}));
  ASSERT_FALSE(paths.portable);
  EXPECT_TRUE(CreateProgramFolders(paths));
  EXPECT_TRUE(fs::is_directory(folder / "config" / "tallyman"));
  EXPECT_TRUE(fs::is_directory(folder / "data" / "tallyman"));
  testing::WriteBytes(folder / "blocked", "x");
  const ProgramPaths blocked =
      ComputeProgramPaths("/usr/bin/tallyman", {root + "/blocked", root + "/data", ""}, FakeProbe({}));
  EXPECT_FALSE(CreateProgramFolders(blocked));
}

TEST(ProgramPaths, EnvironmentIsReadAsGiven) {
  ::setenv("XDG_CONFIG_HOME", "/some/config", 1);
  ::unsetenv("XDG_DATA_HOME");
  const PathEnvironment env = ReadPathEnvironment();
  EXPECT_EQ(env.xdgConfigHome, "/some/config");
  EXPECT_EQ(env.xdgDataHome, "");
}

}  // namespace
}  // namespace tallyman
