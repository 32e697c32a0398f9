#include "ui/formula_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "engine/core/lang_pairs.h"
#include "engine/formula/evaluate.h"
#include "engine/settings/formula_entry.h"
#include "ui/accessibility.h"
#include "ui/command_table.h"
#include "ui/key_modifiers.h"
#include "ui/message_dialogs.h"
#include "ui/qt_text.h"
#include "ui/row_list_view.h"
#include "ui/window_places.h"

namespace tallyman::ui {
namespace {

constexpr int kDefaultWidth = 500;
constexpr int kDefaultHeight = 140;
constexpr int kEntryLeft = 4;
constexpr int kEntryMargin = 50;  // the entry is this much narrower than the window
constexpr int kPanelExtra = 20;   // the panel is this much taller than the entry

// Evaluation messages shown as the program's message box.
class MessageBoxSink : public MessageSink {
 public:
  MessageBoxSink(DialogAnswerer& answers, QWidget* parent, DialogStyle style)
      : m_answers(answers), m_parent(parent), m_style(style) {}
  void ShowMessage(const Text& text) override { ShowMessageBox(m_answers, m_parent, ToQString(text), m_style); }

 private:
  DialogAnswerer& m_answers;
  QWidget* m_parent;
  DialogStyle m_style;
};

}  // namespace

TForm1::TForm1(std::filesystem::path formulaFile, const Locale& locale, const NumberText& numbers, DialogStyle style,
               DialogAnswerer& answers, QWidget* parent)
    : QDialog(parent),
      m_file(std::move(formulaFile)),
      m_locale(locale),
      m_numbers(numbers),
      m_style(style),
      m_answers(answers) {
  const bool english = style.English();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(Lang(pairs::kEnterFormula, english));
  setWindowFlag(Qt::WindowStaysOnTopHint, style.onTop);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_panForm = new QWidget(this);
  m_panForm->setObjectName(QStringLiteral("PanForm"));
  m_edForm = new QLineEdit(m_panForm);
  m_edForm->setObjectName(QStringLiteral("EdForm"));
  layout->addWidget(m_panForm);
  m_lbForm = new RowListView(
      QStringLiteral("LbForm"), m_rows,
      [this](long row) {
        m_rows.Select(row);
        CopySelectedLine();
      },
      this);
  m_rows.SetObserver(&m_lbForm->Observer());
  SetAccessibleText(m_edForm, pairs::kNameFormula, english);
  SetAccessibleText(m_lbForm, pairs::kNameHistory, english);
  layout->addWidget(m_lbForm, 1);

  m_pmForm = new QMenu(this);
  m_pmForm->setObjectName(QStringLiteral("PmForm"));
  const auto filled = [this] { return !m_rows.Empty(); };
  // The menu shows its keys; the list's key handler runs them (in the entry, Delete edits).
  // clang-format off
  const auto id = [](Command command) { return static_cast<int>(command); };
  m_commands = std::make_unique<CommandSet>(this, std::vector<tallyman::ui::Command>{
      {id(Command::kDelete), "mDel",   pairs::kDeleteCurrentLine, Qt::Key_Delete,            KeyUse::kShown, "%1",
       [this, filled] { return filled() && m_rows.Selected() >= 0; }, [this] { DeleteLine(); }},
      {id(Command::kClear),  "mClear", pairs::kClearAllLines,     Qt::CTRL | Qt::Key_Delete, KeyUse::kShown, "%1", filled, [this] { ClearLines(); }},
  });
  // clang-format on
  m_commands->Caption(english);
  m_commands->AddTo(m_pmForm, {Command::kDelete, Command::kClear});
  connect(m_lbForm, &QListView::customContextMenuRequested, this, [this](const QPoint& at) {
    PreparePopup();
    m_pmForm->exec(m_lbForm->viewport()->mapToGlobal(at));
  });
  connect(m_lbForm, &QListView::clicked, this, [this] { CopySelectedLine(); });
  connect(m_lbForm, &QListView::doubleClicked, this, [this] {
    if (m_rows.Selected() < 0) return;
    CopySelectedLine();
    EvaluateEntry(true);
  });

  for (QObject* watched : {static_cast<QObject*>(m_edForm), static_cast<QObject*>(m_lbForm),
                           static_cast<QObject*>(m_lbForm->viewport()), static_cast<QObject*>(m_panForm)}) {
    watched->installEventFilter(this);
  }
  resize(std::max(kDefaultWidth, TitleWidth(windowTitle(), this)), kDefaultHeight);

  m_history.Load(m_file);  // a missing or unreadable file is an empty history
  ShowHistory(0);
  ShowActiveColour(m_edForm, true);
  m_lbForm->ShowActive(false);
}

void TForm1::ShowHistory(long selected) {
  m_rows.Assign(m_history.Lines());
  m_rows.Select(m_rows.Empty() ? -1 : selected);
  m_lbForm->setFrameShape(m_rows.Empty() ? QFrame::NoFrame : QFrame::Box);
}

void TForm1::CopySelectedLine() {
  const long selected = m_rows.Selected();
  if (selected >= 0) m_edForm->setText(ToQString(m_rows.Row(selected)));
}

void TForm1::SelectLine(long index) {
  m_rows.Select(index);
  CopySelectedLine();
}

void TForm1::EvaluateEntry(bool closeOnSuccess) {
  m_result = 0;
  const Text trimmed = FromQString(m_edForm->text().trimmed());
  switch (KindOfFormulaEntry(trimmed)) {
    case FormulaEntryKind::kEmpty:
      return;
    case FormulaEntryKind::kNote:
      m_history.Store(FromQString(m_edForm->text()));
      m_history.Save(m_file);  // failures are ignored: the old file stays intact
      ShowHistory(0);
      return;
    case FormulaEntryKind::kFormula:
      break;
  }
  const EvalResult result = Evaluate(trimmed, m_locale);
  m_result = result.value;
  if (result.errCode == FormulaError::kNone) {
    setWindowTitle(ToQString(m_numbers.FormatCalc(result.value)));
    if (closeOnSuccess) accept();
    return;
  }
  MessageBoxSink sink(m_answers, this, m_style);
  ShowEvalError(result.errCode, m_style.English(), sink);
  m_edForm->setFocus();
  m_edForm->deselect();
  m_edForm->setCursorPosition(static_cast<int>(ErrorCaret(result.errPos, m_edForm->text().size())));
}

QAction* TForm1::MDel() const {
  return (*m_commands)[Command::kDelete];
}

QAction* TForm1::MClear() const {
  return (*m_commands)[Command::kClear];
}

void TForm1::PreparePopup() {
  m_commands->Enable();
}

bool TForm1::Ask(const wchar_t* pair) {
  return Confirm(m_answers, this, Lang(pair, m_style.English()) + QLatin1Char('?'), m_style);
}

void TForm1::DeleteLine() {
  if (!Ask(pairs::kDeleteCurrentLine)) return;
  const long index = m_rows.Selected();
  m_history.Remove(static_cast<size_t>(index));
  ShowHistory(SelectionAfterRemoval(index, static_cast<long>(m_history.Count())));
  CopySelectedLine();
  m_history.Save(m_file);
}

void TForm1::ClearLines() {
  if (!Ask(pairs::kClearAllLines)) return;
  // The file is left as it is; it goes when the window closes with the list still empty.
  m_history.Clear();
  ShowHistory(-1);
}

void TForm1::done(int result) {
  if (result == QDialog::Accepted) {
    m_history.StoreResult(FromQString(m_edForm->text()));
    m_history.Save(m_file);  // failures are ignored: the old file stays intact
  }
  m_history.RemoveFileIfEmpty(m_file);
  QDialog::done(result);
}

bool TForm1::EntryKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  // Alt or Meta with a character is a mnemonic that matched nothing: it types nothing either.
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
    return !event->text().isEmpty() && event->text().at(0).isPrint();
  if (modifiers != Qt::NoModifier) return false;
  const long selected = m_rows.Selected();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EvaluateEntry(true);
      return true;
    case Qt::Key_F12:
      EvaluateEntry(false);
      m_edForm->setFocus();
      m_edForm->selectAll();
      return true;
    case Qt::Key_Up:
      if (selected > 0) SelectLine(selected - 1);
      return true;
    case Qt::Key_Down:
      if (selected + 1 < m_rows.Count()) SelectLine(selected + 1);
      return true;
    default:
      return false;
  }
}

