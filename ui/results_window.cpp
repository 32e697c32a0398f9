#include "ui/results_window.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QVBoxLayout>

#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/settings/results_file.h"
#include "engine/tape/spoken_rows.h"
#include "ui/accessibility.h"
#include "ui/command_table.h"
#include "ui/drag_source.h"
#include "ui/key_modifiers.h"
#include "ui/message_dialogs.h"
#include "ui/qt_text.h"
#include "ui/results_window_host.h"
#include "ui/row_list_view.h"

namespace tallyman::ui {
namespace {

constexpr int kClientWidth = 282;
constexpr int kClientHeight = 105;

}  // namespace

TFormRes::TFormRes(Calculator& calculator, ResultsWindowHost& host, QMainWindow* parent)
    : QMainWindow(parent, Qt::Window), m_calc(calculator), m_host(host) {
  setObjectName(QStringLiteral("TFormRes"));
  setWindowTitle(Lang(pairs::kResults, false));
  // The designed client area lies below a menu bar as tall as the main window's.
  resize(kClientWidth, kClientHeight + parent->menuBar()->sizeHint().height());
  move(131, 306);
  m_calc.AddStateObserver(this);
}

TFormRes::~TFormRes() {
  m_calc.RemoveStateObserver(this);
}

RowListView* TFormRes::Lm() {
  EnsureContents();
  return m_lm;
}

QLineEdit* TFormRes::EdRes() {
  EnsureContents();
  return m_edRes;
}

void TFormRes::EnsureContents() {
  if (m_lm) return;
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_lm = new RowListView(
      QStringLiteral("Lm"), m_calc.ResultsList().List(), [this](long row) { m_calc.SelectResult(row); }, central);
  m_calc.SetResultsObserver(&m_lm->Observer());
  m_lm->SetDragPayload([this](QPoint) { return DragPayload(kDragFromResults); });
  m_lm->SetSpokenText([this](long row) {
    const Results& results = m_calc.ResultsList();
    return ToQString(SpokenResultRow(results.Row(row), results.IsComment(row), m_host.English()));
  });
  layout->addWidget(m_lm, 1);

  m_panRes = new QWidget(central);
  m_panRes->setObjectName(QStringLiteral("PanRes"));
  m_edRes = new QLineEdit(m_panRes);
  m_edRes->setObjectName(QStringLiteral("EdRes"));
  m_edRes->setReadOnly(true);
  m_edRes->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(m_panRes);
  setCentralWidget(central);

  BuildMenus();
  menuBar()->setFont(QApplication::font("QMenuBar"));
  for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(QApplication::font("QMenu"));
  for (QObject* watched : {static_cast<QObject*>(m_lm), static_cast<QObject*>(m_lm->viewport()),
                           static_cast<QObject*>(m_edRes), static_cast<QObject*>(m_panRes)}) {
    watched->installEventFilter(this);
  }
  m_lm->viewport()->setAcceptDrops(true);
  m_edRes->setAcceptDrops(true);
  connect(m_lm, &QListView::doubleClicked, this, [this] { EditComment(); });
  connect(m_lm, &QListView::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupList(m_lm->viewport()->mapToGlobal(at)); });
  connect(m_edRes, &QLineEdit::customContextMenuRequested, this,
          [this](const QPoint& at) { m_pmTotal->exec(m_edRes->mapToGlobal(at)); });

  if (m_font != QFont()) TakeFont(m_font);
  Recaption();
  menuBar()->setVisible(m_host.MenuVisible());
  const long selected = m_calc.ResultsList().Selected();
  if (selected >= 0) m_lm->ShowSelection(selected);
  ShowTotal();
}

