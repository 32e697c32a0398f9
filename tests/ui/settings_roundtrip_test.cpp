// Settings written when the main window closes come back at the next start.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QMenuBar>
#include <QScreen>

#include "engine/settings/settings_file.h"
#include "ui/installed_family.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

class SettingsRoundTripTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartUsesTheDefaults() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    QVERIFY(!window->English());
    QCOMPARE(window->Actions().mLang->text(), QString("&Eng"));
    QCOMPARE(window->Calc().Numbers().Digits(), 8);
    QCOMPARE(window->Calc().Numbers().ResOut(), 4);
    QVERIFY(window->Actions().mConfirm->isChecked());
    QVERIFY(window->Actions().mEscClose->isChecked());
    QVERIFY(window->Actions().mPause->isChecked());
    QVERIFY(window->font().bold());
    QCOMPARE(window->font().family(), InstalledFamily("Arial"));
  }

  void settingsComeBackAtTheNextStart() {
    ScriptedAnswerer answerer;
    answerer.defaultAnswer = DialogResult::kYes;
    ProgramFolder folder;
    {
      auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
      window->Actions().mLang->trigger();
      window->Calc().SetPrecision(3, 1);
      QTest::keyClick(window->Ed(), Qt::Key_Right, Qt::ControlModifier);
      QTest::keyClick(window->Ed(), Qt::Key_Right, Qt::ControlModifier);
      window->Actions().mEscDel->trigger();
      window->Actions().mScroll->trigger();
      window->Actions().pmMenu->trigger();
      window->Actions().mHideOnMin->trigger();
      window->Calc().StoreSlot(3, 2.5L, L'*');
      window->Calc().RenameSlot(3, L"half");
      window->move(100, 120);
      window->CloseByCommand();  // Exit: with HideOnMin the title bar's close would only hide
      QVERIFY(!window->isVisible());
    }
    QVERIFY(QFile::exists(folder.File("tallyman.ini")));
    // The name asked for is kept, not the family that stands in for it here.
    QFile ini(folder.File("tallyman.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("[FONT]\r\nName=Arial\r\n"));
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    QVERIFY(window->English());
    QCOMPARE(window->Actions().mLang->text(), QString("&Rus"));
    QCOMPARE(window->Actions().mFile->title(), QString("&File"));
    QCOMPARE(window->Calc().Numbers().Digits(), 3);
    QCOMPARE(window->Calc().Numbers().ResOut(), 1);
    QCOMPARE(window->TabDelta(), 2);
    QVERIFY(window->Actions().mEscDel->isChecked());
    QCOMPARE(window->ChosenHotKey(), HotKey::ScrollLock);
    QVERIFY(window->Actions().mScroll->isChecked());
    QCOMPARE(window->Actions().mHide->text(), QString("&Hide (Scroll-Key)"));
    QVERIFY(!window->Actions().pmMenu->isChecked());
    QVERIFY(!window->menuBar()->isVisible());
    QVERIFY(window->Actions().mHideOnMin->isChecked());
    QCOMPARE(window->Calc().Memory()[3].value, 2.5L);
    QCOMPARE(window->Calc().Memory()[3].sign, L'*');
    QVERIFY(window->Calc().Memory()[3].name == L"half");
    QCOMPARE(window->pos(), QPoint(100, 120));
  }

  void precisionFromTheFileRecomputesFormats() {
    ScriptedAnswerer answerer;
    ProgramFolder folder;
    QFile ini(folder.File("tallyman.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[SETS]\r\nDigits=2\r\nResOut=0\r\nESC=7\r\nHot=65\r\n");
    ini.close();
    auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
    Type(*window, "10/3=");
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "/3\t=3,33"}));
    QCOMPARE(window->Ed()->text(), QString("3"));
    QVERIFY(window->Actions().mEscClose->isChecked());
    for (QAction* item : window->Actions().hotKeys->actions()) QVERIFY(!item->isChecked());
    QCOMPARE(window->Actions().mHide->text(), QString("Спрятат&ь"));
  }

  // Damaged or stale places: a title bar off every screen falls back to the window's own default
  // place, a size larger than the screen is cut to it, and the mended place is what is saved.
  void placesFromTheFileFitTheScreen_data() {
    QTest::addColumn<QByteArray>("place");
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("on the screen") << QByteArray("Left=100\r\nTop=120\r\n") << QPoint(100, 120);
    QTest::newRow("left of every screen") << QByteArray("Left=-5000\r\nTop=120\r\n") << QPoint(333, 239);
    QTest::newRow("below every screen") << QByteArray("Left=100\r\nTop=5000\r\n") << QPoint(333, 239);
    QTest::newRow("title bar at the top edge") << QByteArray("Left=100\r\nTop=20\r\n") << QPoint(100, 20);
    QTest::newRow("title bar above the screen") << QByteArray("Left=100\r\nTop=0\r\n") << QPoint(333, 239);
  }

  void placesFromTheFileFitTheScreen() {
    QFETCH(QByteArray, place);
    QFETCH(QPoint, pos);
    ScriptedAnswerer answerer;
    answerer.defaultAnswer = DialogResult::kYes;
    ProgramFolder folder;
    QFile ini(folder.File("tallyman.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[PLACE]\r\n" + place + "Width=100000\r\nHeight=300\r\n");
    ini.close();
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    {
      auto window = MakeWindow(folder, Locale::Russian(), answerer.Ui());
      QCOMPARE(window->geometry().topLeft(), pos);  // places are the client area's
      QCOMPARE(window->width(), screen.width());
      QCOMPARE(window->height(), 300);
      QVERIFY(window->close());
    }
    const Settings saved = LoadSettings(folder.Paths().settingsFile, Locale::Russian());
    QCOMPARE(QPoint(saved.mainWindow.left, saved.mainWindow.top), pos);
    QCOMPARE(saved.mainWindow.width, screen.width());
  }
};

QTEST_MAIN(SettingsRoundTripTest)
#include "settings_roundtrip_test.moc"
