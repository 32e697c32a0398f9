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

QAction* Make(QWidget* owner, const char* name, const wchar_t* pair, const QKeySequence& key = {},
              bool checkable = false) {
  auto* action = new QAction(Lang(pair, false), owner);
  action->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  action->setCheckable(checkable);
  owner->addAction(action);  // shortcuts work even while the menu bar is hidden
  return action;
}

QMenu* MakeMenu(QWidget* owner, const char* name, const wchar_t* pair) {
  auto* menu = new QMenu(Lang(pair, false), owner);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QString Amp(const wchar_t* pair, bool english) { return QStringLiteral("&") + Lang(pair, english); }

}  // namespace

MainActions BuildMainActions(QWidget* owner, QMenuBar* menuBar) {
  MainActions a;
  a.mLoad = Make(owner, "mLoad", p::kMenuLoad, QKeySequence(Qt::CTRL | Qt::Key_L));
  a.mSave = Make(owner, "mSave", p::kMenuSave, QKeySequence(Qt::CTRL | Qt::Key_S));
  a.mPrint = Make(owner, "mPrint", p::kMenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P));
  a.mExit = Make(owner, "mExit", p::kMenuExit);

  a.mSign = Make(owner, "mSign", p::kMenuSign, QKeySequence(Qt::Key_F9));
  a.mResults = Make(owner, "mResults", p::kMenuResults, QKeySequence(Qt::Key_F2));
  a.mClear = Make(owner, "mClear", p::kMenuClear, QKeySequence(Qt::CTRL | Qt::Key_Delete));
  a.mNote = Make(owner, "mNote", p::kMenuNote, QKeySequence(Qt::Key_N));
  a.mForm = Make(owner, "mForm", p::kMenuForm, QKeySequence(Qt::Key_F));
  a.mListMem = Make(owner, "mListMem", p::kMenuListMem, QKeySequence(Qt::Key_M));
  a.mProp = new QAction(Amp(p::kMenuProp, false), owner);
  a.mProp->setObjectName(QStringLiteral("mProp"));
  a.mProp->setShortcut(QKeySequence(Qt::Key_S));
  owner->addAction(a.mProp);
  // Not in any menu: the menu shows a plain separator where this key lives.
  a.copyResult = Make(owner, "N11", L"", QKeySequence(Qt::Key_C));
  a.mHide = Make(owner, "mHide", p::kMenuHide);
  a.mFont = Make(owner, "mFont", p::kMenuFont);
  a.mPrecision = Make(owner, "mPrecision", p::kMenuPrecision);

  a.hotKeys = new QActionGroup(owner);
  a.mPause = Make(owner, "mPause", L"Pause", {}, true);
  a.mScroll = Make(owner, "mScroll", L"Scroll Lock", {}, true);
  a.mPrnScrn = Make(owner, "mPrnScrn", L"Print Screen", {}, true);
  a.mHotNum = Make(owner, "mHotNum", L"NumLock", {}, true);
  for (QAction* item : {a.mPause, a.mScroll, a.mPrnScrn, a.mHotNum}) a.hotKeys->addAction(item);
  a.mPause->setChecked(true);

  a.escapeActions = new QActionGroup(owner);
  a.mEscClose = new QAction(Amp(p::kClose, false), owner);
  a.mEscTray = new QAction(Amp(p::kHide, false), owner);
  a.mEscUndo = new QAction(Lang(p::kMenuUndo, false), owner);
  a.mEscDel = new QAction(Amp(p::kDelete, false), owner);
  const char* escapeNames[] = {"mEscClose", "mEscTray", "mEscUndo", "mEscDel"};
  int n = 0;
  for (QAction* item : {a.mEscClose, a.mEscTray, a.mEscUndo, a.mEscDel}) {
    item->setObjectName(QString::fromLatin1(escapeNames[n++]));
    item->setCheckable(true);
    a.escapeActions->addAction(item);
  }
  a.mEscClose->setChecked(true);

  a.mNumLock = Make(owner, "mNumLock", p::kMenuNumLock, {}, true);
  a.mNumLock->setChecked(true);
  a.mTray = Make(owner, "mTray", p::kMenuTray, {}, true);
  a.mHideOnMin = Make(owner, "mHideOnMin", p::kMenuHideOnMin, {}, true);
  a.mConfirm = Make(owner, "mConfirm", p::kMenuConfirm, {}, true);
  a.mConfirm->setChecked(true);
  a.mTop = Make(owner, "mTop", p::kMenuTop, {}, true);
  a.mOnlyOne = Make(owner, "mOnlyOne", p::kMenuOnlyOne, {}, true);

  a.mLang = new QAction(QStringLiteral("&Eng"), owner);
  a.mLang->setObjectName(QStringLiteral("mLang"));
  a.mReadMe = Make(owner, "mReadMe", p::kMenuReadMe, QKeySequence(Qt::Key_F1));
  a.mAbout = Make(owner, "mAbout", p::kMenuAbout);

  a.mpRowEdit = Make(owner, "mpRowEdit", p::kMenuRowEdit, QKeySequence(Qt::Key_F5));
  a.mpRowInsert = Make(owner, "mpRowInsert", p::kMenuRowInsert);
  a.mpRowDelete = Make(owner, "mpRowDelete", p::kMenuRowDelete);
  a.mpOperand = Make(owner, "mpOperand", p::kMenuOperand, QKeySequence(Qt::Key_F6));
  a.mpResult = Make(owner, "mpResult", p::kMenuResult, QKeySequence(Qt::Key_F7));
  a.pmMenu = Make(owner, "pmMenu", p::kMenuMenu, {}, true);
  a.pmMenu->setChecked(true);

  a.pmUndo = new QAction(Lang(p::kMenuUndo, false), owner);
  a.pmCut = new QAction(Lang(p::kMenuCut, false), owner);
  a.pmCopy = new QAction(Lang(p::kMenuCopy, false), owner);
  a.pmPaste = new QAction(Lang(p::kMenuPaste, false), owner);
  a.pmDelete = new QAction(Lang(p::kMenuDelete, false), owner);
  a.pmSelectAll = new QAction(Lang(p::kMenuSelectAll, false), owner);

  a.mpRestore = new QAction(Lang(p::kMenuRestore, false), owner);
  a.mpCopyResult = new QAction(Lang(p::kMenuCopyResult, false), owner);
  a.mpClose = new QAction(Lang(p::kMenuClose, false), owner);

  // Menu bar Mm
  a.mFile = MakeMenu(owner, "mFile", p::kMenuFile);
  a.mFile->addActions({a.mLoad, a.mSave, a.mPrint});
  a.mFile->addSeparator();
  a.mFile->addAction(a.mExit);

  a.mOperations = MakeMenu(owner, "mOperations", p::kMenuOperations);
  a.mOperations->addActions({a.mSign, a.mResults, a.mClear});
  a.mOperations->addSeparator();
  a.mOperations->addActions({a.mNote, a.mForm, a.mListMem, a.mProp});
  a.mOperations->addSeparator();
  a.mOperations->addAction(a.mHide);
  a.mOperations->addSeparator();
  a.mOperations->addActions({a.mFont, a.mPrecision});
  a.mHot = MakeMenu(owner, "mHot", p::kMenuHotKey);
  a.mHot->addActions(a.hotKeys->actions());
  a.mOperations->addMenu(a.mHot);
  a.mEscape = new QMenu(QStringLiteral("Escape ->"), owner);
  a.mEscape->setObjectName(QStringLiteral("mEscape"));
  a.mEscape->addActions(a.escapeActions->actions());
  a.mOperations->addMenu(a.mEscape);
  a.mOperations->addAction(a.mNumLock);
  a.mOperations->addSeparator();
  a.mOperations->addActions({a.mTray, a.mHideOnMin, a.mConfirm, a.mTop, a.mOnlyOne});

  a.mHelp = MakeMenu(owner, "mHelp", p::kMenuHelp);
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
  a.mpFile = MakeMenu(owner, "mpFile", p::kMenuFile);
  a.mpFile->setTitle(a.mFile->title());
  a.mpFile->addActions({a.mLoad, a.mSave, a.mPrint});
  a.pm->addMenu(a.mpFile);
  a.mpOperations = MakeMenu(owner, "mpOperations", p::kMenuOperations);
  a.mpOperations->setTitle(a.mOperations->title());
  a.mpOperations->addActions({a.mSign, a.mResults, a.mClear, a.mNote, a.mForm, a.mListMem, a.mProp, a.mHide});
  a.pm->addMenu(a.mpOperations);
  a.mpSets = MakeMenu(owner, "mpSets", p::kMenuSets);
  a.mpSets->setTitle(Lang(p::kMenuSets, english));
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

