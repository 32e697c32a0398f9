// The message dialogs: titles and buttons by language, Enter and Escape, layouts that never cut
// a caption, and the input prompt.
#include "ui/message_dialogs.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "ui_test_support.h"

using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

// Shows the dialog, lets `act` answer it, and returns its result.
DialogResult Run(QDialog* dialog, const std::function<void(QDialog*)>& act) {
  std::unique_ptr<QDialog> owner(dialog);
  QTimer::singleShot(0, dialog, [dialog, act] { act(dialog); });
  return static_cast<DialogResult>(dialog->exec());
}

QStringList ButtonCaptions(QDialog* dialog) {
  QStringList captions;
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) captions << button->text();
  return captions;
}

}  // namespace

class MessageDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void titlesAndButtonsFollowTheLanguage_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    // clang-format off
    QTest::newRow("confirmation ru") << int(DialogKind::Confirmation) << false << "Подтверждение" << QStringList{"Да", "Нет"};
    QTest::newRow("confirmation en") << int(DialogKind::Confirmation) << true << "Confirm" << QStringList{"&Yes", "&No"};
    QTest::newRow("warning ru") << int(DialogKind::Warning) << false << "Предупреждение" << QStringList{"Да", "Нет"};
    QTest::newRow("error en") << int(DialogKind::Error) << true << "Error" << QStringList{"&Yes", "&No"};
    QTest::newRow("information ru") << int(DialogKind::Information) << false << "Информация" << QStringList{"Да", "Нет"};
    QTest::newRow("custom ru") << int(DialogKind::Custom) << false << "Calculator" << QStringList{"Да", "Нет"};
    // clang-format on
  }

  void titlesAndButtonsFollowTheLanguage() {
    QFETCH(int, kind);
    QFETCH(bool, english);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
    std::unique_ptr<QDialog> dialog(CreateLocalizedDialog(nullptr, "?", static_cast<DialogKind>(kind),
                                                          kButtonYes | kButtonNo, LanguageOf(english)));
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(ButtonCaptions(dialog.get()), buttons);
    QCOMPARE(dialog->findChild<QLabel*>("Icon") != nullptr, kind != int(DialogKind::Custom));
  }

  void keysAndCloseBoxAnswer_data() {
    QTest::addColumn<unsigned>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<DialogResult>("result");
    // clang-format off
    QTest::newRow("Enter answers yes") << unsigned(kButtonYes | kButtonNo) << int(Qt::Key_Return) << DialogResult::kYes;
    QTest::newRow("Escape answers no") << unsigned(kButtonYes | kButtonNo) << int(Qt::Key_Escape) << DialogResult::kNo;
    QTest::newRow("Escape answers cancel") << unsigned(kButtonYes | kButtonNo | kButtonCancel) << int(Qt::Key_Escape)
                                           << DialogResult::kCancel;
    QTest::newRow("Enter answers ok") << unsigned(kButtonOk) << int(Qt::Key_Return) << DialogResult::kOk;
    QTest::newRow("Escape on ok only") << unsigned(kButtonOk) << int(Qt::Key_Escape) << DialogResult::kOk;
    QTest::newRow("Enter answers retry") << unsigned(kButtonRetry | kButtonCancel) << int(Qt::Key_Return) << DialogResult::kRetry;
    QTest::newRow("Tab then Enter answers no") << unsigned(kButtonYes | kButtonNo) << int(Qt::Key_Tab) << DialogResult::kNo;
    QTest::newRow("Tab then Enter answers cancel")
        // clang-format on
        << unsigned(kButtonOk | kButtonCancel) << int(Qt::Key_Tab) << DialogResult::kCancel;
  }

  void keysAndCloseBoxAnswer() {
    QFETCH(unsigned, buttons);
    QFETCH(int, key);
    QFETCH(DialogResult, result);
    QDialog* dialog =
        CreateLocalizedDialog(nullptr, "Закрыть калькулятор?", DialogKind::Confirmation, buttons, Language::kRussian);
    // Tab moves the focus to the next button, and Enter then answers with the focused one.
    QCOMPARE(Run(dialog,
                 [key](QDialog* shown) {
                   QTest::keyClick(shown->focusWidget(), static_cast<Qt::Key>(key));
                   if (key == Qt::Key_Tab) QTest::keyClick(shown->focusWidget(), Qt::Key_Return);
                 }),
             result);
  }

  void closeBoxAnswersCancel() {
    QDialog* dialog =
        CreateLocalizedDialog(nullptr, "?", DialogKind::Confirmation, kButtonYes | kButtonNo, Language::kEnglish);
    QCOMPARE(Run(dialog, [](QDialog* shown) { shown->reject(); }), DialogResult::kCancel);
  }

  void noCaptionIsCutInEitherLanguage_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("ru") << false;
    QTest::newRow("en") << true;
  }

  void noCaptionIsCutInEitherLanguage() {
    QFETCH(bool, english);
    const unsigned all = kButtonYes | kButtonNo | kButtonOk | kButtonCancel | kButtonAbort | kButtonRetry |
                         kButtonIgnore | kButtonAll | kButtonNoToAll | kButtonYesToAll | kButtonHelp;
    std::unique_ptr<QDialog> dialog(CreateLocalizedDialog(nullptr, "x", DialogKind::Warning, all, LanguageOf(english)));
    dialog->adjustSize();
    const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 11);
    for (QPushButton* button : buttons) {
      QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
      QCOMPARE(button->width(), buttons.first()->width());  // one width for all
    }
    // A long caption in one language does not leave the other language's buttons too narrow.
    std::unique_ptr<QDialog> other(CreateLocalizedDialog(nullptr, "x", DialogKind::Warning, all, LanguageOf(!english)));
    for (QPushButton* button : other->findChildren<QPushButton*>()) {
      QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }
  }

  void narrowBoxesShowTheirWholeTitle_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("english");
    QTest::newRow("Calculator") << int(DialogKind::Custom) << true;
    QTest::newRow("Предупреждение") << int(DialogKind::Warning) << false;
    QTest::newRow("Подтверждение") << int(DialogKind::Confirmation) << false;
  }

  void narrowBoxesShowTheirWholeTitle() {
    QFETCH(int, kind);
    QFETCH(bool, english);
    std::unique_ptr<QDialog> dialog(
        CreateLocalizedDialog(nullptr, "1", static_cast<DialogKind>(kind), kButtonOk, LanguageOf(english)));
    dialog->adjustSize();
    // The title's text, and beside it the window manager's icon and three buttons.
    const int title =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(dialog->windowTitle());
    QVERIFY2(dialog->width() >= title + 4 * 20, qPrintable(QString::number(dialog->width())));
  }

  void longMessagesWrapWithinHalfTheScreen() {
    const int half = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    const QString words = QString("Будет удалено вообще всё!!! ").repeated(20);
    std::unique_ptr<QDialog> wide(
        CreateLocalizedDialog(nullptr, words, DialogKind::Confirmation, kButtonYes | kButtonNo, Language::kRussian));
    wide->adjustSize();
    std::unique_ptr<QDialog> shortOne(
        CreateLocalizedDialog(nullptr, "Ok?", DialogKind::Confirmation, kButtonYes | kButtonNo, Language::kRussian));
    shortOne->adjustSize();
    auto* label = wide->findChild<QLabel*>("Message");
    QVERIFY(label->width() <= half);
    QVERIFY(label->height() > 2 * QFontMetrics(label->font()).height());  // several lines
    QVERIFY(wide->height() > shortOne->height());
    QVERIFY(shortOne->width() < half);
  }

  void inputConfirmedReturnsTheText() {
    QString text = "old";
    QTimer::singleShot(0, qApp, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QString("Comments"));
      auto* edit = dialog->findChild<QLineEdit*>("Edit");
      QCOMPARE(edit->selectedText(), QString("old"));
      QTest::keyClicks(edit, "new text");
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QVERIFY(InputText(*MakePersonAnswerer(), nullptr, "Comments", "any text:", text, {Language::kEnglish, false}));
    QCOMPARE(text, QString("new text"));
  }

  void inputEscapedLeavesTheText() {
    QString text = "old";
    QTimer::singleShot(0, qApp, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->findChild<QPushButton*>("Cancel")->text(), QString("Отмена"));
      auto* edit = dialog->findChild<QLineEdit*>("Edit");
      QTest::keyClicks(edit, "typed");
      QTest::keyClick(edit, Qt::Key_Escape);
    });
    QVERIFY(
        !InputText(*MakePersonAnswerer(), nullptr, "Комментарии", "любой текст:", text, {Language::kRussian, false}));
    QCOMPARE(text, QString("old"));
  }

  void answererReplacesEveryDialog() {
    ScriptedAnswerer answerer;
    answerer.Queue(DialogResult::kNo);
    answerer.Queue(DialogResult::kOk, "typed");
    const DialogStyle english{Language::kEnglish, false};
    QCOMPARE(
        ShowQuestion(answerer, nullptr, "Close program?", DialogKind::Confirmation, kButtonYes | kButtonNo, english),
        DialogResult::kNo);
    QString text = "before";
    QVERIFY(InputText(answerer, nullptr, "Comments", "any text:", text, english));
    QCOMPARE(text, QString("typed"));
    ShowMessageBox(answerer, nullptr, "Error!", english);
    QCOMPARE(answerer.asked.size(), size_t{3});
    QCOMPARE(answerer.asked[0].title, QString("Confirm"));
    QVERIFY(answerer.asked[1].input);
    QCOMPARE(answerer.asked[1].inputText, QString("before"));
    QCOMPARE(answerer.asked[2].title, QString("Calculator"));
    QCOMPARE(answerer.asked[2].buttons, DialogButtons{kButtonOk});
  }
};

QTEST_MAIN(MessageDialogsTest)
#include "message_dialogs_test.moc"
