// The main window driven as a user drives it: keys into the entry line, the tape, the sign
// displays, the results list, row editing and the window keys.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>

#include "engine/core/lang_pairs.h"
#include "ui/installed_family.h"
#include "ui/precision_dialog.h"
#include "ui/row_dialog.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

Q_DECLARE_METATYPE(tallyman::Locale)

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_answerer = std::make_unique<ScriptedAnswerer>(); }
  void cleanup() { m_answerer.reset(); }

  void typedCalculationsBuildTheTape_data() {
    QTest::addColumn<Locale>("locale");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("s1");
    QTest::addColumn<QString>("s2");
    QTest::addColumn<QString>("entry");
    const Locale ru = Locale::Russian();
    const Locale en = Locale::English();
    // clang-format off
    QTest::newRow("ru: first number and a sign") << ru << "12+" << QStringList{"\t=12", "+"} << "" << "+" << "12";
    QTest::newRow("ru: operand being typed") << ru << "12+5" << QStringList{"\t=12", "+"} << "+" << "" << "5";
    QTest::newRow("ru: closed with =") << ru << "12+5=" << QStringList{"\t=12", "+5\t=17"} << "=" << "" << "17";
    QTest::newRow("ru: closed with Enter") << ru << "12-5\n" << QStringList{"\t=12", "-5\t=7"} << "=" << "" << "7";
    QTest::newRow("ru: decimal comma") << ru << "1,5*2=" << QStringList{"\t=1,5", "*2\t=3"} << "=" << "" << "3";
    QTest::newRow("ru: point becomes the comma") << ru << "1.5*2=" << QStringList{"\t=1,5", "*2\t=3"} << "=" << "" << "3";
    QTest::newRow("en: decimal point") << en << "1.5*2=" << QStringList{"\t=1.5", "*2\t=3"} << "=" << "" << "3";
    QTest::newRow("ru: grouping") << ru << "1000*1000="
                                  << QStringList{"\t=1" + kNbsp + "000", "*1" + kNbsp + "000\t=1" + kNbsp + "000" + kNbsp + "000"}
                                  << "=" << "" << "1" + kNbsp + "000" + kNbsp + "000";
    QTest::newRow("en: grouping") << en << "1000*1000=" << QStringList{"\t=1,000", "*1,000\t=1,000,000"} << "=" << ""
                                  << "1,000,000";
    QTest::newRow("ru: second sign replaces the pending one") << ru << "10+-" << QStringList{"\t=10", "-"} << "" << "-" << "10";
    QTest::newRow("ru: pending sign dropped by =") << ru << "5+=" << QStringList{"\t=5"} << "=" << "" << "5";
    QTest::newRow("ru: q w e r are the four signs") << ru << "8q2w1e3r2=" << QStringList{"\t=8", "+2\t=10", "-1\t=9", "*3\t=27", "/2\t=13,5"}
                                                     << "=" << "" << "13,5";
    QTest::newRow("ru: Russian letters are the four signs") << ru << "8й2ц1у3к2б5=" << QStringList{"\t=8", "+2\t=10", "-1\t=9", "*3\t=27", "/2,5\t=10,8"}
                                                             << "=" << "" << "10,8";
    QTest::newRow("ru: percentage of a sum") << ru << "200+15 =" << QStringList{"\t=200", "+30\t=230"} << "=" << "" << "230";
    QTest::newRow("en: percentage of a product") << en << "200*15%=" << QStringList{"\t=200", "*0.15\t=30"} << "=" << "" << "30";
    QTest::newRow("ru: sign after = continues") << ru << "2+3=*4=" << QStringList{"\t=2", "+3\t=5", "*4\t=20"} << "=" << "" << "20";
    QTest::newRow("ru: digit after = starts anew") << ru << "2+3=7" << QStringList{} << "" << "" << "7";
    QTest::newRow("ru: refused letters type nothing") << ru << "5xyz" << QStringList{} << "" << "" << "5";
    // clang-format on
  }

  void typedCalculationsBuildTheTape() {
    QFETCH(Locale, locale);
    QFETCH(QString, keys);
    QFETCH(QStringList, rows);
    QFETCH(QString, s1);
    QFETCH(QString, s2);
    QFETCH(QString, entry);
    ProgramFolder folder;
    auto window = MakeWindow(folder, locale, m_answerer->Ui());
    Type(*window, keys);
    QCOMPARE(TapeRows(*window), rows);
    QCOMPARE(window->S1()->text(), s1);
    QCOMPARE(window->S2()->text(), s2);
    QCOMPARE(window->Ed()->text(), entry);
  }

  void zeroOperandSaysErrorAndKeepsTheResult() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    Type(*window, "10+0=");
    QCOMPARE(m_answerer->Texts(), QStringList{"Ошибка!"});
    QCOMPARE(window->Ed()->text(), QString("10"));
    QCOMPARE(window->S1()->text(), QString("="));
  }

  void singleLetterCommandsNeverType_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("C") << int(Qt::Key_C);
    QTest::newRow("N") << int(Qt::Key_N);
    QTest::newRow("F") << int(Qt::Key_F);
    QTest::newRow("M") << int(Qt::Key_M);
    QTest::newRow("S") << int(Qt::Key_S);
  }

  void singleLetterCommandsNeverType() {
    QFETCH(int, key);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "12+5");
    // F, M and N open their windows: closed again at once
    QTimer::singleShot(0, qApp, [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(widget) && widget->isVisible()) widget->close();
      }
    });
    QTest::keyClick(window->Ed(), static_cast<Qt::Key>(key));
    QVERIFY(!window->Ed()->text().contains(QRegularExpression("[A-Za-z]")));
    QVERIFY(m_answerer->asked.empty());
  }

  void keyCCopiesTheResult() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "1000+234,5");
    QTest::keyClick(window->Ed(), Qt::Key_C);
    QCOMPARE(window->S1()->text(), QString("="));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1234,5"));
  }

  void keySPutsTheNumberInWordsOnTheClipboard() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    QGuiApplication::clipboard()->setText("before");
    QVERIFY(!window->Actions().mProp->isEnabled());
    QTest::keyClick(window->Ed(), Qt::Key_S);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    Type(*window, "21");
    QVERIFY(window->Actions().mProp->isEnabled());
    QTest::keyClick(window->Ed(), Qt::Key_S);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("21 руб. (Двадцать один рубль 00 копеек)"));
    QCOMPARE(window->Ed()->text(), QString("21"));
    window->mLangClick();
    QTest::keyClick(window->Ed(), Qt::Key_S);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("21 (Twenty One Dollars)"));
    QVERIFY(m_answerer->asked.empty());
  }

  void pasteRefusesANonNumber() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    QGuiApplication::clipboard()->setText("abc");
    QTest::keyClick(window->Ed(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_answerer->Texts(), QStringList{"В буфере не число!"});
    QCOMPARE(window->Ed()->text(), QString());
    QGuiApplication::clipboard()->setText("1 234.5");
    QTest::keyClick(window->Ed(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window->Ed()->text(), QString("1234.5"));
  }

  void memorySlotWithCtrlDigit() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Calc().StoreSlot(2, 5, L'*');
    window->Calc().RenameSlot(2, L"five");
    Type(*window, "10");
    QTest::keyClick(window->Ed(), Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "*5\t=50"}));
    QCOMPARE(window->Ed()->text(), QString("50"));
  }

  void signChangeWithF9() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "7");
    QTest::keyClick(window->Ed(), Qt::Key_F9);
    QCOMPARE(window->Ed()->text(), QString("-7"));
    Type(*window, "+3=");
    QCOMPARE(TapeRows(*window), (QStringList{"\t=-7", "+3\t=-4"}));
  }

  void clearTapeWithCtrlDelete() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "4+4");
    QTest::keyClick(window->Ed(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(TapeRows(*window), QStringList{});
    QCOMPARE(window->Ed()->text(), QString());
    QCOMPARE(window->S1()->text(), QString());
    QCOMPARE(window->S2()->text(), QString());
  }

  void escapeOptions_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("entryAfter");
    QTest::addColumn<bool>("visibleAfter");
    // clang-format off
    QTest::newRow("clear the entry") << "mEscDel" << "" << true;
    QTest::newRow("undo in the entry") << "mEscUndo" << "4" << true;
    QTest::newRow("close") << "mEscClose" << "45" << false;
    // clang-format on
  }

  void escapeOptions() {
    QFETCH(QString, option);
    QFETCH(QString, entryAfter);
    QFETCH(bool, visibleAfter);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Actions().mConfirm->setChecked(false);
    window->findChild<QAction*>(option)->trigger();
    Type(*window, "4");
    Type(*window, "5");
    QTest::keyClick(window->Ed(), Qt::Key_Escape);
    QCOMPARE(window->Ed()->text(), entryAfter);
    QCOMPARE(window->isVisible(), visibleAfter);
  }

  void closeQuestionAnsweredNoKeepsRunning() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    m_answerer->Queue(DialogResult::kNo);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(m_answerer->asked.size(), size_t{1});
    QCOMPARE(m_answerer->asked[0].text, QString("Закрыть калькулятор?"));
    QCOMPARE(m_answerer->asked[0].kind, DialogKind::Confirmation);
    QCOMPARE(m_answerer->asked[0].buttons, DialogButtons{kButtonYes | kButtonNo});
    QVERIFY(!QFile::exists(folder.File("tallyman.ini")));  // nothing saved on No
    m_answerer->Queue(DialogResult::kYes);
    QVERIFY(window->close());
    QVERIFY(QFile::exists(folder.File("tallyman.ini")));
  }

  void tabStopMovesWithCtrlLeftAndRight() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    QCOMPARE(window->TabDelta(), 0);
    QTest::keyClick(window->Ed(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(window->Ed(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(window->Lb(), Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(window->TabDelta(), 1);
  }

  void tapeRowsAreDeletedWithTheDeleteKey() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10+5*2=");
    window->Calc().SelectRow(1);
    window->Lb()->setFocus();
    QTest::keyClick(window->Lb(), Qt::Key_Delete);
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "*2\t=20"}));
    QCOMPARE(window->Ed()->text(), QString("20"));
    QCOMPARE(ResultRows(*window), QStringList{"10*2\t=20"});
  }

  void rowIsEditedThroughTheDialog() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10+5=");
    window->Calc().SelectRow(1);
    WhenDialogOpens<TFormRow>([](TFormRow* dialog) {
      QCOMPARE(dialog->EdOp()->text(), QString("5"));
      QCOMPARE(dialog->Lab()->text(), QString("+"));
      QCOMPARE(dialog->windowTitle(), QString("Изменение:  стр. 2/2"));
      dialog->EdOp()->selectAll();
      QTest::keyClicks(dialog->EdOp(), "*7");
      QTest::mouseClick(dialog->ButChange(), Qt::LeftButton);
    });
    window->EditRow(false);
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "*7\t=70"}));
    QCOMPARE(window->Ed()->text(), QString("70"));
    QCOMPARE(ResultRows(*window), QStringList{"10*7\t=70"});  // the entry is rewritten, not added
  }

  void rowIsInsertedThroughTheDialog() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10+5=");
    window->Calc().SelectRow(1);
    WhenDialogOpens<TFormRow>([](TFormRow* dialog) {
      QCOMPARE(dialog->EdOp()->text(), QString());
      QCOMPARE(dialog->windowTitle(), QString("Вставка до:  стр. 2/2"));
      QTest::keyClicks(dialog->EdOp(), "*3");
      QTest::keyClick(dialog->EdOp(), Qt::Key_Return);
    });
    QTest::keyClick(window->Lb(), Qt::Key_Insert);
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "*3\t=30", "+5\t=35"}));
  }

  void rowDialogRefusesAndStaysOpen_data() {
    QTest::addColumn<QString>("operand");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero") << "0"
                          << "Ноль вводить не имеет смысла!";
    QTest::newRow("19 digits") << "1234567890123456789"
                               << "Limit = 18 digits!";
  }

  void rowDialogRefusesAndStaysOpen() {
    QFETCH(QString, operand);
    QFETCH(QString, message);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    Type(*window, "10+5=");
    window->Calc().SelectRow(1);
    WhenDialogOpens<TFormRow>([operand](TFormRow* dialog) {
      dialog->EdOp()->setText(operand);
      QTest::mouseClick(dialog->ButChange(), Qt::LeftButton);
      QVERIFY(dialog->isVisible());  // stays open after the message
      QTest::mouseClick(dialog->ButCancel(), Qt::LeftButton);
    });
    window->EditRow(false);
    QCOMPARE(m_answerer->Texts(), QStringList{message});
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "+5\t=15"}));
  }

  // First centred on the real screen; then where the user left it, unless that is off the screen.
  void rowDialogReopensWhereItWasLeft() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10+5=");
    window->Calc().SelectRow(1);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QPoint centred((screen.width() - 235) / 2, (screen.height() - 100) / 2);
    // Opens the dialog, moves it (by its frame, as the user does) and closes it; returns where it
    // opened: the frame's place and the client area's.
    const auto openAndLeaveAt = [&window](const QPoint& leave) {
      std::pair<QPoint, QPoint> opened;
      WhenDialogOpens<TFormRow>([&opened, leave](TFormRow* dialog) {
        opened = {dialog->pos(), dialog->geometry().topLeft()};
        dialog->move(leave);
        dialog->reject();
      });
      window->EditRow(false);
      return opened;
    };
    QCOMPARE(openAndLeaveAt(QPoint(-5000, 100)).second, centred);
    QCOMPARE(openAndLeaveAt(QPoint(150, 170)).second, centred);  // the place off every screen was passed over
    QCOMPARE(openAndLeaveAt(QPoint(150, 170)).first, QPoint(150, 170));
    QCOMPARE(openAndLeaveAt(QPoint(150, 170)).first, QPoint(150, 170));
  }

  void tapeScrollsSidewaysRatherThanCutAValue() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    QScrollBar* sideways = window->Lb()->horizontalScrollBar();
    Type(*window, "1+2=");
    QTest::qWait(1);
    QCOMPARE(sideways->maximum(), 0);
    Type(*window, "+123456789012345678=");
    QTRY_VERIFY(sideways->maximum() > 0);
    window->Calc().ClearTape();
    QTRY_COMPARE(sideways->maximum(), 0);
  }

  void precisionChangeRecomputesTheTape() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10/3=");
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "/3\t=3,33333333"}));
    window->move(0, 0);  // centred on the screen, not on the main window
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QPoint dialogCentre;
    WhenDialogOpens<TFormPrec>([&dialogCentre](TFormPrec* dialog) {
      dialogCentre = dialog->geometry().center();
      dialog->reject();
    });
    window->RunPrecisionDialog();
    QVERIFY2((dialogCentre - centre).manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(dialogCentre.x()).arg(dialogCentre.y())));
    WhenDialogOpens<TFormPrec>([](TFormPrec* dialog) {
      dialog->CbPrec()->setCurrentIndex(2);
      dialog->CbRes()->setCurrentIndex(1);
      dialog->accept();
    });
    window->RunPrecisionDialog();
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "/3\t=3,33"}));
    QCOMPARE(window->Ed()->text(), QString("3,3"));
  }

  void takenValuesStartANewCalculation_data() {
    QTest::addColumn<int>("dragPart");
    QTest::addColumn<QString>("entry");
    QTest::newRow("operand part") << -1 << "5";
    QTest::newRow("result part") << 1 << "15";
  }

  void takenValuesStartANewCalculation() {
    QFETCH(int, dragPart);
    QFETCH(QString, entry);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10+5=");
    window->Calc().SelectRow(1);
    window->DropOnEntry(kDragFromTape, dragPart);
    QCOMPARE(window->Ed()->text(), entry);
    QCOMPARE(TapeRows(*window), QStringList{});
    QCOMPARE(ResultRows(*window), QStringList{"10+5\t=15"});
  }

  void dragPartFollowsThePointer() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "10+5=");
    window->Calc().SelectRow(1);
    QCOMPARE(window->DragPartAt(2), -1);
    QCOMPARE(window->DragPartAt(2000), 1);
    window->Calc().SelectRow(0);
    QCOMPARE(window->DragPartAt(2), 1);  // the first row has no operand
  }

  // Save and Load go to the file the file dialog gives; Cancel there leaves the tape and the files.
  void savedTapeLoadsBack() {
    ProgramFolder folder;
    ChosenFile chooser;
    UiServices ui = m_answerer->Ui();
    ui.files = Unowned<FileChooser>(chooser);
    auto window = MakeWindow(folder, Locale::Russian(), ui);
    Type(*window, "1000+5,5=");
    const QString file = folder.File("tape.txt");
    window->Actions().mSave->trigger();  // cancelled
    QVERIFY(!QFile::exists(file));
    chooser.path = file;
    window->Actions().mSave->trigger();
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\t=1\xA0"
                                         "000\r\n+5,5\t=1\xA0"
                                         "005,5\r\n"));
    Type(*window, "7");
    window->Actions().mLoad->trigger();
    QCOMPARE(TapeRows(*window), (QStringList{"\t=1" + kNbsp + "000", "+5,5\t=1" + kNbsp + "005,5"}));
    QCOMPARE(window->S1()->text(), QString("="));
    QCOMPARE(chooser.asked, (std::vector{FileChoice::kSaveText, FileChoice::kSaveText, FileChoice::kOpenText}));
  }

  void automaticCopyOnlyWhenChanged() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    const QString copy = folder.File("~Calc.txt");
    window->WriteAutomaticCopy();
    QVERIFY(!QFile::exists(copy));  // an empty tape is never written
    Type(*window, "3+4");
    window->WriteAutomaticCopy();
    QFile written(copy);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("\t=3\r\n+\r\n"));
    written.close();
    QVERIFY(QFile::remove(copy));
    window->WriteAutomaticCopy();
    QVERIFY(!QFile::exists(copy));  // unchanged since the last copy
  }

  void signDisplaysShowAndCopy() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    Type(*window, "2+2");
    QTest::mouseClick(window->S1(), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("4"));
    QVERIFY(window->Results()->isVisible());
    QTest::mouseClick(window->S1(), Qt::LeftButton);
    QVERIFY(!window->Results()->isVisible());
  }

  void helpCommandFollowsTheHelpFile() {
    ProgramFolder folder;
    {
      auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
      QVERIFY(!window->Actions().mReadMe->isVisible());
    }
    QFile help(folder.File("Tallyman.html"));
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.close();
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    QVERIFY(window->Actions().mReadMe->isVisible());
  }

  void menuBarsFollowTheMenuSwitch() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Actions().pmMenu->trigger();
    QVERIFY(!window->menuBar()->isVisible());
    window->Actions().pmMenu->trigger();
    QVERIFY(window->menuBar()->isVisible());
  }

  void designedLook() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    QCOMPARE(window->centralWidget()->size(), QSize(262, 127));
    QCOMPARE(window->Ed()->font().family(), InstalledFamily("Arial"));
    QVERIFY(window->Ed()->font().bold());
    QCOMPARE(window->S1()->font().family(), InstalledFamily("Courier New"));
    QCOMPARE(window->S1()->font().pixelSize(), 29);
    QCOMPARE(window->S1()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(window->S1()->width(), 25);
    QCOMPARE(window->Ed()->width(), window->PanTop()->width() - 2 * 25 - 10);
  }

 private:
  std::unique_ptr<ScriptedAnswerer> m_answerer;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
