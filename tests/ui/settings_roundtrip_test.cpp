// Settings written when the main window closes come back at the next start.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QMenuBar>

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
    auto window = MakeWindow(folder, Locale::Russian());
    QVERIFY(!window->English());
    QCOMPARE(window->Actions().mLang->text(), QString("&Eng"));
    QCOMPARE(window->Calc().Numbers().Digits(), 8);
    QCOMPARE(window->Calc().Numbers().ResOut(), 4);
    QVERIFY(window->Actions().mConfirm->isChecked());
    QVERIFY(window->Actions().mEscClose->isChecked());
    QVERIFY(window->Actions().mPause->isChecked());
    QVERIFY(window->font().bold());
    QCOMPARE(window->font().family(), QString("Arial"));
  }

  void settingsComeBackAtTheNextStart() {
    ScriptedAnswerer answerer;
    answerer.defaultAnswer = kResultYes;
    ProgramFolder folder;
    {
      auto window = MakeWindow(folder, Locale::Russian());
      window->Actions().mLang->trigger();
      window->Calc().SetPrecision(3, 1);
      QTest::keyClick(window->Ed(), Qt::Key_Right, Qt::ControlModifier);
      QTest::keyClick(window->Ed(), Qt::Key_Right, Qt::ControlModifier);
      window->Actions().mEscDel->trigger();
      window->Actions().mScroll->trigger();
      window->Actions().pmMenu->trigger();
      window->Actions().mHideOnMin->trigger();
      window->Calc().Memory()[3] = MemorySlot{2.5L, L'*', L"half"};
      window->move(100, 120);
      QVERIFY(window->close());
    }
    QVERIFY(QFile::exists(folder.File("tallyman.ini")));
    auto window = MakeWindow(folder, Locale::Russian());
    QVERIFY(window->English());
    QCOMPARE(window->Actions().mLang->text(), QString("&Rus"));
    QCOMPARE(window->Actions().mFile->title(), QString("&File"));
    QCOMPARE(window->Calc().Numbers().Digits(), 3);
    QCOMPARE(window->Calc().Numbers().ResOut(), 1);
    QCOMPARE(window->TabDelta(), 2);
    QVERIFY(window->Actions().mEscDel->isChecked());
    QCOMPARE(window->HotKey(), 145);
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
    auto window = MakeWindow(folder, Locale::Russian());
    Type(*window, "10/3=");
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "/3\t=3,33"}));
    QCOMPARE(window->Ed()->text(), QString("3"));
    QVERIFY(window->Actions().mEscClose->isChecked());
    for (QAction* item : window->Actions().hotKeys->actions()) QVERIFY(!item->isChecked());
    QCOMPARE(window->Actions().mHide->text(), QString("Спрятат&ь"));
  }
};

QTEST_MAIN(SettingsRoundTripTest)
#include "settings_roundtrip_test.moc"
