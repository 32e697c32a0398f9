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

MainActions BuildMainActions(QWidget* owner, QMenuBar* menuBar, std::vector<MainCommand> rows) {
  MainActions a;
  std::vector<Command> commands;
  for (MainCommand& row : rows) {
    commands.push_back({static_cast<int>(commands.size()), row.name, row.pair, row.key, row.use, row.format,
                        std::move(row.enabled), std::move(row.run)});
  }
  a.commands = std::make_unique<CommandSet>(owner, std::move(commands));
  int id = 0;
  for (const MainCommand& row : rows) {
    QAction* action = a.commands->At(id++);
    action->setCheckable(row.check != Check::kNone);
    action->setChecked(row.check == Check::kOn);
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