void TFormRes::BuildMenus() {
  using C = Command;
  namespace p = tallyman::pairs;
  const auto id = [](C command) { return static_cast<int>(command); };
  // Commands on an empty list have nothing to work on.
  const auto any = [this] { return !m_calc.ResultsList().Empty(); };
  const auto save = [this](bool withTapes) {
    return [this, withTapes] {
      if (m_calc.ResultsList().Count() == 0) return;
      const QString path =
          m_host.Ui().files->Choose(this, FileChoice::kSaveText, Lang(p::kSaveResults, m_host.English()));
      if (path.isEmpty()) return;
      if (withTapes) {
        SaveRowsWithTapes(path);
      } else {
        SaveRows(path);
      }
    };
  };
  const auto edit = [this] { EditComment(); };
  const auto take = [this] { TakeEntry(); };
  const auto goTo = [this] { GoToEntry(); };
  // The menu bar's item and its pop-up twin share the key.
  const QKeyCombination editKey = Qt::Key_F5;
  const QKeyCombination takeKey = Qt::Key_F7;
  const QKeyCombination goToKey = Qt::Key_F8;
  const KeyUse acts = KeyUse::kActs;
  // The pop-up twins write the key into the caption; the menu bar's item owns it.
  const KeyUse shown = KeyUse::kInCaption;
  // clang-format off
  m_commands = std::make_unique<CommandSet>(this, std::vector<tallyman::ui::Command>{
      {id(C::kSave),        "mSave",      p::kMenuSave,      Qt::CTRL | Qt::Key_S,      acts,  "%1",     any, save(false)},
      {id(C::kSaveAll),     "mSaveAll",   p::kMenuSaveAll,   {},                        acts,  "%1",     any, save(true)},
      {id(C::kPrint),       "mPrint",     p::kMenuPrint,     Qt::CTRL | Qt::Key_P,      acts,  "%1",     any,
       [this] { m_host.PrintRows(m_calc.ResultsList().List().Rows(), true); }},
      {id(C::kEdit),        "mEdit",      p::kMenuRowEdit,   editKey,                   acts,  "%1",     any, edit},
      {id(C::kPopupEdit),   "mpEdit",     p::kMenuRowEdit,   editKey,                   shown, "%1  %2", any, edit},
      {id(C::kDelete),      "mDelete",    p::kMenuRowDelete, Qt::Key_Delete,            shown, "%1",     any, [this] { DeleteEntry(); }},
      {id(C::kResult),      "mResult",    p::kMenuResult,    takeKey,                   acts,  "%1",     any, take},
      {id(C::kPopupResult), "mpResult",   p::kMenuResult,    takeKey,                   shown, "%1  %2", any, take},
      {id(C::kGoTo),        "mGoTo",      p::kMenuGoTo,      goToKey,                   acts,  "%1",     any, goTo},
      {id(C::kPopupGoTo),   "mpGoTo",     p::kMenuGoTo,      goToKey,                   shown, "%1  %2", any, goTo},
      {id(C::kClearAll),    "mClearAll",  p::kMenuClearAll,  Qt::CTRL | Qt::Key_Delete, acts,  "%1",     any, [this] { ClearAll(); }},
      {id(C::kResMove),     "mpResMove",  p::kMenuResMove,   {},                        acts,  "%1",     {},  [this] { m_calc.MoveTotalIntoEntry(); }},
      {id(C::kResCopy),     "mpResCopy",  p::kMenuResCopy,   {},                        acts,  "%1",     {},  [this] { m_calc.CopyTotal(); }},
  });
  // clang-format on
  const CommandSet& c = *m_commands;
  m_mFile = menuBar()->addMenu(QString());
  m_mFile->setObjectName(QStringLiteral("mFile"));
  c.AddTo(m_mFile, {C::kSave, C::kSaveAll, C::kPrint});
  m_mOperations = menuBar()->addMenu(QString());
  m_mOperations->setObjectName(QStringLiteral("mOperations"));
  c.AddTo(m_mOperations, {C::kEdit, C::kDelete, C::kResult, C::kGoTo});
  m_mOperations->addSeparator();
  c.AddTo(m_mOperations, {C::kClearAll});

  m_pmList = new QMenu(this);
  m_pmList->setObjectName(QStringLiteral("pmList"));
  c.AddTo(m_pmList, {C::kPopupEdit, C::kDelete, C::kPopupResult, C::kPopupGoTo});
  m_pmList->addSeparator();
  c.AddTo(m_pmList, {C::kSave, C::kPrint, C::kClearAll});
  m_pmTotal = new QMenu(this);
  m_pmTotal->setObjectName(QStringLiteral("pmTotal"));
  c.AddTo(m_pmTotal, {C::kResMove, C::kResCopy});
}

void TFormRes::PopupList(const QPoint& global) {
  const bool any = m_calc.IsEnabled(MenuCommand::kResultsEntry);
  const QList<QAction*> items = m_pmList->actions();
  QList<bool> before;
  for (QAction* item : items) {
    before.append(item->isEnabled());
    if (!item->isSeparator()) item->setEnabled(any);
  }
  m_pmList->exec(global);
  for (int i = 0; i < items.size(); ++i) items[i]->setEnabled(before[i]);
}

void TFormRes::ShowWindow() {
  EnsureContents();
  TakeFont(m_host.MainFont());
  show();
  UpdateTabStops();
}

void TFormRes::FocusList() {
  EnsureContents();
  m_lm->setFocus();
}

void TFormRes::StateChanged(const StateChange& change) {
  if (change.total) ShowTotal();
}

void TFormRes::ShowTotal() {
  if (!m_edRes) return;
  const QString total = ToQString(m_calc.ResultsList().Total());
  if (m_edRes->text() != total) m_edRes->setText(total);
  m_commands->Enable();
}

void TFormRes::ApplyLanguage() {
  setWindowTitle(Lang(pairs::kResults, m_host.English()));
  if (m_lm) Recaption();
}

void TFormRes::Recaption() {
  const bool english = m_host.English();
  m_commands->Caption(english);
  m_mFile->setTitle(Lang(pairs::kMenuFile, english));
  m_mOperations->setTitle(Lang(pairs::kMenuOperations, english));
  setWindowTitle(Lang(pairs::kResults, english));
  SetAccessibleText(m_lm, pairs::kResults, english);
  SetAccessibleText(m_edRes, pairs::kNameTotal, english);
  m_lm->Relanguage();
}

