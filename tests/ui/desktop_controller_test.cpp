// The desktop controller against fake desktop services and a fake main window: what the hot key
// does, the order secondary windows close in, the lock key put right after the hot key's press,
// whether the menu shows the chosen key as working, and where the lock keys follow the rule.
#include "ui/desktop_controller.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "tests/ui/fake_desktop.h"
#include "ui/secondary_window.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;
using platform::LockKey;

namespace {

class FakeWindow final : public DesktopHost {
 public:
  explicit FakeWindow(Settings& settings) : m_settings(settings) {}
  bool Minimized() const override { return minimized; }
  bool Shown() const override { return visible && !minimized; }
  bool ShowsTape(const QWidget* window) const override { return window == tape; }
  void Hide(bool toTaskBar) override {
    calls << (toTaskBar ? "minimize" : "hide");
    if (toTaskBar)
      minimized = true;
    else
      visible = false;
  }
  void Unminimize() override {
    calls << "unminimize";
    minimized = false;
  }
  void Show() override {
    calls << "show";
    visible = true;
  }
  QWindow* Handle() const override { return nullptr; }
  void FocusEntryLine() override { calls << "focus"; }
  QMenu* TrayMenu() override { return nullptr; }
  void ShowDesktopMenus(const DesktopMenus& shown) override { menus = shown; }
  void HoldNumLock() override { m_settings.numLock = true; }

  bool visible = true;
  bool minimized = false;
  const QWidget* tape = nullptr;
  QStringList calls;
  DesktopMenus menus;

 private:
  Settings& m_settings;
};

struct Desk {
  explicit Desk(HotKey hotKey, bool answersLater = false) {
    settings.hotKey = hotKey;
    settings.english = true;
    platform::DesktopServices services = fake.Make();
    fake.hotKey->answersLater = answersLater;
    controller = std::make_unique<DesktopController>(std::move(services), settings, window);
    controller->SettingsApplied();
  }
  Settings settings;
  FakeDesktop fake;
  FakeWindow window{settings};
  std::unique_ptr<DesktopController> controller;
};

// A dialog that writes its name in `log` when it closes.
class LoggedDialog : public QDialog {
 public:
  LoggedDialog(QString name, QStringList& log) : m_name(std::move(name)), m_log(log) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    m_log << m_name;
    QDialog::closeEvent(event);
  }

 private:
  QString m_name;
  QStringList& m_log;
};

class Secondary final : public LoggedDialog, public SecondaryWindow {
 public:
  Secondary(QString name, QStringList& log, CloseRank rank, bool holdsLockKeys = false)
      : LoggedDialog(std::move(name), log), m_rank(rank), m_holds(holdsLockKeys) {}
  CloseRank ClosingRank() const override { return m_rank; }
  bool HoldsLockKeys() const override { return m_holds; }

 private:
  CloseRank m_rank;
  bool m_holds;
};

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class DesktopControllerTest : public QObject {
  Q_OBJECT

 private slots:
  void hotKeyHidesOrBringsForward_data();
  void hotKeyHidesOrBringsForward();
  void secondaryWindowsCloseByRankFirst();
  void lockHotKeySettlesOnceUp_data();
  void lockHotKeySettlesOnceUp();
  void menuShowsWhetherTheKeyWorks_data();
  void menuShowsWhetherTheKeyWorks();
  void lockKeysFollowTheRuleWhereTheyAreHeld_data();
  void lockKeysFollowTheRuleWhereTheyAreHeld();
};

void DesktopControllerTest::hotKeyHidesOrBringsForward_data() {
  QTest::addColumn<bool>("visible");
  QTest::addColumn<bool>("minimized");
  QTest::addColumn<bool>("focusOurs");
  QTest::addColumn<QStringList>("calls");
  const QStringList forward{"unminimize", "show", "focus"};
  // Offscreen there is no tray: hiding minimizes, so the calculator stays within reach.
  QTest::newRow("in front") << true << false << true << QStringList{"minimize"};
  QTest::newRow("another program in front") << true << false << false << forward;
  QTest::newRow("minimized") << true << true << true << forward;
  QTest::newRow("hidden") << false << false << true << forward;
}

