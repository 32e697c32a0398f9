// The portal's hot key against the mock portal (portal_mock.py, started by portal_run.sh on a
// private bus), for what the real portal (portal_real_test) cannot be made to do here: a user who
// cancels or binds nothing, portals that bind by only one of the two calls or leave the trigger out,
// a question given up for another key, signals of other shortcuts, and a portal that ends the
// session, is missing or hangs. Also how trigger descriptions are read.
#include "platform/portal/portal_hot_key.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTest>
#include <memory>

#include "platform/desktop_services.h"
#include "platform/portal/portal_protocol.h"

using namespace tallyman::platform;
using tallyman::HotKey;

namespace {

const QString kDescription = QStringLiteral("Hot key");

QDBusConnection Bus() {
  return QDBusConnection::sessionBus();
}

QDBusMessage Control(const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(QStringLiteral("io.github.tallyman.PortalMock"), QStringLiteral("/control"),
                                     QStringLiteral("io.github.tallyman.PortalMock"), method);
  call.setArguments(arguments);
  const QDBusMessage answer = Bus().call(call, QDBus::Block, 10000);
  if (answer.type() != QDBusMessage::ReplyMessage) qWarning() << method << answer.errorMessage();
  return answer;
}

QStringList PortalLog() {
  return Control(QStringLiteral("Log")).arguments().value(0).toStringList();
}

// A log line of the mock: `call` bound the shortcut with `trigger` as its preferred one.
QString BoundLine(const QString& call, int session, const QString& trigger) {
  return QStringLiteral("%1 %2 toggle [%3] %4").arg(call).arg(session).arg(kDescription, trigger);
}

QString CreateLine(int session, const QString& token) {
  return QStringLiteral("CreateSession %1 %2").arg(session).arg(token);
}

QString IgnoredBindLine(int session) {
  return QStringLiteral("BindShortcuts %1 ignored").arg(session);
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

}  // namespace

class PortalHotKeyTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { Control(QStringLiteral("Reset")); }

  void triggerDescriptionsInEitherSpelling_data() {
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("names");
    QTest::newRow("Qt's ScrollLock") << "ScrollLock"
                                     << "Scroll_Lock" << true;
    QTest::newRow("Qt's NumLock") << "NumLock"
                                  << "Num_Lock" << true;
    QTest::newRow("words") << "Scroll Lock"
                           << "Scroll_Lock" << true;
    QTest::newRow("lower case") << "num_lock"
                                << "Num_Lock" << true;
    QTest::newRow("another key") << "Pause"
                                 << "Print" << false;
    QTest::newRow("with a modifier") << "Ctrl+Pause"
                                     << "Pause" << false;
    QTest::newRow("nothing bound") << ""
                                   << "Pause" << false;
  }

  void triggerDescriptionsInEitherSpelling() {
    QFETCH(QString, description);
    QFETCH(QString, trigger);
    QFETCH(bool, names);
    QCOMPARE(portal::NamesTrigger(description, trigger), names);
  }

  void eachKeyHasASessionTokenOfItsOwn() {
    const QList<HotKey> keys{HotKey::Pause, HotKey::ScrollLock, HotKey::PrintScreen, HotKey::NumLock};
    QStringList tokens;
    for (HotKey key : keys) tokens << portal::SessionTokenForKey(key);
    QCOMPARE(tokens, (QStringList{"tallyman_pause", "tallyman_scroll_lock", "tallyman_print", "tallyman_num_lock"}));
    QCOMPARE(portal::SessionTokenForKey(HotKey{27}), QString());
  }

  void keysTheMenuDoesNotOfferAreRefused_data() {
    QTest::addColumn<HotKey>("key");
    QTest::newRow("none") << HotKey::NoKey;
    QTest::newRow("Escape") << HotKey{27};
    QTest::newRow("F1") << HotKey{112};
  }

  void keysTheMenuDoesNotOfferAreRefused() {
    QFETCH(HotKey, key);
    WatchedKey watched;
    QVERIFY(!watched.key.Register(key));
    QCOMPARE(watched.key.Registered(), HotKey::NoKey);
    QCOMPARE(PortalLog(), QStringList());
  }

