#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/core/text_file.h"
#include "engine/settings/paths.h"
#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {
namespace {

struct LoadCase {
  const char* name;
  std::string bytes;
  std::string tape;  // rows joined with "|" after each, empty when refused
  char s1;
  std::string entry;
  std::string message;
};

class TapeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("tallyman-tape-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    const auto path = m_dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Rows(const Calculator& calc) {
    std::string out;
    for (const Text& row : calc.Tape().Rows()) out += ToUtf8(row) + "|";
    return out;
  }

  // Loads the case's bytes under the locale and checks the tape, S1, the entry and the message.
  void ExpectLoad(const Locale& locale, const LoadCase& c);

  std::filesystem::path m_dir;
  RecordingHost m_host;
};

void TapeFileTest::ExpectLoad(const Locale& locale, const LoadCase& c) {
  RecordingHost host;
  Calculator calc(locale, host);
  calc.SetEnglish(true);
  calc.LoadTapeFile(Write("tape.txt", c.bytes));
  EXPECT_EQ(Rows(calc), c.tape) << c.name;
  EXPECT_EQ(calc.S1(), static_cast<wchar_t>(c.s1)) << c.name;
  EXPECT_EQ(ToUtf8(calc.Entry().text), c.entry) << c.name;
  const auto messages = host.Messages();
  EXPECT_EQ(messages.empty() ? std::string() : ToUtf8(messages.back()), c.message) << c.name;
}

TEST_F(TapeFileTest, LoadsEveryLineEndAndRefusesBrokenFiles) {
  const LoadCase cases[] = {
      {"CR LF", "\t=10\r\n+5\t=15\r\n*2\t=30\r\n", "\t=10|+5\t=15|*2\t=30|", '=', "30", ""},
      {"LF only", "\t=10\n+5\t=0\n", "\t=10|+5\t=15|", '=', "15", ""},
      {"CR only, no final line end", "\t=10\r-4\t=0", "\t=10|-4\t=6|", '=', "6", ""},
      {"first line an operation row", "+5\t=15\r\n*2\t=1\r\n", "\t=15|*2\t=30|", '=', "30", ""},
      {"pending sign at the end", "\t=10\r\n+5\t=15\r\n*\r\n", "\t=10|+5\t=15|*|", '*', "", ""},
      {"blank lines after the last row", "\t=7\r\n\r\n  \r\n", "\t=7|", '=', "7", ""},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF\t=1,5\r\n+1\t=0\r\n", "\t=1,5|+1\t=2,5|", '=', "2,5", ""},
      {"grouping in Windows-1251",
       "\t=1\xA0"
       "000\r\n+1\t=0\r\n",
       "\t=1\u00A0000|+1\t=1\u00A0001|", '=', "1\u00A0001", ""},
      {"empty file", "", "", 0, "", "File error!"},
      {"zero operand", "\t=10\r\n+0\t=10\r\n", "", 0, "", "File error!"},
      {"row without a sign", "\t=10\r\n5\t=15\r\n", "", 0, "", "File error!"},
      {"blank line inside", "\t=10\r\n\r\n+5\t=15\r\n", "", 0, "", "File error!"},
      {"a letter as the pending sign", "\t=10\r\nx\r\n", "", 0, "", "File error!"},
      {"result past the limit", "\t=999999999999999999\r\n*10\t=1\r\n", "", 0, "", "File error!"},
  };
  for (const LoadCase& c : cases) ExpectLoad(Locale::Russian(), c);
}

TEST_F(TapeFileTest, SaveThenLoadGivesTheSameTape) {
  Calculator calc(Locale::Russian(), m_host);
  for (wchar_t k : Text(L"1234,5+0,25*3-7/2")) calc.KeyPress(k);
  const auto path = m_dir / "saved.txt";
  ASSERT_TRUE(calc.SaveTapeFile(path));  // closes the calculation first: no pending row is saved
  const auto bytes = ReadFileBytes(path, kMaxTapeFileBytes).value();
  EXPECT_EQ(bytes,
            "\t=1\xA0"
            "234,5\r\n+0,25\t=1\xA0"
            "234,75\r\n*3\t=3\xA0"
            "704,25\r\n-7\t=3\xA0"
            "697,25\r\n"
            "/2\t=1\xA0"
            "848,625\r\n");
  Calculator other(Locale::Russian(), m_host);
  other.LoadTapeFile(path);
  EXPECT_EQ(other.Tape().Rows(), calc.Tape().Rows());
  EXPECT_EQ(other.ResultsList().Count(), 1);
}

