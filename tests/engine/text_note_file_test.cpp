// Which notebook files may be written over: only one that was read, or that is not there yet.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/text/note_file.h"
#include "tests/engine/settings_test_support.h"

namespace tallyman {
namespace {

using testing::RunAsOrdinaryUser;
using testing::TempFolder;
using testing::WriteBytes;

struct NoteFileCase {
  const char* name;
  std::function<void(const std::filesystem::path&)> make;
  NoteFileState state;
  bool readOnly;
};

TEST(ReadNoteFile, TellsAMissingFileFromOneThatCouldNotBeRead) {
  const auto withMode = [](const char* bytes, mode_t mode) {
    return [bytes, mode](const std::filesystem::path& file) {
      WriteBytes(file, bytes);
      ::chmod(file.c_str(), mode);
    };
  };
  const NoteFileCase cases[] = {
      {"missing", [](const std::filesystem::path&) {}, NoteFileState::Missing, false},
      {"dangling link", [](const auto& file) { std::filesystem::create_symlink("gone.txt", file); },
       NoteFileState::Missing, false},
      {"text", withMode("a\r\nb", 0644), NoteFileState::Read, false},
      {"read-only", withMode("a", 0444), NoteFileState::Read, true},
      {"no rights", withMode("a", 0), NoteFileState::Unreadable, true},
      {"folder", [](const auto& file) { std::filesystem::create_directory(file); }, NoteFileState::Unreadable, false},
      {"too large",
       [](const auto& file) {
         WriteBytes(file, "");
         std::filesystem::resize_file(file, kMaxNoteFileBytes + 1);
       },
       NoteFileState::TooLarge, false},
      {"largest",
       [](const auto& file) {
         std::string text;
         while (text.size() + 80 <= kMaxNoteFileBytes) text += std::string(78, 'x') + "\r\n";
         WriteBytes(file, text);
       },
       NoteFileState::Read, false},
      {"longest line", [](const auto& file) { WriteBytes(file, std::string(kMaxNoteLineChars, 'x')); },
       NoteFileState::Read, false},
      {"too long a line", [](const auto& file) { WriteBytes(file, "a\r\n" + std::string(kMaxNoteLineChars + 1, 'x')); },
       NoteFileState::TooLarge, false},
  };
  for (const NoteFileCase& c : cases) {
    TempFolder folder;
    const std::filesystem::path file = folder / "TallyNote.txt";
    c.make(file);
    if (testing::RunningAsRoot()) ::lchown(file.c_str(), 65534, 65534);  // the user's own file
    // As an ordinary user: the superuser reads and writes a file whatever its rights.
    const std::optional<int> outcome = RunAsOrdinaryUser([&] {
      const NoteFile read = ReadNoteFile(file);
      const bool linesOk = read.state == NoteFileState::Read ? !read.lines.empty() : read.lines.empty();
      return (read.state == c.state ? 0 : 1) | (IsReadOnlyFile(file) == c.readOnly ? 0 : 2) | (linesOk ? 0 : 4);
    });
    ASSERT_TRUE(outcome) << c.name;
    EXPECT_EQ(*outcome, 0) << c.name;
  }
}

// A file without any write bit is kept even from the superuser, who could write it.
TEST(IsReadOnlyFile, NoWriteBitMeansReadOnlyForEveryone) {
  TempFolder folder;
  const std::filesystem::path file = folder / "TallyNote.txt";
  WriteBytes(file, "a");
  ::chmod(file.c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(file));
  ::chmod(file.c_str(), 0644);
  EXPECT_FALSE(IsReadOnlyFile(file));
}

TEST(NoteFileOpens, WithinBothLimitsAsWritten) {
  const Text longest(kMaxNoteLineChars, L'x');
  EXPECT_TRUE(NoteFileOpens({longest, L"a"}));
  EXPECT_FALSE(NoteFileOpens({longest + L'x'}));
  // Lines end in CR LF on disk: what fits as text may not fit as a file.
  const std::vector<Text> full(kMaxNoteFileBytes / 82, Text(80, L'x'));
  EXPECT_TRUE(NoteFileOpens(full));
  std::vector<Text> over = full;
  over.resize(over.size() + 1, Text(80, L'x'));
  EXPECT_FALSE(NoteFileOpens(over));
}

// The refusal names the limits the notebook really has.
TEST(ReadNoteFile, TheTooLargeMessageNamesTheLimits) {
  const std::wstring megabytes = std::to_wstring(kMaxNoteFileBytes >> 20);
  const std::wstring characters = std::to_wstring(kMaxNoteLineChars);
  EXPECT_NE(LangText(pairs::kNoteFileTooLarge, false).find(megabytes + L" МБ"), std::wstring::npos);
  EXPECT_NE(LangText(pairs::kNoteFileTooLarge, true).find(megabytes + L" MB"), std::wstring::npos);
  EXPECT_NE(LangText(pairs::kNoteFileTooLarge, false).find(characters + L" знаков"), std::wstring::npos);
  EXPECT_NE(LangText(pairs::kNoteFileTooLarge, true).find(characters + L" characters"), std::wstring::npos);
}

}  // namespace
}  // namespace tallyman
