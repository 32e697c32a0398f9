#include "ui/main_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "engine/core/lang_pairs.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

namespace p = tallyman::pairs;

// A main-window command: its member, declaration and check mark. The main window's handlers and
// enabled rules are its own, connected by member; the pop-up twins share the main menu's action.
struct ActionRow {
  QAction* MainActions::*action;
  const char* name;
  const wchar_t* pair;
  const char* format;  // "%1", "&%1" (a mnemonic before the side), or null for a caption set once
  QKeyCombination key;
  KeyUse use;
  bool checkable;
  bool checked;
};

// Every action of the main window in the order it is created: the actions belong to the window
// and their shortcuts act wherever the focus is in it, even while the menu bar is hidden.
// clang-format off
constexpr ActionRow kActions[] = {
    {&MainActions::mLoad,        "mLoad",        p::kMenuLoad,       "%1",    Qt::CTRL | Qt::Key_L,            KeyUse::kActs,      false, false},
    {&MainActions::mSave,        "mSave",        p::kMenuSave,       "%1",    Qt::CTRL | Qt::Key_S,            KeyUse::kActs,      false, false},
    {&MainActions::mPrint,       "mPrint",       p::kMenuPrint,      "%1",    Qt::CTRL | Qt::Key_P,            KeyUse::kActs,      false, false},
    {&MainActions::mExit,        "mExit",        p::kMenuExit,       "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mSign,        "mSign",        p::kMenuSign,       "%1",    QKeyCombination(Qt::Key_F9),     KeyUse::kActs,      false, false},
    {&MainActions::mResults,     "mResults",     p::kMenuResults,    "%1",    QKeyCombination(Qt::Key_F2),     KeyUse::kActs,      false, false},
    {&MainActions::mClear,       "mClear",       p::kMenuClear,      "%1",    Qt::CTRL | Qt::Key_Delete,       KeyUse::kActs,      false, false},
    {&MainActions::mNote,        "mNote",        p::kMenuNote,       "%1",    QKeyCombination(Qt::Key_N),      KeyUse::kActs,      false, false},
    {&MainActions::mForm,        "mForm",        p::kMenuForm,       "%1",    QKeyCombination(Qt::Key_F),      KeyUse::kActs,      false, false},
    {&MainActions::mListMem,     "mListMem",     p::kMenuListMem,    "%1",    QKeyCombination(Qt::Key_M),      KeyUse::kActs,      false, false},
    {&MainActions::mProp,        "mProp",        p::kMenuProp,       "%1",    QKeyCombination(Qt::Key_S),      KeyUse::kActs,      false, false},
    // Not in any menu: the menu shows a plain separator where this key lives.
    {&MainActions::copyResult,   "N11",          L"",                "%1",    QKeyCombination(Qt::Key_C),      KeyUse::kActs,      false, false},
    {&MainActions::mHide,        "mHide",        p::kMenuHide,       "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mFont,        "mFont",        p::kMenuFont,       "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mPrecision,   "mPrecision",   p::kMenuPrecision,  "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mPause,       "mPause",       L"Pause",           "%1",    {},                              KeyUse::kActs,      true,  true},
    {&MainActions::mScroll,      "mScroll",      L"Scroll Lock",     "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mPrnScrn,     "mPrnScrn",     L"Print Screen",    "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mHotNum,      "mHotNum",      L"NumLock",         "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mEscClose,    "mEscClose",    p::kClose,          "&%1",   {},                              KeyUse::kActs,      true,  true},
    {&MainActions::mEscTray,     "mEscTray",     p::kHide,           "&%1",   {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mEscUndo,     "mEscUndo",     p::kMenuUndo,       "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mEscDel,      "mEscDel",      p::kDelete,         "&%1",   {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mNumLock,     "mNumLock",     p::kMenuNumLock,    "%1",    {},                              KeyUse::kActs,      true,  true},
    {&MainActions::mTray,        "mTray",        p::kMenuTray,       "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mHideOnMin,   "mHideOnMin",   p::kMenuHideOnMin,  "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mConfirm,     "mConfirm",     p::kMenuConfirm,    "%1",    {},                              KeyUse::kActs,      true,  true},
    {&MainActions::mTop,         "mTop",         p::kMenuTop,        "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mOnlyOne,     "mOnlyOne",     p::kMenuOnlyOne,    "%1",    {},                              KeyUse::kActs,      true,  false},
    {&MainActions::mLang,        "mLang",        L"&Eng",            nullptr, {},                              KeyUse::kActs,      false, false},
    {&MainActions::mReadMe,      "mReadMe",      p::kMenuReadMe,     "%1",    QKeyCombination(Qt::Key_F1),     KeyUse::kActs,      false, false},
    {&MainActions::mAbout,       "mAbout",       p::kMenuAbout,      "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mpRowEdit,    "mpRowEdit",    p::kMenuRowEdit,    "%1",    QKeyCombination(Qt::Key_F5),     KeyUse::kActs,      false, false},
    {&MainActions::mpRowInsert,  "mpRowInsert",  p::kMenuRowInsert,  "%1",    QKeyCombination(Qt::Key_Insert), KeyUse::kInCaption, false, false},
    {&MainActions::mpRowDelete,  "mpRowDelete",  p::kMenuRowDelete,  "%1",    QKeyCombination(Qt::Key_Delete), KeyUse::kInCaption, false, false},
    {&MainActions::mpOperand,    "mpOperand",    p::kMenuOperand,    "%1",    QKeyCombination(Qt::Key_F6),     KeyUse::kActs,      false, false},
    {&MainActions::mpResult,     "mpResult",     p::kMenuResult,     "%1",    QKeyCombination(Qt::Key_F7),     KeyUse::kActs,      false, false},
    {&MainActions::pmMenu,       "pmMenu",       p::kMenuMenu,       "%1",    {},                              KeyUse::kActs,      true,  true},
    {&MainActions::mpRestore,    "mpRestore",    p::kMenuRestore,    "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mpCopyResult, "mpCopyResult", p::kMenuCopyResult, "%1",    {},                              KeyUse::kActs,      false, false},
    {&MainActions::mpClose,      "mpClose",      p::kMenuClose,      "%1",    {},                              KeyUse::kActs,      false, false},
};
// clang-format on

struct MenuRow {
  QMenu* MainActions::*menu;
  const char* name;
  const wchar_t* pair;
};

// Every menu with a caption; a pop-up twin carries its main menu's caption.
// clang-format off
constexpr MenuRow kMenus[] = {
    {&MainActions::mFile,        "mFile",        p::kMenuFile},
    {&MainActions::mOperations,  "mOperations",  p::kMenuOperations},
    {&MainActions::mHot,         "mHot",         p::kMenuHotKey},
    {&MainActions::mEscape,      "mEscape",      L"Escape ->"},
    {&MainActions::mHelp,        "mHelp",        p::kMenuHelp},
    {&MainActions::mpFile,       "mpFile",       p::kMenuFile},
    {&MainActions::mpOperations, "mpOperations", p::kMenuOperations},
    {&MainActions::mpSets,       "mpSets",       p::kMenuSets},
};
// clang-format on

QMenu* MakeMenu(MainActions& a, QMenu* MainActions::*member, QWidget* owner, bool english) {
  for (const MenuRow& row : kMenus) {
    if (row.menu != member) continue;
    auto* menu = new QMenu(Lang(row.pair, english), owner);
    menu->setObjectName(QString::fromLatin1(row.name));
    a.*member = menu;
    return menu;
  }
  return nullptr;
}

QActionGroup* MakeGroup(QWidget* owner, std::initializer_list<QAction*> items) {
  auto* group = new QActionGroup(owner);
  for (QAction* item : items) group->addAction(item);
  return group;
}

}  // namespace

MainActions BuildMainActions(QWidget* owner, QMenuBar* menuBar) {
  MainActions a;
  std::vector<Command> commands;
  for (const ActionRow& row : kActions) {
    commands.push_back({static_cast<int>(commands.size()), row.name, row.pair, row.key, row.use, row.format});
  }
  a.commands = std::make_unique<CommandSet>(owner, std::move(commands));
  int id = 0;
  for (const ActionRow& row : kActions) {
    QAction* action = a.commands->At(id++);
    action->setCheckable(row.checkable);
    action->setChecked(row.checked);
    a.*row.action = action;
  }
  a.hotKeys = MakeGroup(owner, {a.mPause, a.mScroll, a.mPrnScrn, a.mHotNum});
  a.escapeActions = MakeGroup(owner, {a.mEscClose, a.mEscTray, a.mEscUndo, a.mEscDel});

  // Menu bar Mm
  MakeMenu(a, &MainActions::mFile, owner, false);
  a.mFile->addActions({a.mLoad, a.mSave, a.mPrint});
  a.mFile->addSeparator();
  a.mFile->addAction(a.mExit);

  MakeMenu(a, &MainActions::mOperations, owner, false);
  a.mOperations->addActions({a.mSign, a.mResults, a.mClear});
  a.mOperations->addSeparator();
  a.mOperations->addActions({a.mNote, a.mForm, a.mListMem, a.mProp});
  a.mOperations->addSeparator();
  a.mOperations->addAction(a.mHide);
  a.mOperations->addSeparator();
  a.mOperations->addActions({a.mFont, a.mPrecision});
  MakeMenu(a, &MainActions::mHot, owner, false);
  a.mHot->addActions(a.hotKeys->actions());
  a.mOperations->addMenu(a.mHot);
  MakeMenu(a, &MainActions::mEscape, owner, false);
  a.mEscape->addActions(a.escapeActions->actions());
  a.mOperations->addMenu(a.mEscape);
  a.mOperations->addAction(a.mNumLock);
  a.mOperations->addSeparator();
  a.mOperations->addActions({a.mTray, a.mHideOnMin, a.mConfirm, a.mTop, a.mOnlyOne});

  MakeMenu(a, &MainActions::mHelp, owner, false);
  a.mHelp->addActions({a.mReadMe, a.mAbout});

  menuBar->addMenu(a.mFile);
  menuBar->addMenu(a.mOperations);
  menuBar->addAction(a.mLang);
  menuBar->addMenu(a.mHelp);

  return a;
}

void BuildPopupMenus(MainActions& a, QWidget* owner, bool english, const EditTarget& entry) {
  if (a.pm) return;
  // Tape pop-up Pm
  a.pm = new QMenu(owner);
  a.pm->setObjectName(QStringLiteral("Pm"));
  a.pm->addActions({a.mpRowEdit, a.mpRowInsert, a.mpRowDelete});
  a.pm->setDefaultAction(a.mpRowEdit);
  a.pm->addSeparator();
  a.pm->addActions({a.mpOperand, a.mpResult});
  a.pm->addSeparator();
  MakeMenu(a, &MainActions::mpFile, owner, english);
  a.mpFile->addActions({a.mLoad, a.mSave, a.mPrint});
  a.pm->addMenu(a.mpFile);
  MakeMenu(a, &MainActions::mpOperations, owner, english);
  a.mpOperations->addActions({a.mSign, a.mResults, a.mClear, a.mNote, a.mForm, a.mListMem, a.mProp, a.mHide});
  a.pm->addMenu(a.mpOperations);
  MakeMenu(a, &MainActions::mpSets, owner, english);
  a.mpSets->addActions({a.mFont, a.mPrecision, a.mTray, a.mHideOnMin, a.mConfirm, a.mTop, a.mOnlyOne});
  a.pm->addMenu(a.mpSets);
  a.pm->addAction(a.pmMenu);

  // Entry pop-up PmEdit: the keys of its items are the entry line's own business.
  a.edit = std::make_unique<CommandSet>(owner, EditCommands(0, entry, false));
  a.edit->Caption(english);
  a.pmEdit = new QMenu(owner);
  a.pmEdit->setObjectName(QStringLiteral("PmEdit"));
  AddEditItems(*a.edit, a.pmEdit, 0);

  // Tray menu Pm2
  a.pm2 = new QMenu(owner);
  a.pm2->setObjectName(QStringLiteral("Pm2"));
  a.pm2->addActions({a.mpRestore, a.mpCopyResult, a.mpClose});
  a.pm2->setDefaultAction(a.mpRestore);
  for (QMenu* menu : {a.pm, a.mpFile, a.mpOperations, a.mpSets, a.pmEdit, a.pm2}) {
    menu->setFont(QApplication::font("QMenu"));
  }
}

void ApplyMainCaptions(MainActions& a, bool english, HotKey hotKey, bool grabbed) {
  a.commands->Caption(english);
  if (a.edit) a.edit->Caption(english);
  for (const MenuRow& row : kMenus) {
    // A pop-up menu not built yet takes its caption when it is built.
    if (QMenu* menu = a.*row.menu) menu->setTitle(Lang(row.pair, english));
  }
  SetHideCaption(a, english, hotKey, grabbed);
}

void SetHideCaption(MainActions& a, bool english, HotKey hotKey, bool grabbed) {
  QString caption = Lang(p::kMenuHide, english);
  QAction* checked = nullptr;
  for (const HotKeyItem& item : kHotKeyItems) {
    if (item.key != hotKey) continue;
    caption += QString::fromLatin1(item.caption);
    if (grabbed) checked = a.*item.action;
  }
  // A key the menu does not offer leaves every radio item unchecked.
  a.hotKeys->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (QAction* item : a.hotKeys->actions()) item->setChecked(item == checked);
  a.hotKeys->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  a.mHide->setText(caption);  // mpHide is the same action
}

}  // namespace tallyman::ui
