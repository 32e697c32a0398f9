// The portal's hot key against the real desktop portal: xdg-desktop-portal with its KDE backend
// and kglobalaccel, started by a private bus (portal_run.sh) on an X server without a window
// manager (tests/harness/x11_run.sh --no-wm), the keys pressed with xdotool. Every key binds and its press
// reaches the handler once; a second start binds the same key again; switching keys and back keeps
// the key alive; a key changed in the desktop's settings shows in the hot-key menu's title.
// With --bind-once KEY the program is instead a second client: it binds KEY, writes "bound", and
// writes "pressed" and ends at the first press.
#include <QActionGroup>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <memory>

#include "platform/desktop_services.h"
#include "platform/portal/portal_hot_key.h"
#include "platform/portal/portal_protocol.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_actions.h"

using namespace tallyman;
using namespace tallyman::platform;

namespace {

const QString kDescription = QStringLiteral("Hot key");
constexpr int kBindLimitMs = 20000;  // the first call starts three services

QDBusConnection Bus() {
  return QDBusConnection::sessionBus();
}

// A hot key with counters for its presses and its reported changes.
struct WatchedKey {
  PortalHotKey key{Bus(), kDescription};
  int presses = 0;
  int changes = 0;
  WatchedKey() {
    key.SetPressedHandler([this] { ++presses; });
    key.SetStateChangedHandler([this] { ++changes; });
  }
};

bool PressKey(const QString& keyName) {
  return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keyName}) == 0;
}

// kglobalaccel takes a key a moment after the portal has answered (up to half a second when it has
// just started), so a press is repeated until `arrived` holds; a key that never fires fails.
bool PressUntil(const QString& keyName, const std::function<bool()>& arrived, int* pressCount) {
  QElapsedTimer clock;
  clock.start();
  *pressCount = 0;
  while (clock.elapsed() < 10000) {
    if (!PressKey(keyName)) return false;
    ++*pressCount;
    for (QElapsedTimer wait; !wait.isValid() || wait.elapsed() < 500;) {
      if (!wait.isValid()) wait.start();
      QTest::qWait(10);
      if (arrived()) return true;
    }
  }
  return false;
}

// The portal's Activated and Deactivated signals of every session, in the order they came.
class PortalSignals : public QObject {
  Q_OBJECT

 public:
  PortalSignals() {
    for (const char* name : {"Activated", "Deactivated"}) {
      Bus().connect(portal::kService, portal::kPath, portal::kShortcutsInterface, QString::fromLatin1(name), this,
                    SLOT(OnSignal(QDBusMessage)));
    }
  }
  // "Activated SESSION", "Deactivated SESSION", ...
  QStringList seen;
  int Count(const QString& member) const { return static_cast<int>(seen.filter(member + QLatin1Char(' ')).size()); }

 private slots:
  void OnSignal(const QDBusMessage& message) {
    seen << message.member() + QLatin1Char(' ') + message.arguments().value(0).value<QDBusObjectPath>().path();
  }
};

// The kglobalaccel entry of the program's shortcut for `key` gets the Qt key code `qtKey`,
// as the desktop's shortcut settings do.
bool SetKeyInDesktopSettings(HotKey key, int qtKey) {
  const QString component = portal::SessionTokenForKey(key);
  QDBusMessage call =
      QDBusMessage::createMethodCall(QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
                                     QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("setForeignShortcut"));
  call << QStringList{component, QStringLiteral("toggle"), component, kDescription}
       << QVariant::fromValue(QList<int>{qtKey});
  const QDBusMessage answer = Bus().call(call, QDBus::Block, 5000);
  if (answer.type() != QDBusMessage::ReplyMessage) qWarning() << answer.errorMessage();
  return answer.type() == QDBusMessage::ReplyMessage;
}