void TFormRes::ApplyMenuVisibility() {
  if (m_lm) menuBar()->setVisible(m_host.MenuVisible());
}

void TFormRes::TakeFont(const QFont& font) {
  m_font = font;
  if (!m_lm) return;
  m_lm->setFont(font);
  m_edRes->setFont(font);
  m_lm->SetRowHeight(QFontMetrics(font).height() + 3);
  m_panRes->setFixedHeight(m_edRes->sizeHint().height() + 4);
  LayoutTotalPanel();
}

void TFormRes::LayoutTotalPanel() {
  m_edRes->setGeometry(0, 2, std::max(10, m_panRes->width() - 10), m_panRes->height() - 4);
}

void TFormRes::UpdateTabStops() {
  if (!m_lm) return;
  m_lm->UpdateTabStop(m_panRes->width(), m_host.TabDelta());
}

void TFormRes::EditComment() {
  const Results& results = m_calc.ResultsList();
  if (results.Selected() < 0) return;
  QString text = ToQString(results.Description(results.Selected()));
  const QFont font = m_host.MainFont();
  if (!InputText(*m_host.Ui().answers, this, Lang(pairs::kComments, m_host.English()),
                 Lang(pairs::kAnyText, m_host.English()), text, m_host.Style(), &font)) {
    return;
  }
  const Text comment = FromQString(text);
  m_calc.CommentResult(comment);
}

void TFormRes::DeleteEntry() {
  m_calc.DeleteResult();
}

void TFormRes::TakeEntry() {
  m_calc.TakeResultEntry();
  m_host.ReturnToMain(false);
}

void TFormRes::GoToEntry() {
  m_calc.GoToResult();
}

void TFormRes::ClearAll() {
  if (m_calc.ResultsList().Count() == 0) return;
  const DialogResult answer =
      ShowQuestion(*m_host.Ui().answers, this, Lang(pairs::kRemoveEverythingQuestion, m_host.English()),
                   DialogKind::Confirmation, kButtonYes | kButtonNo, m_host.Style());
  if (answer != DialogResult::kYes) return;
  m_calc.ClearAllResults();
}

bool TFormRes::SaveRows(const QString& path) {
  const Results& results = m_calc.ResultsList();
  if (WriteTextLines(path.toStdString(), ResultsFileLines(results.List().Rows()))) return true;
  ShowMessageBox(*m_host.Ui().answers, this, Lang(pairs::kFileError, m_host.English()), m_host.Style());
  return false;
}

bool TFormRes::SaveRowsWithTapes(const QString& path) {
  const Results& results = m_calc.ResultsList();
  if (WriteTextLines(path.toStdString(), ResultsWithTapesFileLines(results))) return true;
  ShowMessageBox(*m_host.Ui().answers, this, Lang(pairs::kFileError, m_host.English()), m_host.Style());
  return false;
}

void TFormRes::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  if ((event->key() == Qt::Key_Escape || event->key() == Qt::Key_F2) && modifiers == Qt::NoModifier) {
    close();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

bool TFormRes::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const Qt::KeyboardModifiers modifiers = KeyModifiers(key);
      if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_Tab) {
        m_host.ReturnToMain(true);
        return true;
      }
      if ((key->key() == Qt::Key_Escape || key->key() == Qt::Key_F2) && modifiers == Qt::NoModifier) {
        close();
        return true;
      }
      if (watched == m_lm && modifiers == Qt::NoModifier) {
        m_commands->Enable();  // the list may have filled without a new total
        if (m_commands->RunKey(key)) return true;
        if (IsEnterKey(key->key())) {
          EditComment();
          return true;
        }
      }
      if (watched == m_edRes && ((modifiers == Qt::ControlModifier && key->key() == Qt::Key_C) ||
                                 (modifiers == Qt::ControlModifier && key->key() == Qt::Key_Insert))) {
        m_edRes->deselect();
        m_calc.CopyTotal();
        m_edRes->end(false);
        return true;
      }
      break;
    }
    case QEvent::Resize:
      if (watched == m_panRes) {
        LayoutTotalPanel();
        UpdateTabStops();
      }
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      if (watched == m_edRes && m_totalDrag.Starts(event)) {
        auto* drag = new QDrag(m_edRes);
        drag->setMimeData(DragPayload(kDragFromTotal));
        drag->exec(Qt::CopyAction);
        return true;
      }
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      // Drops here only end the drag.
      auto* drop = static_cast<QDropEvent*>(event);
      if (drop->mimeData()->hasFormat(QString::fromLatin1(kDragMimeType))) drop->acceptProposedAction();
      return true;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

QMimeData* TFormRes::DragPayload(const QString& source) const {
  if (source == kDragFromResults && m_calc.ResultsList().Count() == 0) return nullptr;
  auto* payload = new QMimeData;
  payload->setData(QString::fromLatin1(kDragMimeType), source.toUtf8());
  return payload;
}

}  // namespace tallyman::ui
