#pragma once
// Reading the notebook's text file, and when the notebook may write over a file. A file it could
// not read, or one too large for it, is never written over from the text shown instead.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

// The largest file the notebook opens, and its longest line: a text within both opens at once.
// Only the lines in view are laid out, but each of them whole, and a line without blanks takes one
// row of the view; so the cost is bounded by the rows in view times the longest line.
inline constexpr std::uintmax_t kMaxNoteFileBytes = 1u << 20;
inline constexpr size_t kMaxNoteLineChars = 4096;

enum class NoteFileState {
  Read,        // the lines are the file's
  Missing,     // nothing there yet: an empty text that may be saved
  Unreadable,  // there, but not a readable regular file (no permission, a folder, a device)
  TooLarge,    // over kMaxNoteFileBytes, or a line over kMaxNoteLineChars
};

struct NoteFile {
  NoteFileState state = NoteFileState::Missing;
  std::vector<Text> lines;
};

NoteFile ReadNoteFile(const std::filesystem::path& path);
// Whether the notebook would open these lines again once they are written.
bool NoteFileOpens(const std::vector<Text>& lines);

// An existing file the user may not write, or one without any write permission bit: a user who
// took away every write bit means to keep the file, even from root.
bool IsReadOnlyFile(const std::filesystem::path& path);

}  // namespace tallyman