bool TForm1::ListKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  if (event->key() == Qt::Key_Delete) {
    m_commands->Enable();  // the keys follow the list as the menu would show it now
    if (m_commands->RunKey(event)) return true;
  }
  if (IsEnterKey(event->key()) && modifiers == Qt::NoModifier) {
    if (m_rows.Selected() >= 0) {
      CopySelectedLine();
      EvaluateEntry(true);
    }
    return true;
  }
  return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (watched == m_edForm) return EntryKey(key);
      if (watched == m_lbForm) return ListKey(key);
      break;
    }
    case QEvent::Wheel: {
      // The wheel walks the history as Up and Down in the entry do.
      const long selected = m_rows.Selected();
      const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
      if (delta > 0 && selected > 0) SelectLine(selected - 1);
      if (delta < 0 && selected + 1 < m_rows.Count()) SelectLine(selected + 1);
      return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
      const bool in = event->type() == QEvent::FocusIn;
      if (watched == m_edForm) ShowActiveColour(m_edForm, in);
      if (watched == m_lbForm) m_lbForm->ShowActive(in);
      break;
    }
    case QEvent::Resize:
      if (watched == m_panForm) LayoutEntry();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm1::LayoutEntry() {
  const int entryHeight = m_edForm->sizeHint().height();
  m_panForm->setFixedHeight(entryHeight + kPanelExtra);
  m_edForm->setGeometry(kEntryLeft, kPanelExtra / 2, std::max(0, width() - kEntryMargin), entryHeight);
}

void TForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_edForm->deselect();
  m_edForm->setFocus();
  LayoutEntry();
  if (m_style.onTop) {
    raise();
    activateWindow();
  }
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayoutEntry();
}

}  // namespace tallyman::ui
