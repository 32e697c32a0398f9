// The lock-key rules against fake keys, and the main window's hot key, hiding and lock-key wiring
// against fake desktop services. The desktop controller's own sequences: desktop_controller_test.cpp.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTest>

#include "tests/ui/fake_desktop.h"
#include "tests/ui/ui_test_support.h"
#include "ui/desktop_controller.h"
#include "ui/lock_key_policy.h"
#include "ui/main_actions.h"
#include "ui/precision_dialog.h"
#include "ui/row_dialog.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;
using platform::LockKey;

namespace {

// A window with fake desktop services and the lock keys as given at its start.
struct DesktopWindow {
  DesktopWindow(bool numLockAtStart, bool scrollLockAtStart, const QString& settings = {},
                UiServices ui = MakeUiServices()) {
    if (!settings.isEmpty()) {
      QFile file(folder.File(QStringLiteral("tallyman.ini")));
      file.open(QIODevice::WriteOnly);
      file.write(settings.toUtf8());
    }
    platform::DesktopServices services = desk.Make();
    desk.lockKeys->on = {{LockKey::NumLock, numLockAtStart}, {LockKey::ScrollLock, scrollLockAtStart}};
    window = std::make_unique<FormTallyman>(Locale::Russian(), folder.Paths(), std::move(ui), std::move(services));
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window did not become active");
  }
  bool NumLock() const { return desk.lockKeys->IsOn(LockKey::NumLock); }
  bool ScrollLock() const { return desk.lockKeys->IsOn(LockKey::ScrollLock); }

  ProgramFolder folder;
  FakeDesktop desk;
  std::unique_ptr<FormTallyman> window;
};

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void forceLockKeys_data();
  void forceLockKeys();
  void settleHotLockKey_data();
  void settleHotLockKey();
  void restoreAtClose_data();
  void restoreAtClose();
  void hotKeyHidesAndBringsBack();
  void hotKeyClosesSecondaryWindows();
  void hotKeyChoiceRegistersAndTakenKeyChecksNothing();
  void numLockItemFollowsHotKey();
  void lockKeyPressedInEntryLine();
  void lockKeyPressedInDialog_data();
  void lockKeyPressedInDialog();
  void quietServicesDisableTheirItems();
  void offscreenSessionGetsTheQuietServices();
  void hideOnMinimizeAndClose();
};

void DesktopTest::forceLockKeys_data() {
  QTest::addColumn<LockKey>("lock");
  QTest::addColumn<bool>("holdNumLock");
  QTest::addColumn<HotKey>("hotKey");
  QTest::addColumn<bool>("onBefore");
  QTest::addColumn<bool>("onAfter");
  QTest::addColumn<bool>("applies");  // pending events are let through first for a key just pressed
  // NumLock goes on only when held and not the hot key; ScrollLock goes off unless it is the hot key.
  // clang-format off
  QTest::newRow("NumLock held, off") << LockKey::NumLock << true << HotKey::Pause << false << true << true;
  QTest::newRow("NumLock held, on") << LockKey::NumLock << true << HotKey::Pause << true << true << true;
  QTest::newRow("NumLock not held") << LockKey::NumLock << false << HotKey::Pause << false << false << false;
  QTest::newRow("NumLock is the hot key") << LockKey::NumLock << true << HotKey::NumLock << false << false << false;
  QTest::newRow("ScrollLock on") << LockKey::ScrollLock << false << HotKey::Pause << true << false << true;
  QTest::newRow("ScrollLock off") << LockKey::ScrollLock << true << HotKey::Pause << false << false << true;
  QTest::newRow("ScrollLock is the hot key") << LockKey::ScrollLock << true << HotKey::ScrollLock << true << true << false;
  QTest::newRow("ScrollLock, NumLock the hot key") << LockKey::ScrollLock << true << HotKey::NumLock << true << false << true;
  // clang-format on
}

