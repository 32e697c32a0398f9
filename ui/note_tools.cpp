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
#include "ui/key_modifiers.h"
#include "ui/message_dialogs.h"
#include "ui/note_window.h"
#include "ui/qt_text.h"
#include "ui/readable_colour.h"

namespace tallyman::ui {
namespace {

namespace p = tallyman::pairs;

// A pop-up item: its caption, the key shown beside it and what it does. Keys reach the commands
// through the window's key table, before the editor's own bindings (Ctrl+K deletes to the line
// end there), so the items show them without owning them.
struct NoteItem {
  const char* name;
  const wchar_t* pair;
  const char* suffix;
  QKeyCombination key;
};

// clang-format off
constexpr NoteItem kItems[] = {
    {"pmUndo",        p::kMenuUndo,          "",    Qt::CTRL | Qt::Key_Z},
    {"pmCut",         p::kMenuCut,           "",    Qt::CTRL | Qt::Key_X},
    {"pmCopy",        p::kMenuCopy,          "",    Qt::CTRL | Qt::Key_C},
    {"pmPaste",       p::kMenuPaste,         "",    Qt::CTRL | Qt::Key_V},
    {"pmDelete",      p::kMenuDelete,        "",    QKeyCombination(Qt::Key_Delete)},
    {"pmSelectAll",   p::kMenuSelectAll,     "",    Qt::CTRL | Qt::Key_A},
    {"pmClearAll",    p::kMenuClearAllText,  "",    Qt::CTRL | Qt::Key_Delete},
    {"pmRusTransLit", L"Rus->TransLit",      "",    Qt::CTRL | Qt::Key_T},
    {"pmTransLitRus", L"TransLit->Rus",      "",    Qt::CTRL | Qt::Key_R},
    {"DOSWIN1",       L"DOS->WIN",           "",    Qt::CTRL | Qt::Key_D},
    {"KOIWIN1",       L"KOI->WIN",           "",    Qt::CTRL | Qt::Key_K},
    {"mInsCalc",      p::kInsertCalculations, "",   Qt::CTRL | Qt::Key_W},
    {"mForm",         p::kMenuForm,          "...", QKeyCombination(Qt::Key_F4)},
    {"pmSave",        p::kSaveToFile,        "...", Qt::CTRL | Qt::Key_S},
    {"pmRun",         p::kRun,               "",    QKeyCombination(Qt::Key_F9)},
};
// clang-format on

// The keypad: digits, the decimal separator, signs and "C".
constexpr const char* kKeypad[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", ",",
                                   "+", "-", "*", "/", "%", "(", ")", "=", ":", ";", "C"};

}  // namespace

void TFormNote::BuildTools() {
  auto* tools = static_cast<QHBoxLayout*>(m_panTop->layout());
  const auto button = [this](QWidget* parent, const char* name, const QString& caption, auto handler) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setAutoRaise(true);
    // Tab reaches every button for a keyboard-only user; a click leaves the focus in the text.
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QToolButton::clicked, this, handler);
    return b;
  };
  // Tab goes as the window reads: the tool bar left to right, the text, then the keypad.
  QList<QWidget*> tabOrder;
  int at = 0;
  const auto tool = [&](QToolButton* b) {
    tools->insertWidget(at++, b);
    tabOrder << b;
  };
  tool(button(m_panTop, "ButTime", QStringLiteral("d/t"), [this] { InsertDateTime(); }));
  tool(button(m_panTop, "ButForm", QStringLiteral("f(x)"), [this] { OpenFormula(); }));
  tool(button(m_panTop, "ButInsCalc", QStringLiteral("\u03A3"), [this] { InsertCalculations(); }));
  tool(button(m_panTop, "ButCalc", QStringLiteral("="), [this] { CalcSelection(false); }));
  tool(button(m_panTop, "ButCTime", QStringLiteral("t="), [this] { CalcSelection(true); }));
  tool(button(m_panTop, "ButNum", QStringLiteral("N\u2192A"), [this] { WordsForSelection(false); }));
  tabOrder << m_but;

  // The alarm clock at the right edge: hour ":" minute.
  auto* panClock = new QWidget(m_panTop);
  panClock->setObjectName(QStringLiteral("PanClock"));
  auto* clock = new QHBoxLayout(panClock);
  clock->setContentsMargins(0, 0, 0, 0);
  clock->setSpacing(0);
  m_butH = button(panClock, "ButH", QString(), [this] { ButHClick(); });
  m_butM = button(panClock, "ButM", QString(), [this] { ButMClick(); });
  clock->addWidget(m_butH);
  clock->addWidget(new QLabel(QStringLiteral(":"), panClock));
  clock->addWidget(m_butM);
  QFont clockFont = font();
  if (clockFont.pointSizeF() > 16) clockFont.setPointSizeF(16);
  panClock->setFont(clockFont);
  tools->addWidget(panClock);
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

  for (const NoteItem& item : kItems) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcut(QKeySequence(item.key));
    action->setShortcutContext(Qt::WidgetShortcut);  // shown in the menu; the key table acts
    m_items.insert(QString::fromLatin1(item.name), action);
  }
  const auto on = [this](const char* name, auto handler) {
    connect(m_items.value(QString::fromLatin1(name)), &QAction::triggered, this, handler);
  };
  on("pmUndo", [this] { m_m->undo(); });
  on("pmCut", [this] { m_m->cut(); });
  on("pmCopy", [this] { m_m->copy(); });
  on("pmPaste", [this] { m_m->paste(); });
  on("pmDelete", [this] { m_m->textCursor().removeSelectedText(); });
  on("pmSelectAll", [this] { m_m->selectAll(); });
  on("pmClearAll", [this] { ClearAll(); });
  on("pmRusTransLit", [this] { Convert(NoteConversion::RusToTransLit); });
  on("pmTransLitRus", [this] { Convert(NoteConversion::TransLitToRus); });
  on("DOSWIN1", [this] { Convert(NoteConversion::DosToWin); });
  on("KOIWIN1", [this] { Convert(NoteConversion::KoiToWin); });
  on("mInsCalc", [this] { InsertCalculations(); });
  on("mForm", [this] { OpenFormula(); });
  on("pmSave", [this] { SaveToFile(); });
  on("pmRun", [this] { Run(); });
  m_m->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_m, &QPlainTextEdit::customContextMenuRequested, this,
          [this](const QPoint& where) { PopupMenu(m_m->mapToGlobal(where)); });
}

