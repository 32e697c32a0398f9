#pragma once
// The results window: one entry per closed calculation in Lm, the total in EdRes. It exists from
// start-up on, hidden; its controls are built the first time they are needed, so the start-up
// path stays short. Every command is an operation of the calculator model.
#include <QFont>
#include <QMainWindow>

#include "engine/tape/calculator.h"
#include "engine/tape/state_observer.h"

class QAction;
class QLineEdit;
class QListView;
class QMenu;

namespace tallyman::ui {

class ResultsWindowHost;
class RowListModel;
class TabStopDelegate;

class TFormRes : public QMainWindow, public StateObserver {
  Q_OBJECT

 public:
  TFormRes(Calculator& calculator, ResultsWindowHost& host, QMainWindow* parent);
  ~TFormRes() override;

  // Builds the controls now if they are not built yet.
  void EnsureContents();
  QListView* Lm();
  QLineEdit* EdRes();

  // Shows the window with the main window's font and fresh tab stops.
  void ShowWindow();
  void FocusList();
  // Shows the new total.
  void StateChanged(const StateChange& change) override;
  void ApplyLanguage(bool english);
  void SetMenuVisible(bool visible);
  void TakeFont(const QFont& font);
  void SetTabStops(int tabDelta);

  // --- commands ---
  void EditComment();
  void DeleteEntry();
  void TakeEntry();
  void GoToEntry();
  void ClearAll();
  bool SaveRows(const QString& path);
  bool SaveRowsWithTapes(const QString& path);

  struct Actions {
    QMenu* mFile = nullptr;
    QMenu* mOperations = nullptr;
    QAction* mSave = nullptr;      // also mpSave
    QAction* mPrint = nullptr;     // also mpPrint
    QAction* mSaveAll = nullptr;
    QAction* mEdit = nullptr;
    QAction* mpEdit = nullptr;
    QAction* mDelete = nullptr;    // also pmDelete
    QAction* mResult = nullptr;
    QAction* mpResult = nullptr;
    QAction* mGoTo = nullptr;
    QAction* mpGoTo = nullptr;
    QAction* mClearAll = nullptr;  // also mpClearAll
    QAction* mpResMove = nullptr;
    QAction* mpResCopy = nullptr;
    QMenu* pmList = nullptr;
    QMenu* pmTotal = nullptr;
  };
  const Actions& MenuActions() const { return m_actions; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void LayoutTotalPanel();
  void Recaption();
  void PopupList(const QPoint& global);
  bool StartDragFrom(QWidget* source, QEvent* event);

  void ShowTotal();

  Calculator& m_calc;
  ResultsWindowHost& m_host;
  QListView* m_lm = nullptr;
  QWidget* m_panRes = nullptr;
  QLineEdit* m_edRes = nullptr;
  RowListModel* m_model = nullptr;
  TabStopDelegate* m_delegate = nullptr;
  Actions m_actions;
  bool m_english = false;
  bool m_menuVisible = true;
  int m_tabDelta = 0;
  QFont m_font;
  QPoint m_pressPos;
  QWidget* m_pressWidget = nullptr;
  bool m_syncing = false;
};

}  // namespace tallyman::ui
