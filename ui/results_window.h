#pragma once
// The results window: one entry per closed calculation in Lm, the total in EdRes. It exists from
// start-up on, hidden; its controls are built the first time they are needed, so the start-up
// path stays short. Every command is an operation of the calculator model.
#include <QFont>
#include <QMainWindow>
#include <memory>

#include "engine/tape/calculator.h"
#include "engine/tape/state_observer.h"
#include "ui/drag_gesture.h"

class QAction;
class QLineEdit;
class QMenu;
class QMimeData;

namespace tallyman::ui {

class CommandSet;
class ResultsWindowHost;
class RowListView;

class TFormRes : public QMainWindow, public StateObserver {
  Q_OBJECT

 public:
  TFormRes(Calculator& calculator, ResultsWindowHost& host, QMainWindow* parent);
  ~TFormRes() override;

  // Builds the controls now if they are not built yet.
  void EnsureContents();
  RowListView* Lm();
  QLineEdit* EdRes();

  // Shows the window with the main window's font and fresh tab stops.
  void ShowWindow();
  void FocusList();
  // Shows the new total.
  void StateChanged(const StateChange& change) override;
  // Follow the main window's options.
  void ApplyLanguage();
  void ApplyMenuVisibility();
  void TakeFont(const QFont& font);
  void UpdateTabStops();

  // --- commands ---
  void EditComment();
  void DeleteEntry();
  void TakeEntry();
  void GoToEntry();
  void ClearAll();
  bool SaveRows(const QString& path);
  bool SaveRowsWithTapes(const QString& path);

  enum class Command {
    kSave,
    kSaveAll,
    kPrint,
    kEdit,
    kPopupEdit,
    kDelete,
    kResult,
    kPopupResult,
    kGoTo,
    kPopupGoTo,
    kClearAll,
    kResMove,
    kResCopy,
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void LayoutTotalPanel();
  void Recaption();
  void PopupList(const QPoint& global);
  // A drag from the list or the total; null when there is nothing to drag.
  QMimeData* DragPayload(const QString& source) const;

  void ShowTotal();

  Calculator& m_calc;
  ResultsWindowHost& m_host;
  RowListView* m_lm = nullptr;
  QWidget* m_panRes = nullptr;
  QLineEdit* m_edRes = nullptr;
  std::unique_ptr<CommandSet> m_commands;
  QMenu* m_mFile = nullptr;
  QMenu* m_mOperations = nullptr;
  QMenu* m_pmList = nullptr;
  QMenu* m_pmTotal = nullptr;
  QFont m_font;
  DragGesture m_totalDrag;
};

}  // namespace tallyman::ui
