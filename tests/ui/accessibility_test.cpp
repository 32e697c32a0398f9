// What assistive technology reads from the windows: names and roles in both languages, the rows
// as words, alerts, the About box's links by keyboard, and self-chosen colours that stay readable.
#include <QAccessible>
#include <QComboBox>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QUrl>

#include "engine/tape/calculator.h"
#include "engine/tape/recording_host.h"
#include "ui/formula_window.h"
#include "ui/memory_list.h"
#include "ui/note_window.h"
#include "ui/precision_dialog.h"
#include "ui/print_dialog.h"
#include "ui/readable_colour.h"
#include "ui/row_dialog.h"
#include "ui/url_label.h"
#include "ui_test_support.h"

using namespace tallyman;
using namespace tallyman::ui;
using namespace tallyman::ui::test;

namespace {

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

// The controls Tab visits from the first one until it comes back to it. A control whose look does not
// change when it loses the focus is marked "(focus not shown)". A text that takes Tab is left with Ctrl+Tab.
QStringList TabChain(QWidget* window, const QString& first) {
  window->show();
  window->activateWindow();
  // A window shown beside an active one of its own counts as active before it is.
  if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; })) return {"not active"};
  QWidget* const start = window->findChild<QWidget*>(first);
  QWidget* at = start;
  at->setFocus();
  QTest::keyClick(at, Qt::Key_Tab);  // the first control is seen once it has had the focus and lost it
  at->setFocus();
  QStringList names;
  do {
    names << (at->objectName().isEmpty() ? at->property("text").toString() : at->objectName());
    const QImage focused = at->grab().toImage();
    QTest::keyClick(at, Qt::Key_Tab, qobject_cast<QPlainTextEdit*>(at) ? Qt::ControlModifier : Qt::NoModifier);
    QWidget* next = QApplication::focusWidget();
    if (next != at && at->grab().toImage() == focused) names.last() += QStringLiteral(" (focus not shown)");
    at = next;
  } while (at && at != start && names.size() < 40);
  return names;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void mainWindowNamesFollowTheLanguage() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), MakeUiServices());
    Type(*window, "30*");
    struct Control {
      QWidget* widget;
      QAccessible::Role role;
      const char* russian;
      const char* english;
      const char* russianDescription;
      const char* englishDescription;
    };
    const Control controls[] = {
        {window->Lb(), QAccessible::List, "Лента", "Tape", "", ""},
        {window->Ed(), QAccessible::EditableText, "Число", "Number", "", ""},
        {window->S1(), QAccessible::StaticText, "Операция", "Operation", "нет операции", "no operation"},
        {window->S2(), QAccessible::StaticText, "Состояние", "State", "умножить на", "times"},
        {window->Results()->Lm(), QAccessible::List, "Результаты", "Results", "", ""},
        {window->Results()->EdRes(), QAccessible::EditableText, "Итог", "Total", "", ""},
    };
    for (const bool english : {false, true, false}) {
      if (english != window->English()) window->mLangClick();
      for (const Control& c : controls) {
        QAccessibleInterface* control = Accessible(c.widget);
        QCOMPARE(control->role(), c.role);
        QCOMPARE(control->text(QAccessible::Name), QString::fromUtf8(english ? c.english : c.russian));
        QCOMPARE(control->text(QAccessible::Description),
                 QString::fromUtf8(english ? c.englishDescription : c.russianDescription));
      }
      const QString firstRow = Accessible(window->Lb())->child(0)->text(QAccessible::Name);
      QCOMPARE(firstRow, english ? QStringLiteral("total 30") : QStringLiteral("итог 30"));
    }
    Type(*window, "5=");
    QCOMPARE(Accessible(window->Ed())->text(QAccessible::Description), QStringLiteral("итог 150"));
    QAccessibleInterface* tape = Accessible(window->Lb());
    QCOMPARE(tape->tableInterface()->selectedCellCount(), 1);
    QCOMPARE(tape->tableInterface()->selectedCells().value(0)->text(QAccessible::Name),
             QStringLiteral("умножить на 5, итог 150"));
    QCOMPARE(Accessible(window->Results()->Lm())->child(0)->text(QAccessible::Name),
             QStringLiteral("30 умножить на 5, итог 150"));
  }

  void dialogFieldsAreNamed() {
    NumberText numbers(Locale::English());
    TFormPrec precision(numbers, 8, 2, {Language::kEnglish, false}, nullptr);
    // A combo box reads out its value as its name; its label comes as the "labelled by" relation.
    const auto label = [](QWidget* field) {
      const auto labels = Accessible(field)->relations(QAccessible::Label);
      return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    };
    QCOMPARE(label(precision.findChild<QComboBox*>("CbPrec")), QStringLiteral("Calculations:"));
    QCOMPARE(label(precision.findChild<QComboBox*>("CbRes")), QStringLiteral("Result:"));
    TFormPrn print({QStringLiteral("Office")}, QStringLiteral("Office"), QFont(), QString(),
                   {Language::kRussian, false}, nullptr);
    for (const auto& [field, name] : {std::pair{"CbPrn", "Принтеры"}, std::pair{"CbFnt", "Шрифты"},
                                      std::pair{"Ed", "Заголовок"}, std::pair{"CbCop", "Копий"}}) {
      QCOMPARE(label(print.findChild<QWidget*>(field)), QString::fromUtf8(name));
    }
    TFormRow row(numbers, {Language::kEnglish, false}, nullptr);
    row.SetupRowEditing(true, L'/', QStringLiteral("4"), 2, 3);
    QCOMPARE(Accessible(row.EdOp())->text(QAccessible::Name), QStringLiteral("Number"));
    QCOMPARE(Accessible(row.findChild<QLabel*>("Lab"))->text(QAccessible::Description), QStringLiteral("divided by"));
    RecordingHost host;
    Calculator calc(Locale::English(), host);
    calc.StoreSlot(3, 25, L'-');
    calc.RenameSlot(3, L"rent");
    ScriptedAnswerer answerer;
    TFormList list(calc, QString(), {Language::kEnglish, false}, answerer, nullptr);
    QAccessibleInterface* lines = Accessible(list.findChild<QListView*>("LbList"));
    QCOMPARE(lines->text(QAccessible::Name), QStringLiteral("Memory"));
    QCOMPARE(lines->child(3)->text(QAccessible::Name), QStringLiteral("memory 3: minus 25, rent"));
    std::unique_ptr<QDialog> message(CreateLocalizedDialog(nullptr, QStringLiteral("Divide by zero!"),
                                                           DialogKind::Error, kButtonOk, Language::kEnglish));
    QCOMPARE(Accessible(message.get())->role(), QAccessible::AlertMessage);
    QCOMPARE(Accessible(message.get())->text(QAccessible::Name), QStringLiteral("Divide by zero!"));
  }

  void aboutLinksWorkFromTheKeyboard() {
    QList<QUrl> opened;  // what the links hand to the desktop, so no browser starts
    NumberText numbers(Locale::English());
    TFormRow box(numbers, {Language::kEnglish, false}, nullptr);
    box.SetupAbout([&opened](const QUrl& url) {
      opened << url;
      return true;
    });
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    const QList<TUrllabel*> links = box.findChildren<TUrllabel*>();
    QCOMPARE(Accessible(links[1])->role(), QAccessible::Link);
    QCOMPARE(Accessible(links[1])->text(QAccessible::Value), links[1]->text());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // from Close to the first link
    QCOMPARE(QApplication::focusWidget(), links[0]);
    QTest::keyClick(links[0], Qt::Key_Return);
    QTest::keyClick(links[0], Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // past the picture
    QCOMPARE(QApplication::focusWidget(), links[1]);
    QTest::keyClick(links[1], Qt::Key_Space);
    Accessible(links[0])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(opened, (QList<QUrl>{QUrl(links[0]->text()), QUrl(links[1]->text()), QUrl(links[0]->text())}));
  }

  void tabVisitsEveryControlInVisualOrder() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::English(), MakeUiServices());
    window->ShowOrCloseResults();
    auto note = window->CreateNote();
    note->findChild<QToolButton*>("But")->setChecked(true);  // the keypad is shown
    NumberText numbers(Locale::English());
    ScriptedAnswerer answerer;
    TForm1 formula(folder.File("TallyForm.txt").toStdString(), Locale::English(), numbers, {Language::kEnglish, false},
                   answerer, nullptr);
    RecordingHost host;
    Calculator calc(Locale::English(), host);
    TFormList memory(calc, QString(), {Language::kEnglish, false}, answerer, nullptr);
    TFormPrn print({QStringLiteral("Office")}, QStringLiteral("Office"), QFont(), QString(),
                   {Language::kRussian, false}, nullptr);
    TFormPrec precision(numbers, 8, 2, {Language::kEnglish, false}, nullptr);
    TFormRow row(numbers, {Language::kEnglish, false}, nullptr);
    row.SetupRowEditing(true, L'+', QStringLiteral("4"), 2, 3);
    TFormRow about(numbers, {Language::kEnglish, false}, nullptr);
    about.SetupAbout(MakeUiServices().openUrl);
    std::unique_ptr<QDialog> message(CreateLocalizedDialog(nullptr, QStringLiteral("Save?"), DialogKind::Confirmation,
                                                           kButtonYes | kButtonNo | kButtonCancel, Language::kEnglish));
    const std::pair<QWidget*, const char*> windows[] = {
        {window.get(), "Lb Ed"},
        {window->Results(), "Lm EdRes"},
        {&formula, "EdForm LbForm"},
        {&memory, "LbList"},
        {note.get(),
         "ButTime ButForm ButInsCalc ButCalc ButCTime ButNum But ButH ButM M 1 2 3 4 5 6 7 8 9 0 . + - * / % ( ) "
         "= : ; ButDel"},
        {&print, "CbPrn CbFnt Ed CbCop ChDate ButOk ButCancel"},
        {&precision, "CbPrec CbRes ButOk ButCancel"},
        {&row, "EdOp ButChange ButCancel"},
        {&about, "TUrllabel Image1 TUrllabel ButCancel"},
        {message.get(), "Yes No Cancel"},
    };
    for (const auto& [shown, names] : windows) {
      const QStringList order = QString::fromLatin1(names).split(QLatin1Char(' '));
      QCOMPARE(TabChain(shown, order.first()), order);
      if (shown != window.get()) shown->hide();  // the results window goes with the main one
    }
  }

  void contrastRatio_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same colour") << QColor(0, 0, 128) << QColor(0, 0, 128) << 1.0;
    QTest::newRow("navy on white") << QColor(0, 0, 128) << QColor(Qt::white) << 16.0;
    QTest::newRow("navy on dark grey") << QColor(0, 0, 128) << QColor(53, 53, 53) << 1.31;
  }
  void contrastRatio() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(std::abs(ContrastRatio(a, b) - ratio) < 0.01, qPrintable(QString::number(ContrastRatio(a, b))));
  }

  void selfColouredTextStaysReadable() {
    ProgramFolder folder;
    auto window = MakeWindow(folder, Locale::Russian(), MakeUiServices());
    NumberText numbers(Locale::English());
    TFormRow box(numbers, {Language::kEnglish, false}, nullptr);
    box.SetupAbout(MakeUiServices().openUrl);
    const QList<TUrllabel*> links = box.findChildren<TUrllabel*>();
    const QList<std::pair<QWidget*, QColor>> coloured = {{window->S1(), QColor(0, 0, 128)},
                                                         {window->S2(), QColor(0, 0, 128)},
                                                         {box.findChild<QLabel*>("Name"), QColor(0, 0, 128)},
                                                         {links[0], TUrllabel::kNormal},
                                                         {links[1], TUrllabel::kNormal}};
    const QPalette light = QApplication::palette();
    for (const QPalette& palette : {QPalette(QColor(53, 53, 53)), light}) {  // dark, then light
      QApplication::setPalette(palette);
      QApplication::processEvents();  // the widgets hear of the new palette
      for (const auto& [widget, chosen] : coloured) {
        const QColor shown = widget->palette().color(QPalette::WindowText);
        QVERIFY2(ContrastRatio(shown, palette.color(QPalette::Window)) >= 4.5, qPrintable(widget->objectName()));
        if (ContrastRatio(chosen, palette.color(QPalette::Window)) >= 4.5) QCOMPARE(shown, chosen);
      }
    }
    QCOMPARE(window->S1()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