void DesktopControllerTest::hotKeyHidesOrBringsForward() {
  QFETCH(bool, visible);
  QFETCH(bool, minimized);
  QFETCH(bool, focusOurs);
  QFETCH(QStringList, calls);
  Desk desk(HotKey::Pause);
  QWidget ours;  // one of the program's windows
  ShowActive(ours);
  const auto ourId = static_cast<std::uintptr_t>(ours.winId());
  desk.fake.activation->focused = focusOurs ? ourId : ourId + 1000;
  desk.window.visible = visible;
  desk.window.minimized = minimized;
  desk.fake.hotKey->Press();
  QCOMPARE(desk.window.calls, calls);
  QCOMPARE(desk.fake.activation->broughtToFront, calls == QStringList{"minimize"} ? 0 : 1);
}

// The row dialog first, then the other secondary windows by rank, then any other dialog. Whether
// the calculator is in front is decided before: the focus was in one of its dialogs.
void DesktopControllerTest::secondaryWindowsCloseByRankFirst() {
  Desk desk(HotKey::Pause);
  QStringList closed;
  LoggedDialog about(QStringLiteral("about"), closed);
  Secondary list(QStringLiteral("memory list"), closed, SecondaryWindow::CloseRank::MemoryList);
  Secondary formula(QStringLiteral("formula"), closed, SecondaryWindow::CloseRank::Formula);
  Secondary row(QStringLiteral("row"), closed, SecondaryWindow::CloseRank::RowDialog);
  Secondary note(QStringLiteral("notebook"), closed, SecondaryWindow::CloseRank::Notebook);
  for (QDialog* dialog : std::initializer_list<QDialog*>{&about, &list, &formula, &row, &note}) dialog->show();
  ShowActive(row);
  desk.fake.activation->focused = static_cast<std::uintptr_t>(row.winId());
  desk.fake.hotKey->Press();
  QCOMPARE(closed, (QStringList{"row", "notebook", "formula", "memory list", "about"}));
  QCOMPARE(desk.window.calls, QStringList{"minimize"});
}

void DesktopControllerTest::lockHotKeySettlesOnceUp_data() {
  QTest::addColumn<HotKey>("hotKey");
  QTest::addColumn<bool>("showRequest");
  QTest::addColumn<bool>("numLock");     // after the press
  QTest::addColumn<bool>("scrollLock");  // after the press
  QTest::addColumn<bool>("numLockEnd");
  QTest::addColumn<bool>("scrollLockEnd");
  // NumLock as the hot key ends on, ScrollLock off; a show request is no press of the key.
  // clang-format off
  QTest::newRow("NumLock switched off") << HotKey::NumLock << false << false << false << true << false;
  QTest::newRow("ScrollLock switched on") << HotKey::ScrollLock << false << false << true << false << false;
  QTest::newRow("NumLock left on") << HotKey::NumLock << false << true << false << true << false;
  QTest::newRow("Pause") << HotKey::Pause << false << false << false << false << false;
  QTest::newRow("show request") << HotKey::NumLock << true << false << false << false << false;
  // clang-format on
}

void DesktopControllerTest::lockHotKeySettlesOnceUp() {
  QFETCH(HotKey, hotKey);
  QFETCH(bool, showRequest);
  QFETCH(bool, numLock);
  QFETCH(bool, scrollLock);
  QFETCH(bool, numLockEnd);
  QFETCH(bool, scrollLockEnd);
  Desk desk(hotKey);
  desk.settings.numLock = false;  // only the hot key's own rule
  FakeHotKey& hot = *desk.fake.hotKey;
  FakeLockKeys& keys = *desk.fake.lockKeys;
  keys.on = {{LockKey::NumLock, numLock}, {LockKey::ScrollLock, scrollLock}};
  QList<HotKey> heldAtToggle;
  keys.toggled = [&] { heldAtToggle << hot.registered; };
  const int registrations = hot.registrations;
  if (showRequest)
    desk.controller->HotKeyMessage(true);
  else
    hot.Press();
  QCOMPARE(keys.toggles, 0);  // the key is still down
  const bool astray = numLock != numLockEnd || scrollLock != scrollLockEnd;
  if (astray) {
    QTRY_COMPARE(keys.toggles, 1);
    // The hot key is let go around the switch, so the switch does not come back as a press.
    QCOMPARE(heldAtToggle, QList<HotKey>{HotKey::NoKey});
    QCOMPARE(hot.registered, hotKey);
  } else {
    QTest::qWait(DesktopController::kLockKeySettleMs + 200);
    QCOMPARE(keys.toggles, 0);
  }
  QCOMPARE(keys.IsOn(LockKey::NumLock), numLockEnd);
  QCOMPARE(keys.IsOn(LockKey::ScrollLock), scrollLockEnd);
  QCOMPARE(hot.registrations, registrations + (astray ? 1 : 0));
}

