#pragma once
// The entry line's text, selection and caret, as an edit control keeps them.
#include "engine/core/text.h"

namespace tallyman {

struct EntryLine {
  Text text;
  long selectionStart = 0;  // the caret when nothing is selected
  long selectionLength = 0;

  bool HasSelection() const { return selectionLength > 0; }
  Text SelectedText() const {
    return text.substr(static_cast<size_t>(selectionStart), static_cast<size_t>(selectionLength));
  }
  void Select(long start, long length);
  void SelectAll() { Select(0, static_cast<long>(text.size())); }
  void CaretToEnd() { Select(static_cast<long>(text.size()), 0); }
  // Typing: the character replaces the selection and the caret follows it.
  void Type(wchar_t c);
  void DeleteSelection();
};

}  // namespace tallyman
