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

QAction* MakeAction(QWidget* owner, const char* name, const QKeySequence& key = {}) {
  auto* action = new QAction(owner);
  action->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) action->setShortcut(key);
  owner->addAction(action);
  return action;
}

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
          [this](const QPoint& at) { m_actions.pmTotal->exec(m_edRes->mapToGlobal(at)); });

  if (m_font != QFont()) TakeFont(m_font);
  Recaption();
  menuBar()->setVisible(m_host.MenuVisible());
  const long selected = m_calc.ResultsList().Selected();
  if (selected >= 0) m_lm->ShowSelection(selected);
  ShowTotal();
}

void TFormRes::BuildMenus() {
  Actions& a = m_actions;
  a.mSave = MakeAction(this, "mSave", QKeySequence(Qt::CTRL | Qt::Key_S));
  a.mPrint = MakeAction(this, "mPrint", QKeySequence(Qt::CTRL | Qt::Key_P));
  a.mSaveAll = MakeAction(this, "mSaveAll");
  a.mEdit = MakeAction(this, "mEdit", QKeySequence(Qt::Key_F5));
  a.mpEdit = MakeAction(this, "mpEdit");
  a.mDelete = MakeAction(this, "mDelete");
  a.mResult = MakeAction(this, "mResult", QKeySequence(Qt::Key_F7));
  a.mpResult = MakeAction(this, "mpResult");
  a.mGoTo = MakeAction(this, "mGoTo", QKeySequence(Qt::Key_F8));
  a.mpGoTo = MakeAction(this, "mpGoTo");
  a.mClearAll = MakeAction(this, "mClearAll", QKeySequence(Qt::CTRL | Qt::Key_Delete));
  a.mpResMove = MakeAction(this, "mpResMove");
  a.mpResCopy = MakeAction(this, "mpResCopy");

  a.mFile = menuBar()->addMenu(QString());
  a.mFile->setObjectName(QStringLiteral("mFile"));
  a.mFile->addActions({a.mSave, a.mSaveAll, a.mPrint});
  a.mOperations = menuBar()->addMenu(QString());
  a.mOperations->setObjectName(QStringLiteral("mOperations"));
  a.mOperations->addActions({a.mEdit, a.mDelete, a.mResult, a.mGoTo});
  a.mOperations->addSeparator();
  a.mOperations->addAction(a.mClearAll);

  a.pmList = new QMenu(this);
  a.pmList->addActions({a.mpEdit, a.mDelete, a.mpResult, a.mpGoTo});
  a.pmList->addSeparator();
  a.pmList->addActions({a.mSave, a.mPrint, a.mClearAll});
  a.pmTotal = new QMenu(this);
  a.pmTotal->addActions({a.mpResMove, a.mpResCopy});

  const auto on = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };
  on(a.mSave, [this] {
    if (m_calc.ResultsList().Count() == 0) return;
    const QString path =
        m_host.Ui().files->Choose(this, FileChoice::kSaveText, Lang(pairs::kSaveResults, m_host.English()));
    if (!path.isEmpty()) SaveRows(path);
  });
  on(a.mSaveAll, [this] {
    if (m_calc.ResultsList().Count() == 0) return;
    const QString path =
        m_host.Ui().files->Choose(this, FileChoice::kSaveText, Lang(pairs::kSaveResults, m_host.English()));
    if (!path.isEmpty()) SaveRowsWithTapes(path);
  });
  for (QAction* edit : {a.mEdit, a.mpEdit}) on(edit, [this] { EditComment(); });
  on(a.mDelete, [this] { DeleteEntry(); });
  for (QAction* take : {a.mResult, a.mpResult}) on(take, [this] { TakeEntry(); });
  for (QAction* go : {a.mGoTo, a.mpGoTo}) on(go, [this] { GoToEntry(); });
  on(a.mClearAll, [this] { ClearAll(); });
  on(a.mPrint, [this] { m_host.PrintRows(m_calc.ResultsList().List().Rows(), true); });
  on(a.mpResMove, [this] { m_calc.MoveTotalIntoEntry(); });
  on(a.mpResCopy, [this] { m_calc.CopyTotal(); });
}

void TFormRes::PopupList(const QPoint& global) {
  const bool any = m_calc.IsEnabled(MenuCommand::kResultsEntry);
  const QList<QAction*> items = m_actions.pmList->actions();
  QList<bool> before;
  for (QAction* item : items) {
    before.append(item->isEnabled());
    if (!item->isSeparator()) item->setEnabled(any);
  }
  m_actions.pmList->exec(global);
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
  // Commands on an empty list have nothing to work on.
  const bool any = !m_calc.ResultsList().Empty();
  const Actions& a = m_actions;
  for (QAction* command : {a.mSave, a.mPrint, a.mSaveAll, a.mEdit, a.mpEdit, a.mDelete, a.mResult, a.mpResult, a.mGoTo,
                           a.mpGoTo, a.mClearAll}) {
    command->setEnabled(any);
  }
}

void TFormRes::ApplyLanguage() {
  setWindowTitle(Lang(pairs::kResults, m_host.English()));
  if (m_lm) Recaption();
}

void TFormRes::Recaption() {
  Actions& a = m_actions;
  const auto text = [this](const wchar_t* pair) { return Lang(pair, m_host.English()); };
  a.mFile->setTitle(text(pairs::kMenuFile));
  a.mSave->setText(text(pairs::kMenuSave));
  a.mPrint->setText(text(pairs::kMenuPrint));
  a.mEdit->setText(text(pairs::kMenuRowEdit));
  a.mpEdit->setText(a.mEdit->text() + QStringLiteral("  F5"));
  a.mDelete->setText(text(pairs::kMenuRowDelete));
  a.mResult->setText(text(pairs::kMenuResult));
  a.mpResult->setText(a.mResult->text() + QStringLiteral("  F7"));
  a.mGoTo->setText(text(pairs::kMenuGoTo));
  a.mpGoTo->setText(a.mGoTo->text() + QStringLiteral("  F8"));
  a.mClearAll->setText(text(pairs::kMenuClearAll));
  a.mOperations->setTitle(text(pairs::kMenuOperations));
  setWindowTitle(text(pairs::kResults));
  SetAccessibleText(m_lm, pairs::kResults, m_host.English());
  SetAccessibleText(m_edRes, pairs::kNameTotal, m_host.English());
  m_lm->Relanguage();
  a.mSaveAll->setText(text(pairs::kMenuSaveAll));
  a.mpResMove->setText(text(pairs::kMenuResMove));
  a.mpResCopy->setText(text(pairs::kMenuResCopy));
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
        if (key->key() == Qt::Key_Delete) {
          DeleteEntry();
          return true;
        }
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