  void followsWhatThePortalBinds_data() {
    QTest::addColumn<bool>("createBinds");       // the shortcuts option of CreateSession binds
    QTest::addColumn<bool>("bindIgnored");       // BindShortcuts answers no shortcuts
    QTest::addColumn<QString>("answerTrigger");  // empty: the preferred one
    QTest::addColumn<uint>("response");
    QTest::addColumn<bool>("triggerInAnswer");
    QTest::addColumn<bool>("declined");
    QTest::addColumn<HotKey>("registered");
    QTest::addColumn<QString>("boundTrigger");
    QTest::addColumn<bool>("listed");
    // clang-format off
    QTest::newRow("bound by CreateSession only") << true << true << "" << 0u << true << false << HotKey::Pause << "" << false;
    QTest::newRow("bound by BindShortcuts only") << false << false << "" << 0u << true << false << HotKey::Pause << "" << false;
    QTest::newRow("bound by neither") << false << true << "" << 0u << true << false << HotKey::NoKey << "" << false;
    QTest::newRow("trigger only in the list") << true << false << "Ctrl+Alt+K" << 0u << false << false << HotKey::Pause << "Ctrl+Alt+K" << true;
    QTest::newRow("user cancelled") << false << false << "" << 1u << true << false << HotKey::NoKey << "" << false;
    QTest::newRow("portal failed") << true << false << "" << 2u << true << false << HotKey::NoKey << "" << false;
    QTest::newRow("user bound nothing") << false << false << "" << 0u << true << true << HotKey::NoKey << "" << false;
    // clang-format on
  }

  void followsWhatThePortalBinds() {
    QFETCH(bool, createBinds);
    QFETCH(bool, bindIgnored);
    QFETCH(QString, answerTrigger);
    QFETCH(uint, response);
    QFETCH(bool, triggerInAnswer);
    QFETCH(bool, declined);
    QFETCH(HotKey, registered);
    QFETCH(QString, boundTrigger);
    QFETCH(bool, listed);
    Control(QStringLiteral("SetBindingCalls"), {createBinds, bindIgnored});
    Control(QStringLiteral("SetBindAnswer"), {answerTrigger, response, triggerInAnswer});
    Control(QStringLiteral("SetDecline"), {declined});
    WatchedKey watched;
    QVERIFY(watched.key.Register(HotKey::Pause));
    QTRY_VERIFY(watched.changes >= 1);
    QCOMPARE(watched.key.Registered(), registered);
    QCOMPARE(watched.key.BoundTrigger(), boundTrigger);
    QCOMPARE(PortalLog().contains(QStringLiteral("ListShortcuts 1")), listed);
    // The shortcut goes out with both calls, whichever of them the portal heeds.
    const QStringList log = PortalLog();
    QCOMPARE(log.value(0), CreateLine(1, "tallyman_pause"));
    const int bindLine = createBinds ? 2 : 1;
    QCOMPARE(log.value(bindLine),
             createBinds || bindIgnored ? IgnoredBindLine(1) : BoundLine("BindShortcuts", 1, "Pause"));
  }

  void anotherKeyOpensANewSession() {
    auto watched = std::make_unique<WatchedKey>();
    QVERIFY(watched->key.Register(HotKey::Pause));
    QTRY_COMPARE(watched->key.Registered(), HotKey::Pause);
    QVERIFY(watched->key.Register(HotKey::ScrollLock));
    QCOMPARE(watched->key.Registered(), HotKey::NoKey);  // until the portal has bound the new key
    QTRY_COMPARE(watched->key.Registered(), HotKey::ScrollLock);
    QCOMPARE(PortalLog(),
             (QStringList{CreateLine(1, "tallyman_pause"), BoundLine("CreateSession", 1, "Pause"), IgnoredBindLine(1),
                          QStringLiteral("CloseSession 1"), CreateLine(2, "tallyman_scroll_lock"),
                          BoundLine("CreateSession", 2, "Scroll_Lock"), IgnoredBindLine(2)}));
    // The same key again keeps its binding rather than asking the user anew.
    QVERIFY(watched->key.Register(HotKey::ScrollLock));
    QCOMPARE(watched->key.Registered(), HotKey::ScrollLock);
    QCOMPARE(PortalLog().size(), 7);
    // The program ending closes the session too.
    watched.reset();
    QCOMPARE(PortalLog().mid(7), QStringList{QStringLiteral("CloseSession 2")});
  }

  void aKeyChosenWhileThePortalAsksClosesTheQuestion() {
    Control(QStringLiteral("SetAnswerDelay"), {300u});
    WatchedKey watched;
    QVERIFY(watched.key.Register(HotKey::Pause));
    QVERIFY(watched.key.Register(HotKey::Pause));    // the same key again leaves the question open
    QVERIFY(watched.key.Register(HotKey::NumLock));  // while the portal still asks about the first
    QTRY_COMPARE(watched.key.Registered(), HotKey::NumLock);
    // The portal created the first session before its answer was given up: it is closed too.
    QCOMPARE(PortalLog(), (QStringList{CreateLine(1, "tallyman_pause"), BoundLine("CreateSession", 1, "Pause"),
                                       QStringLiteral("CloseRequest"), QStringLiteral("CloseSession 1"),
                                       CreateLine(2, "tallyman_num_lock"), BoundLine("CreateSession", 2, "Num_Lock"),
                                       IgnoredBindLine(2)}));
  }

