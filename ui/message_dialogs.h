#pragma once
// Messages, questions and one-line prompts. Titles and button captions follow the program's own
// language, not the desktop's; the dialogs are laid out by Qt layouts, so no caption is cut in
// either language. Whoever answers them is a DialogAnswerer: a person at the screen, nobody once
// the program ends on a signal, or a test's script.
#include <QString>
#include <memory>

#include "ui/dialog_style.h"

class QDialog;
class QFont;
class QWidget;

namespace tallyman::ui {

enum class DialogKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// Buttons in the order they are laid out, left to right.
enum DialogButton : unsigned {
  kButtonYes = 1u << 0,
  kButtonNo = 1u << 1,
  kButtonOk = 1u << 2,
  kButtonCancel = 1u << 3,
  kButtonAbort = 1u << 4,
  kButtonRetry = 1u << 5,
  kButtonIgnore = 1u << 6,
  kButtonAll = 1u << 7,
  kButtonNoToAll = 1u << 8,
  kButtonYesToAll = 1u << 9,
  kButtonHelp = 1u << 10,
};
using DialogButtons = unsigned;

// Results of the buttons; closing a dialog by its close box gives kCancel.
enum class DialogResult { kOk = 1, kCancel, kAbort, kRetry, kIgnore, kYes, kNo, kAll, kNoToAll, kYesToAll };

// What a dialog would have shown, as the answerer sees it.
struct DialogRequest {
  bool input = false;  // InputText rather than a message or question
  DialogKind kind = DialogKind::Custom;
  QString title;
  QString text;  // the message, or the prompt of InputText
  DialogButtons buttons = 0;
  QString inputText;  // InputText: the initial text
  // Where a real dialog opens and how it looks.
  QWidget* parent = nullptr;
  DialogStyle style;
  const QFont* font = nullptr;  // InputText: the edit's font (at most 14 points), else the desktop's
};

class DialogAnswerer {
 public:
  virtual ~DialogAnswerer() = default;
  // Returns the result of the pressed button; for InputText kOk confirms, and *inputText (preset
  // to the initial text) is what was typed.
  virtual DialogResult Answer(const DialogRequest& request, QString* inputText) = 0;
};

// A person at the screen: each request opens its dialog and waits for the answer.
std::shared_ptr<DialogAnswerer> MakePersonAnswerer();

// Answers through `present` until the user is gone (the program ends on a signal); from then on
// every request is answered as AbsentUserResult says, without a dialog.
class AnswersUntilAbsent : public DialogAnswerer {
 public:
  explicit AnswersUntilAbsent(std::shared_ptr<DialogAnswerer> present) : m_present(std::move(present)) {}
  DialogResult Answer(const DialogRequest& request, QString* inputText) override;
  void UserLeft() { m_absent = true; }

 private:
  std::shared_ptr<DialogAnswerer> m_present;
  bool m_absent = false;
};

// A plain message: no icon, title "Calculator", one OK button.
void ShowMessageBox(DialogAnswerer& answers, QWidget* parent, const QString& text, DialogStyle style);
// A question; returns the result of the pressed button.
DialogResult ShowQuestion(DialogAnswerer& answers, QWidget* parent, const QString& text, DialogKind kind,
                          DialogButtons buttons, DialogStyle style);
// A confirmation with Yes and No buttons; true when answered Yes.
bool Confirm(DialogAnswerer& answers, QWidget* parent, const QString& question, DialogStyle style);
// A one-line prompt; true when confirmed with OK, and then `text` holds what was typed.
bool InputText(DialogAnswerer& answers, QWidget* parent, const QString& title, const QString& prompt, QString& text,
               DialogStyle style, const QFont* font = nullptr);

// When nobody is left to answer (the program ends on a signal): a question is answered Yes, or
// else with its default button; a message counts as read; a prompt is cancelled.
DialogResult AbsentUserResult(const DialogRequest& request);
// Answers `dialog` that way when it is an open message, question or prompt of this module; false
// for any other widget.
bool AnswerForAbsentUser(QWidget* dialog);

// The dialog itself, not yet shown (laid out, centred, titled); exposed for layout tests.
QDialog* CreateLocalizedDialog(QWidget* parent, const QString& text, DialogKind kind, DialogButtons buttons,
                               Language language);
QString DialogTitle(DialogKind kind, Language language);

}  // namespace tallyman::ui
