#pragma once
// The menus of the main window: the menu bar Mm, the tape's pop-up Pm, the entry line's pop-up
// PmEdit and the tray menu Pm2. A main-menu item and its pop-up twin (mLoad and mpLoad) are one
// QAction shown in both menus, so they always carry the same caption and check mark.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "engine/settings/settings.h"
#include "ui/command_table.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace tallyman::ui {

struct MainActions {
  // File (pop-up twin mpFile)
  QMenu* mFile = nullptr;
  QMenu* mpFile = nullptr;
  QAction* mLoad = nullptr;   // also mpLoad
  QAction* mSave = nullptr;   // also mpSave
  QAction* mPrint = nullptr;  // also mpPrint
  QAction* mExit = nullptr;

  // Commands (pop-up twin mpOperations)
  QMenu* mOperations = nullptr;
  QMenu* mpOperations = nullptr;
  QAction* mSign = nullptr;       // also mpSign
  QAction* mResults = nullptr;    // also mpResults
  QAction* mClear = nullptr;      // also mpClear
  QAction* mNote = nullptr;       // also mpNote
  QAction* mForm = nullptr;       // also mpForm
  QAction* mListMem = nullptr;    // also mpListMem
  QAction* mProp = nullptr;       // also mpProp
  QAction* copyResult = nullptr;  // N11: the separator line that carries the key C
  QAction* mHide = nullptr;       // also mpHide
  QAction* mFont = nullptr;       // also mpFont
  QAction* mPrecision = nullptr;  // also mpPrecision
  QMenu* mHot = nullptr;
  QAction* mPause = nullptr;
  QAction* mScroll = nullptr;
  QAction* mPrnScrn = nullptr;
  QAction* mHotNum = nullptr;
  QMenu* mEscape = nullptr;
  QAction* mEscClose = nullptr;
  QAction* mEscTray = nullptr;
  QAction* mEscUndo = nullptr;
  QAction* mEscDel = nullptr;
  QAction* mNumLock = nullptr;
  QAction* mTray = nullptr;       // also mpTray
  QAction* mHideOnMin = nullptr;  // also mpHideOnMin
  QAction* mConfirm = nullptr;    // also mpConfirm
  QAction* mTop = nullptr;        // also mpTop
  QAction* mOnlyOne = nullptr;    // also mpOnlyOne

  QAction* mLang = nullptr;  // on the menu bar itself

  QMenu* mHelp = nullptr;
  QAction* mReadMe = nullptr;
  QAction* mAbout = nullptr;

  // The tape's pop-up menu Pm
  QMenu* pm = nullptr;
  QAction* mpRowEdit = nullptr;
  QAction* mpRowInsert = nullptr;
  QAction* mpRowDelete = nullptr;
  QAction* mpOperand = nullptr;
  QAction* mpResult = nullptr;
  QMenu* mpSets = nullptr;
  QAction* pmMenu = nullptr;

  // The entry line's pop-up menu PmEdit, with the edit commands every text pop-up shares
  QMenu* pmEdit = nullptr;
  std::unique_ptr<CommandSet> edit;

  // The tray menu Pm2
  QMenu* pm2 = nullptr;
  QAction* mpRestore = nullptr;
  QAction* mpCopyResult = nullptr;
  QAction* mpClose = nullptr;

  QActionGroup* hotKeys = nullptr;
  QActionGroup* escapeActions = nullptr;

  std::unique_ptr<CommandSet> commands;  // every action above, in the order of their declarations
};

// The hot keys the menu offers: the key's code, its radio item and the name the hide command
// shows for it.
struct HotKeyItem {
  HotKey key;
  QAction* MainActions::*action;
  const char* caption;
};
// clang-format off
inline constexpr HotKeyItem kHotKeyItems[] = {
    {HotKey::Pause,       &MainActions::mPause,   " (Pause-Key)"},
    {HotKey::ScrollLock,  &MainActions::mScroll,  " (Scroll-Key)"},
    {HotKey::PrintScreen, &MainActions::mPrnScrn, " (PrnScrn-Key)"},
    {HotKey::NumLock,     &MainActions::mHotNum,  " (NumLock-Key)"},
};
// clang-format on

enum class Check { kNone, kOff, kOn };

// A main-window command: the member code reaches it by, and its declaration with its check mark.
struct MainCommand {
  QAction* MainActions::*action;
  const char* name;
  const wchar_t* pair;
  QKeyCombination key;
  KeyUse use;
  const char* format;  // "%1", "&%1" (a mnemonic before the side), or null for a caption set once
  Check check;
  std::function<bool()> enabled;
  std::function<void()> run;
};

// Creates every action of `rows` in their order and the menu bar's menus with their designed (Russian)
// caption, shortcut and check mark, and fills the menu bar. The actions belong to `owner` and act wherever
// the focus is in it, even while the menu bar is hidden.
MainActions BuildMainActions(QWidget* owner, QMenuBar* menuBar, std::vector<MainCommand> rows);

// The pop-up menus Pm (with its submenus), PmEdit over `entry` and Pm2, built the first time one
// is needed.
void BuildPopupMenus(MainActions& actions, QWidget* owner, bool english, const EditTarget& entry);

// Captions every item of the caption table in the language given.
void ApplyMainCaptions(MainActions& actions, bool english, HotKey hotKey, bool grabbed);
// Captions the hide command with the hot key's name and checks the hot key's radio item.
void SetHideCaption(MainActions& actions, bool english, HotKey hotKey, bool grabbed = true);

}  // namespace tallyman::ui
