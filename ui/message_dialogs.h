#pragma once
// Messages, questions and one-line prompts. Titles and button captions follow the program's own
// language, not the desktop's; the dialogs are laid out by Qt layouts, so no caption is cut in
// either language. Tests answer them through a DialogAnswerer instead of a person.
#include <QString>

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

// Results of the buttons; closing a dialog by its close box gives kResultCancel.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultAbort = 3;
inline constexpr int kResultRetry = 4;
inline constexpr int kResultIgnore = 5;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
inline constexpr int kResultAll = 8;
inline constexpr int kResultNoToAll = 9;
inline constexpr int kResultYesToAll = 10;

// What a dialog would have shown, as the answerer sees it.
struct DialogRequest {
  bool input = false;  // InputText rather than a message or question
  DialogKind kind = DialogKind::Custom;
  QString title;
  QString text;  // the message, or the prompt of InputText
  DialogButtons buttons = 0;
  QString inputText;  // InputText: the initial text
};

class DialogAnswerer {
 public:
  virtual ~DialogAnswerer() = default;
  // Returns the result of the "pressed" button; for InputText kResultOk confirms, and *inputText
  // (preset to the initial text) is what was "typed".
  virtual int Answer(const DialogRequest& request, QString* inputText) = 0;
};

// Installs the answerer that replaces every dialog (nullptr: real dialogs again).
void SetDialogAnswerer(DialogAnswerer* answerer);

// A plain message: no icon, title "Calculator", one OK button.
void ShowMessageBox(QWidget* parent, const QString& text, bool onTop, bool english);
// A question; returns the result of the pressed button.
int ShowQuestion(QWidget* parent, const QString& text, DialogKind kind, DialogButtons buttons, bool onTop,
                 bool english);
// A confirmation with Yes and No buttons; true when answered Yes.
bool Confirm(QWidget* parent, const QString& question, bool onTop, bool english);
// A one-line prompt; true when confirmed with OK, and then `text` holds what was typed.
bool InputText(QWidget* parent, const QString& title, const QString& prompt, QString& text, bool onTop, bool english,
               const QFont* font = nullptr);

// When nobody is left to answer (the program ends on a signal): a question is answered Yes, or
// else with its default button; a message counts as read; a prompt is cancelled.
int AbsentUserResult(const DialogRequest& request);
// Answers `dialog` that way when it is an open message, question or prompt of this module; false
// for any other widget.
bool AnswerForAbsentUser(QWidget* dialog);

// The dialog itself, not yet shown (laid out, centred, titled); exposed for layout tests.
QDialog* CreateLocalizedDialog(QWidget* parent, const QString& text, DialogKind kind, DialogButtons buttons,
                               bool english);
QString DialogTitle(DialogKind kind, bool english);

}  // namespace tallyman::ui
