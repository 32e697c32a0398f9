// The main window's menu commands and dialogs.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include "engine/core/lang_pairs.h"
#include "ui/about_box.h"
#include "ui/formula_window.h"
#include "ui/help_page.h"
#include "ui/main_window.h"
#include "ui/memory_list.h"
#include "ui/message_dialogs.h"
#include "ui/note_window.h"
#include "ui/precision_dialog.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"
#include "ui/row_dialog.h"
#include "ui/row_list_view.h"
#include "ui/window_places.h"

namespace tallyman::ui {

void FormTallyman::ConnectCommands() {
  MainActions& a = m_actions;
  const auto on = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };
  on(a.mLoad, [this] {
    const QString path =
        m_ui.files->Choose(this, FileChoice::kOpenText, Lang(pairs::kLoadCalculations, m_settings.english));
    if (!path.isEmpty()) LoadTapeFromFile(path);
  });
  on(a.mSave, [this] {
    if (m_calc->Tape().Empty()) return;
    const QString path =
        m_ui.files->Choose(this, FileChoice::kSaveText, Lang(pairs::kSaveCalculations, m_settings.english));
    if (!path.isEmpty()) SaveTapeToFile(path);
  });
  on(a.mExit, [this] { CloseByCommand(); });
  on(a.mSign, [this] { m_calc->SignChange(); });
  on(a.mResults, [this] { ShowOrCloseResults(); });
  on(a.mClear, [this] { m_calc->ClearTape(); });
  on(a.copyResult, [this] { m_calc->CopyResult(); });
  on(a.mProp, [this] { m_calc->NumberToClipboard(*m_words); });
  on(a.mpCopyResult, [this] { m_calc->CopyResult(); });
  on(a.mHide, [this] { HideToTray(); });
  on(a.mFont, [this] {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font(), this);
    if (ok) ApplyFont(chosen);
  });
  on(a.mPrecision, [this] { RunPrecisionDialog(); });
  on(a.mForm, [this] { OpenFormulaWindow(); });
  on(a.mListMem, [this] { OpenMemoryList(); });
  on(a.mNote, [this] { OpenNote(); });
  for (const HotKeyItem& item : kHotKeyItems) on(a.*item.action, [this, key = item.key] { ChooseHotKey(key); });
  on(a.mTop, [this] { SetStayOnTop(m_settings.stayOnTop); });
  on(a.pmMenu, [this] { ApplyMenuVisibility(); });
  on(a.mLang, [this] { mLangClick(); });
  on(a.mReadMe, [this] {
    if (m_helpExists) OpenHelpPage(m_ui, this, m_paths.helpFile, Style());
  });
  on(a.mPrint, [this] {
    m_calc->CloseCalculation();
    PrintRows(m_calc->Tape().Rows(), false);
  });
  on(a.mAbout, [this] {
    ShowAboutBox(this, m_calc->Numbers(), Style(), m_ui.openUrl);
    update();
  });
  on(a.mpRowEdit, [this] { EditRow(false); });
  on(a.mpRowInsert, [this] { EditRow(true); });
  on(a.mpRowDelete, [this] { m_calc->DeleteSelectedRow(); });
  on(a.mpOperand, [this] { m_calc->TakeOperand(); });
  on(a.mpResult, [this] { m_calc->TakeResult(); });

  on(a.mpRestore, [this] { RestoreFromTray(); });
  on(a.mpClose, [this] { CloseByCommand(); });

  connect(m_lb, &QListView::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupTapeMenu(m_lb->viewport()->mapToGlobal(at)); });
  connect(m_ed, &QLineEdit::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupEntryMenu(m_ed->mapToGlobal(at)); });
  connect(m_lb, &QListView::doubleClicked, this, [this] { EditRow(false); });
}