// Binds `key` and waits for a press, telling the parent process on stdout.
int BindOnce(HotKey key) {
  WatchedKey watched;
  if (!watched.key.Register(key)) return 2;
  QElapsedTimer clock;
  clock.start();
  while (watched.key.Registered() != key && clock.elapsed() < kBindLimitMs) QTest::qWait(10);
  if (watched.key.Registered() != key) return 3;
  std::printf("bound\n");
  std::fflush(stdout);
  while (watched.presses == 0 && clock.elapsed() < 30000) QTest::qWait(10);
  if (watched.presses == 0) return 4;
  std::printf("pressed\n");
  return 0;
}

}  // namespace

class PortalRealTest : public QObject {
  Q_OBJECT

 private:
  // Binds `key` with a fresh hot key and presses `keyName` until the handler has it.
  void BindAndPress(WatchedKey& watched, HotKey key, const QString& keyName) {
    QElapsedTimer clock;
    clock.start();
    QVERIFY(watched.key.Available());
    QVERIFY(watched.key.Register(key));
    while (watched.key.Registered() != key && clock.elapsed() < kBindLimitMs) QTest::qWait(2);
    QCOMPARE(watched.key.Registered(), key);
    const qint64 bindMs = clock.elapsed();
    // The desktop describes the key in its own spelling ("ScrollLock"): still the chosen one.
    QCOMPARE(watched.key.BoundTrigger(), QString());
    const int before = watched.presses;
    int pressed = 0;
    clock.restart();
    QVERIFY2(PressUntil(
                 keyName, [&] { return watched.presses > before; }, &pressed),
             qPrintable(keyName + QStringLiteral(" never reached the handler")));
    qInfo("%s: bound in %lld ms; the handler had the press %lld ms after the first of %d presses", qPrintable(keyName),
          bindMs, clock.elapsed(), pressed);
  }

 private slots:
  // The first question starts the portal, its KDE backend and the permission store.
  void initTestCase() {
    QElapsedTimer clock;
    clock.start();
    QDBusMessage question = QDBusMessage::createMethodCall(portal::kService, portal::kPath,
                                                           portal::kPropertiesInterface, QStringLiteral("Get"));
    question << QString::fromLatin1(portal::kShortcutsInterface) << QStringLiteral("version");
    const QDBusMessage answer = Bus().call(question, QDBus::Block, kBindLimitMs);
    QVERIFY2(answer.type() == QDBusMessage::ReplyMessage, qPrintable(answer.errorMessage()));
    QCOMPARE(answer.arguments().value(0).value<QDBusVariant>().variant().toUInt(), 1u);
    qInfo("the portal started in %lld ms", clock.elapsed());
  }

  void eachKeyBindsAndItsPressArrivesOnce_data() {
    QTest::addColumn<HotKey>("key");
    QTest::addColumn<QString>("keyName");
    QTest::newRow("Pause") << HotKey::Pause << "Pause";
    QTest::newRow("ScrollLock") << HotKey::ScrollLock << "Scroll_Lock";
    QTest::newRow("PrintScreen") << HotKey::PrintScreen << "Print";
    QTest::newRow("NumLock") << HotKey::NumLock << "Num_Lock";
  }

  void eachKeyBindsAndItsPressArrivesOnce() {
    QFETCH(HotKey, key);
    QFETCH(QString, keyName);
    PortalSignals portal;
    WatchedKey watched;
    BindAndPress(watched, key, keyName);
    if (QTest::currentTestFailed()) return;
    // Each press is an Activated and, at the key's release, a Deactivated: one press each.
    QTRY_COMPARE(portal.Count(QStringLiteral("Deactivated")), portal.Count(QStringLiteral("Activated")));
    QCOMPARE(watched.presses, portal.Count(QStringLiteral("Activated")));
  }

