// The tray icon as a StatusNotifierItem: the calculator against a mock panel tray (sni_watcher.py on
// a private session bus, the harness's bus_run.sh) on a real X server or Wayland compositor. With the
// tray, hiding registers an item that the panel can show and click; without one, hiding minimizes.
// Under Wayland the mock portal is on the bus too, for the session's hot key.
// Usage: sni_tray_test with-watcher|without-watcher [Qt Test arguments]
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSystemTrayIcon>
#include <QWindow>

#include "engine/core/lang_pairs.h"
#include "platform/desktop_services.h"
#include "tests/ui/fake_desktop.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_actions.h"
#include "ui/tray_icon.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kMock = QStringLiteral("io.github.tallyman.SniMock");

// Calls the mock tray without blocking the event loop: it calls into this program before it answers.
QDBusMessage CallTray(const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(kMock, QStringLiteral("/control"), kMock, method);
  call.setArguments(arguments);
  const QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 15000);
  if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 20000)) qWarning("%s: no answer", qPrintable(method));
  const QDBusMessage reply = pending.reply();
  if (reply.type() == QDBusMessage::ErrorMessage)
    qWarning("%s: %s", qPrintable(method), qPrintable(reply.errorMessage()));
  return reply;
}

QStringList TrayItems() {
  return CallTray(QStringLiteral("Items")).arguments().value(0).toStringList();
}

QJsonObject DescribeItem() {
  return QJsonDocument::fromJson(CallTray(QStringLiteral("Describe")).arguments().value(0).toString().toUtf8())
      .object();
}

// The menu's visible entries as the panel shows them, without the mnemonic marks.
QStringList MenuLabels(const QJsonObject& item) {
  QStringList labels;
  for (const QJsonValue entry : item[QStringLiteral("MenuItems")].toArray()) {
    if (entry[QStringLiteral("visible")].toBool()) labels << entry[QStringLiteral("label")].toString().remove('_');
  }
  return labels;
}

QStringList Pm2Labels(bool english) {
  QStringList labels;
  for (const wchar_t* pair : {pairs::kMenuRestore, pairs::kMenuCopyResult, pairs::kMenuClose})
    labels << Lang(pair, english).remove('&');
  return labels;
}

bool Shown(const QWidget& window) {
  return window.isVisible() && !window.isMinimized();
}

// A calculator with fake lock keys and hot key, holding the result of 12+5.
struct TrayWindow {
  explicit TrayWindow(UiServices ui = MakeUiServices()) {
    window = std::make_unique<FormTallyman>(Locale::Russian(), folder.Paths(), std::move(ui), desk.Make());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the main window was not shown");
    Type(*window, QStringLiteral("12+5="));
  }
  ProgramFolder folder;
  FakeDesktop desk;
  std::unique_ptr<FormTallyman> window;
};

}  // namespace

