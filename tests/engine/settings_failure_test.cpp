// Writes that cannot happen (read-only folder, missing folder, full disk) leave the old file as
// it was and report failure.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "engine/settings/formula_history.h"
#include "engine/settings/settings_file.h"
#include "settings_test_support.h"

namespace tallyman {
namespace {

using testing::ReadBytes;
using testing::RunAsOrdinaryUser;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kOldFile = "[SETS]\r\nDigits=3\r\n[NUMSTRING]\r\n1=one\r\n";

Settings Changed() {
  Settings s;
  s.digits = 11;
  s.printTitle = L"a title long enough to need a few more bytes than the limit below allows";
  return s;
}

size_t EntriesIn(const std::filesystem::path& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

// A file system that refuses to grow files: the file size limit of the process, which binds the
// superuser too. SIGXFSZ is ignored so the write fails with EFBIG instead of ending the test.
class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    signal(SIGXFSZ, m_oldHandler);
  }
  bool Active() const { return m_active; }

 private:
  rlimit m_saved{};
  void (*m_oldHandler)(int) = nullptr;
  bool m_active = false;
};

TEST(SettingsSaveFailure, FullDiskKeepsTheOldFile) {
  TempFolder folder;
  WriteBytes(folder / "t.ini", kOldFile);
  bool saved = true;
  {
    FullDisk disk(16);
    if (!disk.Active()) GTEST_SKIP() << "the file size limit cannot be lowered here";
    saved = SaveSettings(folder / "t.ini", Changed(), Locale::Russian());
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadBytes(folder / "t.ini"), kOldFile);
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);  // no temporary file left behind
  // Once there is room again the same save works.
  EXPECT_TRUE(SaveSettings(folder / "t.ini", Changed(), Locale::Russian()));
  EXPECT_EQ(LoadSettings(folder / "t.ini", Locale::Russian()).digits, 11);
}

TEST(SettingsSaveFailure, ReadOnlyFolderKeepsTheOldFile) {
  TempFolder folder;
  const auto sub = folder / "ro";
  std::filesystem::create_directory(sub);
  WriteBytes(sub / "t.ini", kOldFile);
  std::filesystem::permissions(sub, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                        std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  std::filesystem::permissions(sub / "t.ini", std::filesystem::perms::others_read, std::filesystem::perm_options::add);
  const std::optional<int> saved =
      RunAsOrdinaryUser([&] { return SaveSettings(sub / "t.ini", Changed(), Locale::Russian()) ? 1 : 0; });
  std::filesystem::permissions(sub, std::filesystem::perms::owner_all);
  if (!saved) GTEST_SKIP() << "the superuser's rights cannot be dropped here";
  EXPECT_EQ(*saved, 0);
  EXPECT_EQ(ReadBytes(sub / "t.ini"), kOldFile);
  EXPECT_EQ(EntriesIn(sub), 1u);
}

TEST(SettingsSaveFailure, UnreadableFileIsNotReplaced) {
  TempFolder folder;
  const auto sub = folder / "open";
  std::filesystem::create_directory(sub);
  std::filesystem::permissions(sub, std::filesystem::perms::all);  // anyone may write the folder
  WriteBytes(sub / "t.ini", kOldFile);
  std::filesystem::permissions(sub / "t.ini", std::filesystem::perms::owner_write);
  const std::optional<int> saved =
      RunAsOrdinaryUser([&] { return SaveSettings(sub / "t.ini", Changed(), Locale::Russian()) ? 1 : 0; });
  std::filesystem::permissions(sub / "t.ini", std::filesystem::perms::owner_all);
  if (!saved) GTEST_SKIP() << "the superuser's rights cannot be dropped here";
  EXPECT_EQ(*saved, 0);
  EXPECT_EQ(ReadBytes(sub / "t.ini"), kOldFile);
}

TEST(SettingsSaveFailure, MissingFolderOrAFileInThePathFailsQuietly) {
  TempFolder folder;
  WriteBytes(folder / "plain", "not a folder");
  EXPECT_FALSE(SaveSettings(folder / "missing" / "t.ini", Changed(), Locale::Russian()));
  EXPECT_FALSE(SaveSettings(folder / "plain" / "t.ini", Changed(), Locale::Russian()));
  EXPECT_EQ(ReadBytes(folder / "plain"), "not a folder");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST(SettingsSaveFailure, SettingsFileThatIsAFolderIsLeftAlone) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "t.ini" / "inside");
  EXPECT_FALSE(SaveSettings(folder / "t.ini", Changed(), Locale::Russian()));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "t.ini" / "inside"));
  EXPECT_EQ(LoadSettings(folder / "t.ini", Locale::Russian()).digits, 8);  // and loading still works
}

TEST(HistorySaveFailure, FullDiskKeepsTheOldList) {
  TempFolder folder;
  const std::string old = "1+1\r\n2*2\r\n";
  WriteBytes(folder / "TallyForm.txt", old);
  FormulaHistory history;
  ASSERT_TRUE(history.Load(folder / "TallyForm.txt"));
  history.StoreResult(L"a formula that is longer than the sixteen bytes the disk has room for");
  bool saved = true;
  {
    FullDisk disk(16);
    if (!disk.Active()) GTEST_SKIP() << "the file size limit cannot be lowered here";
    saved = history.Save(folder / "TallyForm.txt");
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadBytes(folder / "TallyForm.txt"), old);
}

}  // namespace
}  // namespace tallyman