void ApplyMainCaptions(MainActions& a, bool english, int hotKey) {
  const auto set = [english](QAction* action, const wchar_t* pair) { action->setText(Lang(pair, english)); };
  const auto setMenu = [english](QMenu* menu, QMenu* twin, const wchar_t* pair) {
    if (!menu) return;  // a pop-up menu not built yet takes its caption when it is built
    menu->setTitle(Lang(pair, english));
    if (twin) twin->setTitle(menu->title());
  };
  setMenu(a.mFile, a.mpFile, p::kMenuFile);
  setMenu(a.mOperations, a.mpOperations, p::kMenuOperations);
  setMenu(a.mHelp, nullptr, p::kMenuHelp);
  set(a.mLoad, p::kMenuLoad);
  set(a.mSave, p::kMenuSave);
  set(a.mPrint, p::kMenuPrint);
  set(a.mExit, p::kMenuExit);
  set(a.mSign, p::kMenuSign);
  set(a.mResults, p::kMenuResults);
  set(a.mClear, p::kMenuClear);
  SetHideCaption(a, english, hotKey);
  set(a.mTop, p::kMenuTop);
  setMenu(a.mHot, nullptr, p::kMenuHotKey);
  set(a.mReadMe, p::kMenuReadMe);
  set(a.mAbout, p::kMenuAbout);
  set(a.mpRowEdit, p::kMenuRowEdit);
  set(a.mpRowInsert, p::kMenuRowInsert);
  set(a.mpRowDelete, p::kMenuRowDelete);
  set(a.mpOperand, p::kMenuOperand);
  set(a.mpResult, p::kMenuResult);
  setMenu(a.mpSets, nullptr, p::kMenuSets);
  set(a.pmMenu, p::kMenuMenu);
  set(a.mpRestore, p::kMenuRestore);
  set(a.mpCopyResult, p::kMenuCopyResult);
  set(a.mpClose, p::kMenuClose);
  set(a.mNote, p::kMenuNote);
  set(a.mForm, p::kMenuForm);
  set(a.mListMem, p::kMenuListMem);
  a.mProp->setText(Amp(p::kMenuProp, english));
  set(a.mFont, p::kMenuFont);
  set(a.mPrecision, p::kMenuPrecision);
  set(a.mTray, p::kMenuTray);
  set(a.mConfirm, p::kMenuConfirm);
  set(a.mHideOnMin, p::kMenuHideOnMin);
  set(a.mNumLock, p::kMenuNumLock);
  set(a.pmUndo, p::kMenuUndo);
  set(a.pmCut, p::kMenuCut);
  set(a.pmCopy, p::kMenuCopy);
  set(a.pmPaste, p::kMenuPaste);
  set(a.pmDelete, p::kMenuDelete);
  set(a.pmSelectAll, p::kMenuSelectAll);
  a.mEscClose->setText(Amp(p::kClose, english));
  a.mEscDel->setText(Amp(p::kDelete, english));
  a.mEscUndo->setText(a.pmUndo->text());
  a.mEscTray->setText(Amp(p::kHide, english));
  set(a.mOnlyOne, p::kMenuOnlyOne);
}

void SetHideCaption(MainActions& a, bool english, int hotKey) {
  QString caption = Lang(p::kMenuHide, english);
  QAction* checked = nullptr;
  switch (hotKey) {
    case 19: caption += QStringLiteral(" (Pause-Key)"); checked = a.mPause; break;
    case 44: caption += QStringLiteral(" (PrnScrn-Key)"); checked = a.mPrnScrn; break;
    case 144: caption += QStringLiteral(" (NumLock-Key)"); checked = a.mHotNum; break;
    case 145: caption += QStringLiteral(" (Scroll-Key)"); checked = a.mScroll; break;
    default: break;
  }
  // A key the menu does not offer leaves every radio item unchecked.
  a.hotKeys->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (QAction* item : a.hotKeys->actions()) item->setChecked(item == checked);
  a.hotKeys->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  a.mHide->setText(caption);  // mpHide is the same action
}

}  // namespace tallyman::ui
