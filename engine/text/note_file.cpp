#include "engine/text/note_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "engine/core/text_file.h"

namespace tallyman {

NoteFile ReadNoteFile(const std::filesystem::path& path) {
  NoteFile file;
  if (auto lines = ReadTextLines(path, kMaxNoteFileBytes)) {
    for (const Text& line : *lines) {
      if (line.size() > kMaxNoteLineChars) {
        file.state = NoteFileState::TooLarge;
        return file;
      }
    }
    file.state = NoteFileState::Read;
    file.lines = std::move(*lines);
    return file;
  }
  // Why it could not be read decides whether it may be written: only a file that is not there.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    file.state = errno == ENOENT ? NoteFileState::Missing : NoteFileState::Unreadable;
  } else if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > kMaxNoteFileBytes) {
    file.state = NoteFileState::TooLarge;
  } else {
    file.state = NoteFileState::Unreadable;
  }
  return file;
}

bool NoteFileOpens(const std::vector<Text>& lines) {
  for (const Text& line : lines) {
    if (line.size() > kMaxNoteLineChars) return false;
  }
  return EncodeTextFile(JoinLinesCrLf(lines)).size() <= kMaxNoteFileBytes;
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;  // a new file is no one's yet
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace tallyman
