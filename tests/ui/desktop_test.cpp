// The lock-key rules against fake keys, and the main window's hot key, hiding and lock-key wiring
// against fake desktop services.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTest>

#include "tests/ui/fake_desktop.h"
#include "tests/ui/ui_test_support.h"
#include "ui/lock_key_policy.h"
#include "ui/main_actions.h"
#include "ui/precision_dialog.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;
using platform::LockKey;

namespace {

constexpr int kPrintScreen = kHotKeyPrintScreen;

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
  void showRequestLeavesLockKeys();
  void hotKeyChoiceRegistersAndTakenKeyChecksNothing();
  void numLockItemFollowsHotKey();
  void lockKeyPressedInEntryLine();
  void quietServicesDisableTheirItems();
  void offscreenSessionGetsTheQuietServices();
  void hideOnMinimizeAndClose();
};

void DesktopTest::forceLockKeys_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("holdNumLock");
  QTest::addColumn<int>("hotKey");
  QTest::addColumn<bool>("onBefore");
  QTest::addColumn<bool>("onAfter");
  // NumLock goes on only when held and not the hot key; ScrollLock goes off unless it is the hot key.
  QTest::newRow("NumLock held, off") << kHotKeyNumLock << true << kHotKeyPause << false << true;
  QTest::newRow("NumLock held, on") << kHotKeyNumLock << true << kHotKeyPause << true << true;
  QTest::newRow("NumLock not held") << kHotKeyNumLock << false << kHotKeyPause << false << false;
  QTest::newRow("NumLock is the hot key") << kHotKeyNumLock << true << kHotKeyNumLock << false << false;
  QTest::newRow("ScrollLock on") << kHotKeyScrollLock << false << kHotKeyPause << true << false;
  QTest::newRow("ScrollLock off") << kHotKeyScrollLock << true << kHotKeyPause << false << false;
  QTest::newRow("ScrollLock is the hot key") << kHotKeyScrollLock << true << kHotKeyScrollLock << true << true;
  QTest::newRow("another key") << kPrintScreen << true << kHotKeyPause << false << false;
}

void DesktopTest::forceLockKeys() {
  QFETCH(int, key);
  QFETCH(bool, holdNumLock);
  QFETCH(int, hotKey);
  QFETCH(bool, onBefore);
  QFETCH(bool, onAfter);
  FakeLockKeys keys;
  const LockKey lock = key == kHotKeyScrollLock ? LockKey::ScrollLock : LockKey::NumLock;
  keys.on[lock] = onBefore;
  Settings settings;
  settings.numLock = holdNumLock;
  settings.hotKey = hotKey;
  for (const bool processFirst : {false, true}) {
    keys.on[lock] = onBefore;
    int processed = 0;
    LockKeyPolicy policy(keys, settings, [&] { ++processed; });
    policy.ForceLockKeys(key, processFirst);
    QCOMPARE(keys.IsOn(lock), onAfter);
    // Pending events are let through first only for a key just pressed, and only when the rule applies.
    const bool applies = LockKeyOf(key) && key != hotKey && (lock == LockKey::ScrollLock || holdNumLock);
    QCOMPARE(processed, processFirst && applies ? 1 : 0);
  }
}

void DesktopTest::settleHotLockKey_data() {
  QTest::addColumn<int>("hotKey");
  QTest::addColumn<bool>("afterKey");
  QTest::addColumn<bool>("numLock");
  QTest::addColumn<bool>("scrollLock");
  QTest::addColumn<bool>("astray");
  // Once the key is up, NumLock as the hot key ends on and ScrollLock off; Pause touches nothing.
  QTest::newRow("NumLock switched off") << kHotKeyNumLock << false << true << false << true;
  QTest::newRow("NumLock left on") << kHotKeyNumLock << true << true << false << false;
  QTest::newRow("ScrollLock switched on") << kHotKeyScrollLock << true << false << false << true;
  QTest::newRow("ScrollLock left off") << kHotKeyScrollLock << false << false << false << false;
  QTest::newRow("Pause touches nothing") << kHotKeyPause << true << false << true << false;
}

void DesktopTest::settleHotLockKey() {
  QFETCH(int, hotKey);
  QFETCH(bool, afterKey);
  QFETCH(bool, numLock);
  QFETCH(bool, scrollLock);
  QFETCH(bool, astray);
  FakeLockKeys keys;
  keys.on[LockKey::NumLock] = hotKey == kHotKeyNumLock ? afterKey : false;
  keys.on[LockKey::ScrollLock] = hotKey == kHotKeyNumLock ? false : afterKey;
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
  QCOMPARE(w.desk.hotKey->Registered(), kHotKeyPause);
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

void DesktopTest::showRequestLeavesLockKeys() {
  DesktopWindow w(false, false, QStringLiteral("[SETS]\nHot=144\n"));
  const int toggles = w.desk.lockKeys->toggles;
  w.window->HotKeyMessage(true);
  QCOMPARE(w.desk.lockKeys->toggles, toggles);
  // The NumLock hot key's own press is settled once the key is up: NumLock ends on.
  w.desk.hotKey->Press();
  QTRY_VERIFY(w.NumLock());
}

void DesktopTest::hotKeyChoiceRegistersAndTakenKeyChecksNothing() {
  DesktopWindow w(false, false);
  MainActions& a = w.window->Actions();
  a.mScroll->trigger();
  QCOMPARE(w.desk.hotKey->Registered(), kHotKeyScrollLock);
  QVERIFY(a.mScroll->isChecked());
  w.desk.hotKey->taken = kHotKeyPrintScreen;
  a.mPrnScrn->trigger();
  QCOMPARE(w.desk.hotKey->Registered(), 0);
  QCOMPARE(w.window->HotKey(), kHotKeyPrintScreen);  // kept for the next start
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
  QTest::keyClick(w.window->Ed(), Qt::Key_NumLock);
  QVERIFY(w.NumLock());
  QTest::keyClick(w.window->Ed(), Qt::Key_ScrollLock);
  QVERIFY(!w.ScrollLock());
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
  window.HotKeyMessage(false);  // nothing breaks
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
  w.window->HotKeyMessage(false);
  w.window->Actions().mExit->trigger();
  QTRY_VERIFY(!w.window->isVisible());
  QCOMPARE(answerer.asked.size(), size_t{1});
}

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