  void activatedPressesTheKeyOfItsOwnSessionOnly() {
    WatchedKey watched;
    QVERIFY(watched.key.Register(HotKey::Pause));
    QTRY_COMPARE(watched.key.Registered(), HotKey::Pause);
    // Signals arrive in order: once the last counts, the ones before it were seen and ignored. Each
    // Activated comes with a Deactivated, which is no second press.
    Control(QStringLiteral("EmitActivated"), {1u, QStringLiteral("another")});
    Control(QStringLiteral("EmitActivated"), {1u, QStringLiteral("toggle")});
    QTRY_COMPARE(watched.presses, 1);

    QVERIFY(watched.key.Register(HotKey::ScrollLock));
    QTRY_COMPARE(watched.key.Registered(), HotKey::ScrollLock);
    Control(QStringLiteral("EmitActivated"), {1u, QStringLiteral("toggle")});  // the closed session
    Control(QStringLiteral("EmitActivated"), {2u, QStringLiteral("toggle")});
    QTRY_COMPARE(watched.presses, 2);

    watched.key.Unregister();
    QCOMPARE(watched.key.Registered(), HotKey::NoKey);
    QCOMPARE(PortalLog().last(), QStringLiteral("CloseSession 2"));
    Control(QStringLiteral("EmitActivated"), {2u, QStringLiteral("toggle")});
    QVERIFY(watched.key.Register(HotKey::Pause));
    QTRY_COMPARE(watched.key.Registered(), HotKey::Pause);
    Control(QStringLiteral("EmitActivated"), {3u, QStringLiteral("toggle")});
    QTRY_COMPARE(watched.presses, 3);
  }

  void aSessionThePortalEndsDropsTheKey() {
    WatchedKey watched;
    QVERIFY(watched.key.Register(HotKey::Pause));
    QTRY_COMPARE(watched.key.Registered(), HotKey::Pause);
    const int changes = watched.changes;
    Control(QStringLiteral("EndSession"), {1u});
    QTRY_COMPARE(watched.key.Registered(), HotKey::NoKey);
    QCOMPARE(watched.changes, changes + 1);
    QVERIFY(!PortalLog().contains(QStringLiteral("CloseSession 1")));  // nothing left to close
  }

  void withoutPortalTheKeyIsUnavailable_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<bool>("connected");
    QTest::newRow("no portal on the bus") << "Withdraw" << QVariantList{} << true;
    QTest::newRow("portal without global shortcuts") << "SetOffered" << QVariantList{false} << true;
    QTest::newRow("no session bus") << "" << QVariantList{} << false;
  }

  void withoutPortalTheKeyIsUnavailable() {
    QFETCH(QString, step);
    QFETCH(QVariantList, arguments);
    QFETCH(bool, connected);
    if (!step.isEmpty()) Control(step, arguments);
    PortalHotKey key(connected ? Bus() : QDBusConnection(QStringLiteral("never connected")), kDescription);
    QVERIFY(!key.Available());
    QCOMPARE(key.Reason(), Absence::kNoPortal);
    QVERIFY(!key.Register(HotKey::Pause));
    QCOMPARE(key.Registered(), HotKey::NoKey);
  }

  void aHungPortalHoldsNothingUpAndCountsWhenItAnswers() {
    // The portal sleeps on this call; what is sent after it waits behind it.
    QDBusMessage freeze =
        QDBusMessage::createMethodCall(QStringLiteral("io.github.tallyman.PortalMock"), QStringLiteral("/control"),
                                       QStringLiteral("io.github.tallyman.PortalMock"), QStringLiteral("Freeze"));
    freeze << 3.0;
    QVERIFY(Bus().send(freeze));
    QElapsedTimer clock;
    clock.start();
    WatchedKey watched;
    QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!watched.key.Available());
    QVERIFY(watched.key.Register(HotKey::Pause));  // kept until the portal answers
    QTRY_VERIFY_WITH_TIMEOUT(watched.key.Available(), 10000);
    QTRY_COMPARE(watched.key.Registered(), HotKey::Pause);
  }

  void waylandSessionWithoutPortal() {
    Control(QStringLiteral("Withdraw"));
    const DesktopServices services = MakeWaylandServices(Bus());
    QVERIFY(!services.hotKey->Available());
    QCOMPARE(services.hotKey->Reason(), Absence::kNoPortal);
    QVERIFY(!services.lockKeys->Available());
    QVERIFY(!services.activation->CanKeepAbove());
    QCOMPARE(services.activation->Reason(), Absence::kWayland);
  }
};

QTEST_GUILESS_MAIN(PortalHotKeyTest)
#include "portal_hot_key_test.moc"
