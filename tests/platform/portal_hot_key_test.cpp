// The portal's hot key against the mock portal (portal_mock.py, started by portal_run.sh on a
// private bus): the session, the binding with the chosen key, what the portal answers, Activated,
// rebinding, and a missing or hung portal. Also the services a Wayland session is given.
#include "platform/portal/portal_hot_key.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTest>
#include <memory>

#include "platform/desktop_services.h"

using namespace tallyman::platform;

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

QString BindLine(int session, const QString& trigger) {
  return QStringLiteral("BindShortcuts %1 toggle [%2] %3").arg(session).arg(kDescription, trigger);
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

  void bindsTheChosenKeyAsPreferredTrigger_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("Pause") << 19 << "Pause";
    QTest::newRow("ScrollLock") << 145 << "Scroll_Lock";
    QTest::newRow("PrintScreen") << 44 << "Print";
    QTest::newRow("NumLock") << 144 << "Num_Lock";
  }

  void bindsTheChosenKeyAsPreferredTrigger() {
    QFETCH(int, key);
    QFETCH(QString, trigger);
    WatchedKey watched;
    QVERIFY(watched.key.Available());
    QCOMPARE(watched.key.Reason(), Absence::kNone);
    QVERIFY(watched.key.Register(key));
    QTRY_COMPARE(watched.key.Registered(), key);
    QVERIFY(watched.changes >= 1);
    QCOMPARE(watched.key.BoundTrigger(), QString());
    QCOMPARE(PortalLog(), (QStringList{QStringLiteral("CreateSession 1"), BindLine(1, trigger)}));
  }

  void keysTheMenuDoesNotOfferAreRefused_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("none") << 0;
    QTest::newRow("Escape") << 27;
    QTest::newRow("F1") << 112;
  }

  void keysTheMenuDoesNotOfferAreRefused() {
    QFETCH(int, key);
    WatchedKey watched;
    QVERIFY(!watched.key.Register(key));
    QCOMPARE(watched.key.Registered(), 0);
    QCOMPARE(PortalLog(), QStringList());
  }

  void followsWhatThePortalBinds_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answerTrigger");  // empty: the preferred one
    QTest::addColumn<uint>("response");
    QTest::addColumn<bool>("triggerInAnswer");
    QTest::addColumn<bool>("declined");
    QTest::addColumn<int>("registered");
    QTest::addColumn<QString>("boundTrigger");
    QTest::addColumn<bool>("listed");
    // clang-format off
    QTest::newRow("preferred trigger") << 19 << "" << 0u << true << false << 19 << "" << false;
    QTest::newRow("user picked another") << 19 << "Ctrl+Alt+K" << 0u << true << false << 19 << "Ctrl+Alt+K" << false;
    QTest::newRow("same key spelt otherwise") << 145 << "Scroll Lock" << 0u << true << false << 145 << "" << false;
    QTest::newRow("trigger only in the list") << 19 << "Ctrl+Alt+K" << 0u << false << false << 19 << "Ctrl+Alt+K" << true;
    QTest::newRow("user cancelled") << 19 << "" << 1u << true << false << 0 << "" << false;
    QTest::newRow("portal failed") << 19 << "" << 2u << true << false << 0 << "" << false;
    QTest::newRow("user bound nothing") << 19 << "" << 0u << true << true << 0 << "" << false;
    // clang-format on
  }

  void followsWhatThePortalBinds() {
    QFETCH(int, key);
    QFETCH(QString, answerTrigger);
    QFETCH(uint, response);
    QFETCH(bool, triggerInAnswer);
    QFETCH(bool, declined);
    QFETCH(int, registered);
    QFETCH(QString, boundTrigger);
    QFETCH(bool, listed);
    Control(QStringLiteral("SetBindAnswer"), {answerTrigger, response, triggerInAnswer});
    Control(QStringLiteral("SetDecline"), {declined});
    WatchedKey watched;
    QVERIFY(watched.key.Register(key));
    QTRY_VERIFY(watched.changes >= 1);
    QCOMPARE(watched.key.Registered(), registered);
    QCOMPARE(watched.key.BoundTrigger(), boundTrigger);
    QCOMPARE(PortalLog().contains(QStringLiteral("ListShortcuts 1")), listed);
  }

  void anotherKeyOpensANewSession() {
    auto watched = std::make_unique<WatchedKey>();
    QVERIFY(watched->key.Register(19));
    QTRY_COMPARE(watched->key.Registered(), 19);
    QVERIFY(watched->key.Register(145));
    QCOMPARE(watched->key.Registered(), 0);  // until the portal has bound the new key
    QTRY_COMPARE(watched->key.Registered(), 145);
    QCOMPARE(PortalLog(),
             (QStringList{QStringLiteral("CreateSession 1"), BindLine(1, "Pause"), QStringLiteral("CloseSession 1"),
                          QStringLiteral("CreateSession 2"), BindLine(2, "Scroll_Lock")}));
    // The same key again keeps its binding rather than asking the user anew.
    QVERIFY(watched->key.Register(145));
    QCOMPARE(watched->key.Registered(), 145);
    QCOMPARE(PortalLog().size(), 5);
    // The program ending closes the session too.
    watched.reset();
    QCOMPARE(PortalLog().mid(5), QStringList{QStringLiteral("CloseSession 2")});
  }

  void aKeyChosenWhileThePortalAsksClosesTheQuestion() {
    Control(QStringLiteral("SetAnswerDelay"), {300u});
    WatchedKey watched;
    QVERIFY(watched.key.Register(19));
    QVERIFY(watched.key.Register(144));  // while the portal still asks about the first
    QTRY_COMPARE(watched.key.Registered(), 144);
    // The portal created the first session before its answer was given up: it is closed too.
    QCOMPARE(PortalLog(), (QStringList{QStringLiteral("CreateSession 1"), QStringLiteral("CloseRequest"),
                                       QStringLiteral("CloseSession 1"), QStringLiteral("CreateSession 2"),
                                       BindLine(2, "Num_Lock")}));
  }

  void activatedPressesTheKeyOfItsOwnSessionOnly() {
    WatchedKey watched;
    QVERIFY(watched.key.Register(19));
    QTRY_COMPARE(watched.key.Registered(), 19);
    // Signals arrive in order: once the last counts, the ones before it were seen and ignored.
    Control(QStringLiteral("EmitActivated"), {1u, QStringLiteral("another")});
    Control(QStringLiteral("EmitActivated"), {1u, QStringLiteral("toggle")});
    QTRY_COMPARE(watched.presses, 1);

    QVERIFY(watched.key.Register(145));
    QTRY_COMPARE(watched.key.Registered(), 145);
    Control(QStringLiteral("EmitActivated"), {1u, QStringLiteral("toggle")});  // the closed session
    Control(QStringLiteral("EmitActivated"), {2u, QStringLiteral("toggle")});
    QTRY_COMPARE(watched.presses, 2);

    watched.key.Unregister();
    QCOMPARE(watched.key.Registered(), 0);
    QCOMPARE(PortalLog().last(), QStringLiteral("CloseSession 2"));
    Control(QStringLiteral("EmitActivated"), {2u, QStringLiteral("toggle")});
    QVERIFY(watched.key.Register(19));
    QTRY_COMPARE(watched.key.Registered(), 19);
    Control(QStringLiteral("EmitActivated"), {3u, QStringLiteral("toggle")});
    QTRY_COMPARE(watched.presses, 3);
  }

  void aTriggerChangedInTheDesktopIsShown() {
    WatchedKey watched;
    QVERIFY(watched.key.Register(19));
    QTRY_COMPARE(watched.key.Registered(), 19);
    const int changes = watched.changes;
    Control(QStringLiteral("EmitShortcutsChanged"), {1u, QStringLiteral("Ctrl+Shift+C")});
    QTRY_COMPARE(watched.key.BoundTrigger(), QStringLiteral("Ctrl+Shift+C"));
    QCOMPARE(watched.changes, changes + 1);
  }

  void aSessionThePortalEndsDropsTheKey() {
    WatchedKey watched;
    QVERIFY(watched.key.Register(19));
    QTRY_COMPARE(watched.key.Registered(), 19);
    const int changes = watched.changes;
    Control(QStringLiteral("EndSession"), {1u});
    QTRY_COMPARE(watched.key.Registered(), 0);
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
    QVERIFY(!key.Register(19));
    QCOMPARE(key.Registered(), 0);
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
    QVERIFY(watched.key.Register(19));  // kept until the portal answers
    QTRY_VERIFY_WITH_TIMEOUT(watched.key.Available(), 10000);
    QTRY_COMPARE(watched.key.Registered(), 19);
  }

  void waylandSessionServices_data() {
    QTest::addColumn<bool>("portal");
    QTest::newRow("with the portal") << true;
    QTest::newRow("without a portal") << false;
  }

  void waylandSessionServices() {
    QFETCH(bool, portal);
    if (!portal) Control(QStringLiteral("Withdraw"));
    const DesktopServices services = MakeWaylandServices(Bus());
    QCOMPARE(services.hotKey->Available(), portal);
    QCOMPARE(services.hotKey->Reason(), portal ? Absence::kNone : Absence::kNoPortal);
    QVERIFY(!services.lockKeys->Available());
    QVERIFY(!services.activation->CanKeepAbove());
    QCOMPARE(services.activation->Reason(), Absence::kWayland);
    if (!portal) return;
    QVERIFY(services.hotKey->Register(19));
    QTRY_COMPARE(services.hotKey->Registered(), 19);
    const QString bind = PortalLog().value(1);
    QVERIFY2(bind.contains(QStringLiteral("[Hot key]")) || bind.contains(QStringLiteral("[Горячая клавиша]")),
             qPrintable(bind));
  }
};

QTEST_GUILESS_MAIN(PortalHotKeyTest)
#include "portal_hot_key_test.moc"
