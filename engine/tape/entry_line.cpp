#include "engine/tape/entry_line.h"

#include <algorithm>

namespace tallyman {

void EntryLine::Select(long start, long length) {
  const long size = static_cast<long>(text.size());
  selectionStart = std::clamp(start, 0L, size);
  selectionLength = std::clamp(length, 0L, size - selectionStart);
}

void EntryLine::DeleteSelection() {
  text.erase(static_cast<size_t>(selectionStart), static_cast<size_t>(selectionLength));
  selectionLength = 0;
}

void EntryLine::Type(wchar_t c) {
  DeleteSelection();
  text.insert(text.begin() + selectionStart, c);
  ++selectionStart;
}

}  // namespace tallyman
