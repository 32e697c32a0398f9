#pragma once
// The formula window: a formula typed or picked from the history is evaluated; on success the
// window closes with the value for the main window to take. The history rules are the engine's
// FormulaHistory; this window shows the list and forwards keys and clicks to it.
#include <QDialog>
#include <filesystem>
#include <memory>

#include "engine/core/locale.h"
#include "engine/core/number_text.h"
#include "engine/settings/formula_history.h"
#include "engine/tape/tape.h"
#include "ui/message_dialogs.h"
#include "ui/secondary_window.h"

class QAction;
class QLineEdit;
class QMenu;

namespace tallyman::ui {

class CommandSet;
class RowListView;

class TForm1 : public QDialog, public SecondaryWindow {
  Q_OBJECT

 public:
  // Reads the history from `formulaFile` (a missing or unreadable file is an empty history).
  TForm1(std::filesystem::path formulaFile, const Locale& locale, const NumberText& numbers, DialogStyle style,
         DialogAnswerer& answers, QWidget* parent);

  CloseRank ClosingRank() const override { return CloseRank::Formula; }
  QLineEdit* EdForm() const { return m_edForm; }
  RowListView* LbForm() const { return m_lbForm; }
  QAction* MDel() const;
  QAction* MClear() const;

  // The value of the last evaluation (0 after an error or before any).
  Number FormulaResult() const { return m_result; }

  // Enter (close on success) and F12 (stay open).
  void EvaluateEntry(bool closeOnSuccess);
  // The pop-up menu as it opens: items enabled by the list's state.
  void PreparePopup();

  // Closing with a result stores the formula at the top of the history; any close deletes the
  // file when the history is empty.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowHistory(long selected);
  void CopySelectedLine();
  void SelectLine(long index);  // and copy it into the entry
  void DeleteLine();
  void ClearLines();
  bool Ask(const wchar_t* pair);
  bool EntryKey(QKeyEvent* event);
  bool ListKey(QKeyEvent* event);
  void LayoutEntry();

  std::filesystem::path m_file;
  Locale m_locale;
  const NumberText& m_numbers;
  DialogStyle m_style;
  DialogAnswerer& m_answers;
  FormulaHistory m_history;
  RowList m_rows;  // what the list shows: the history's lines and the selected one
  Number m_result = 0;

  QWidget* m_panForm = nullptr;
  QLineEdit* m_edForm = nullptr;
  RowListView* m_lbForm = nullptr;
  QMenu* m_pmForm = nullptr;
  enum class Command { kDelete, kClear };
  std::unique_ptr<CommandSet> m_commands;
};

}  // namespace tallyman::ui