TEST_F(TapeFileTest, AcrossLocalesOnlyUngroupedNumbersLoad) {
  Calculator ru(Locale::Russian(), m_host);
  for (wchar_t k : Text(L"12,5+1=")) ru.KeyPress(k);
  ASSERT_TRUE(ru.SaveTapeFile(m_dir / "small.txt"));
  // A "." decimal locale whose grouping is the apostrophe reads the ungrouped file.
  Locale swiss = Locale::English();
  swiss.thousandsSeparator = L'\'';
  Calculator en(swiss, m_host);
  en.LoadTapeFile(m_dir / "small.txt");
  EXPECT_EQ(Rows(en), "\t=12,5|+1\t=13.5|");  // the start row keeps its text; its value is 12.5

  for (wchar_t k : Text(L"*1000=")) ru.KeyPress(k);
  ASSERT_TRUE(ru.SaveTapeFile(m_dir / "grouped.txt"));  // 13 500 has a U+00A0 group
  Calculator en2(swiss, m_host);
  en2.LoadTapeFile(m_dir / "grouped.txt");
  EXPECT_EQ(Rows(en2), "");
}

TEST_F(TapeFileTest, GroupingSeparatorOutsideAGroupOfThreeRefusesTheFile) {
  const LoadCase cases[] = {
      {"decimal comma of another locale", "\t=1234,5\r\n+1\t=0\r\n", "", 0, "", "File error!"},
      {"two digits after it", "\t=12,34\r\n", "", 0, "", "File error!"},
      {"four digits after it", "\t=1,2345\r\n", "", 0, "", "File error!"},
      {"at the end", "\t=12,\r\n", "", 0, "", "File error!"},
      {"in an operand", "\t=5\r\n+1000,5\t=0\r\n", "", 0, "", "File error!"},
      {"in a result", "\t=5\r\n+1\t=6,5\r\n", "", 0, "", "File error!"},
      {"correct groups", "\t=1,234,567.5\r\n+1,000\t=0\r\n", "\t=1,234,567.5|+1,000\t=1,235,567.5|", '=', "1,235,567.5",
       ""},
  };
  for (const LoadCase& c : cases) ExpectLoad(Locale::English(), c);
}

TEST_F(TapeFileTest, LoadingRecordsTheCurrentCalculationAndGetsAnEntryOfItsOwn) {
  Calculator calc(Locale::Russian(), m_host);
  for (wchar_t k : Text(L"2+2")) calc.KeyPress(k);
  calc.LoadTapeFile(Write("t.txt", "\t=5\r\n+5\t=10\r\n"));
  ASSERT_EQ(calc.ResultsList().Count(), 2);
  EXPECT_EQ(calc.ResultsList().Row(0), L"2+2\t=4");
  EXPECT_EQ(calc.ResultsList().Row(1), L"5+5\t=10");
}

TEST_F(TapeFileTest, MissingFileDoesNothing) {
  Calculator calc(Locale::Russian(), m_host);
  for (wchar_t k : Text(L"2+2")) calc.KeyPress(k);
  calc.LoadTapeFile(m_dir / "absent.txt");
  EXPECT_EQ(Rows(calc), "\t=2|+|");
  EXPECT_TRUE(m_host.Events().empty());
}