void FormTallyman::PopupTapeMenu(const QPoint& global) {
  EnsurePopupMenus();
  MainActions& a = m_actions;
  // These actions are shared with the menu bar and its shortcuts: enable them for this pop-up
  // only, and give them back their state afterwards.
  QList<QAction*> shared = {a.mpRowEdit, a.mpResult, a.mpRowInsert, a.mpOperand, a.mpRowDelete, a.mSave, a.mClear};
  QList<bool> before;
  for (QAction* action : shared) before.append(action->isEnabled());
  a.mpRowEdit->setEnabled(m_calc->IsEnabled(MenuCommand::kEditRow));
  a.mpResult->setEnabled(m_calc->IsEnabled(MenuCommand::kTakeResult));
  a.mpRowInsert->setEnabled(m_calc->IsEnabled(MenuCommand::kInsertRow));
  a.mpOperand->setEnabled(m_calc->IsEnabled(MenuCommand::kTakeOperand));
  a.mpRowDelete->setEnabled(m_calc->IsEnabled(MenuCommand::kDeleteRow));
  a.mSave->setEnabled(m_calc->IsEnabled(MenuCommand::kSaveTape));
  a.mClear->setEnabled(m_calc->IsEnabled(MenuCommand::kClearTape));
  a.pm->exec(global);
  for (int i = 0; i < shared.size(); ++i) shared[i]->setEnabled(before[i]);
}

EditTarget FormTallyman::EntryEditTarget() {
  return {
      [this] { return m_ed->isUndoAvailable(); },
      [this] { return m_ed->hasSelectedText(); },
      [this] { return !m_ed->text().isEmpty(); },
      [this] {
        if (m_ed->isUndoAvailable()) m_ed->undo();
      },
      [this] { m_calc->EditCut(); },
      [this] { m_calc->EditCopy(); },
      [this] { m_calc->EditPaste(); },
      [this] { m_ed->del(); },
      [this] { m_ed->selectAll(); },
  };
}

void FormTallyman::PopupEntryMenu(const QPoint& global) {
  EnsurePopupMenus();
  m_actions.edit->Enable();
  m_actions.pmEdit->exec(global);
}

void FormTallyman::LoadTapeFromFile(const QString& path) {
  if (!QFileInfo::exists(path)) return;
  const std::filesystem::path file = path.toStdString();
  m_calc->LoadTapeFile(file);
}

bool FormTallyman::SaveTapeToFile(const QString& path) {
  m_calc->CloseCalculation();
  if (m_calc->SaveTapeFile(path.toStdString())) return true;
  // The user asked for this file: a failed write must not pass for a saved tape.
  ShowMessage(LangText(pairs::kFileError, m_settings.english));
  return false;
}

void FormTallyman::EditRow(bool insert) {
  const std::optional<RowDialogSetup> setup = m_calc->OpenRowDialog(insert);
  if (!setup) return;
  TFormRow dialog(m_calc->Numbers(), Style(), this);
  dialog.SetupRowEditing(setup->showSign, setup->sign, ToQString(setup->operand), setup->row, setup->count);
  // The model changes the tape, or says why not and keeps the dialog open.
  dialog.SetConfirm([this, insert](wchar_t chosenSign, const QString& operandText) {
    return m_calc->ConfirmRowDialog(insert, chosenSign, FromQString(operandText));
  });
  const WindowPlace& place = m_settings.rowEditDialog;
  dialog.adjustSize();
  PlaceOnScreen(&dialog, QPoint(place.left, place.top), DefaultRowDialogPlace());
  dialog.exec();
  m_settings.rowEditDialog.left = dialog.geometry().x();
  m_settings.rowEditDialog.top = dialog.geometry().y();
}

void FormTallyman::ShowOrCloseResults() {
  if (m_res->isVisible()) {
    m_res->close();
  } else {
    m_res->ShowWindow();
  }
}

void FormTallyman::ShowResultsOrFocus() {
  SetTabStops(true);
  if (!m_res->isVisible()) {
    m_res->ShowWindow();
  } else {
    m_res->activateWindow();
    m_res->FocusList();
  }
}

void FormTallyman::RunPrecisionDialog() {
  const NumberText& numbers = m_calc->Numbers();
  TFormPrec dialog(numbers, numbers.Digits(), numbers.ResOut(), Style(), this);
  CentreOnScreen(&dialog, ScreenOf(this));
  if (dialog.exec() != QDialog::Accepted) return;
  m_calc->SetPrecision(dialog.Digits(), dialog.ResOut());
}