  void aSecondStartBindsTheSameKey() {
    auto first = std::make_unique<WatchedKey>();
    BindAndPress(*first, HotKey::Pause, QStringLiteral("Pause"));
    first.reset();  // the first start ends

    QProcess second;
    second.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--bind-once"), QStringLiteral("19")});
    QVERIFY(second.waitForStarted());
    QByteArray said;
    QTRY_VERIFY2_WITH_TIMEOUT((said += second.readAllStandardOutput()).contains("bound"),
                              qPrintable(QStringLiteral("exit %1: %2")
                                             .arg(second.exitCode())
                                             .arg(QString::fromLocal8Bit(said + second.readAllStandardError()))),
                              kBindLimitMs);
    int pressed = 0;
    QVERIFY2(PressUntil(
                 QStringLiteral("Pause"), [&] { return second.state() == QProcess::NotRunning; }, &pressed),
             "the second start's key never fired");
    QCOMPARE(second.exitCode(), 0);

    WatchedKey third;
    BindAndPress(third, HotKey::Pause, QStringLiteral("Pause"));
  }

  void switchingKeysAndBackKeepsTheKeyAlive() {
    PortalSignals portal;
    WatchedKey watched;
    BindAndPress(watched, HotKey::Pause, QStringLiteral("Pause"));
    BindAndPress(watched, HotKey::ScrollLock, QStringLiteral("Scroll_Lock"));
    // The key given up fires nothing: kglobalaccel handles presses in order, so once Scroll Lock's
    // press has come, one of Pause's would have come before it.
    portal.seen.clear();
    const int presses = watched.presses;
    QVERIFY(PressKey(QStringLiteral("Pause")));
    QVERIFY(PressKey(QStringLiteral("Scroll_Lock")));
    QTRY_COMPARE(watched.presses, presses + 1);
    QCOMPARE(portal.Count(QStringLiteral("Activated")), 1);
    BindAndPress(watched, HotKey::Pause, QStringLiteral("Pause"));
  }

  void aKeyChangedInTheDesktopShowsInTheMenu() {
    ui::test::ProgramFolder folder;
    auto window = std::make_unique<ui::FormTallyman>(Locale::English(), folder.Paths(), ui::MakeUiServices(),
                                                     MakeWaylandServices(Bus()));
    QMenu* menu = window->Actions().mHot;
    QTRY_COMPARE_WITH_TIMEOUT(window->Desktop().Services().hotKey->Registered(), HotKey::Pause, kBindLimitMs);
    const QString title = menu->title();
    QVERIFY2(!title.contains(QLatin1Char('(')), qPrintable(title));
    const QString changed = title + QStringLiteral(" (Ctrl+Alt+K)");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(SetKeyInDesktopSettings(HotKey::Pause, QKeyCombination(Qt::CTRL | Qt::ALT, Qt::Key_K).toCombined()));
    QTRY_COMPARE_WITH_TIMEOUT(menu->title(), changed, 10000);
    qInfo("the desktop's new key showed in the menu after %lld ms", clock.elapsed());

    // The next start finds the key the user chose.
    window.reset();
    window = std::make_unique<ui::FormTallyman>(Locale::English(), folder.Paths(), ui::MakeUiServices(),
                                                MakeWaylandServices(Bus()));
    QTRY_COMPARE_WITH_TIMEOUT(window->Actions().mHot->title(), changed, kBindLimitMs);

    // A key removed in the desktop's settings is no key: the menu shows none as working.
    QVERIFY(SetKeyInDesktopSettings(HotKey::Pause, 0));
    QTRY_COMPARE_WITH_TIMEOUT(window->Desktop().Services().hotKey->Registered(), HotKey::NoKey, 10000);
    QCOMPARE(window->Actions().mHot->title(), title);
    QVERIFY(!window->Actions().hotKeys->checkedAction());

    QVERIFY(SetKeyInDesktopSettings(HotKey::Pause, Qt::Key_Pause));
    QTRY_COMPARE_WITH_TIMEOUT(window->Desktop().Services().hotKey->Registered(), HotKey::Pause, 10000);
    QCOMPARE(window->Actions().mHot->title(), title);
    QVERIFY(window->Actions().hotKeys->checkedAction());
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 3 && qstrcmp(argv[1], "--bind-once") == 0) return BindOnce(HotKey{QByteArray(argv[2]).toInt()});
  PortalRealTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "portal_real_test.moc"
