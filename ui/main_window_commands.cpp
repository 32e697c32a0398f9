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

std::vector<MainCommand> FormTallyman::MainCommands() {
  namespace p = tallyman::pairs;
  using A = MainActions;
  const auto load = [this] {
    const QString path =
        m_ui.files->Choose(this, FileChoice::kOpenText, Lang(p::kLoadCalculations, m_settings.english));
    if (!path.isEmpty()) LoadTapeFromFile(path);
  };
  const auto save = [this] {
    if (m_calc->Tape().Empty()) return;
    const QString path =
        m_ui.files->Choose(this, FileChoice::kSaveText, Lang(p::kSaveCalculations, m_settings.english));
    if (!path.isEmpty()) SaveTapeToFile(path);
  };
  const auto print = [this] {
    m_calc->CloseCalculation();
    PrintRows(m_calc->Tape().Rows(), false);
  };
  const auto chooseFont = [this] {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font(), this);
    if (ok) ApplyFont(chosen, chosen.family());
  };
  const auto readMe = [this] {
    if (m_helpExists) OpenHelpPage(m_ui, this, m_paths.helpFile, Style());
  };
  const auto about = [this] {
    ShowAboutBox(this, m_calc->Numbers(), Style(), m_ui.openUrl);
    update();
  };
  const auto close = [this] { CloseByCommand(); };
  const auto copy = [this] { m_calc->CopyResult(); };
  const auto hot = [this](HotKey key) { return [this, key] { ChooseHotKey(key); }; };
  const auto can = [this](MenuCommand command) { return [this, command] { return m_calc->IsEnabled(command); }; };
  const KeyUse acts = KeyUse::kActs;
  const KeyUse caption = KeyUse::kInCaption;
  const Check no = Check::kNone, off = Check::kOff, on = Check::kOn;
  // The rules of the tape pop-up's items (and of mSave and mClear in it) hold only while it is open:
  // their keys act whatever the pop-up would show.
  // clang-format off
  return {
      {&A::mLoad,        "mLoad",        p::kMenuLoad,       Qt::CTRL | Qt::Key_L,            acts,    "%1",    no,  {},                         load},
      {&A::mSave,        "mSave",        p::kMenuSave,       Qt::CTRL | Qt::Key_S,            acts,    "%1",    no,  can(MenuCommand::kSaveTape), save},
      {&A::mPrint,       "mPrint",       p::kMenuPrint,      Qt::CTRL | Qt::Key_P,            acts,    "%1",    no,  {},                         print},
      {&A::mExit,        "mExit",        p::kMenuExit,       {},                              acts,    "%1",    no,  {},                         close},
      {&A::mSign,        "mSign",        p::kMenuSign,       QKeyCombination(Qt::Key_F9),     acts,    "%1",    no,  {},                         [this] { m_calc->SignChange(); }},
      {&A::mResults,     "mResults",     p::kMenuResults,    QKeyCombination(Qt::Key_F2),     acts,    "%1",    no,  {},                         [this] { ShowOrCloseResults(); }},
      {&A::mClear,       "mClear",       p::kMenuClear,      Qt::CTRL | Qt::Key_Delete,       acts,    "%1",    no,  can(MenuCommand::kClearTape), [this] { m_calc->ClearTape(); }},
      {&A::mNote,        "mNote",        p::kMenuNote,       QKeyCombination(Qt::Key_N),      acts,    "%1",    no,  {},                         [this] { OpenNote(); }},
      {&A::mForm,        "mForm",        p::kMenuForm,       QKeyCombination(Qt::Key_F),      acts,    "%1",    no,  {},                         [this] { OpenFormulaWindow(); }},
      {&A::mListMem,     "mListMem",     p::kMenuListMem,    QKeyCombination(Qt::Key_M),      acts,    "%1",    no,  {},                         [this] { OpenMemoryList(); }},
      {&A::mProp,        "mProp",        p::kMenuProp,       QKeyCombination(Qt::Key_S),      acts,    "%1",    no,  can(MenuCommand::kNumberToText), [this] { m_calc->NumberToClipboard(*m_words); }},
      // Not in any menu: the menu shows a plain separator where this key lives.
      {&A::copyResult,   "N11",          L"",                QKeyCombination(Qt::Key_C),      acts,    "%1",    no,  {},                         copy},
      {&A::mHide,        "mHide",        p::kMenuHide,       {},                              acts,    "%1",    no,  {},                         [this] { HideToTray(); }},
      {&A::mFont,        "mFont",        p::kMenuFont,       {},                              acts,    "%1",    no,  {},                         chooseFont},
      {&A::mPrecision,   "mPrecision",   p::kMenuPrecision,  {},                              acts,    "%1",    no,  {},                         [this] { RunPrecisionDialog(); }},
      {&A::mPause,       "mPause",       L"Pause",           {},                              acts,    "%1",    on,  {},                         hot(HotKey::Pause)},
      {&A::mScroll,      "mScroll",      L"Scroll Lock",     {},                              acts,    "%1",    off, {},                         hot(HotKey::ScrollLock)},
      {&A::mPrnScrn,     "mPrnScrn",     L"Print Screen",    {},                              acts,    "%1",    off, {},                         hot(HotKey::PrintScreen)},
      {&A::mHotNum,      "mHotNum",      L"NumLock",         {},                              acts,    "%1",    off, {},                         hot(HotKey::NumLock)},
      {&A::mEscClose,    "mEscClose",    p::kClose,          {},                              acts,    "&%1",   on,  {},                         {}},
      {&A::mEscTray,     "mEscTray",     p::kHide,           {},                              acts,    "&%1",   off, {},                         {}},
      {&A::mEscUndo,     "mEscUndo",     p::kMenuUndo,       {},                              acts,    "%1",    off, {},                         {}},
      {&A::mEscDel,      "mEscDel",      p::kDelete,         {},                              acts,    "&%1",   off, {},                         {}},
      {&A::mNumLock,     "mNumLock",     p::kMenuNumLock,    {},                              acts,    "%1",    on,  {},                         [this] { m_desktop->NumLockOptionChosen(); }},
      {&A::mTray,        "mTray",        p::kMenuTray,       {},                              acts,    "%1",    off, {},                         {}},
      {&A::mHideOnMin,   "mHideOnMin",   p::kMenuHideOnMin,  {},                              acts,    "%1",    off, {},                         {}},
      {&A::mConfirm,     "mConfirm",     p::kMenuConfirm,    {},                              acts,    "%1",    on,  {},                         {}},
      {&A::mTop,         "mTop",         p::kMenuTop,        {},                              acts,    "%1",    off, {},                         [this] { SetStayOnTop(m_settings.stayOnTop); }},
      {&A::mOnlyOne,     "mOnlyOne",     p::kMenuOnlyOne,    {},                              acts,    "%1",    off, {},                         {}},
      {&A::mLang,        "mLang",        L"&Eng",            {},                              acts,    nullptr, no,  {},                         [this] { mLangClick(); }},
      {&A::mReadMe,      "mReadMe",      p::kMenuReadMe,     QKeyCombination(Qt::Key_F1),     acts,    "%1",    no,  {},                         readMe},
      {&A::mAbout,       "mAbout",       p::kMenuAbout,      {},                              acts,    "%1",    no,  {},                         about},
      {&A::mpRowEdit,    "mpRowEdit",    p::kMenuRowEdit,    QKeyCombination(Qt::Key_F5),     acts,    "%1",    no,  can(MenuCommand::kEditRow),    [this] { EditRow(false); }},
      {&A::mpRowInsert,  "mpRowInsert",  p::kMenuRowInsert,  QKeyCombination(Qt::Key_Insert), caption, "%1",    no,  can(MenuCommand::kInsertRow),  [this] { EditRow(true); }},
      {&A::mpRowDelete,  "mpRowDelete",  p::kMenuRowDelete,  QKeyCombination(Qt::Key_Delete), caption, "%1",    no,  can(MenuCommand::kDeleteRow),  [this] { m_calc->DeleteSelectedRow(); }},
      {&A::mpOperand,    "mpOperand",    p::kMenuOperand,    QKeyCombination(Qt::Key_F6),     acts,    "%1",    no,  can(MenuCommand::kTakeOperand), [this] { m_calc->TakeOperand(); }},
      {&A::mpResult,     "mpResult",     p::kMenuResult,     QKeyCombination(Qt::Key_F7),     acts,    "%1",    no,  can(MenuCommand::kTakeResult),  [this] { m_calc->TakeResult(); }},
      {&A::pmMenu,       "pmMenu",       p::kMenuMenu,       {},                              acts,    "%1",    on,  {},                         [this] { ApplyMenuVisibility(); }},
      {&A::mpRestore,    "mpRestore",    p::kMenuRestore,    {},                              acts,    "%1",    no,  {},                         [this] { RestoreFromTray(); }},
      {&A::mpCopyResult, "mpCopyResult", p::kMenuCopyResult, {},                              acts,    "%1",    no,  {},                         copy},
      {&A::mpClose,      "mpClose",      p::kMenuClose,      {},                              acts,    "%1",    no,  {},                         close},
  };
  // clang-format on
}

void FormTallyman::ConnectCommands() {
  connect(m_lb, &QListView::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupTapeMenu(m_lb->viewport()->mapToGlobal(at)); });
  connect(m_ed, &QLineEdit::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupEntryMenu(m_ed->mapToGlobal(at)); });
  connect(m_lb, &QListView::doubleClicked, this, [this] { EditRow(false); });
}

void FormTallyman::PopupTapeMenu(const QPoint& global) {
  EnsurePopupMenus();
  MainActions& a = m_actions;
  // These actions are shared with the menu bar, and their keys act whatever the pop-up shows: their
  // rules hold for this pop-up only, and they get their state back afterwards.
  const QList<QAction*> shared = {a.mpRowEdit,   a.mpResult, a.mpRowInsert, a.mpOperand,
                                  a.mpRowDelete, a.mSave,    a.mClear};
  QList<bool> before;
  for (QAction* action : shared) before.append(action->isEnabled());
  a.commands->Enable(shared);
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
