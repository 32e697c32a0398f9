// Hostile files: links, leftovers, sizes and memory. Every write and read of the program's files
// goes through the text-file module, so it is tested here once, and through the tape where the
// user meets it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/settings/settings_file.h"
#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"
#include "engine/tape/tape_rows.h"
#include "tests/engine/settings_test_support.h"

namespace tallyman {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// A file of `size` bytes that takes no disk space.
void MakeSparse(const std::filesystem::path& file, std::uintmax_t size) {
  WriteBytes(file, "");
  std::filesystem::resize_file(file, size);
}

long FilesIn(const std::filesystem::path& folder) {
  long n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    n += entry.is_regular_file() || entry.is_symlink();
  return n;
}

TEST(FileWrite, AFileNameOfTheFullLengthCanBeSaved) {
  TempFolder folder;
  for (size_t length : {246u, 255u}) {
    const auto path = folder / std::string(length, 'n');
    ASSERT_TRUE(WriteTextLines(path, {L"\t=1"})) << length;
    EXPECT_EQ(ReadBytes(path), "\t=1\r\n");
  }
}

TEST(FileWrite, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
  TempFolder folder;
  const mode_t old = ::umask(027);
  ASSERT_TRUE(WriteTextLines(folder / "new.txt", {L"a"}));
  ::umask(old);
  struct stat info {};
  ASSERT_EQ(::stat((folder / "new.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  ::chmod((folder / "new.txt").c_str(), 0604);
  ASSERT_TRUE(WriteTextLines(folder / "new.txt", {L"b"}));
  ASSERT_EQ(::stat((folder / "new.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0604u);
}

TEST(FileWrite, ASymbolicLinkIsWrittenThrough) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "real");
  WriteBytes(folder / "real" / "tape.txt", "old");
  std::filesystem::create_symlink("real/tape.txt", folder / "link.txt");
  RecordingHost host;
  Calculator calc(Locale::Russian(), host);
  for (wchar_t k : Text(L"2+3=")) calc.KeyPress(k);

  ASSERT_TRUE(calc.SaveTapeFile(folder / "link.txt"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
  EXPECT_EQ(ReadBytes(folder / "real" / "tape.txt"), "\t=2\r\n+3\t=5\r\n");

  // A link whose target does not exist yet creates the target.
  std::filesystem::create_symlink("real/copy.txt", folder / "dangling.txt");
  ASSERT_TRUE(WriteTapeFile(folder / "dangling.txt", calc.Tape().Rows()));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "dangling.txt"));
  EXPECT_EQ(ReadBytes(folder / "real" / "copy.txt"), "\t=2\r\n+3\t=5\r\n");
}

// Regular files anywhere below the folder, links not followed.
long RegularFilesUnder(const std::filesystem::path& folder) {
  long n = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    n += entry.symlink_status().type() == std::filesystem::file_type::regular;
  return n;
}

struct LinkCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> links;  // name, link text; "@" is the folder
  std::string saved;
  std::string written;
};

TEST(FileWrite, LinksLeadWhereTheKernelLeadsAReader) {
  const LinkCase cases[] = {
      {"a relative link through a linked folder",
       {{"app/sub", "@/X/deep"}, {"app/TallyNote.txt", "sub/../x.txt"}},
       "app/TallyNote.txt",
       "X/x.txt"},
      {"a linked folder in the name saved", {{"app/sub", "../X/deep"}}, "app/sub/../y.txt", "X/y.txt"},
      {"a chain of links",
       {{"top.txt", "app/l2"}, {"app/l2", "sub/../real.txt"}, {"app/sub", "@/X/deep"}},
       "top.txt",
       "X/real.txt"},
  };
  for (const LinkCase& c : cases) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "X" / "deep");
    std::filesystem::create_directories(folder / "app");
    for (const auto& [name, text] : c.links) {
      const std::string target = text[0] == '@' ? folder.Path().string() + text.substr(1) : text;
      std::filesystem::create_symlink(target, folder / name);
    }
    ASSERT_TRUE(WriteTextLines(folder / c.saved, {L"new"})) << c.name;
    EXPECT_EQ(ReadBytes(folder / c.written), "new\r\n") << c.name;
    EXPECT_EQ(ReadFileBytes(folder / c.saved, 100).value_or("unreadable"), "new\r\n") << c.name;
    EXPECT_EQ(RegularFilesUnder(folder.Path()), 1) << c.name;
    for (const auto& link : c.links) EXPECT_TRUE(std::filesystem::is_symlink(folder / link.first)) << c.name;
  }
}

TEST(FileWrite, ALoopOfLinksIsNeverReplaced) {
  TempFolder folder;
  std::filesystem::create_symlink("b.txt", folder / "a.txt");
  std::filesystem::create_symlink("a.txt", folder / "b.txt");
  EXPECT_FALSE(WriteTextLines(folder / "a.txt", {L"new"}));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "a.txt"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "b.txt"));
  EXPECT_EQ(RegularFilesUnder(folder.Path()), 0);
}

