#include "ui/message_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <optional>

#include "ui/accessibility.h"
#include "ui/dialog_units.h"
#include "ui/window_places.h"

namespace tallyman::ui {
namespace {

struct ButtonInfo {
  DialogButton button;
  const char* name;
  const char* russian;
  const char* english;
  std::optional<DialogResult> result;  // none: the button does not close the dialog
};

// Single-language captions chosen by the dialog's language, in layout order.
const ButtonInfo kButtonTable[] = {
    {kButtonYes, "Yes", "Да", "&Yes", DialogResult::kYes},
    {kButtonNo, "No", "Нет", "&No", DialogResult::kNo},
    {kButtonOk, "OK", "OK", "OK", DialogResult::kOk},
    {kButtonCancel, "Cancel", "Отмена", "Cancel", DialogResult::kCancel},
    {kButtonAbort, "Abort", "Прервать", "&Abort", DialogResult::kAbort},
    {kButtonRetry, "Retry", "Повторить", "&Retry", DialogResult::kRetry},
    {kButtonIgnore, "Ignore", "Пропустить", "&Ignore", DialogResult::kIgnore},
    {kButtonAll, "All", "Все", "&All", DialogResult::kAll},
    {kButtonNoToAll, "NoToAll", "Нет для всех", "N&o to All", DialogResult::kNoToAll},
    {kButtonYesToAll, "YesToAll", "Да для всех", "Yes to &All", DialogResult::kYesToAll},
    {kButtonHelp, "Help", "Справка", "&Help", std::nullopt},
};

// Escape answers with the cancel button's result; the close box always answers cancel.
class LocalizedDialog : public QDialog {
 public:
  LocalizedDialog(QWidget* parent, DialogResult escapeResult, DialogResult absentUserResult)
      : QDialog(parent), m_escapeResult(escapeResult), m_absentUserResult(absentUserResult) {}
  void reject() override { Finish(DialogResult::kCancel); }
  void Finish(DialogResult result) { done(static_cast<int>(result)); }
  DialogResult AbsentUserResult() const { return m_absentUserResult; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      Finish(m_escapeResult);
      return;
    }
    QDialog::keyPressEvent(event);
  }

 private:
  DialogResult m_escapeResult;
  DialogResult m_absentUserResult;
};

QStyle::StandardPixmap IconOf(DialogKind kind) {
  // clang-format off
  switch (kind) {
    case DialogKind::Warning: return QStyle::SP_MessageBoxWarning;
    case DialogKind::Error: return QStyle::SP_MessageBoxCritical;
    case DialogKind::Information: return QStyle::SP_MessageBoxInformation;
    case DialogKind::Confirmation: return QStyle::SP_MessageBoxQuestion;
    case DialogKind::Custom: break;
  }
  // clang-format on
  return QStyle::SP_CustomBase;
}

std::optional<DialogResult> DefaultResultOf(DialogButtons buttons) {
  if (buttons & kButtonOk) return DialogResult::kOk;
  if (buttons & kButtonYes) return DialogResult::kYes;
  if (buttons & kButtonRetry) return DialogResult::kRetry;
  return std::nullopt;
}

DialogResult EscapeResultOf(DialogButtons buttons) {
  if (buttons & kButtonCancel) return DialogResult::kCancel;
  if (buttons & kButtonNo) return DialogResult::kNo;
  return DialogResult::kOk;
}

DialogResult AbsentUserResultOf(bool input, DialogButtons buttons) {
  if (input) return DialogResult::kCancel;
  if (buttons & kButtonYes) return DialogResult::kYes;
  return DefaultResultOf(buttons).value_or(EscapeResultOf(buttons));
}

// A dialog ended other than by its buttons (it went away under its own loop) counts as cancelled.
DialogResult RunDialog(QDialog* dialog, bool onTop, QScreen* screen) {
  std::unique_ptr<QDialog> owner(dialog);
  dialog->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  CentreOnScreen(dialog, screen);
  QTimer::singleShot(0, dialog, [dialog] { Announce(dialog, QAccessible::Alert); });
  const int result = dialog->exec();
  const bool known =
      result >= static_cast<int>(DialogResult::kOk) && result <= static_cast<int>(DialogResult::kYesToAll);
  return known ? static_cast<DialogResult>(result) : DialogResult::kCancel;
}

DialogResult RunInputDialog(const DialogRequest& request, QString& typed) {
  QWidget* parent = request.parent;
  const QFont* font = request.font;
  const bool english = request.style.English();
  auto* dialog = new LocalizedDialog(parent, DialogResult::kCancel, AbsentUserResultOf(true, 0));
  dialog->setFont(QApplication::font("QMessageBox"));
  dialog->setWindowTitle(request.title);
  const DialogUnits units = MeasureDialogUnits(dialog->font());
  auto* outer = new QVBoxLayout(dialog);
  outer->setContentsMargins(units.X(8), units.Y(8), units.X(8), units.Y(8));
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* label = new QLabel(request.text, dialog);
  label->setObjectName(QStringLiteral("Prompt"));
  label->setTextFormat(Qt::PlainText);
  outer->addWidget(label);
  auto* edit = new QLineEdit(request.inputText, dialog);
  edit->setObjectName(QStringLiteral("Edit"));
  edit->setMaxLength(255);
  if (font) {
    QFont reduced = *font;
    if (reduced.pointSizeF() > 14) reduced.setPointSize(14);
    edit->setFont(reduced);
  }
  edit->setMinimumWidth(units.X(214));
  edit->selectAll();
  outer->addWidget(edit);
  outer->addSpacing(units.Y(4));
  auto* row = new QHBoxLayout;
  row->setSpacing(units.X(14));
  auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
  ok->setObjectName(QStringLiteral("OK"));
  auto* cancel = new QPushButton(english ? QStringLiteral("Cancel") : QStringLiteral("Отмена"), dialog);
  cancel->setObjectName(QStringLiteral("Cancel"));
  const int width = std::max({units.X(50), ok->sizeHint().width(), cancel->sizeHint().width()});
  for (QPushButton* button : {ok, cancel}) {
    button->setFixedWidth(width);
    row->addWidget(button);
  }
  row->addStretch(1);
  outer->addLayout(row);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, edit, &typed] {
    typed = edit->text();
    dialog->Finish(DialogResult::kOk);
  });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->Finish(DialogResult::kCancel); });
  edit->setFocus();
  return RunDialog(dialog, request.style.onTop, ScreenOf(parent));
}

