// Switching the language re-captions the main window and the results window at once, and
// switching back restores every Russian caption exactly.
#include <QAction>
#include <QMap>
#include <QMenu>

#include "engine/core/lang_pairs.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

// Every caption of both windows, by object name (menus by title).
QMap<QString, QString> Captions(FormTallyman& window) {
  QMap<QString, QString> captions;
  captions["title"] = window.windowTitle();
  captions["results title"] = window.Results()->windowTitle();
  for (QWidget* owner : {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.Results())}) {
    const QString prefix = owner == &window ? "main." : "results.";
    for (QAction* action : owner->findChildren<QAction*>()) {
      if (!action->objectName().isEmpty()) captions[prefix + action->objectName()] = action->text();
    }
    for (QMenu* menu : owner->findChildren<QMenu*>()) {
      if (!menu->objectName().isEmpty()) captions[prefix + menu->objectName()] = menu->title();
    }
  }
  return captions;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void englishCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("english");
    // clang-format off
    QTest::newRow("mFile") << "main.mFile" << "&File";
    QTest::newRow("mpFile") << "main.mpFile" << "&File";
    QTest::newRow("mOperations") << "main.mOperations" << "&Commands";
    QTest::newRow("mpOperations") << "main.mpOperations" << "&Commands";
    QTest::newRow("mHelp") << "main.mHelp" << "&Help";
    QTest::newRow("mLoad") << "main.mLoad" << "&Load...";
    QTest::newRow("mExit") << "main.mExit" << "E&xit";
    QTest::newRow("mHide") << "main.mHide" << "&Hide (Pause-Key)";
    QTest::newRow("mHot") << "main.mHot" << "Hot &key";
    QTest::newRow("mpRowInsert") << "main.mpRowInsert" << "&Insert...   (Ins)";
    QTest::newRow("mpSets") << "main.mpSets" << "&Sets";
    QTest::newRow("mProp") << "main.mProp" << "Number to te&xt and to Clipboard";
    QTest::newRow("mEscClose") << "main.mEscClose" << "&Close";
    QTest::newRow("mEscUndo") << "main.mEscUndo" << "&Undo";
    QTest::newRow("mEscTray") << "main.mEscTray" << "&Hide";
    QTest::newRow("mEscDel") << "main.mEscDel" << "&Delete";
    QTest::newRow("mOnlyOne") << "main.mOnlyOne" << "Only one instance";
    QTest::newRow("mLang") << "main.mLang" << "&Rus";
    QTest::newRow("mEscape keeps its caption") << "main.mEscape" << "Escape ->";
    QTest::newRow("mPause keeps its caption") << "main.mPause" << "Pause";
    QTest::newRow("title") << "title" << "Calculator";
    QTest::newRow("results title") << "results title" << "Results";
    QTest::newRow("results mpEdit") << "results.mpEdit" << "&Edit...  F5";
    QTest::newRow("results mResult") << "results.mResult" << "Get &result";
    QTest::newRow("results mpGoTo") << "results.mpGoTo" << "&Go to calculations  F8";
    QTest::newRow("results mDelete") << "results.mDelete" << "&Delete      (Del)";
    QTest::newRow("results mSaveAll") << "results.mSaveAll" << "Save &all";
    QTest::newRow("results mpResMove") << "results.mpResMove" << "&Move result";
    QTest::newRow("results mFile") << "results.mFile" << "&File";
    // clang-format on
  }

  void englishCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, english);
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    window->Results()->EnsureContents();
    window->EnsurePopupMenus();
    window->Actions().mLang->trigger();
    QVERIFY(window->English());
    QCOMPARE(Captions(*window).value(name), english);
  }

  void switchingBackRestoresEveryCaption() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    window->Results()->EnsureContents();
    window->EnsurePopupMenus();
    window->ApplyLanguage();  // the Russian captions as the language layer sets them
    const QMap<QString, QString> russian = Captions(*window);
    QCOMPARE(russian.value("main.mFile"), QString("&Файл"));
    QCOMPARE(russian.value("main.mHide"), QString("Спрятат&ь (Pause-Key)"));
    window->Actions().mLang->trigger();
    const QMap<QString, QString> english = Captions(*window);
    QVERIFY(english != russian);
    window->Actions().mLang->trigger();
    QVERIFY(!window->English());
    QCOMPARE(Captions(*window), russian);
  }

  // Qt's own dialogs (file and font dialogs, their questions) follow the program's language.
  void qtDialogsFollowTheLanguage() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), MakeUiServices());
    const auto open = [] { return QCoreApplication::translate("QFileDialog", "&Open"); };
    if (open() == "&Open") QSKIP("Qt's Russian translation (qt6-translations-l10n) is not installed");
    QCOMPARE(open(), QString("&Открыть"));
    window->Actions().mLang->trigger();
    QCOMPARE(open(), QString("&Open"));
    window->Actions().mLang->trigger();
    QCOMPARE(open(), QString("&Открыть"));
  }

  void messagesFollowTheLanguage() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    window->Actions().mLang->trigger();
    Type(*window, "10+0=");
    QCOMPARE(answerer.Texts(), QStringList{"Error!"});
  }

  void hideCaptionNamesTheHotKey_data() {
    QTest::addColumn<int>("hotKey");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("checked");
    // clang-format off
    QTest::newRow("Pause") << 19 << "&Hide (Pause-Key)" << "mPause";
    QTest::newRow("PrnScrn") << 44 << "&Hide (PrnScrn-Key)" << "mPrnScrn";
    QTest::newRow("NumLock") << 144 << "&Hide (NumLock-Key)" << "mHotNum";
    QTest::newRow("ScrollLock") << 145 << "&Hide (Scroll-Key)" << "mScroll";
    QTest::newRow("a key the menu does not offer") << 65 << "&Hide" << "";
    // clang-format on
  }

  void hideCaptionNamesTheHotKey() {
    QFETCH(int, hotKey);
    QFETCH(QString, caption);
    QFETCH(QString, checked);
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), answerer.Ui());
    window->Actions().mLang->trigger();
    MainActions& actions = window->Actions();
    SetHideCaption(actions, true, HotKey{hotKey});
    QCOMPARE(actions.mHide->text(), caption);
    for (QAction* item : {actions.mPause, actions.mPrnScrn, actions.mHotNum, actions.mScroll}) {
      QCOMPARE(item->isChecked(), item->objectName() == checked);
    }
  }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