void TFormNote::ApplyToolCaptions() {
  const bool english = m_services.settings.english;
  const auto hint = [this](const char* name, const QString& text) {
    if (auto* b = findChild<QToolButton*>(QString::fromLatin1(name))) b->setToolTip(text);
  };
  hint("ButH", Lang(p::kHour, english) + QStringLiteral(" (F2)"));
  hint("ButM", Lang(p::kMin, english) + QStringLiteral(" (F3)"));
  if (auto* panClock = findChild<QWidget*>(QStringLiteral("PanClock")))
    panClock->setToolTip(Lang(p::kSetAlarm, english));
  hint("ButTime", Lang(p::kInsertDateTime, english) + QStringLiteral(" (F5)"));
  hint("ButInsCalc", Lang(p::kInsertCalculations, english) + QStringLiteral("   (Ctrl+W)"));
  hint("ButCalc", Lang(p::kCalculateSelection, english) + QStringLiteral(" (F6)"));
  hint("ButCTime", Lang(p::kCalculateTime, english) + QStringLiteral(" (Ctrl+F6)"));
  hint("ButNum", Lang(p::kSelectedNumberToText, english) + QStringLiteral(" (F7)"));
  hint("ButForm", Lang(p::kMenuForm, english).mid(1) + QStringLiteral(" (F4)"));
  for (const NoteItem& item : kItems) {
    m_items.value(QString::fromLatin1(item.name))->setText(Lang(item.pair, english) + QString::fromLatin1(item.suffix));
  }
}

void TFormNote::EnableItems() {
  const bool selected = m_m->textCursor().hasSelection();
  const bool filled = !m_m->document()->isEmpty();
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  const auto enable = [this](const char* name, bool on) { m_items.value(QString::fromLatin1(name))->setEnabled(on); };
  enable("pmUndo", m_m->document()->isUndoAvailable());
  for (const char* name : {"pmCut", "pmCopy", "pmDelete"}) enable(name, selected);
  enable("pmPaste", clip && clip->hasText());
  for (const char* name : {"pmSelectAll", "pmClearAll", "pmSave"}) enable(name, filled);
}

void TFormNote::PopupMenu(const QPoint& global) {
  EnableItems();
  const bool filled = !m_m->document()->isEmpty();
  const auto item = [this](const char* name) { return m_items.value(QString::fromLatin1(name)); };

  QMenu menu(this);
  menu.setObjectName(QStringLiteral("Pm"));
  menu.addActions({item("pmUndo")});
  menu.addSeparator();
  menu.addActions({item("pmCut"), item("pmCopy"), item("pmPaste"), item("pmDelete")});
  menu.addSeparator();
  menu.addActions({item("pmSelectAll"), item("pmClearAll")});
  menu.addSeparator();
  QMenu* decode = menu.addMenu(Lang(p::kDecode, m_services.settings.english));
  decode->setEnabled(filled);
  decode->addActions({item("pmRusTransLit"), item("pmTransLitRus"), item("DOSWIN1"), item("KOIWIN1")});
  menu.addActions({item("pmRun"), item("mInsCalc"), item("mForm"), item("pmSave")});
  menu.exec(global);
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
  m_butH->setText(QStringLiteral("%1").arg(alarm.hour, 2, 10, QLatin1Char('0')));
  m_butM->setText(QStringLiteral("%1").arg(alarm.minute, 2, 10, QLatin1Char('0')));
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
  if (modifiers == Qt::ControlModifier) {
    for (const NoteItem& item : kItems) {
      if (item.key.keyboardModifiers() != Qt::ControlModifier || item.key.key() != key) continue;
      const QString name = QString::fromLatin1(item.name);
      // The editor's own undo, clipboard and select-all keys stay the editor's.
      if (name == QLatin1String("pmUndo") || name == QLatin1String("pmCut") || name == QLatin1String("pmCopy") ||
          name == QLatin1String("pmPaste") || name == QLatin1String("pmSelectAll")) {
        return false;
      }
      m_items.value(name)->trigger();
      return true;
    }
  }
  switch (key) {
    case Qt::Key_Escape:
      close();
      return true;
    case Qt::Key_F2:
      ButHClick();
      return true;
    case Qt::Key_F3:
      ButMClick();
      return true;
    case Qt::Key_F4:
      OpenFormula();
      return true;
    case Qt::Key_F9:
      Run();
      return true;
    case Qt::Key_F5:
      InsertDateTime();
      return true;
    case Qt::Key_F6:
      CalcSelection(modifiers == Qt::ControlModifier);
      return true;
    case Qt::Key_F7:
      WordsForSelection((modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0);
      return true;
    default:
      break;
  }
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
