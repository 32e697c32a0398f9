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

#include "ui/accessibility.h"
#include "ui/dialog_units.h"
#include "ui/window_places.h"

namespace tallyman::ui {
namespace {

DialogAnswerer* g_answerer = nullptr;  // set by tests only

struct ButtonInfo {
  DialogButton button;
  const char* name;
  const char* russian;
  const char* english;
  int result;
};

// Single-language captions chosen by the dialog's language, in layout order.
const ButtonInfo kButtonTable[] = {
    {kButtonYes, "Yes", "Да", "&Yes", kResultYes},
    {kButtonNo, "No", "Нет", "&No", kResultNo},
    {kButtonOk, "OK", "OK", "OK", kResultOk},
    {kButtonCancel, "Cancel", "Отмена", "Cancel", kResultCancel},
    {kButtonAbort, "Abort", "Прервать", "&Abort", kResultAbort},
    {kButtonRetry, "Retry", "Повторить", "&Retry", kResultRetry},
    {kButtonIgnore, "Ignore", "Пропустить", "&Ignore", kResultIgnore},
    {kButtonAll, "All", "Все", "&All", kResultAll},
    {kButtonNoToAll, "NoToAll", "Нет для всех", "N&o to All", kResultNoToAll},
    {kButtonYesToAll, "YesToAll", "Да для всех", "Yes to &All", kResultYesToAll},
    {kButtonHelp, "Help", "Справка", "&Help", 0},
};

// Escape answers with the cancel button's result; the close box always answers cancel.
class LocalizedDialog : public QDialog {
 public:
  LocalizedDialog(QWidget* parent, int escapeResult, int absentUserResult)
      : QDialog(parent), m_escapeResult(escapeResult), m_absentUserResult(absentUserResult) {}
  void reject() override { done(kResultCancel); }
  int AbsentUserResult() const { return m_absentUserResult; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      done(m_escapeResult);
      return;
    }
    QDialog::keyPressEvent(event);
  }

 private:
  int m_escapeResult;
  int m_absentUserResult;
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

int DefaultResultOf(DialogButtons buttons) {
  if (buttons & kButtonOk) return kResultOk;
  if (buttons & kButtonYes) return kResultYes;
  if (buttons & kButtonRetry) return kResultRetry;
  return -1;
}

int EscapeResultOf(DialogButtons buttons) {
  if (buttons & kButtonCancel) return kResultCancel;
  if (buttons & kButtonNo) return kResultNo;
  return kResultOk;
}

int AbsentUserResultOf(bool input, DialogButtons buttons) {
  if (input) return kResultCancel;
  if (buttons & kButtonYes) return kResultYes;
  const int defaultResult = DefaultResultOf(buttons);
  return defaultResult >= 0 ? defaultResult : EscapeResultOf(buttons);
}

int RunDialog(QDialog* dialog, bool onTop, QScreen* screen) {
  std::unique_ptr<QDialog> owner(dialog);
  dialog->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  CentreOnScreen(dialog, screen);
  QTimer::singleShot(0, dialog, [dialog] { Announce(dialog, QAccessible::Alert); });
  return dialog->exec();
}

}  // namespace

void SetDialogAnswerer(DialogAnswerer* answerer) {
  g_answerer = answerer;
}

QString DialogTitle(DialogKind kind, bool english) {
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
                               bool english) {
  auto* dialog = new LocalizedDialog(parent, EscapeResultOf(buttons), AbsentUserResultOf(false, buttons));
  MarkAsAlert(dialog, text);
  dialog->setFont(QApplication::font("QMessageBox"));  // the desktop's message font, not the tape's
  dialog->setWindowTitle(DialogTitle(kind, english));
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
  const int defaultResult = DefaultResultOf(buttons);
  for (const ButtonInfo& info : kButtonTable) {
    if (!(buttons & info.button)) continue;
    auto* button = new QPushButton(QString::fromUtf8(english ? info.english : info.russian), dialog);
    button->setObjectName(QString::fromLatin1(info.name));
    const int result = info.result;
    if (result != 0) {
      QObject::connect(button, &QPushButton::clicked, dialog, [dialog, result] { dialog->done(result); });
    }
    button->setDefault(result == defaultResult);
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

void ShowMessageBox(QWidget* parent, const QString& text, bool onTop, bool english) {
  ShowQuestion(parent, text, DialogKind::Custom, kButtonOk, onTop, english);
}

bool Confirm(QWidget* parent, const QString& question, bool onTop, bool english) {
  return ShowQuestion(parent, question, DialogKind::Confirmation, kButtonYes | kButtonNo, onTop, english) == kResultYes;
}

int ShowQuestion(QWidget* parent, const QString& text, DialogKind kind, DialogButtons buttons, bool onTop,
                 bool english) {
  if (g_answerer) {
    DialogRequest request;
    request.kind = kind;
    request.title = DialogTitle(kind, english);
    request.text = text;
    request.buttons = buttons;
    return g_answerer->Answer(request, nullptr);
  }
  return RunDialog(CreateLocalizedDialog(parent, text, kind, buttons, english), onTop, ScreenOf(parent));
}

bool InputText(QWidget* parent, const QString& title, const QString& prompt, QString& text, bool onTop, bool english,
               const QFont* font) {
  if (g_answerer) {
    DialogRequest request;
    request.input = true;
    request.title = title;
    request.text = prompt;
    request.buttons = kButtonOk | kButtonCancel;
    request.inputText = text;
    QString typed = text;
    if (g_answerer->Answer(request, &typed) != kResultOk) return false;
    text = typed;
    return true;
  }

  auto* dialog = new LocalizedDialog(parent, kResultCancel, AbsentUserResultOf(true, 0));
  dialog->setFont(QApplication::font("QMessageBox"));
  dialog->setWindowTitle(title);
  const DialogUnits units = MeasureDialogUnits(dialog->font());
  auto* outer = new QVBoxLayout(dialog);
  outer->setContentsMargins(units.X(8), units.Y(8), units.X(8), units.Y(8));
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* label = new QLabel(prompt, dialog);
  label->setObjectName(QStringLiteral("Prompt"));
  label->setTextFormat(Qt::PlainText);
  outer->addWidget(label);
  auto* edit = new QLineEdit(text, dialog);
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
  QString typed = text;
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, edit, &typed] {
    typed = edit->text();
    dialog->done(kResultOk);
  });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->done(kResultCancel); });
  edit->setFocus();

  if (RunDialog(dialog, onTop, ScreenOf(parent)) != kResultOk) return false;
  text = typed;
  return true;
}

int AbsentUserResult(const DialogRequest& request) {
  return AbsentUserResultOf(request.input, request.buttons);
}

bool AnswerForAbsentUser(QWidget* dialog) {
  auto* open = dynamic_cast<LocalizedDialog*>(dialog);
  if (!open) return false;
  open->done(open->AbsentUserResult());
  return true;
}

}  // namespace tallyman::ui
