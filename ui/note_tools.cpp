// The notebook's tool bar, keypad, pop-up menu Pm and the keys it sees before its text.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/text/note_file.h"
#include "ui/command_table.h"
#include "ui/key_modifiers.h"
#include "ui/message_dialogs.h"
#include "ui/note_window.h"
#include "ui/qt_text.h"
#include "ui/readable_colour.h"

namespace tallyman::ui {
namespace {

namespace p = tallyman::pairs;

// The commands after the shared edit ones. The pop-up shows the keys the window's key handler
// acts on, before the editor's own bindings (Ctrl+K deletes to the line end there); the tool-bar
// hints name the keys of the buttons' commands.
enum class NoteId {
  kClearAll = static_cast<int>(EditId::kCount),
  kRusTransLit,
  kTransLitRus,
  kDosWin,
  kKoiWin,
  kInsCalc,
  kForm,
  kSave,
  kRun,
  // tool-bar hints
  kHour,
  kMinute,
  kTime,
  kInsCalcHint,
  kCalc,
  kCalcTime,
  kWords,
  kFormHint,
};

// The keypad: digits, the decimal separator, signs and "C".
constexpr const char* kKeypad[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", ",",
                                   "+", "-", "*", "/", "%", "(", ")", "=", ":", ";", "C"};

}  // namespace

void TFormNote::BuildCommands() {
  const EditTarget edit{
      [this] { return m_m->document()->isUndoAvailable(); },
      [this] { return m_m->textCursor().hasSelection(); },
      [this] { return !m_m->document()->isEmpty(); },
      [this] { m_m->undo(); },
      [this] { m_m->cut(); },
      [this] { m_m->copy(); },
      [this] { m_m->paste(); },
      [this] { m_m->textCursor().removeSelectedText(); },
      [this] { m_m->selectAll(); },
  };
  std::vector<Command> commands = EditCommands(0, edit, true);
  const auto id = [](NoteId note) { return static_cast<int>(note); };
  const auto filled = [this] { return !m_m->document()->isEmpty(); };
  const auto convert = [this](NoteConversion conversion) { return [this, conversion] { Convert(conversion); }; };
  const KeyUse menu = KeyUse::kShown;
  const KeyUse hint = KeyUse::kInCaption;
  const char* const hinted = "%1 (%2)";
  // clang-format off
  commands.insert(commands.end(), {
      {id(NoteId::kClearAll),     "pmClearAll",    p::kMenuClearAllText,     Qt::CTRL | Qt::Key_Delete, menu, "%1",    filled, [this] { ClearAll(); }},
      {id(NoteId::kRusTransLit),  "pmRusTransLit", L"Rus->TransLit",         Qt::CTRL | Qt::Key_T,      menu, "%1",    {},     convert(NoteConversion::RusToTransLit)},
      {id(NoteId::kTransLitRus),  "pmTransLitRus", L"TransLit->Rus",         Qt::CTRL | Qt::Key_R,      menu, "%1",    {},     convert(NoteConversion::TransLitToRus)},
      {id(NoteId::kDosWin),       "DOSWIN1",       L"DOS->WIN",              Qt::CTRL | Qt::Key_D,      menu, "%1",    {},     convert(NoteConversion::DosToWin)},
      {id(NoteId::kKoiWin),       "KOIWIN1",       L"KOI->WIN",              Qt::CTRL | Qt::Key_K,      menu, "%1",    {},     convert(NoteConversion::KoiToWin)},
      {id(NoteId::kInsCalc),      "mInsCalc",      p::kInsertCalculations,   Qt::CTRL | Qt::Key_W,      menu, "%1",    {},     [this] { InsertCalculations(); }},
      {id(NoteId::kForm),         "mForm",         p::kMenuForm,             Qt::Key_F4,                menu, "%1...", {},     [this] { OpenFormula(); }},
      {id(NoteId::kSave),         "pmSave",        p::kSaveToFile,           Qt::CTRL | Qt::Key_S,      menu, "%1...", filled, [this] { SaveToFile(); }},
      {id(NoteId::kRun),          "pmRun",         p::kRun,                  Qt::Key_F9,                menu, "%1",    {},     [this] { Run(); }},
      {id(NoteId::kHour),         "hintHour",      p::kHour,                 Qt::Key_F2,                hint, hinted,  {},     [this] { ButHClick(); }},
      {id(NoteId::kMinute),       "hintMinute",    p::kMin,                  Qt::Key_F3,                hint, hinted,  {},     [this] { ButMClick(); }},
      {id(NoteId::kTime),         "hintTime",      p::kInsertDateTime,       Qt::Key_F5,                hint, hinted,  {},     [this] { InsertDateTime(); }},
      {id(NoteId::kInsCalcHint),  "hintInsCalc",   p::kInsertCalculations,   Qt::CTRL | Qt::Key_W,      hint, "%1   (%2)", {}, [this] { InsertCalculations(); }},
      {id(NoteId::kCalc),         "hintCalc",      p::kCalculateSelection,   Qt::Key_F6,                hint, hinted,  {},     [this] { CalcSelection(false); }},
      {id(NoteId::kCalcTime),     "hintCalcTime",  p::kCalculateTime,        Qt::CTRL | Qt::Key_F6,     hint, hinted,  {},     [this] { CalcSelection(true); }},
      {id(NoteId::kWords),        "hintWords",     p::kSelectedNumberToText, Qt::Key_F7,                hint, hinted,  {},     [this] { WordsForSelection(false); }},
      {id(NoteId::kFormHint),     "hintForm",      p::kMenuForm,             Qt::Key_F4,                hint, hinted,  {},     [this] { OpenFormula(); }},
  });
  // clang-format on
  m_commands = std::make_unique<CommandSet>(this, std::move(commands));
}

void TFormNote::BuildTools() {
  BuildCommands();
  auto* tools = static_cast<QHBoxLayout*>(m_panTop->layout());
  const auto newButton = [](QWidget* parent, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    // Tab reaches every button for a keyboard-only user; a click leaves the focus in the text.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
  };
  const auto button = [this, &newButton](QWidget* parent, const char* name, const QString& caption, auto handler) {
    QToolButton* b = newButton(parent, name);
    b->setText(caption);
    connect(b, &QToolButton::clicked, this, handler);
    return b;
  };
  // A tool button shows its face, runs its command and takes the command's caption as its hint.
  const auto command = [this, &newButton](QWidget* parent, const char* name, const QString& face, NoteId id) {
    QAction* action = (*m_commands)[id];
    action->setIconText(face);
    QToolButton* b = newButton(parent, name);
    b->setDefaultAction(action);
    return b;
  };
  // Tab goes as the window reads: the tool bar left to right, the text, then the keypad.
  QList<QWidget*> tabOrder;
  int at = 0;
  const auto tool = [&](QToolButton* b) {
    tools->insertWidget(at++, b);
    tabOrder << b;
  };
  tool(command(m_panTop, "ButTime", QStringLiteral("d/t"), NoteId::kTime));
  tool(command(m_panTop, "ButForm", QStringLiteral("f(x)"), NoteId::kFormHint));
  tool(command(m_panTop, "ButInsCalc", QStringLiteral("\u03A3"), NoteId::kInsCalcHint));
  tool(command(m_panTop, "ButCalc", QStringLiteral("="), NoteId::kCalc));
  tool(command(m_panTop, "ButCTime", QStringLiteral("t="), NoteId::kCalcTime));
  tool(command(m_panTop, "ButNum", QStringLiteral("N\u2192A"), NoteId::kWords));
  tabOrder << m_but;

  // The alarm clock at the right edge: hour ":" minute.
  m_panClock = new QWidget(m_panTop);
  m_panClock->setObjectName(QStringLiteral("PanClock"));
  auto* clock = new QHBoxLayout(m_panClock);
  clock->setContentsMargins(0, 0, 0, 0);
  clock->setSpacing(0);
  m_butH = command(m_panClock, "ButH", QString(), NoteId::kHour);
  m_butM = command(m_panClock, "ButM", QString(), NoteId::kMinute);
  clock->addWidget(m_butH);
  clock->addWidget(new QLabel(QStringLiteral(":"), m_panClock));
  clock->addWidget(m_butM);
  QFont clockFont = font();
  if (clockFont.pointSizeF() > 16) clockFont.setPointSizeF(16);
  m_panClock->setFont(clockFont);
  tools->addWidget(m_panClock);
  tabOrder << m_butH << m_butM << m_m;
  ShowAlarm();

  auto* keypad = new QHBoxLayout(m_panBut);
  keypad->setContentsMargins(2, 2, 2, 2);
  keypad->setSpacing(1);
  QFont bold = font();
  bold.setBold(true);
  m_panBut->setFont(bold);
  for (const char* caption : kKeypad) {
    QString text = QString::fromLatin1(caption);
    if (text == QLatin1String(",")) text = QString(QChar(m_services.locale.decimalSeparator));
    QToolButton* key = button(m_panBut, "", text, [this, text] { KeypadClick(text); });
    if (text == QLatin1String("C")) {
      key->setObjectName(QStringLiteral("ButDel"));
      KeepReadableText(key, QColor(128, 0, 0), QPalette::ButtonText, QPalette::Button);  // maroon
    }
    keypad->addWidget(key);
    tabOrder << key;
  }
  keypad->addStretch(1);
  for (qsizetype i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

  BuildPopup();
  m_m->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_m, &QPlainTextEdit::customContextMenuRequested, this,
          [this](const QPoint& where) { PopupMenu(m_m->mapToGlobal(where)); });
}

void TFormNote::ApplyToolCaptions() {
  const bool english = m_services.settings.english;
  m_commands->Caption(english);  // the tool buttons' hints follow their commands' captions
  m_panClock->setToolTip(Lang(p::kSetAlarm, english));
  m_decode->setTitle(Lang(p::kDecode, english));
}

void TFormNote::EnableItems() {
  m_commands->Enable();
}

void TFormNote::BuildPopup() {
  const CommandSet& c = *m_commands;
  m_pm = new QMenu(this);
  m_pm->setObjectName(QStringLiteral("Pm"));
  AddEditItems(c, m_pm, 0);
  c.AddTo(m_pm, {NoteId::kClearAll});
  m_pm->addSeparator();
  m_decode = m_pm->addMenu(QString());
  m_decode->setObjectName(QStringLiteral("pmDecode"));
  c.AddTo(m_decode, {NoteId::kRusTransLit, NoteId::kTransLitRus, NoteId::kDosWin, NoteId::kKoiWin});
  c.AddTo(m_pm, {NoteId::kRun, NoteId::kInsCalc, NoteId::kForm, NoteId::kSave});
}

void TFormNote::PopupMenu(const QPoint& global) {
  EnableItems();
  m_decode->setEnabled(!m_m->document()->isEmpty());
  m_pm->exec(global);
}

void TFormNote::KeypadClick(const QString& caption) {
  QTextCursor cursor = m_m->textCursor();
  cursor.beginEditBlock();
  if (caption == QLatin1String("C")) {
    if (!cursor.hasSelection() && cursor.position() > 0)
      cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  } else if ((caption == QLatin1String("(") || caption == QLatin1String(")")) && cursor.hasSelection()) {
    cursor.insertText(QLatin1Char('(') + cursor.selectedText() + QLatin1Char(')'));
  } else {
    cursor.insertText(caption);
  }
  cursor.endEditBlock();
  m_m->setTextCursor(cursor);
  m_m->setFocus();
}

// The formula window opens over the notebook; the main window hands a taken result back here.
void TFormNote::OpenFormula() {
  if (m_services.openFormula) m_services.openFormula();
}

void TFormNote::ButHClick() {
  m_services.alarm.StepHour(m_services.ui.clock());
  ShowAlarm();
}

void TFormNote::ButMClick() {
  m_services.alarm.StepMinute(m_services.ui.clock());
  ShowAlarm();
}

// Two digits each; red while the alarm is armed.
void TFormNote::ShowAlarm() {
  const Alarm& alarm = m_services.alarm;
  (*m_commands)[NoteId::kHour]->setIconText(QStringLiteral("%1").arg(alarm.hour, 2, 10, QLatin1Char('0')));
  (*m_commands)[NoteId::kMinute]->setIconText(QStringLiteral("%1").arg(alarm.minute, 2, 10, QLatin1Char('0')));
  const QColor text = QApplication::palette().color(QPalette::ButtonText);
  for (QToolButton* b : {m_butH, m_butM})
    KeepReadableText(b, alarm.armed ? QColor(Qt::red) : text, QPalette::ButtonText, QPalette::Button);
}

void TFormNote::ClearAll() {
  if (m_m->document()->isEmpty()) return;
  if (ShowQuestion(*m_services.ui.answers, this, Lang(p::kClearAllText, m_services.settings.english) + QLatin1Char('?'),
                   DialogKind::Confirmation, kButtonYes | kButtonNo, Style()) != DialogResult::kYes) {
    return;
  }
  QTextCursor cursor(m_m->document());
  cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();  // one undoable edit, like every other change
}

// The whole text goes to the chosen file; the window keeps its own file and modified state.
void TFormNote::SaveToFile() {
  if (m_m->document()->isEmpty()) return;
  const QString path =
      m_services.ui.files->Choose(this, FileChoice::kSaveText, Lang(p::kSaveToFile, m_services.settings.english));
  if (path.isEmpty()) return;
  const std::filesystem::path target = path.toStdString();
  // The file dialog's overwrite question does not make a read-only file, or the file the text
  // stands for because it could not be read, fair game.
  std::error_code error;
  if (IsReadOnlyFile(target) || (m_fileUnread && std::filesystem::equivalent(target, m_fileName, error))) {
    ShowFileMessage({IsReadOnlyFile(target) ? p::kNoteKeptReadOnly : p::kNoteKeptUnread}, target);
    return;
  }
  if (!WriteTextLines(target, Lines())) {
    ShowMessageBox(*m_services.ui.answers, this, Lang(p::kFileError, m_services.settings.english), Style());
  }
}

// Keys the window handles before the text field, in the order of its key table.
bool TFormNote::NoteKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  const int key = event->key();
  // Tab is typed into the text; Ctrl+Tab and Ctrl+Shift+Tab take the focus on to the buttons.
  if (modifiers.testFlag(Qt::ControlModifier) && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
    return key == Qt::Key_Tab && !modifiers.testFlag(Qt::ShiftModifier) ? focusNextChild() : focusPreviousChild();
  }
  if (key == Qt::Key_Escape) {
    close();
    return true;
  }
  if (m_commands->RunKey(event)) return true;
  // The function keys act whatever else is held; F7 with Shift, Ctrl or Alt also copies.
  if (key == Qt::Key_F7) {
    WordsForSelection(true);
    return true;
  }
  if (key >= Qt::Key_F2 && key <= Qt::Key_F9) return m_commands->RunKey(QKeyCombination(static_cast<Qt::Key>(key)));
  if (IsEnterKey(key) && modifiers == Qt::ShiftModifier) {
    CalcThenBreakLine();
    return true;
  }
  // The keypad's decimal key types the locale's decimal separator whatever the layout gives.
  if ((event->modifiers() & Qt::KeypadModifier) &&
      (event->text() == QLatin1String(".") || event->text() == QLatin1String(","))) {
    m_m->textCursor().insertText(QString(QChar(m_services.locale.decimalSeparator)));
    return true;
  }
  return false;
}

}  // namespace tallyman::ui
