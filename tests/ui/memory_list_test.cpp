// The memory list opened with M as a user opens it: slots selected with digits, edited, deleted,
// filled from the entry line and taken into the tape.
#include "ui/memory_list.h"

#include <QAction>
#include <QLineEdit>

#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

QString Line(TFormList* list, int slot) {
  return list->LbList()->model()->index(slot, 0).data().toString();
}

void InMemoryList(FormTallyman& window, std::function<void(TFormList*)> act) {
  InDialogOpenedBy<TFormList>(window.Ed(), Qt::Key_M, std::move(act));
}

}  // namespace

class MemoryListTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_answerer = std::make_unique<ScriptedAnswerer>(); }
  void cleanup() { m_answerer.reset(); }

  void digitThenInsertTakesTheSlot() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Calc().StoreSlot(3, 12.5L, L'+');
    window->Calc().RenameSlot(3, L"rent");
    Type(*window, "10=");
    InMemoryList(*window, [](TFormList* list) {
      QCOMPARE(list->windowTitle(), QString("Память"));
      QCOMPARE(Line(list, 3), QString("3 = +12,5 ; rent"));
      QCOMPARE(Line(list, 7), QString("7 = 0"));
      QTest::keyClick(list->LbList(), Qt::Key_3, Qt::KeypadModifier);
      QCOMPARE(list->Selected(), 3);
      QTest::keyClick(list->LbList(), Qt::Key_Insert);
      QVERIFY(!list->isVisible());
    });
    QCOMPARE(TapeRows(*window), (QStringList{"\t=10", "+12,5\t=22,5"}));
  }

  void editedSlotMultipliesTheRunningResult() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    Type(*window, "10+5=7");
    InMemoryList(*window, [this](TFormList* list) {
      QTest::keyClick(list->LbList(), Qt::Key_4);
      m_answerer->Queue(DialogResult::kOk, "*2 ; double");
      QTest::keyClick(list->LbList(), Qt::Key_Insert);  // an empty slot: the edit dialog
      QVERIFY(list->isVisible());
      QCOMPARE(m_answerer->asked.at(0).text, QString("Введите число"));
      QCOMPARE(m_answerer->asked.at(0).inputText, QString("7"));
      QCOMPARE(Line(list, 4), QString("4 = *2 ; double"));
      QTest::keyClick(list->LbList(), Qt::Key_Escape);
    });
    QCOMPARE(window->Ed()->text(), QString("7"));
    Type(*window, "\n");
    QCOMPARE(window->Calc().Memory()[4].sign, L'*');
    InMemoryList(*window, [](TFormList* list) {
      QTest::keyClick(list->LbList(), Qt::Key_4);
      QTest::keyClick(list->LbList(), Qt::Key_Insert);
    });
    QCOMPARE(TapeRows(*window), (QStringList{"\t=7", "*2\t=14"}));
  }

  void deletedSlotGetsItsNameBackFromTheEntry() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), m_answerer->Ui());
    window->Calc().StoreSlot(2, 5, L'\0');
    window->Calc().RenameSlot(2, L"rent");
    Type(*window, "9");
    InMemoryList(*window, [this](TFormList* list) {
      QTest::keyClick(list->LbList(), Qt::Key_2);
      m_answerer->Queue(DialogResult::kNo);
      QTest::keyClick(list->LbList(), Qt::Key_Delete);
      QCOMPARE(Line(list, 2), QString("2 = 5 ; rent"));
      m_answerer->Queue(DialogResult::kYes);
      QTest::keyClick(list->LbList(), Qt::Key_Delete);
      QCOMPARE(m_answerer->Texts(), (QStringList{"Удалить?", "Удалить?"}));
      QCOMPARE(Line(list, 2), QString("2 = 0"));
      QTest::keyClick(list->LbList(), Qt::Key_Plus, Qt::KeypadModifier);
      QVERIFY(!list->isVisible());
    });
    QCOMPARE(window->Calc().Memory()[2].value, 9.0L);
    QCOMPARE(window->Calc().Memory()[2].name, Text(L"rent"));
    QCOMPARE(TapeRows(*window), QStringList());  // stored, not taken
    QCOMPARE(window->Ed()->text(), QString("9"));
  }

  void rememberNeedsTextInTheEntry_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("offered");
    QTest::newRow("empty entry") << "" << false;
    QTest::newRow("a number") << "25" << true;
  }

  void rememberNeedsTextInTheEntry() {
    QFETCH(QString, entry);
    QFETCH(bool, offered);
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    window->mLangClick();
    Type(*window, entry);
    InMemoryList(*window, [&](TFormList* list) {
      list->PreparePopup();
      QCOMPARE(list->MPutClose()->isVisible(), offered);
      QCOMPARE(list->MPutClose()->text(), "&Remember " + entry + "       (+)");
      QCOMPARE(list->MGetNum()->text(), QString("&Get"));
      QTest::keyClick(list->LbList(), Qt::Key_Equal);
      QCOMPARE(list->isVisible(), !offered);
    });
    QCOMPARE(window->Calc().Memory()[0].value, offered ? 25.0L : 0.0L);
  }

  void clearAllAsksAndEmptiesEverySlot() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), m_answerer->Ui());
    window->Calc().StoreSlot(1, 1, L'\0');
    window->Calc().StoreSlot(9, 9, L'-');
    InMemoryList(*window, [this](TFormList* list) {
      QTest::keyClick(list->LbList(), Qt::Key_4);
      m_answerer->Queue(DialogResult::kYes);
      QTest::keyClick(list->LbList(), Qt::Key_Delete, Qt::ControlModifier);
      QCOMPARE(Line(list, 1), QString("1 = 0"));
      QCOMPARE(Line(list, 9), QString("9 = 0"));
      QCOMPARE(list->Selected(), 4);  // the user's slot stays selected
    });
    QCOMPARE(m_answerer->Texts(), QStringList{"Очистить всё?"});
    QCOMPARE(window->Calc().Memory()[9].value, 0.0L);
  }

 private:
  std::unique_ptr<ScriptedAnswerer> m_answerer;
};

QTEST_MAIN(MemoryListTest)
#include "memory_list_test.moc"