TEST(FileWrite, SomethingOtherThanAFileIsNeverReplaced) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  EXPECT_FALSE(WriteTextLines(folder / "pipe", {L"a"}));
  EXPECT_FALSE(std::filesystem::is_regular_file(folder / "pipe"));
  EXPECT_EQ(FilesIn(folder.Path()), 0);
}

TEST(FileWrite, LeftoversOfAnInterruptedWriteGoAtTheNextWrite) {
  TempFolder folder;
  const auto stale = folder / ".~tallyman-Ab3xYz";
  const auto fresh = folder / ".~tallyman-Qw9Rt1";     // perhaps another copy writing just now
  const auto foreign = folder / ".~tallyman-Ab3xYz7";  // not the program's pattern
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
  for (const auto& path : {stale, fresh, foreign}) WriteBytes(path, "x");
  std::filesystem::last_write_time(stale, old);
  std::filesystem::last_write_time(foreign, old);

  ASSERT_TRUE(WriteTextLines(folder / "~Calc.txt", {L"\t=1"}));
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(fresh));
  EXPECT_TRUE(std::filesystem::exists(foreign));
  EXPECT_EQ(FilesIn(folder.Path()), 3);  // the copy, the fresh and the foreign file
}

struct RoundTripCase {
  const char* name;
  Text text;
  bool utf8;
};

TEST(FileWrite, EveryTextReadsBackAsItWasWritten) {
  const RoundTripCase cases[] = {
      {"Windows-1251", L"Привет", false},
      {"the mark's bytes in Windows-1251", L"п»їабв", true},
      {"only the mark's bytes", L"п»ї", true},
      {"two of its three bytes", L"п»абв", false},
      {"the mark's bytes later in the text, which is UTF-8", L"aп»ї", true},
      {"Windows-1251 that happens to be UTF-8", L"ВЁ", true},
      {"Windows-1251 with bytes UTF-8 does not allow", L"Ёлка ВЁ", false},
      {"a character Windows-1251 lacks", L"日本", true},
  };
  for (const RoundTripCase& c : cases) {
    const std::string bytes = EncodeTextFile(c.text);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0) == 0, c.utf8) << c.name;
    EXPECT_EQ(DecodeTextFile(bytes), c.text) << c.name;
  }
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  Text text;
};