void DesktopTest::forceLockKeys() {
  QFETCH(LockKey, lock);
  QFETCH(bool, holdNumLock);
  QFETCH(HotKey, hotKey);
  QFETCH(bool, onBefore);
  QFETCH(bool, onAfter);
  QFETCH(bool, applies);
  FakeLockKeys keys;
  Settings settings;
  settings.numLock = holdNumLock;
  settings.hotKey = hotKey;
  for (const bool processFirst : {false, true}) {
    keys.on[lock] = onBefore;
    int processed = 0;
    LockKeyPolicy policy(keys, settings, [&] { ++processed; });
    policy.ForceLockKeys(lock, processFirst);
    QCOMPARE(keys.IsOn(lock), onAfter);
    QCOMPARE(processed, processFirst && applies ? 1 : 0);
  }
}

void DesktopTest::settleHotLockKey_data() {
  QTest::addColumn<HotKey>("hotKey");
  QTest::addColumn<bool>("afterKey");
  QTest::addColumn<bool>("numLock");
  QTest::addColumn<bool>("scrollLock");
  QTest::addColumn<bool>("astray");
  // Once the key is up, NumLock as the hot key ends on and ScrollLock off; Pause touches nothing.
  QTest::newRow("NumLock switched off") << HotKey::NumLock << false << true << false << true;
  QTest::newRow("NumLock left on") << HotKey::NumLock << true << true << false << false;
  QTest::newRow("ScrollLock switched on") << HotKey::ScrollLock << true << false << false << true;
  QTest::newRow("ScrollLock left off") << HotKey::ScrollLock << false << false << false << false;
  QTest::newRow("Pause touches nothing") << HotKey::Pause << true << false << true << false;
}

void DesktopTest::settleHotLockKey() {
  QFETCH(HotKey, hotKey);
  QFETCH(bool, afterKey);
  QFETCH(bool, numLock);
  QFETCH(bool, scrollLock);
  QFETCH(bool, astray);
  FakeLockKeys keys;
  keys.on[LockKey::NumLock] = hotKey == HotKey::NumLock ? afterKey : false;
  keys.on[LockKey::ScrollLock] = hotKey == HotKey::NumLock ? false : afterKey;
  Settings settings;
  settings.hotKey = hotKey;
  LockKeyPolicy policy(keys, settings, {});
  QCOMPARE(policy.HotLockKeyAstray(), astray);
  policy.PutHotLockKeyRight();
  QVERIFY(!policy.HotLockKeyAstray());
  QCOMPARE(keys.IsOn(LockKey::NumLock), numLock);
  QCOMPARE(keys.IsOn(LockKey::ScrollLock), scrollLock);
}

void DesktopTest::restoreAtClose_data() {
  QTest::addColumn<bool>("numAtStart");
  QTest::addColumn<bool>("numAtClose");
  QTest::addColumn<bool>("numAfter");
  QTest::addColumn<bool>("scrollAtStart");
  QTest::addColumn<bool>("scrollAtClose");
  QTest::addColumn<bool>("scrollAfter");
  // Only what the program may have changed is given back: NumLock switched on, ScrollLock switched off.
  QTest::newRow("both changed") << false << true << false << true << false << true;
  QTest::newRow("both as at start") << true << true << true << false << false << false;
  QTest::newRow("user's own changes stay") << true << false << false << false << true << true;
}

void DesktopTest::restoreAtClose() {
  QFETCH(bool, numAtStart);
  QFETCH(bool, numAtClose);
  QFETCH(bool, numAfter);
  QFETCH(bool, scrollAtStart);
  QFETCH(bool, scrollAtClose);
  QFETCH(bool, scrollAfter);
  DesktopWindow w(numAtStart, scrollAtStart);
  w.desk.lockKeys->on = {{LockKey::NumLock, numAtClose}, {LockKey::ScrollLock, scrollAtClose}};
  FakeLockKeys* keys = w.desk.lockKeys;
  w.window->CloseWithoutQuestion();
  QCOMPARE(keys->IsOn(LockKey::NumLock), numAfter);
  QCOMPARE(keys->IsOn(LockKey::ScrollLock), scrollAfter);
}