void DesktopControllerTest::menuShowsWhetherTheKeyWorks_data() {
  QTest::addColumn<bool>("answersLater");  // like a desktop portal
  QTest::addColumn<int>("answer");         // -1 none yet, 0 not bound, 1 bound
  QTest::addColumn<bool>("taken");         // another program holds the key
  QTest::addColumn<QString>("bound");      // the trigger a portal's user chose instead
  QTest::addColumn<bool>("works");
  QTest::addColumn<QString>("title");
  // clang-format off
  QTest::newRow("held at once") << false << -1 << false << "" << true << "Hot &key";
  QTest::newRow("held by another program") << false << -1 << true << "" << false << "Hot &key";
  QTest::newRow("portal still asking") << true << -1 << false << "" << true << "Hot &key";
  QTest::newRow("portal bound it") << true << 1 << false << "" << true << "Hot &key";
  QTest::newRow("portal bound another trigger") << true << 1 << false << "Ctrl+Alt+K" << true << "Hot &key (Ctrl+Alt+K)";
  QTest::newRow("portal declined") << true << 0 << false << "" << false << "Hot &key";
  // clang-format on
}

void DesktopControllerTest::menuShowsWhetherTheKeyWorks() {
  QFETCH(bool, answersLater);
  QFETCH(int, answer);
  QFETCH(bool, taken);
  QFETCH(QString, bound);
  QFETCH(bool, works);
  QFETCH(QString, title);
  Desk desk(HotKey::Pause, answersLater);
  FakeHotKey& hot = *desk.fake.hotKey;
  hot.taken = taken ? HotKey::ScrollLock : HotKey::NoKey;
  hot.bound = bound;
  desk.settings.hotKey = HotKey::ScrollLock;
  desk.controller->HotKeyChosen();
  if (answer >= 0) hot.Answer(answer == 1);
  QCOMPARE(desk.window.menus.hotKeyWorks, works);
  QCOMPARE(desk.controller->HotKeyWorks(), works);
  QCOMPARE(desk.window.menus.hotKeyTitle, title);
  QCOMPARE(desk.window.menus.hotKeyAbsence, QString());
}

void DesktopControllerTest::lockKeysFollowTheRuleWhereTheyAreHeld_data() {
  QTest::addColumn<QString>("window");
  QTest::addColumn<bool>("held");
  QTest::newRow("the tape's window") << "tape" << true;
  QTest::newRow("secondary window that holds them") << "holding" << true;
  QTest::newRow("secondary window that does not") << "leaving" << false;
  QTest::newRow("any other dialog") << "other" << false;
}

void DesktopControllerTest::lockKeysFollowTheRuleWhereTheyAreHeld() {
  QFETCH(QString, window);
  QFETCH(bool, held);
  Desk desk(HotKey::Pause);
  QStringList closed;
  QWidget tape;
  Secondary holding(window, closed, SecondaryWindow::CloseRank::RowDialog, true);
  Secondary leaving(window, closed, SecondaryWindow::CloseRank::Precision, false);
  LoggedDialog other(window, closed);
  desk.window.tape = &tape;
  QWidget* shown = window == "tape" ? &tape : window == "holding" ? &holding : window == "leaving" ? &leaving : &other;
  auto* edit = new QLineEdit(shown);
  ShowActive(*shown);
  edit->setFocus();
  QCOMPARE(QApplication::focusWidget(), edit);
  // Set after the window became active: the program's activation applies the rule too.
  desk.fake.lockKeys->on = {{LockKey::NumLock, false}, {LockKey::ScrollLock, true}};
  QTest::keyClick(edit, Qt::Key_NumLock);
  QTest::keyClick(edit, Qt::Key_ScrollLock);
  QCOMPARE(desk.fake.lockKeys->IsOn(LockKey::NumLock), held);
  QCOMPARE(desk.fake.lockKeys->IsOn(LockKey::ScrollLock), !held);
}

QTEST_MAIN(DesktopControllerTest)
#include "desktop_controller_test.moc"