class PersonAnswerer : public DialogAnswerer {
 public:
  DialogResult Answer(const DialogRequest& request, QString* inputText) override {
    if (request.input) return RunInputDialog(request, *inputText);
    QDialog* dialog =
        CreateLocalizedDialog(request.parent, request.text, request.kind, request.buttons, request.style.language);
    return RunDialog(dialog, request.style.onTop, ScreenOf(request.parent));
  }
};

}  // namespace

std::shared_ptr<DialogAnswerer> MakePersonAnswerer() {
  return std::make_shared<PersonAnswerer>();
}

DialogResult AnswersUntilAbsent::Answer(const DialogRequest& request, QString* inputText) {
  return m_absent ? AbsentUserResult(request) : m_present->Answer(request, inputText);
}

QString DialogTitle(DialogKind kind, Language language) {
  const bool english = language == Language::kEnglish;
  // clang-format off
  switch (kind) {
    case DialogKind::Warning: return english ? QStringLiteral("Warning") : QStringLiteral("Предупреждение");
    case DialogKind::Error: return english ? QStringLiteral("Error") : QStringLiteral("Ошибка");
    case DialogKind::Information: return english ? QStringLiteral("Information") : QStringLiteral("Информация");
    case DialogKind::Confirmation: return english ? QStringLiteral("Confirm") : QStringLiteral("Подтверждение");
    case DialogKind::Custom: break;
  }
  // clang-format on
  return QStringLiteral("Calculator");  // the application title, the same in both languages
}