void DesktopTest::hotKeyHidesAndBringsBack() {
  DesktopWindow w(false, false);
  QCOMPARE(w.desk.hotKey->Registered(), HotKey::Pause);
  w.desk.hotKey->Press();
  // No tray offscreen: the calculator goes to the task bar instead of out of reach.
  QTRY_VERIFY(w.window->isMinimized() || !w.window->isVisible());
  w.desk.hotKey->Press();
  QTRY_VERIFY(w.window->isVisible() && !w.window->isMinimized());
  QCOMPARE(w.desk.activation->broughtToFront, 1);
}

void DesktopTest::hotKeyClosesSecondaryWindows() {
  DesktopWindow w(false, false);
  bool closed = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog && dialog->objectName() == QLatin1String("TFormPrec"));
    w.desk.hotKey->Press();
    closed = !dialog->isVisible();
  });
  w.window->RunPrecisionDialog();
  QVERIFY(closed);
}

void DesktopTest::hotKeyChoiceRegistersAndTakenKeyChecksNothing() {
  DesktopWindow w(false, false);
  MainActions& a = w.window->Actions();
  a.mScroll->trigger();
  QCOMPARE(w.desk.hotKey->Registered(), HotKey::ScrollLock);
  QVERIFY(a.mScroll->isChecked());
  w.desk.hotKey->taken = HotKey::PrintScreen;
  a.mPrnScrn->trigger();
  QCOMPARE(w.desk.hotKey->Registered(), HotKey::NoKey);
  QCOMPARE(w.window->ChosenHotKey(), HotKey::PrintScreen);  // kept for the next start
  for (QAction* item : a.hotKeys->actions()) QVERIFY2(!item->isChecked(), qPrintable(item->objectName()));
  w.window->mLangClick();  // a language switch keeps showing no key as active
  for (QAction* item : a.hotKeys->actions()) QVERIFY(!item->isChecked());
}

void DesktopTest::numLockItemFollowsHotKey() {
  DesktopWindow w(false, false);
  MainActions& a = w.window->Actions();
  QVERIFY(a.mNumLock->isChecked());
  a.mNumLock->trigger();  // off: NumLock is left alone
  QVERIFY(!a.mNumLock->isChecked());
  QVERIFY(!w.NumLock());
  a.mNumLock->trigger();  // on: switched on at once
  QVERIFY(w.NumLock());
  a.mNumLock->trigger();
  a.mHotNum->trigger();  // NumLock as the hot key holds the item on
  QVERIFY(a.mNumLock->isChecked());
  a.mNumLock->trigger();
  QVERIFY(a.mNumLock->isChecked());
}

void DesktopTest::lockKeyPressedInEntryLine() {
  DesktopWindow w(false, true);
  w.window->Ed()->setFocus();
  // Set after the window became active: the program's activation applies the rule too.
  w.desk.lockKeys->on = {{LockKey::NumLock, false}, {LockKey::ScrollLock, true}};
  QTest::keyClick(w.window->Ed(), Qt::Key_NumLock);
  QVERIFY(w.NumLock());
  QTest::keyClick(w.window->Ed(), Qt::Key_ScrollLock);
  QVERIFY(!w.ScrollLock());
}

// The row dialog holds the lock keys as the main window does (its operand is a number); other
// dialogs leave them alone.
void DesktopTest::lockKeyPressedInDialog_data() {
  QTest::addColumn<bool>("rowDialog");
  QTest::addColumn<bool>("held");
  QTest::newRow("row dialog") << true << true;
  QTest::newRow("precision dialog") << false << false;
}

