#pragma once
// A window the calculator opens beside its main window. Before the calculator hides (the hot key,
// the tray) every open one closes, in its close rank, so a hidden calculator never leaves a dialog
// on the screen.
class QWidget;

namespace tallyman::ui {

class SecondaryWindow {
 public:
  // Lower ranks close first; Others is the rank of the dialogs that are no secondary window
  // (About, messages, file and print dialogs).
  enum class CloseRank { RowDialog, Notebook, Precision, Formula, MemoryList, Others };

  virtual ~SecondaryWindow() = default;
  virtual CloseRank ClosingRank() const = 0;
  // NumLock and ScrollLock pressed in it follow the calculator's lock-key rule, as in the main window.
  virtual bool HoldsLockKeys() const { return false; }
};

// Closes the program's open dialogs: the secondary windows by rank, then every other one.
void CloseSecondaryWindows();

// Whether `window` is a secondary window that holds the lock keys.
bool HoldsLockKeys(const QWidget* window);

}  // namespace tallyman::ui
