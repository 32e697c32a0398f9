// The X11 desktop services against a real X server with a window manager (tests/harness/x11_run.sh):
// the hot key is pressed with XTEST as a keyboard would, the lock keys are read back with xset,
// and the active window is asked of the window manager.
#include <QGuiApplication>
#include <QProcess>
#include <QRasterWindow>
#include <QRegularExpression>
#include <QTest>
#include <cstdlib>
#include <iostream>
#include <string>

#include "engine/settings/settings.h"
#include "platform/desktop_services.h"
#include "platform/x11/x11_keyboard_map.h"

// X11 after Qt: its macros clash with Qt names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

using namespace tallyman;
using namespace tallyman::platform;

Q_DECLARE_METATYPE(tallyman::platform::LockKey)

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(10000) || process.exitCode() != 0) {
    qWarning() << program << arguments << "failed:" << process.readAllStandardError();
  }
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void Press(const QString& key) {
  Run("xdotool", {"key", key});
}

// The state of a lock key's light as `xset q` reports it ("Num Lock", "Scroll Lock").
bool XsetSaysOn(const QString& light) {
  const QRegularExpression pattern(light + ":\\s+(on|off)");
  const QRegularExpressionMatch match = pattern.match(Run("xset", {"q"}));
  if (!match.hasMatch()) qWarning() << "xset q does not report" << light;
  return match.captured(1) == "on";
}

// Another X client holding the Pause key: a second copy of this program in its holding mode.
class KeyHolder {
 public:
  // modifiers: the modifier state the grab is for (0: none held), as a number.
  explicit KeyHolder(int modifiers) {
    m_process.start(QCoreApplication::applicationFilePath(), {"--hold-pause", QString::number(modifiers)});
    m_process.waitForReadyRead(10000);
    m_answer = QString::fromUtf8(m_process.readLine()).trimmed();
  }
  ~KeyHolder() {
    m_process.closeWriteChannel();  // the holder ends at the end of its input
    if (!m_process.waitForFinished(5000)) m_process.kill();
  }
  bool Holds() const { return m_answer == "held"; }

 private:
  QProcess m_process;
  QString m_answer;
};

class KeyCountingWindow final : public QRasterWindow {
 public:
  int keyEvents = 0;

 protected:
  void keyPressEvent(QKeyEvent*) override { ++keyEvents; }
  void keyReleaseEvent(QKeyEvent*) override { ++keyEvents; }
};

// The holding mode: grab Pause on the root window for one modifier state only, say "held" or
// "busy", keep it until the input ends.
int HoldPause(int modifiers) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return 1;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const auto keycodes = X11KeyboardMap::Read(connection).KeycodesOf(XK_Pause);
  bool held = !keycodes.empty();
  for (const xcb_keycode_t keycode : keycodes) {
    const auto cookie = xcb_grab_key_checked(connection, 0, root, static_cast<uint16_t>(modifiers), keycode,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
      held = false;
      std::free(error);
    }
  }
  std::cout << (held ? "held" : "busy") << std::endl;
  std::string line;
  while (std::getline(std::cin, line)) {
  }
  xcb_disconnect(connection);
  return 0;
}

}  // namespace

