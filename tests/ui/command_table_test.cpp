// Every menu, pop-up and tool-bar hint of every window, in both languages: the mnemonics of a menu
// differ, and a key written into a caption or hint is the key of the command it names.
#include "ui/command_table.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include "ui/formula_window.h"
#include "ui/memory_list.h"
#include "ui/note_window.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
    ++i;  // "&&" is a plain "&"
  }
  return {};
}

// The key a caption names at its end: "...  (Ins)", "...   (Ctrl+W)" or "...  F5".
QString KeyInCaption(const QString& text) {
  static const QRegularExpression key(QStringLiteral(R"((?:\s\(([^()]+)\)|\s{2,}([^\s(]\S*))$)"));
  const QRegularExpressionMatch match = key.match(text);
  if (!match.hasMatch()) return {};
  return match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
}

// The faults of one caption: a key it names that is not its command's, or a key its command
// writes into the caption that is missing.
void CheckKey(const QString& where, const QString& caption, const QAction* action, QStringList& faults) {
  // The hide command names the desktop's hot key, which is no key of the window.
  if (action->objectName() == QLatin1String("mHide")) return;
  const QString named = KeyInCaption(caption);
  const QKeySequence key = ShownKey(action);
  if (!named.isEmpty() && QKeySequence::fromString(named, QKeySequence::NativeText) != key) {
    faults << QStringLiteral("%1: \"%2\" names %3, the key is %4").arg(where, caption, named, key.toString());
  }
  if (named.isEmpty() && action->shortcut().isEmpty() && !key.isEmpty()) {
    faults << QStringLiteral("%1: \"%2\" does not name its key %3").arg(where, caption, key.toString());
  }
}

void CheckMenu(const QString& where, const QList<QAction*>& items, QStringList& faults) {
  QHash<QChar, QString> taken;
  for (QAction* item : items) {
    if (item->isSeparator()) continue;
    const QString caption = item->text();
    const QChar mnemonic = Mnemonic(caption);
    if (!mnemonic.isNull() && taken.contains(mnemonic)) {
      faults << QStringLiteral("%1: \"%2\" and \"%3\" share %4").arg(where, taken[mnemonic], caption, mnemonic);
    }
    if (!mnemonic.isNull()) taken.insert(mnemonic, caption);
    CheckKey(where, caption, item, faults);
  }
}

void CheckWindow(QWidget* window, QStringList& faults) {
  const QString name = window->objectName();
  for (QMenuBar* bar : window->findChildren<QMenuBar*>())
    CheckMenu(name + QStringLiteral(" menu bar"), bar->actions(), faults);
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    CheckMenu(name + QLatin1Char('.') + menu->objectName(), menu->actions(), faults);
  }
  for (QToolButton* button : window->findChildren<QToolButton*>()) {
    if (button->defaultAction())
      CheckKey(name + QLatin1Char('.') + button->objectName(), button->toolTip(), button->defaultAction(), faults);
  }
}

}  // namespace

class CommandTableTest : public QObject {
  Q_OBJECT

