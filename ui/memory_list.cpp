#include "ui/memory_list.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "engine/core/lang_pairs.h"
#include "engine/settings/slot_text.h"
#include "engine/tape/spoken_rows.h"
#include "ui/accessibility.h"
#include "ui/command_table.h"
#include "ui/key_modifiers.h"
#include "ui/message_dialogs.h"
#include "ui/qt_text.h"
#include "ui/row_list_view.h"
#include "ui/window_places.h"

namespace tallyman::ui {
namespace {

constexpr int kDefaultWidth = 220;
constexpr int kDefaultHeight = 280;

}  // namespace

TFormList::TFormList(Calculator& calc, const QString& entry, DialogStyle style, DialogAnswerer& answers,
                     QWidget* parent)
    : QDialog(parent), m_calc(calc), m_entry(entry), m_style(style), m_answers(answers) {
  const bool english = style.English();
  setObjectName(QStringLiteral("FormList"));
  QString title = Lang(pairs::kMenuListMem, english);
  title.remove(title.indexOf(QLatin1Char('&')), 1);
  setWindowTitle(title);
  setWindowFlag(Qt::WindowStaysOnTopHint, style.onTop);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  m_rows.Assign(std::vector<Text>(m_calc.Memory().size()));
  ShowLines();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_lbList = new RowListView(
      QStringLiteral("LbList"), m_rows, [this](long row) { m_rows.Select(row); }, this);
  m_rows.SetObserver(&m_lbList->Observer());
  m_lbList->SetSpokenText([this](long row) {
    return ToQString(
        SpokenMemoryLine(static_cast<int>(row), Slot(static_cast<int>(row)), m_calc.Numbers(), m_style.English()));
  });
  SetAccessibleText(m_lbList, pairs::kNameMemory, m_style.English());
  layout->addWidget(m_lbList);
  m_rows.Select(0);

  using C = Command;
  const auto id = [](C command) { return static_cast<int>(command); };
  // The menu shows its keys; the list's key handler runs them.
  const KeyUse list = KeyUse::kShown;
  // clang-format off
  m_commands = std::make_unique<CommandSet>(this, std::vector<tallyman::ui::Command>{
      {id(C::kEdit),     "mPutNum",   pairs::kEdit,     {},                        list,                "&%1",                {}, [this] { EditCell(); }},
      {id(C::kGet),      "mGetNum",   pairs::kGet,      Qt::Key_Insert,            list,                "&%1",                {}, [this] { TakeOrEdit(); }},
      {id(C::kRemember), "mPutClose", pairs::kRemember, Qt::Key_Plus,              KeyUse::kInCaption,  "&%1 %3       (%2)",  {}, [this] { StoreEntryInCell(); }, entry},
      {id(C::kDelete),   "mDel",      pairs::kDelete,   Qt::Key_Delete,            list,                "&%1",                {}, [this] { DeleteCell(); }},
      {id(C::kClear),    "mClear",    pairs::kClearAll, Qt::CTRL | Qt::Key_Delete, list,                "&%1",                {}, [this] { ClearCells(); }},
  });
  // clang-format on
  m_commands->Caption(english);
  m_pm = new QMenu(this);
  m_pm->setObjectName(QStringLiteral("Pm"));
  m_commands->AddTo(m_pm, {C::kEdit, C::kGet, C::kRemember});
  m_pm->setDefaultAction((*m_commands)[C::kEdit]);
  m_pm->addSeparator()->setObjectName(QStringLiteral("N1"));
  m_commands->AddTo(m_pm, {C::kDelete, C::kClear});
  connect(m_lbList, &QListView::customContextMenuRequested, this, [this](const QPoint& at) {
    PreparePopup();
    m_pm->exec(m_lbList->viewport()->mapToGlobal(at));
  });
  connect(m_lbList, &QListView::doubleClicked, this, &TFormList::EditCell);

  m_lbList->installEventFilter(this);
  m_lbList->viewport()->installEventFilter(this);
  resize(std::max(kDefaultWidth, TitleWidth(windowTitle(), this)), kDefaultHeight);
  m_calc.AddStateObserver(this);
}

TFormList::~TFormList() {
  m_calc.RemoveStateObserver(this);
}

void TFormList::StateChanged(const StateChange& change) {
  if (change.memory) ShowLines();
}

// The selection stays where the user put it.
void TFormList::ShowLines() {
  for (int i = 0; i < static_cast<int>(m_calc.Memory().size()); ++i) {
    m_rows.Replace(i, SlotLineText(i, Slot(i), m_calc.Numbers()));
  }
}

QAction* TFormList::MGetNum() const {
  return (*m_commands)[Command::kGet];
}

QAction* TFormList::MPutClose() const {
  return (*m_commands)[Command::kRemember];
}

void TFormList::PreparePopup() {
  const bool entry = !m_entry.isEmpty();
  QAction* remember = (*m_commands)[Command::kRemember];
  remember->setVisible(entry);
  remember->setEnabled(entry);
}

void TFormList::StoreEntryInCell() {
  const int i = Selected();
  if (i < 0) return;
  const std::optional<Number> value = EntrySlotValue(FromQString(m_entry), m_calc.Numbers());
  if (!value) return;
  m_calc.StoreSlot(i, *value, L'\0');
  reject();  // stored, nothing taken
}

void TFormList::EditCell() {
  const int i = Selected();
  if (i < 0) return;
  const MemorySlot& slot = Slot(i);
  QString text = slot.value != 0 ? ToQString(SlotEditText(slot, m_calc.Numbers())) : m_entry;
  if (!InputText(m_answers, this, windowTitle(), Lang(pairs::kEnterNumber, m_style.English()), text, m_style,
                 &font())) {
    return;
  }
  const SlotEdit edit = InterpretSlotEdit(FromQString(text), m_calc.Numbers());
  switch (edit.kind) {
    case SlotEdit::Kind::Delete:
      DeleteCell();
      break;
    case SlotEdit::Kind::Store:
      m_calc.StoreSlot(i, edit.slot.value, edit.slot.sign);
      m_calc.RenameSlot(i, edit.slot.name);
      break;
    case SlotEdit::Kind::Ignore:
      break;
  }
}

void TFormList::TakeOrEdit() {
  const int i = Selected();
  if (i < 0) return;
  if (Slot(i).value == 0) {
    EditCell();
  } else {
    accept();
  }
}

bool TFormList::Ask(const wchar_t* pair) {
  return Confirm(m_answers, this, Lang(pair, m_style.English()) + QLatin1Char('?'), m_style);
}

void TFormList::DeleteCell() {
  const int i = Selected();
  if (i < 0 || !Ask(pairs::kDelete)) return;
  m_calc.EmptySlot(i);
}

void TFormList::ClearCells() {
  if (!Ask(pairs::kClearAll)) return;
  for (int i = 0; i < static_cast<int>(m_calc.Memory().size()); ++i) m_calc.EmptySlot(i);
}

bool TFormList::ListKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  const int key = event->key();
  // Insert, Delete, Ctrl+Delete and the numeric pad's "+".
  if (m_commands->RunKey(event)) return true;
  if (modifiers != Qt::NoModifier) return false;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    m_rows.Select(key - Qt::Key_0);
    return true;
  }
  if (key == Qt::Key_Equal) {
    StoreEntryInCell();
    return true;
  }
  if (IsEnterKey(key)) {
    EditCell();
    return true;
  }
  return false;
}

bool TFormList::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (watched == m_lbList && ListKey(static_cast<QKeyEvent*>(event))) return true;
      break;
    case QEvent::MouseButtonPress: {
      // The right button selects the line under the pointer before the menu opens.
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (watched == m_lbList->viewport() && mouse->button() == Qt::RightButton) {
        const QModelIndex index = m_lbList->indexAt(mouse->position().toPoint());
        if (index.isValid()) m_rows.Select(index.row());
      }
      break;
    }
    case QEvent::Wheel: {
      const long selected = m_rows.Selected();
      const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
      if (delta > 0 && selected > 0) m_rows.Select(selected - 1);
      if (delta < 0 && selected + 1 < m_rows.Count()) m_rows.Select(selected + 1);
      return true;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tallyman::ui