class WithWatcher : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(kWatcher));
    QVERIFY(TrayIcon::Available());
  }

  // A Wayland session's hot key is the portal's; lock keys and staying on top are the compositor's.
  void waylandSessionGetsThePortalsHotKey() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) QSKIP("an X11 run");
    const platform::DesktopServices services = platform::MakeDesktopServices();
    QVERIFY(services.hotKey->Available());
    QVERIFY(!services.lockKeys->Available());
    QVERIFY(!services.activation->CanKeepAbove());
    QCOMPARE(services.activation->Reason(), platform::Absence::kWayland);
  }

  void hiddenCalculatorIsAnItemThatAClickRestores() {
    TrayWindow w;
    QCOMPARE(TapeRows(*w.window), (QStringList{"\t=12", "+5\t=17"}));  // the keys reached the window
    w.window->Desktop().HideToTray();
    QVERIFY(!w.window->isVisible());
    QTRY_COMPARE(TrayItems().size(), 1);
    const QJsonObject item = DescribeItem();
    QCOMPARE(item[QStringLiteral("ToolTip")].toArray().at(2).toString(), QStringLiteral("Calculator"));
    QVERIFY(!item[QStringLiteral("IconPixmap")].toArray().isEmpty() ||
            !item[QStringLiteral("IconName")].toString().isEmpty());
    QCOMPARE(MenuLabels(item), Pm2Labels(false));

    const int broughtToFront = w.desk.activation->broughtToFront;
    QCOMPARE(CallTray(QStringLiteral("Activate"), {0, 0}).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(Shown(*w.window));
    QCOMPARE(w.desk.activation->broughtToFront, broughtToFront + 1);
    QTRY_VERIFY(TrayItems().isEmpty());
  }

  void menuSpeaksTheLanguageCopiesAndCloses() {
    ScriptedAnswerer answerer;
    answerer.defaultAnswer = DialogResult::kYes;
    TrayWindow w(answerer.Ui());
    w.window->Desktop().HideToTray();  // the menu goes to the panel in Russian first
    QTRY_COMPARE(TrayItems().size(), 1);
    QCOMPARE(CallTray(QStringLiteral("Activate"), {0, 0}).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(Shown(*w.window));
    w.window->mLangClick();
    w.window->Desktop().HideToTray();
    QTRY_COMPARE(TrayItems().size(), 1);
    const QStringList labels = MenuLabels(DescribeItem());
    QCOMPARE(labels, Pm2Labels(true));

    QGuiApplication::clipboard()->clear();
    QCOMPARE(CallTray(QStringLiteral("ClickMenuItem"), {labels.at(1)}).type(), QDBusMessage::ReplyMessage);
    // A compositor without a seat has no clipboard to offer.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
      QTRY_COMPARE(QGuiApplication::clipboard()->text(), w.window->Ed()->text());
      QVERIFY(!w.window->Ed()->text().isEmpty());
    }
    QVERIFY(!w.window->isVisible());  // copying leaves the calculator in the tray

    // Closing from the tray ends the program, though no shown window was closed.
    const QString settings = w.folder.File(QStringLiteral("tallyman.ini"));
    QVERIFY(!QFile::exists(settings));
    QDBusMessage click =
        QDBusMessage::createMethodCall(kMock, QStringLiteral("/control"), kMock, QStringLiteral("ClickMenuItem"));
    click.setArguments({labels.at(2)});
    QDBusConnection::sessionBus().asyncCall(click);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(QFile::exists(settings));
    QVERIFY(!w.window->isVisible());
    w.window.reset();
    QTRY_VERIFY(TrayItems().isEmpty());
  }

  void restartedTrayGetsTheItemBackAndAGoneOneMinimizes() {
    TrayWindow w;
    w.window->Desktop().HideToTray();
    QTRY_COMPARE(TrayItems().size(), 1);
    CallTray(QStringLiteral("Withdraw"));
    CallTray(QStringLiteral("Restore"));
    QTRY_COMPARE(TrayItems().size(), 1);
    CallTray(QStringLiteral("Activate"), {0, 0});
    QTRY_VERIFY(Shown(*w.window));

    // With the panel gone, a hidden calculator could not be found again: it goes to the task bar.
    CallTray(QStringLiteral("Withdraw"));
    QVERIFY(!TrayIcon::Available());
    w.window->Desktop().HideToTray();
    QTRY_VERIFY(w.window->isMinimized());
    QVERIFY(w.window->isVisible());
    CallTray(QStringLiteral("Restore"));
  }
};

class WithoutWatcher : public QObject {
  Q_OBJECT

 private slots:
  void hideMinimizesAndTheHotKeyBringsBack() {
    QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kWatcher));
    QVERIFY(!TrayIcon::Available());
    TrayWindow w;
    w.window->Desktop().HideToTray();
    QTRY_VERIFY(w.window->isMinimized());
    QVERIFY(w.window->isVisible());
    const auto* icon = w.window->findChild<QSystemTrayIcon*>(QStringLiteral("TrayIcon"));
    QVERIFY(!icon || !icon->isVisible());
    w.window->Desktop().HotKeyMessage(false);
    QTRY_VERIFY(Shown(*w.window));
  }
};

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc < 2) {
    qWarning("usage: sni_tray_test with-watcher|without-watcher [Qt Test arguments]");
    return 2;
  }
  const QString mode = QString::fromLocal8Bit(argv[1]);
  // The remaining arguments go to Qt Test, with the program's name in front.
  argv[1] = argv[0];
  if (mode == QLatin1String("with-watcher")) {
    WithWatcher test;
    return QTest::qExec(&test, argc - 1, argv + 1);
  }
  if (mode == QLatin1String("without-watcher")) {
    WithoutWatcher test;
    return QTest::qExec(&test, argc - 1, argv + 1);
  }
  qWarning("unknown mode %s", qPrintable(mode));
  return 2;
}

#include "sni_tray_test.moc"