 private slots:
  void everyMenuHasDistinctMnemonicsAndNamesItsOwnKeys_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("Russian") << false;
    QTest::newRow("English") << true;
  }

  void everyMenuHasDistinctMnemonicsAndNamesItsOwnKeys() {
    QFETCH(bool, english);
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    if (english) window->Actions().mLang->trigger();
    QCOMPARE(window->English(), english);
    window->Results()->EnsureContents();
    window->EnsurePopupMenus();
    window->ApplyLanguage();
    Type(*window, "12");  // the memory list's Remember item names the entry

    QStringList faults;
    CheckWindow(window.get(), faults);
    auto note = window->CreateNote();
    CheckWindow(note.get(), faults);
    int windows = 0;
    InDialogOpenedBy<TFormList>(window->Ed(), Qt::Key_M, [&](TFormList* list) {
      CheckWindow(list, faults);
      ++windows;
      list->reject();
    });
    InDialogOpenedBy<TForm1>(window->Ed(), Qt::Key_F, [&](TForm1* formula) {
      CheckWindow(formula, faults);
      ++windows;
      formula->reject();
    });
    QCOMPARE(windows, 2);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
  }

  // The edit items, declared once, follow the entry line and the notebook's text alike.
  void editItemsFollowTheTextSelectionAndClipboard_data() {
    QTest::addColumn<bool>("notebook");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selected");  // characters from the start
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("enabled");
    for (const bool notebook : {false, true}) {
      const char* where = notebook ? "notebook: " : "entry: ";
      QTest::addRow("%sempty", where) << notebook << "" << 0 << "" << QStringList{};
      QTest::addRow("%stext, clipboard", where)
          << notebook << "12" << 0 << "7" << QStringList{"pmPaste", "pmSelectAll"};
      QTest::addRow("%sselection", where)
          << notebook << "12" << 1 << "" << QStringList{"pmCopy", "pmCut", "pmDelete", "pmSelectAll"};
    }
  }

  void editItemsFollowTheTextSelectionAndClipboard() {
    QFETCH(bool, notebook);
    QFETCH(QString, text);
    QFETCH(int, selected);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, enabled);
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    window->EnsurePopupMenus();
    std::unique_ptr<TFormNote> note;
    if (clipboard.isEmpty()) {
      QGuiApplication::clipboard()->clear();
    } else {
      QGuiApplication::clipboard()->setText(clipboard);
    }
    if (notebook) {
      note = window->CreateNote();
      note->M()->setPlainText(text);
      QTextCursor cursor(note->M()->document());
      cursor.setPosition(selected, QTextCursor::KeepAnchor);
      note->M()->setTextCursor(cursor);
      note->EnableItems();
    } else {
      window->Ed()->setText(text);
      window->Ed()->setSelection(0, selected);
      window->Actions().edit->Enable();
    }
    // Undo follows the editor's own history, which setting a text clears.
    QStringList on;
    for (const EditId id : {EditId::kCut, EditId::kCopy, EditId::kPaste, EditId::kDelete, EditId::kSelectAll}) {
      const QAction* entryItem = window->Actions().edit->At(static_cast<int>(id));
      const QAction* item =
          notebook ? note->findChild<QAction*>(entryItem->objectName(), Qt::FindDirectChildrenOnly) : entryItem;
      if (item->isEnabled()) on << item->objectName();
    }
    on.sort();
    QCOMPARE(on, enabled);
  }

  // The tape pop-up's items follow the tape while it is open; afterwards their keys act again.
  void tapeItemsFollowTheTapeOnlyWhileTheirPopupIsOpen_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");  // selected; -1 none
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("empty") << "" << -1 << QStringList{};
    const QStringList tape = {"mClear", "mSave", "mpResult", "mpRowDelete", "mpRowEdit"};
    QTest::newRow("first row") << "12+5+" << 0 << tape;
    QTest::newRow("second row") << "12+5+" << 1 << tape + QStringList{"mpOperand", "mpRowInsert"};
  }

  void tapeItemsFollowTheTapeOnlyWhileTheirPopupIsOpen() {
    QFETCH(QString, typed);
    QFETCH(int, row);
    QFETCH(QStringList, enabled);
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    Type(*window, typed);
    if (row >= 0) window->Calc().SelectRow(row);
    const MainActions& a = window->Actions();
    const QList<QAction*> items = {a.mpRowEdit, a.mpRowInsert, a.mpRowDelete, a.mpOperand,
                                   a.mpResult,  a.mSave,       a.mClear};
    QStringList on;
    bool opened = false;
    QTimer::singleShot(0, window.get(), [&] {
      auto* menu = window->findChild<QMenu*>(QStringLiteral("Pm"));
      opened = menu && menu->isVisible();
      for (QAction* item : items) {
        if (item->isEnabled()) on << item->objectName();
      }
      if (menu) menu->close();
    });
    emit window->Lb()->customContextMenuRequested(QPoint(4, 4));
    QVERIFY(opened);
    on.sort();
    enabled.sort();
    QCOMPARE(on, enabled);
    for (QAction* item : items) QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
  }
};

QTEST_MAIN(CommandTableTest)
#include "command_table_test.moc"
