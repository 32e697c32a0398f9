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

enum class Caption {
  kPlain,     // the language pair's side
  kMnemonic,  // the side with "&" before it
  kFixed,     // set once when built (the language switch names the other language)
};

struct ActionRow {
  QAction* MainActions::*action;
  const char* name;
  const wchar_t* pair;
  Caption caption;
  int key;  // 0: none
  bool checkable;
  bool checked;
};

constexpr int Key(QKeyCombination key) {
  return key.toCombined();
}

// Every action of the main window in the order it is created: the actions belong to the window
// and their shortcuts act wherever the focus is in it, even while the menu bar is hidden.
// clang-format off
constexpr ActionRow kActions[] = {
    {&MainActions::mLoad,        "mLoad",        p::kMenuLoad,        Caption::kPlain,    Key(Qt::CTRL | Qt::Key_L),      false, false},
    {&MainActions::mSave,        "mSave",        p::kMenuSave,        Caption::kPlain,    Key(Qt::CTRL | Qt::Key_S),      false, false},
    {&MainActions::mPrint,       "mPrint",       p::kMenuPrint,       Caption::kPlain,    Key(Qt::CTRL | Qt::Key_P),      false, false},
    {&MainActions::mExit,        "mExit",        p::kMenuExit,        Caption::kPlain,    0,                              false, false},
    {&MainActions::mSign,        "mSign",        p::kMenuSign,        Caption::kPlain,    Key(Qt::Key_F9),                false, false},
    {&MainActions::mResults,     "mResults",     p::kMenuResults,     Caption::kPlain,    Key(Qt::Key_F2),                false, false},
    {&MainActions::mClear,       "mClear",       p::kMenuClear,       Caption::kPlain,    Key(Qt::CTRL | Qt::Key_Delete), false, false},
    {&MainActions::mNote,        "mNote",        p::kMenuNote,        Caption::kPlain,    Key(Qt::Key_N),                 false, false},
    {&MainActions::mForm,        "mForm",        p::kMenuForm,        Caption::kPlain,    Key(Qt::Key_F),                 false, false},
    {&MainActions::mListMem,     "mListMem",     p::kMenuListMem,     Caption::kPlain,    Key(Qt::Key_M),                 false, false},
    {&MainActions::mProp,        "mProp",        p::kMenuProp,        Caption::kMnemonic, Key(Qt::Key_S),                 false, false},
    // Not in any menu: the menu shows a plain separator where this key lives.
    {&MainActions::copyResult,   "N11",          L"",                 Caption::kPlain,    Key(Qt::Key_C),                 false, false},
    {&MainActions::mHide,        "mHide",        p::kMenuHide,        Caption::kPlain,    0,                              false, false},
    {&MainActions::mFont,        "mFont",        p::kMenuFont,        Caption::kPlain,    0,                              false, false},
    {&MainActions::mPrecision,   "mPrecision",   p::kMenuPrecision,   Caption::kPlain,    0,                              false, false},
    {&MainActions::mPause,       "mPause",       L"Pause",            Caption::kPlain,    0,                              true,  true},
    {&MainActions::mScroll,      "mScroll",      L"Scroll Lock",      Caption::kPlain,    0,                              true,  false},
    {&MainActions::mPrnScrn,     "mPrnScrn",     L"Print Screen",     Caption::kPlain,    0,                              true,  false},
    {&MainActions::mHotNum,      "mHotNum",      L"NumLock",          Caption::kPlain,    0,                              true,  false},
    {&MainActions::mEscClose,    "mEscClose",    p::kClose,           Caption::kMnemonic, 0,                              true,  true},
    {&MainActions::mEscTray,     "mEscTray",     p::kHide,            Caption::kMnemonic, 0,                              true,  false},
    {&MainActions::mEscUndo,     "mEscUndo",     p::kMenuUndo,        Caption::kPlain,    0,                              true,  false},
    {&MainActions::mEscDel,      "mEscDel",      p::kDelete,          Caption::kMnemonic, 0,                              true,  false},
    {&MainActions::mNumLock,     "mNumLock",     p::kMenuNumLock,     Caption::kPlain,    0,                              true,  true},
    {&MainActions::mTray,        "mTray",        p::kMenuTray,        Caption::kPlain,    0,                              true,  false},
    {&MainActions::mHideOnMin,   "mHideOnMin",   p::kMenuHideOnMin,   Caption::kPlain,    0,                              true,  false},
    {&MainActions::mConfirm,     "mConfirm",     p::kMenuConfirm,     Caption::kPlain,    0,                              true,  true},
    {&MainActions::mTop,         "mTop",         p::kMenuTop,         Caption::kPlain,    0,                              true,  false},
    {&MainActions::mOnlyOne,     "mOnlyOne",     p::kMenuOnlyOne,     Caption::kPlain,    0,                              true,  false},
    {&MainActions::mLang,        "mLang",        L"&Eng",             Caption::kFixed,    0,                              false, false},
    {&MainActions::mReadMe,      "mReadMe",      p::kMenuReadMe,      Caption::kPlain,    Key(Qt::Key_F1),                false, false},
    {&MainActions::mAbout,       "mAbout",       p::kMenuAbout,       Caption::kPlain,    0,                              false, false},
    {&MainActions::mpRowEdit,    "mpRowEdit",    p::kMenuRowEdit,     Caption::kPlain,    Key(Qt::Key_F5),                false, false},
    {&MainActions::mpRowInsert,  "mpRowInsert",  p::kMenuRowInsert,   Caption::kPlain,    0,                              false, false},
    {&MainActions::mpRowDelete,  "mpRowDelete",  p::kMenuRowDelete,   Caption::kPlain,    0,                              false, false},
    {&MainActions::mpOperand,    "mpOperand",    p::kMenuOperand,     Caption::kPlain,    Key(Qt::Key_F6),                false, false},
    {&MainActions::mpResult,     "mpResult",     p::kMenuResult,      Caption::kPlain,    Key(Qt::Key_F7),                false, false},
    {&MainActions::pmMenu,       "pmMenu",       p::kMenuMenu,        Caption::kPlain,    0,                              true,  true},
    {&MainActions::pmUndo,       "pmUndo",       p::kMenuUndo,        Caption::kPlain,    0,                              false, false},
    {&MainActions::pmCut,        "pmCut",        p::kMenuCut,         Caption::kPlain,    0,                              false, false},
    {&MainActions::pmCopy,       "pmCopy",       p::kMenuCopy,        Caption::kPlain,    0,                              false, false},
    {&MainActions::pmPaste,      "pmPaste",      p::kMenuPaste,       Caption::kPlain,    0,                              false, false},
    {&MainActions::pmDelete,     "pmDelete",     p::kMenuDelete,      Caption::kPlain,    0,                              false, false},
    {&MainActions::pmSelectAll,  "pmSelectAll",  p::kMenuSelectAll,   Caption::kPlain,    0,                              false, false},
    {&MainActions::mpRestore,    "mpRestore",    p::kMenuRestore,     Caption::kPlain,    0,                              false, false},
    {&MainActions::mpCopyResult, "mpCopyResult", p::kMenuCopyResult,  Caption::kPlain,    0,                              false, false},
    {&MainActions::mpClose,      "mpClose",      p::kMenuClose,       Caption::kPlain,    0,                              false, false},
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

QString CaptionOf(const ActionRow& row, bool english) {
  const QString text = Lang(row.pair, english);
  return row.caption == Caption::kMnemonic ? QStringLiteral("&") + text : text;
}

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
  for (const ActionRow& row : kActions) {
    auto* action = new QAction(CaptionOf(row, false), owner);
    action->setObjectName(QString::fromLatin1(row.name));
    if (row.key != 0) action->setShortcut(QKeySequence(row.key));
    action->setCheckable(row.checkable);
    action->setChecked(row.checked);
    owner->addAction(action);
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

void BuildPopupMenus(MainActions& a, QWidget* owner, bool english) {
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

  // Entry pop-up PmEdit
  a.pmEdit = new QMenu(owner);
  a.pmEdit->setObjectName(QStringLiteral("PmEdit"));
  a.pmEdit->addAction(a.pmUndo);
  a.pmEdit->addSeparator();
  a.pmEdit->addActions({a.pmCut, a.pmCopy, a.pmPaste, a.pmDelete});
  a.pmEdit->addSeparator();
  a.pmEdit->addAction(a.pmSelectAll);

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
  for (const ActionRow& row : kActions) {
    if (row.caption != Caption::kFixed) (a.*row.action)->setText(CaptionOf(row, english));
  }
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
