#pragma once
// A window's commands, each declared once: its id, object name, caption pair, key, enabled rule
// and handler. Menus, pop-ups, tool-bar hints and the key texts inside captions are built from
// the declaration, so a caption can never name another key than the one that runs the command.
#include <QKeyCombination>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

namespace tallyman::ui {

// Where a command's key acts and where it is shown.
enum class KeyUse {
  kActs,       // a shortcut of the whole window, shown in the menu's key column
  kShown,      // shown in the key column; the window's key handler runs the command
  kInCaption,  // written into the caption at "%2"; the window's key handler runs the command
  kEditor,     // shown in the key column; the text field's own binding acts
};

struct Command {
  int id;                 // the window's command enum as an int; the rows are in id order
  const char* name;       // the object name, for tests and screen readers
  const wchar_t* pair;    // "Russian=English"; "%2" in it stands for the key's text
  QKeyCombination key{};  // none by default
  KeyUse use = KeyUse::kActs;
  // "%1" the caption's side, "%2" the key's text, "%3" the detail; null: the caption is the pair's
  // side, set once and then changed by the command itself
  const char* format = "%1";
  std::function<bool()> enabled = {};  // none: always enabled
  std::function<void()> run = {};
  QString detail = {};  // a text of the moment the caption shows, such as the entry line's number
};

// The key as the desktop names it ("Ctrl+W", "F5", "Del").
QString KeyText(QKeyCombination key);
// The caption of a command in the language given, with its key's text where the caption shows it.
QString CommandCaption(const Command& command, bool english);
// The key a caption names: the action's shortcut, or the key written into its caption.
QKeySequence ShownKey(const QAction* action);

// The actions of one window, one per command, found by the window's command enum.
class CommandSet {
 public:
  // The actions belong to `owner`; those with a key that acts are added to it.
  CommandSet(QWidget* owner, std::vector<Command> commands);

  QAction* At(int id) const { return m_actions[static_cast<size_t>(id)]; }
  template <typename Id>
  QAction* operator[](Id id) const {
    return At(static_cast<int>(id));
  }
  template <typename Id>
  void AddTo(QMenu* menu, std::initializer_list<Id> ids) const {
    for (Id id : ids) AddTo(menu, static_cast<int>(id));
  }
  void AddTo(QMenu* menu, int id) const;

  void Caption(bool english);
  // Applies every enabled rule, or the rules of the actions given.
  void Enable();
  void Enable(const QList<QAction*>& actions);
  // Runs the command whose shown key the event is; false when no command shows it.
  bool RunKey(const QKeyEvent* event) const;
  bool RunKey(QKeyCombination pressed) const;

 private:
  std::vector<Command> m_commands;
  std::vector<QAction*> m_actions;
};

// Undo, cut, copy, paste, delete and select-all of a text field, shared by every text pop-up.
enum class EditId { kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll, kCount };
struct EditTarget {
  std::function<bool()> canUndo;
  std::function<bool()> selected;
  std::function<bool()> filled;
  std::function<void()> undo, cut, copy, paste, erase, selectAll;
};
// The edit commands with ids from `first` on; `keys` shows their keys in the pop-up.
std::vector<Command> EditCommands(int first, const EditTarget& target, bool keys);
// The pop-up's layout of the edit commands: undo | cut copy paste delete | select all.
void AddEditItems(const CommandSet& commands, QMenu* menu, int first);

}  // namespace tallyman::ui