TEST_F(TapeFileTest, AutoSaveOnlyAfterAChangeAndKeepsTheOldCopyOnFailure) {
  Calculator calc(Locale::Russian(), m_host);
  ProgramPaths paths;
  paths.settingsFile = m_dir / "config" / "Tallyman.ini";
  paths.dataFolder = m_dir / "data";
  const auto path = paths.TapeCopyFile();
  calc.AutoSave(paths);
  EXPECT_FALSE(std::filesystem::exists(paths.dataFolder));  // empty tape: nothing made, nothing copied
  for (wchar_t k : Text(L"3+4")) calc.KeyPress(k);
  calc.AutoSave(paths);
  EXPECT_EQ(ReadFileBytes(path, kMaxTapeFileBytes).value(), "\t=3\r\n+\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(paths.settingsFile.parent_path()));
  std::filesystem::remove_all(paths.dataFolder);
  calc.AutoSave(paths);
  EXPECT_FALSE(std::filesystem::exists(paths.dataFolder));  // no change since the last copy

  // A folder where the file should be: the write fails, quietly, and nothing is damaged.
  calc.KeyPress(L'=');
  std::filesystem::create_directories(path / "x");
  calc.AutoSave(paths);
  EXPECT_TRUE(std::filesystem::is_directory(path / "x"));
  EXPECT_TRUE(m_host.Messages().empty());
  // The failed copy still counts as made: the next one waits for the next change.
  std::filesystem::remove_all(path);
  calc.AutoSave(paths);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(TapeFileTest, FailedWriteKeepsThePreviousFile) {
  const auto path = Write("keep.txt", "old");
  const std::vector<Text> rows{L"\t=1"};
  EXPECT_FALSE(WriteTextLines(m_dir / "no-such-folder" / "x.txt", rows));
  EXPECT_TRUE(WriteTextLines(path, rows));
  EXPECT_EQ(ReadFileBytes(path, kMaxTapeFileBytes).value(), "\t=1\r\n");
  // No temporary files stay behind.
  long files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(m_dir)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST_F(TapeFileTest, FailedRenameIsAFailedWrite) {
  const auto folder = m_dir / "a-folder";
  std::filesystem::create_directory(folder);
  EXPECT_FALSE(WriteTextLines(folder, {L"\t=1"}));  // the temporary file cannot replace a folder
  // The short temporary name is created, but the rename to a name past 255 bytes fails.
  EXPECT_FALSE(WriteTextLines(m_dir / std::string(256, 'a'), {L"\t=1"}));
  long files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(m_dir)) files += entry.is_regular_file();
  EXPECT_EQ(files, 0);
}

TEST(TextFile, WindowsCodePageOrUtf8WhenNeeded) {
  EXPECT_EQ(EncodeTextFile(L"Привет\u00A0"), "\xCF\xF0\xE8\xE2\xE5\xF2\xA0");
  EXPECT_EQ(EncodeTextFile(L"日本"), "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(DecodeTextFile("\xCF\xF0\xE8\xE2\xE5\xF2"), L"Привет");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xE6\x97\xA5"), L"日");
  EXPECT_EQ(SplitLines(L"a\r\nb\rc\nd"), (std::vector<Text>{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(SplitLines(L"a\n\nb\r\n"), (std::vector<Text>{L"a", L"", L"b"}));
}

TEST(TextFile, Utf8RoundTripAndMalformedInput) {
  const Text text = L"Tape ±½ Ё 😀";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b\xC3"),
            L"a\uFFFDb\uFFFD");
  EXPECT_EQ(FromUtf8("\xE0\x80\x80"), L"\uFFFD");  // overlong encodings are refused
}

}  // namespace
}  // namespace tallyman

namespace tallyman {
namespace {

TEST(TextFile, AFolderIsNoFileToRead) {
  EXPECT_FALSE(ReadFileBytes(std::filesystem::temp_directory_path(), kMaxTapeFileBytes).has_value());
  EXPECT_FALSE(
      ReadTextLines(std::filesystem::temp_directory_path() / "tallyman-absent", kMaxTapeFileBytes).has_value());
}

TEST(TextFile, RewriteKeepsThePermissions) {
  const auto path = std::filesystem::temp_directory_path() / "tallyman-permissions.txt";
  ASSERT_TRUE(WriteTextLines(path, {L"a"}));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_TRUE(WriteTextLines(path, {L"b"}));
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace tallyman
