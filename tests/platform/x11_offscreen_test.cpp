// Without an X display the desktop services are the quiet ones: unavailable, harmless to call.
#include <QGuiApplication>
#include <QRasterWindow>
#include <QTest>

#include "engine/settings/settings.h"
#include "platform/desktop_services.h"

using namespace tallyman;
using namespace tallyman::platform;

class X11OffscreenTest : public QObject {
  Q_OBJECT

 private slots:
  void servicesAreQuiet() {
    QCOMPARE(QGuiApplication::platformName(), QString("offscreen"));
    DesktopServices services = MakeDesktopServices();
    int presses = 0;
    services.hotKey->SetPressedHandler([&presses] { ++presses; });
    QVERIFY(!services.hotKey->Available());
    QCOMPARE(services.hotKey->Reason(), Absence::kNoX11);
    QVERIFY(!services.hotKey->Register(kHotKeyPause));
    QCOMPARE(services.hotKey->Registered(), 0);
    services.hotKey->Unregister();

    QVERIFY(!services.lockKeys->Available());
    services.lockKeys->Toggle(LockKey::NumLock);
    QVERIFY(!services.lockKeys->IsOn(LockKey::NumLock));

    QRasterWindow window;
    window.show();
    services.activation->BringToFront(&window);
    services.activation->BringToFront(nullptr);
    QCOMPARE(services.activation->Reason(), Absence::kNone);
    QCOMPARE(presses, 0);
  }
};

QTEST_MAIN(X11OffscreenTest)
#include "x11_offscreen_test.moc"