void FormTallyman::OpenFormulaWindow() {
  TForm1 window(m_paths.FormulaFile(), m_locale, m_calc->Numbers(), Style(), *m_ui.answers, this);
  window.setFont(font());
  PlaceWindow(&window, m_settings.formulaWindow, 5);
  if (m_formulaNotebook.selectedText) {
    const QString selected = m_formulaNotebook.selectedText();
    if (!selected.isEmpty()) window.EdForm()->setText(selected);
  }
  const bool taken = window.exec() == QDialog::Accepted;
  m_settings.formulaWindow = PlaceOf(&window);
  if (!taken) return;
  if (m_formulaNotebook.insertResult) {
    m_formulaNotebook.insertResult(window.FormulaResult());
  } else {
    m_calc->TakeFormulaResult(window.FormulaResult());
  }
}

void FormTallyman::OpenMemoryList() {
  TFormList window(*m_calc, m_ed->text(), Style(), *m_ui.answers, this);
  window.setFont(font());
  PlaceWindow(&window, m_settings.memoryList, 5);
  const bool taken = window.exec() == QDialog::Accepted;
  m_settings.memoryList = PlaceOf(&window);
  if (taken) m_calc->TakeMemoryCell(window.Selected());  // an empty slot takes nothing
}

void FormTallyman::ApplyMenuVisibility() {
  menuBar()->setVisible(m_settings.menu);
  m_res->ApplyMenuVisibility();
}

void FormTallyman::RunEscapeAction() {
  switch (m_settings.escape) {
    case EscapeAction::UndoEntry:
      if (m_ed->isUndoAvailable()) m_ed->undo();
      if (!m_ed->hasFocus()) m_ed->setFocus();
      break;
    case EscapeAction::HideToTray:
      HideToTray();
      break;
    case EscapeAction::ClearEntry:
      m_ed->selectAll();
      m_ed->del();
      break;
    case EscapeAction::Close:
      CloseByCommand();
      break;
  }
}

void FormTallyman::closeEvent(QCloseEvent* event) {
  // The title bar's close button (and the window manager's close key) hides instead when asked.
  if (m_settings.hideOnMin && !m_closeCommand) {
    event->ignore();
    HideToTray();
    return;
  }
  if (m_askBeforeClosing && m_settings.confirm && DesktopController::ProgramIsActive()) {
    const DialogResult answer =
        ShowQuestion(*m_ui.answers, this, Lang(pairs::kCloseProgramQuestion, m_settings.english),
                     DialogKind::Confirmation, kButtonYes | kButtonNo, Style());
    if (answer != DialogResult::kYes) {
      event->ignore();
      return;
    }
  }
  m_desktop->Closing();
  // The automatic copy also takes the last changes, which the timer may not have written yet.
  WriteAutomaticCopy();
  SaveSettingsFile();  // errors are ignored: closing goes on
  m_res->close();
  m_tim.stop();
  event->accept();
}

std::unique_ptr<TFormNote> FormTallyman::CreateNote() {
  auto note =
      std::make_unique<TFormNote>(NoteServices{m_locale, *m_calc, *m_words, *this, m_settings, m_paths.NoteFile(),
                                               m_alarm, [this] { OpenFormulaWindow(); }, m_ui},
                                  font(), this);
  connect(this, &FormTallyman::AlarmFired, note.get(), &TFormNote::ShowAlarm);
  return note;
}

void FormTallyman::OpenNote() {
  const std::unique_ptr<TFormNote> note = CreateNote();
  TFormNote* open = note.get();
  SetFormulaNotebookHook(
      {[open] { return open->SelectedText(); }, [open](Number value) { open->InsertFormulaResult(value); }});
  note->exec();
  SetFormulaNotebookHook({});
  m_desktop->NotebookClosed();
  if (m_ed->isEnabled()) m_ed->setFocus();
}

}  // namespace tallyman::ui