class X11ServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_services = MakeDesktopServices();
    m_presses = 0;
    m_services.hotKey->SetPressedHandler([this] { ++m_presses; });
  }
  // Every test starts with the lock keys off and auto-repeat as the server sends it by default.
  void cleanup() {
    if (m_services.hotKey) m_services.hotKey->Unregister();
    for (const LockKey lock : {LockKey::NumLock, LockKey::ScrollLock}) {
      if (m_services.lockKeys && m_services.lockKeys->IsOn(lock)) m_services.lockKeys->Toggle(lock);
    }
    XkbSetDetectableAutoRepeat(XDisplay(), False, nullptr);
    m_services = {};
  }

  void servicesAreAvailable() {
    QVERIFY(m_services.hotKey->Available());
    QCOMPARE(m_services.hotKey->Reason(), Absence::kNone);
    QVERIFY(m_services.lockKeys->Available());
    QVERIFY(m_services.activation->CanKeepAbove());
  }

  void hotKeyPressCallsHandlerOnce_data() {
    QTest::addColumn<HotKey>("hotKey");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("locked");         // a lock key switched on during the presses
    QTest::addColumn<bool>("detectableRepeat");  // repeats without releases in between
    // clang-format off
    QTest::newRow("Pause") << HotKey::Pause << "Pause" << "" << false;
    QTest::newRow("Pause with NumLock on") << HotKey::Pause << "Pause" << "NumLock" << false;
    QTest::newRow("Pause with ScrollLock on") << HotKey::Pause << "Pause" << "ScrollLock" << false;
    QTest::newRow("Pause, detectable repeat") << HotKey::Pause << "Pause" << "" << true;
    QTest::newRow("ScrollLock") << HotKey::ScrollLock << "Scroll_Lock" << "" << false;
    QTest::newRow("PrintScreen") << HotKey::PrintScreen << "Print" << "" << false;
    QTest::newRow("NumLock") << HotKey::NumLock << "Num_Lock" << "" << false;
    // clang-format on
  }
  void hotKeyPressCallsHandlerOnce() {
    QFETCH(HotKey, hotKey);
    QFETCH(QString, key);
    QFETCH(QString, locked);
    QFETCH(bool, detectableRepeat);
    XkbSetDetectableAutoRepeat(XDisplay(), detectableRepeat, nullptr);
    if (!locked.isEmpty()) {
      const LockKey lock = locked == "NumLock" ? LockKey::NumLock : LockKey::ScrollLock;
      BindScrollLock();
      m_services.lockKeys->Toggle(lock);
      QVERIFY(m_services.lockKeys->IsOn(lock));
    }

    QVERIFY(m_services.hotKey->Register(hotKey));
    QCOMPARE(m_services.hotKey->Registered(), hotKey);
    Press(key);
    ExpectPresses(1);
    // Held down long enough for the keyboard to repeat it: still one press.
    Run("xdotool", {"keydown", key});
    QTest::qWait(1000);
    Run("xdotool", {"keyup", key});
    ExpectPresses(2);

    m_services.hotKey->Unregister();
    QCOMPARE(m_services.hotKey->Registered(), HotKey::NoKey);
    Press(key);
    QTest::qWait(300);
    QCOMPARE(m_presses, 2);
  }

  void registeringAnotherKeyReleasesTheFirst() {
    QVERIFY(m_services.hotKey->Register(HotKey::Pause));
    QVERIFY(m_services.hotKey->Register(HotKey::PrintScreen));
    QCOMPARE(m_services.hotKey->Registered(), HotKey::PrintScreen);
    Press("Pause");
    Press("Print");
    ExpectPresses(1);
    KeyHolder other(0);
    QVERIFY(other.Holds());
  }

  void keyWithoutKeycodeIsRefused_data() {
    QTest::addColumn<HotKey>("hotKey");
    QTest::addColumn<bool>("unmapPause");  // the keyboard map lacks the key
    QTest::newRow("none") << HotKey::NoKey << false;
    QTest::newRow("letter A") << HotKey{65} << false;
    QTest::newRow("negative") << HotKey{-19} << false;
    QTest::newRow("Pause missing from the keyboard") << HotKey::Pause << true;
  }
  void keyWithoutKeycodeIsRefused() {
    QFETCH(HotKey, hotKey);
    QFETCH(bool, unmapPause);
    QVERIFY(m_services.hotKey->Register(HotKey::PrintScreen));
    const QString pauseKey = QString::number(PauseKeycode());
    if (unmapPause) Run("xmodmap", {"-e", "keycode " + pauseKey + " ="});
    const bool registered = m_services.hotKey->Register(hotKey);
    if (unmapPause) Run("xmodmap", {"-e", "keycode " + pauseKey + " = Pause Break"});
    QVERIFY(!registered);
    QCOMPARE(m_services.hotKey->Registered(), HotKey::NoKey);
    Press("Print");
    QTest::qWait(300);
    QCOMPARE(m_presses, 0);  // the key held before was let go
  }

  // The other client holds Pause only without modifiers: the grabs of the CapsLock states that
  // succeeded must not stay behind.
  void keyOwnedByAnotherClientIsRefusedWholly() {
    {
      KeyHolder owner(0);
      QVERIFY(owner.Holds());
      QVERIFY(!m_services.hotKey->Register(HotKey::Pause));
      QCOMPARE(m_services.hotKey->Registered(), HotKey::NoKey);
      KeyHolder capsLockState(XCB_MOD_MASK_LOCK);
      QVERIFY(capsLockState.Holds());
    }
    QVERIFY(m_services.hotKey->Register(HotKey::Pause));
  }

  void destroyingTheServicesReleasesTheKey() {
    QVERIFY(m_services.hotKey->Register(HotKey::Pause));
    m_services = {};
    KeyHolder other(0);
    QVERIFY(other.Holds());
  }

  void lockKeyToggleFlipsTheLight_data() {
    QTest::addColumn<LockKey>("key");
    QTest::addColumn<QString>("light");
    QTest::newRow("NumLock") << LockKey::NumLock << "Num Lock";
    QTest::newRow("ScrollLock") << LockKey::ScrollLock << "Scroll Lock";
  }
  // The switch reaches no window: a typed key would go to whichever has the focus, here ours.
  void lockKeyToggleFlipsTheLight() {
    QFETCH(LockKey, key);
    QFETCH(QString, light);
    BindScrollLock();
    KeyCountingWindow focused;
    focused.setGeometry(100, 100, 200, 120);
    focused.show();
    QVERIFY(QTest::qWaitForWindowActive(&focused));
    LockKeys& locks = *m_services.lockKeys;
    const bool before = XsetSaysOn(light);
    QCOMPARE(locks.IsOn(key), before);
    locks.Toggle(key);
    QCOMPARE(XsetSaysOn(light), !before);
    QCOMPARE(locks.IsOn(key), !before);
    locks.Toggle(key);
    QCOMPARE(XsetSaysOn(light), before);
    QCOMPARE(locks.IsOn(key), before);
    QTest::qWait(300);  // a key event would have come within this
    QCOMPARE(focused.keyEvents, 0);
  }

  void bringToFrontTakesTheFocusFromAnotherProgram() {
    QRasterWindow window;
    window.setGeometry(100, 100, 200, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString ours = QString::number(window.winId());
    QTRY_COMPARE_WITH_TIMEOUT(Run("xdotool", {"getactivewindow"}), ours, 5000);

    QProcess xterm;
    xterm.start("xterm", {"-geometry", "40x10+150+150"});
    QTRY_VERIFY_WITH_TIMEOUT(ActiveWindowIsOther(ours), 10000);
    m_services.activation->BringToFront(&window);
    QTRY_COMPARE_WITH_TIMEOUT(Run("xdotool", {"getactivewindow"}), ours, 5000);
    xterm.terminate();
    xterm.waitForFinished(5000);
  }

 private:
  // The virtual keyboard binds ScrollLock to no modifier, so it has no lock state; a real keymap may.
  static Display* XDisplay() { return qApp->nativeInterface<QNativeInterface::QX11Application>()->display(); }

  static xcb_keycode_t PauseKeycode() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    const auto keycodes = X11KeyboardMap::Read(x11->connection()).KeycodesOf(XK_Pause);
    return keycodes.empty() ? 0 : keycodes.front();
  }

  static void BindScrollLock() { Run("xmodmap", {"-e", "add mod3 = Scroll_Lock"}); }

  void ExpectPresses(int count) {
    QTRY_COMPARE_WITH_TIMEOUT(m_presses, count, 5000);
    QTest::qWait(300);  // a second call would come within this
    QCOMPARE(m_presses, count);
  }

  static bool ActiveWindowIsOther(const QString& ours) {
    const QString active = Run("xdotool", {"getactivewindow"});
    return !active.isEmpty() && active != ours;
  }

  DesktopServices m_services;
  int m_presses = 0;
};

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--hold-pause") return HoldPause(std::stoi(argv[2]));
  QGuiApplication app(argc, argv);
  if (QGuiApplication::platformName() != "xcb") {
    std::cerr << "needs an X display (run it through tests/harness/x11_run.sh)\n";
    return 1;
  }
  X11ServicesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "x11_services_test.moc"