TEST(FileRead, WellFormedUtf8WithoutAMarkIsUtf8) {
  const DecodeCase cases[] = {
      {"UTF-8", "Привет мир — café\r\nx", L"Привет мир — café\r\nx"},
      {"four bytes", "\xF0\x9F\x98\x80", L"\U0001F600"},
      {"the last code", "\xF4\x8F\xBF\xBF", L"\U0010FFFF"},
      {"ASCII", "abc", L"abc"},
      {"Windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2", L"Привет"},
      {"UTF-8 and one byte of another code page", "caf\xC3\xA9 \xEF", L"cafГ© п"},
      {"cut short", "\xD0\x9F\xD0", L"РџР"},
      {"an overlong form", "\xC0\xAF", L"АЇ"},
      {"a surrogate", "\xED\xA0\x80", L"н\u00A0Ђ"},
      {"past the last code", "\xF4\x90\x80\x80", L"фђЂЂ"},
      {"a lone continuation byte", "\xA8", L"Ё"},
  };
  TempFolder folder;
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.name;
    WriteBytes(folder / "t.txt", c.bytes);
    const auto lines = ReadTextLines(folder / "t.txt", 100);
    ASSERT_TRUE(lines) << c.name;
    EXPECT_EQ(JoinLinesCrLf(*lines), JoinLinesCrLf(SplitLines(c.text))) << c.name;
  }
}

TEST(FileRead, TheSizeLimitIsInclusive) {
  TempFolder folder;
  WriteBytes(folder / "t.txt", "\t=12\r\n");
  EXPECT_EQ(ReadFileBytes(folder / "t.txt", 6).value_or("refused"), "\t=12\r\n");
  EXPECT_FALSE(ReadFileBytes(folder / "t.txt", 5));
  EXPECT_FALSE(ReadTextLines(folder / "t.txt", 5));
}

TEST(FileRead, ATapeFileAboveTheLimitIsRefusedAndTheTapeStays) {
  TempFolder folder;
  MakeSparse(folder / "huge.txt", 65u << 20);
  RecordingHost host;
  Calculator calc(Locale::Russian(), host);
  for (wchar_t k : Text(L"2+3=")) calc.KeyPress(k);
  calc.LoadTapeFile(folder / "huge.txt");
  EXPECT_EQ(host.Messages(), std::vector<Text>{L"Ошибка в файле!"});
  EXPECT_EQ(calc.Tape().Rows(), (std::vector<Text>{L"\t=2", L"+3\t=5"}));
}

TEST(FileRead, ASettingsFileAboveTheLimitReadsAsAbsentAndIsNeverOverwritten) {
  TempFolder folder;
  const auto file = folder / "Tallyman.ini";
  WriteBytes(file, "[SETS]\r\nDigits=3\r\n");
  MakeSparse(file, kMaxSettingsFileBytes + 1);
  EXPECT_EQ(LoadSettings(file, Locale::Russian()).digits, Settings().digits);
  Settings changed;
  changed.digits = 5;
  EXPECT_FALSE(SaveSettings(file, changed, Locale::Russian()));
  EXPECT_EQ(std::filesystem::file_size(file), kMaxSettingsFileBytes + 1);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// The address space this process uses now, in bytes.
rlim_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

TEST(FileRead, MemoryRunningOutWhileLoadingATapeIsAFileError) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer reserves more address space than any limit";
  TempFolder folder;
  const auto file = folder / "long.txt";
  {
    std::ofstream out(file, std::ios::binary);
    out << "\t=1\r\n";
    std::string block;
    while (block.size() < (1u << 20)) block += "+1\t=2\r\n";
    for (int i = 0; i < 24; ++i) out << block;  // 24 MB: about 3.6 million rows
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RecordingHost host;
    Calculator calc(Locale::Russian(), host);
    for (wchar_t k : Text(L"2+3=")) calc.KeyPress(k);
    // Reading the file needs far more than 64 MB more than the process has now.
    const rlimit limit{AddressSpaceInUse() + (64u << 20), RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(3);
    calc.LoadTapeFile(file);
    const bool refused = host.Messages() == std::vector<Text>{LangText(pairs::kFileError, false)};
    const bool kept = calc.Tape().Rows() == std::vector<Text>{L"\t=2", L"+3\t=5"};
    ::_exit(refused && kept ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the load ended the program (signal " << WTERMSIG(status) << ")";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace tallyman
