#pragma once
// The memory list: the ten slots of the calculator, edited, cleared and filled through the
// calculator, whose change notice redraws the lines. Closing with OK asks the main window to take
// the selected slot into the tape. The slot rules (line texts, the edit text and what an edit
// means) are the engine's slot_text.
#include <QDialog>
#include <memory>

#include "engine/tape/calculator.h"
#include "engine/tape/state_observer.h"
#include "engine/tape/tape.h"
#include "ui/message_dialogs.h"
#include "ui/secondary_window.h"

class QAction;
class QMenu;

namespace tallyman::ui {

class CommandSet;
class RowListView;

class TFormList : public QDialog, public SecondaryWindow, private StateObserver {
  Q_OBJECT

 public:
  // `entry` is the main entry line's text: what the Remember item and numeric-pad "+" store.
  TFormList(Calculator& calc, const QString& entry, DialogStyle style, DialogAnswerer& answers, QWidget* parent);
  ~TFormList() override;

  CloseRank ClosingRank() const override { return CloseRank::MemoryList; }
  RowListView* LbList() const { return m_lbList; }
  QMenu* Pm() const { return m_pm; }
  QAction* MGetNum() const;
  QAction* MPutClose() const;
  // The selected slot, 0..9.
  int Selected() const { return static_cast<int>(m_rows.Selected()); }

  void EditCell();
  // The entry's number becomes the selected slot's value and the window closes; nothing happens
  // when the entry holds no number other than zero.
  void StoreEntryInCell();
  // The pop-up menu as it opens: Remember is offered only with text in the entry line.
  void PreparePopup();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool ListKey(QKeyEvent* event);
  void TakeOrEdit();
  void DeleteCell();
  void ClearCells();
  bool Ask(const wchar_t* pair);
  void StateChanged(const StateChange& change) override;
  void ShowLines();
  const MemorySlot& Slot(int index) const { return m_calc.Memory()[static_cast<size_t>(index)]; }

  Calculator& m_calc;
  QString m_entry;
  DialogStyle m_style;
  DialogAnswerer& m_answers;
  RowList m_rows;  // the ten line texts and the selected slot

  RowListView* m_lbList = nullptr;
  enum class Command { kEdit, kGet, kRemember, kDelete, kClear };
  std::unique_ptr<CommandSet> m_commands;
  QMenu* m_pm = nullptr;
};

}  // namespace tallyman::ui