void DesktopTest::lockKeyPressedInDialog() {
  QFETCH(bool, rowDialog);
  QFETCH(bool, held);
  DesktopWindow w(false, true);
  bool pressed = false;
  const auto press = [&w, &pressed](QDialog* dialog) {
    dialog->activateWindow();
    const bool active = QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; });
    QWidget* focus = QApplication::focusWidget();
    w.desk.lockKeys->on = {{LockKey::NumLock, false}, {LockKey::ScrollLock, true}};
    if (active && focus && focus->window() == dialog) {
      QTest::keyClick(focus, Qt::Key_NumLock);
      QTest::keyClick(focus, Qt::Key_ScrollLock);
      pressed = true;
    }
    dialog->reject();
  };
  if (rowDialog) {
    Type(*w.window, "10+5=");
    w.window->Calc().SelectRow(1);
    WhenDialogOpens<TFormRow>(press);
    w.window->EditRow(false);
  } else {
    WhenDialogOpens<TFormPrec>(press);
    w.window->RunPrecisionDialog();
  }
  QVERIFY(pressed);
  QCOMPARE(w.NumLock(), held);
  QCOMPARE(w.ScrollLock(), !held);
}

void DesktopTest::quietServicesDisableTheirItems() {
  ProgramFolder folder;
  platform::DesktopServices services{platform::MakeQuietHotKey(platform::Absence::kNoPortal),
                                     platform::MakeQuietLockKeys(),
                                     platform::MakeQuietActivation(platform::Absence::kWayland)};
  FormTallyman window(Locale::English(), folder.Paths(), MakeUiServices(), std::move(services));
  MainActions& a = window.Actions();
  QVERIFY(!a.mHot->menuAction()->isEnabled());
  QVERIFY(a.mHot->menuAction()->toolTip().contains(QLatin1String("GlobalShortcuts")));
  QVERIFY(!a.mNumLock->isEnabled());
  QVERIFY(!a.mTop->isEnabled());
  QVERIFY(a.mTop->toolTip().startsWith(QStringLiteral("Wayland")));
  window.Desktop().HotKeyMessage(false);  // nothing breaks
}

// The program's own services where there is neither X11 nor Wayland: no hot key and no lock keys,
// each item saying why; keeping the window on top is left to Qt.
void DesktopTest::offscreenSessionGetsTheQuietServices() {
  QCOMPARE(QGuiApplication::platformName(), QString("offscreen"));
  ProgramFolder folder;
  auto window = MakeWindow(folder, Locale::Russian(), MakeUiServices());
  MainActions& a = window->Actions();
  QVERIFY(!a.mHot->menuAction()->isEnabled());
  QVERIFY(a.mHot->menuAction()->toolTip().contains(QLatin1String("X11")));
  QVERIFY(!a.mNumLock->isEnabled());
  QVERIFY(a.mNumLock->toolTip().contains(QLatin1String("X11")));
  QVERIFY(a.mTop->isEnabled());
  platform::MakeDesktopServices().activation->BringToFront(nullptr);  // a window not yet shown
}

void DesktopTest::hideOnMinimizeAndClose() {
  ScriptedAnswerer answerer;
  DesktopWindow w(false, false, QStringLiteral("[SETS]\nHideOnMin=1\nConfirm=1\n"), answerer.Ui());
  // The window manager's close hides instead, without the closing question.
  w.window->windowHandle()->close();  // as the window system's close, not the program's own
  QVERIFY(answerer.asked.empty());
  QVERIFY(!QFile::exists(w.folder.File(QStringLiteral("tallyman.ini.new"))));
  QTRY_VERIFY(w.window->isMinimized() || !w.window->isVisible());
  // The Exit command still closes.
  answerer.Queue(DialogResult::kYes);
  w.window->Desktop().HotKeyMessage(false);
  w.window->Actions().mExit->trigger();
  QTRY_VERIFY(!w.window->isVisible());
  QCOMPARE(answerer.asked.size(), size_t{1});
}

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
