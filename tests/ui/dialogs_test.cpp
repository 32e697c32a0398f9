// The precision dialog's preview and the row dialog's key rules.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "engine/core/number_text.h"
#include "ui/precision_dialog.h"
#include "ui/row_dialog.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

Q_DECLARE_METATYPE(tallyman::Locale)

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void precisionPreview_data() {
    QTest::addColumn<Locale>("locale");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("resOut");
    QTest::addColumn<QString>("calc");
    QTest::addColumn<QString>("result");
    // clang-format off
    QTest::newRow("ru 4 and 4") << Locale::Russian() << 4 << 4 << "2*3,1416" << "= 6,2832";
    QTest::newRow("en 4 and 4") << Locale::English() << 4 << 4 << "2*3.1416" << "= 6.2832";
    QTest::newRow("ru 0 and 2") << Locale::Russian() << 0 << 2 << "2*3" << "= 6,28";
    QTest::newRow("ru 18 and 18") << Locale::Russian() << 18 << 18 << "2*3,14159265358979324" << "= 6,28318530717958648";
    QTest::newRow("out of range resets") << Locale::English() << 19 << 25 << "2*3.14159265" << "= 6.28";
    // clang-format on
  }

  void precisionPreview() {
    QFETCH(Locale, locale);
    QFETCH(int, digits);
    QFETCH(int, resOut);
    QFETCH(QString, calc);
    QFETCH(QString, result);
    const NumberText numbers(WithUsableThousandsSeparator(locale));
    TFormPrec dialog(numbers, digits, resOut, {Language::kRussian, false}, nullptr);
    QCOMPARE(dialog.LabC()->text(), calc);
    QCOMPARE(dialog.LabR()->text(), result);
    QCOMPARE(dialog.windowTitle(), QString("Точность..."));
  }

  void precisionPreviewFollowsTheBoxes() {
    const NumberText numbers(WithUsableThousandsSeparator(Locale::Russian()));
    TFormPrec dialog(numbers, 8, 4, {Language::kEnglish, false}, nullptr);
    QCOMPARE(dialog.windowTitle(), QString("Precision..."));
    dialog.CbPrec()->setCurrentIndex(1);
    dialog.CbRes()->setCurrentIndex(3);
    QCOMPARE(dialog.LabC()->text(), QString("2*3,1"));
    QCOMPARE(dialog.LabR()->text(), QString("= 6,283"));
    QCOMPARE(dialog.Digits(), 1);
    QCOMPARE(dialog.ResOut(), 3);
  }

  void rowDialogKeys_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("operand");
    QTest::addColumn<QString>("sign");
    // clang-format off
    QTest::newRow("digits") << "" << "12" << "12" << "+";
    QTest::newRow("sign keys set the sign") << "" << "*5/" << "5" << "/";
    QTest::newRow("point becomes the comma") << "" << "1.5" << "1,5" << "+";
    QTest::newRow("Russian letter is the separator") << "" << "1б5" << "1,5" << "+";
    QTest::newRow("second separator discarded") << "" << "1,5,2" << "1,52" << "+";
    QTest::newRow("letters discarded") << "" << "a1x2" << "12" << "+";
    QTest::newRow("starts with the row's operand") << "7" << "3" << "73" << "+";
    // clang-format on
  }

  void rowDialogKeys() {
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, operand);
    QFETCH(QString, sign);
    const NumberText numbers(WithUsableThousandsSeparator(Locale::Russian()));
    TFormRow dialog(numbers, {Language::kRussian, false}, nullptr);
    dialog.SetupRowEditing(true, L'+', start, 2, 3);
    dialog.EdOp()->end(false);
    TypeText(dialog.EdOp(), keys);
    QCOMPARE(dialog.OperandText(), operand);
    QCOMPARE(QString(QChar(static_cast<char16_t>(dialog.Sign()))), sign);
  }

  void rowDialogEnterAnswersTheFocusedButton_data() {
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("result");
    QTest::newRow("in the operand: OK") << 0 << int(QDialog::Accepted);
    QTest::newRow("on OK") << 1 << int(QDialog::Accepted);
    QTest::newRow("on Cancel") << 2 << int(QDialog::Rejected);
  }

  void rowDialogEnterAnswersTheFocusedButton() {
    QFETCH(int, tabs);
    QFETCH(int, result);
    const NumberText numbers(WithUsableThousandsSeparator(Locale::Russian()));
    TFormRow dialog(numbers, {Language::kRussian, false}, nullptr);
    dialog.SetupRowEditing(true, L'+', "5", 2, 3);
    QTimer::singleShot(0, &dialog, [&dialog, tabs] {
      for (int i = 0; i < tabs; ++i) QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
      if (dialog.isVisible()) dialog.done(-1);  // Enter answered nothing
    });
    QCOMPARE(dialog.exec(), result);
  }

  void rowDialogTypesNothingWithAlt() {
    const NumberText numbers(WithUsableThousandsSeparator(Locale::Russian()));
    TFormRow dialog(numbers, {Language::kRussian, false}, nullptr);
    dialog.SetupRowEditing(true, L'+', "5", 2, 3);
    dialog.EdOp()->end(false);
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_7, Qt::Key_Plus}) QTest::keyClick(dialog.EdOp(), key, Qt::AltModifier);
    QCOMPARE(dialog.OperandText(), QString("5"));
    QCOMPARE(dialog.Sign(), L'+');
  }

  void rowDialogF9AndCopy() {
    const NumberText numbers(WithUsableThousandsSeparator(Locale::Russian()));
    TFormRow dialog(numbers, {Language::kEnglish, false}, nullptr);
    dialog.SetupRowEditing(false, L'+', "1234,5", 1, 1);
    QCOMPARE(dialog.windowTitle(), QString("Change:  line 1/1"));
    QVERIFY(!dialog.Lab()->isVisibleTo(&dialog));
    QTest::keyClick(dialog.EdOp(), Qt::Key_F9);
    QCOMPARE(dialog.OperandText(), QString("-1234,5"));
    QTest::keyClick(dialog.EdOp(), Qt::Key_F9);
    QCOMPARE(dialog.OperandText(), QString("1234,5"));
    QTest::keyClick(dialog.EdOp(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1234,5"));
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