QDialog* CreateLocalizedDialog(QWidget* parent, const QString& text, DialogKind kind, DialogButtons buttons,
                               Language language) {
  const bool english = language == Language::kEnglish;
  auto* dialog = new LocalizedDialog(parent, EscapeResultOf(buttons), AbsentUserResultOf(false, buttons));
  MarkAsAlert(dialog, text);
  dialog->setFont(QApplication::font("QMessageBox"));  // the desktop's message font, not the tape's
  dialog->setWindowTitle(DialogTitle(kind, language));
  const DialogUnits units = MeasureDialogUnits(dialog->font());
  QScreen* screen = ScreenOf(parent);
  const int halfScreen = screen ? screen->availableGeometry().width() / 2 : 512;

  auto* outer = new QVBoxLayout(dialog);
  outer->setContentsMargins(units.X(8), units.Y(8), units.X(8), units.Y(8));
  outer->setSpacing(units.Y(10));
  outer->setSizeConstraint(QLayout::SetFixedSize);

  auto* top = new QHBoxLayout;
  top->setSpacing(units.X(10));
  if (kind != DialogKind::Custom) {
    auto* icon = new QLabel(dialog);
    icon->setObjectName(QStringLiteral("Icon"));
    icon->setPixmap(dialog->style()->standardIcon(IconOf(kind)).pixmap(32, 32));
    icon->setFixedSize(32, 32);
    top->addWidget(icon, 0, Qt::AlignTop);
  }
  auto* message = new QLabel(text, dialog);
  message->setObjectName(QStringLiteral("Message"));
  message->setTextFormat(Qt::PlainText);
  message->setWordWrap(true);
  // The wrapped block is as wide as its longest line, at most half the screen.
  const QRect block = QFontMetrics(message->font())
                          .boundingRect(QRect(0, 0, halfScreen, 100000), Qt::TextWordWrap | Qt::TextExpandTabs, text);
  message->setMinimumWidth(std::min(block.width() + 2, halfScreen));
  message->setMaximumWidth(halfScreen);
  top->addWidget(message, 1, Qt::AlignTop);
  outer->addLayout(top);

  // Buttons share one width: the widest caption in this language, at least 50 units.
  auto* row = new QHBoxLayout;
  row->setSpacing(units.X(4));
  row->addStretch(1);
  std::vector<QPushButton*> made;
  const std::optional<DialogResult> defaultResult = DefaultResultOf(buttons);
  for (const ButtonInfo& info : kButtonTable) {
    if (!(buttons & info.button)) continue;
    auto* button = new QPushButton(QString::fromUtf8(english ? info.english : info.russian), dialog);
    button->setObjectName(QString::fromLatin1(info.name));
    const std::optional<DialogResult> result = info.result;
    if (result) {
      QObject::connect(button, &QPushButton::clicked, dialog, [dialog, result] { dialog->Finish(*result); });
    }
    button->setDefault(result && result == defaultResult);
    button->setAutoDefault(true);  // Enter answers the focused button, else the default one
    row->addWidget(button);
    made.push_back(button);
  }
  row->addStretch(1);
  int width = units.X(50);
  int height = units.Y(14);
  for (QPushButton* button : made) {
    width = std::max(width, button->sizeHint().width());
    height = std::max(height, button->sizeHint().height());
  }
  for (QPushButton* button : made) {
    button->setFixedSize(width, height);
    if (button->isDefault()) button->setFocus();
  }
  outer->addLayout(row);
  outer->addStrut(TitleWidth(dialog->windowTitle(), dialog));  // no narrow box cuts its title
  return dialog;
}

void ShowMessageBox(DialogAnswerer& answers, QWidget* parent, const QString& text, DialogStyle style) {
  ShowQuestion(answers, parent, text, DialogKind::Custom, kButtonOk, style);
}

bool Confirm(DialogAnswerer& answers, QWidget* parent, const QString& question, DialogStyle style) {
  return ShowQuestion(answers, parent, question, DialogKind::Confirmation, kButtonYes | kButtonNo, style) ==
         DialogResult::kYes;
}

DialogResult ShowQuestion(DialogAnswerer& answers, QWidget* parent, const QString& text, DialogKind kind,
                          DialogButtons buttons, DialogStyle style) {
  DialogRequest request;
  request.kind = kind;
  request.title = DialogTitle(kind, style.language);
  request.text = text;
  request.buttons = buttons;
  request.parent = parent;
  request.style = style;
  return answers.Answer(request, nullptr);
}

bool InputText(DialogAnswerer& answers, QWidget* parent, const QString& title, const QString& prompt, QString& text,
               DialogStyle style, const QFont* font) {
  DialogRequest request;
  request.input = true;
  request.title = title;
  request.text = prompt;
  request.buttons = kButtonOk | kButtonCancel;
  request.inputText = text;
  request.parent = parent;
  request.style = style;
  request.font = font;
  QString typed = text;
  if (answers.Answer(request, &typed) != DialogResult::kOk) return false;
  text = typed;
  return true;
}

DialogResult AbsentUserResult(const DialogRequest& request) {
  return AbsentUserResultOf(request.input, request.buttons);
}

bool AnswerForAbsentUser(QWidget* dialog) {
  auto* open = dynamic_cast<LocalizedDialog*>(dialog);
  if (!open) return false;
  open->Finish(open->AbsentUserResult());
  return true;
}

}  // namespace tallyman::ui
