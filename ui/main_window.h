#pragma once
// The main window: the tape Lb, the entry panel PanTop with S1, Ed and S2, and the menus. It shows
// the calculator model and forwards input to it; every rule of the tape lives in the model.
// Menu commands: main_window_commands.cpp; keys, mouse and drag and drop:
// main_window_input.cpp; start-up settings and shutdown: main_window_settings.cpp. The desktop
// (hot key, tray, lock keys) is the DesktopController's; main_window_desktop.cpp is its side here.
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <new>

#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/settings/paths.h"
#include "engine/settings/settings.h"
#include "engine/tape/calculator.h"
#include "engine/tape/state_observer.h"
#include "engine/text/alarm.h"
#include "engine/text/date_time.h"
#include "engine/text/number_words.h"
#include "platform/desktop_services.h"
#include "ui/desktop_controller.h"
#include "ui/drag_source.h"
#include "ui/main_actions.h"
#include "ui/results_window_host.h"
#include "ui/ui_services.h"

class QLabel;
class QLineEdit;
class QMimeData;
class QTranslator;

namespace tallyman::ui {

class AnswersUntilAbsent;
class RowListView;
class TFormNote;
class TFormRes;

class FormTallyman : public QMainWindow, public CalculatorHost, public StateObserver, public ResultsWindowHost {
  Q_OBJECT

 public:
  FormTallyman(const Locale& locale, const ProgramPaths& paths, QWidget* parent = nullptr);
  // With the given services instead of the real dialogs and the session's own (tests pass fakes).
  FormTallyman(const Locale& locale, const ProgramPaths& paths, UiServices ui, platform::DesktopServices desktop,
               QWidget* parent = nullptr);
  ~FormTallyman() override;

  // --- parts, for the results window and the tests ---
  Calculator& Calc() { return *m_calc; }
  RowListView* Lb() const { return m_lb; }
  QLineEdit* Ed() const { return m_ed; }
  QLabel* S1() const { return m_s1; }
  QLabel* S2() const { return m_s2; }
  QWidget* PanTop() const { return m_panTop; }
  TFormRes* Results() const { return m_res; }
  MainActions& Actions() { return m_actions; }
  bool English() const override { return m_settings.english; }
  bool MenuVisible() const override { return m_settings.menu; }
  bool StaysOnTop() const override;
  int TabDelta() const override { return m_settings.tabDelta; }
  HotKey ChosenHotKey() const { return m_settings.hotKey; }
  const ProgramPaths& Paths() const { return m_paths; }

  // The pop-up menus are built on first use, off the start-up path.
  void EnsurePopupMenus() { BuildPopupMenus(m_actions, this, m_settings.english, EntryEditTarget()); }

  // A command was abandoned because memory ran out; the program, its tape and its results go on.
  void ReportOutOfMemory();

  // --- language ---
  void mLangClick();
  void ApplyLanguage();
  // Qt's own dialogs and buttons (file and font dialogs) speak the program's language.
  void ApplyQtTranslation();

  // --- layout ---
  void SetTabStops(bool resultsList);
  void LayoutEntryPanel();  // PanTopResize

  // --- commands (main_window_commands.cpp) ---
  void LoadTapeFromFile(const QString& path);
  bool SaveTapeToFile(const QString& path);
  void EditRow(bool insert);
  void ShowOrCloseResults();
  void ShowResultsOrFocus();
  void RunPrecisionDialog();
  void OpenFormulaWindow();  // F, PageDown in the entry line
  void OpenMemoryList();     // M, Ctrl with a numeric-pad operation key in the entry line
  void SetStayOnTop(bool on);
  void ApplyMenuVisibility();
  void RunEscapeAction();
  void ChooseHotKey(HotKey key);
  void HideToTray();
  void RestoreFromTray();  // the tray menu's Restore
  void OpenNote();         // mNote: the notebook, modal
  std::unique_ptr<TFormNote> CreateNote();

  // The notebook's side of the formula window, set while the notebook is open: its selected text
  // goes into the formula entry, and a taken result goes into the notebook instead of the tape.
  struct FormulaNotebookHook {
    std::function<QString()> selectedText;
    std::function<void(Number value)> insertResult;
  };
  void SetFormulaNotebookHook(FormulaNotebookHook hook) { m_formulaNotebook = std::move(hook); }

  // --- drag and drop (main_window_input.cpp) ---
  // dragPart: -1 the operand of the selected row, 1 its running result (drags from the tape).
  void DropOnEntry(const QString& source, int dragPart);
  void DropOnTape(const QString& source);
  // -1 when a drag from the tape starts over the operand part of the selected row, else 1.
  int DragPartAt(int x) const;

  // --- desktop (main_window_desktop.cpp) ---
  DesktopController& Desktop() { return *m_desktop; }
  // Closes without the closing question (a termination signal, the session ending); the settings
  // and the automatic copy are written as at every close.
  void CloseWithoutQuestion();
  // Nobody is left to answer (the program ends on a signal): from now on every question of this
  // window and of its dialogs gets the absent user's answer, without a dialog.
  void AnswerForAbsentUser();
  // The program's own close commands (Exit, the tray menu's Close, Escape): they close even when
  // the window system's close button hides the calculator instead.
  void CloseByCommand();

  // --- timer ---
  void TimTimer();
  void WriteAutomaticCopy();
  // The notebook's alarm, fired by the clock timer whether the notebook is open or not.
  Alarm& NoteAlarm() { return m_alarm; }
  void FireAlarm();

 signals:
  // The alarm went off and is no longer armed (an open notebook shows it).
  void AlarmFired();

 public:
  // --- settings (main_window_settings.cpp) ---
  // Takes the settings as the options' one home and applies them in the order the settings file is read.
  void ApplySettings(Settings settings);
  Settings CollectSettings() const;
  // The row dialog's first place: centred for its designed 235 x 100 on the primary screen.
  QPoint DefaultRowDialogPlace() const;
  bool SaveSettingsFile() const;

  // --- CalculatorHost ---
  void ShowMessage(const Text& text) override;
  void Beep() override;
  void Pause(int milliseconds) override;
  std::optional<Text> GetText() override;
  void SetText(const Text& text) override;
  void FocusEntry() override;

  // --- StateObserver: repaints the signs and the entry line ---
  void StateChanged(const StateChange& change) override;

  // --- ResultsWindowHost ---
  const UiServices& Ui() const override { return m_ui; }
  QFont MainFont() const override { return font(); }
  void ReturnToMain(bool focusEntry) override;
  // Ctrl+P: the print dialog and the rows printed with the tape's or the results' total.
  void PrintRows(const std::vector<Text>& rows, bool fromResults) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildWidgets();
  std::vector<MainCommand> MainCommands();  // every command of the menus and pop-ups, declared once
  void ConnectCommands();
  void BindOptions();
  void ConnectEntry();
  void SyncEntry();
  void ShowSigns();
  // Accessible names of the controls in the current language, and what the sign displays mean.
  void NameControls();
  void DescribeSigns();
  void ApplyFocusColours(bool entryFocused);
  // name: the family as the settings file keeps it, which may be one the font only stands in for.
  void ApplyFont(const QFont& font, const QString& name);
  bool EntryKey(QKeyEvent* event);
  bool TapeKey(QKeyEvent* event);
  bool WindowKey(QKeyEvent* event);
  bool SignMouse(QObject* watched, QEvent* event);
  QMimeData* TapeDragPayload(QPoint pressPos) const;
  void PasteSelection();  // a middle click in the entry line
  bool ControlDrop(QObject* watched, QEvent* event);
  void PopupTapeMenu(const QPoint& global);
  void PopupEntryMenu(const QPoint& global);
  EditTarget EntryEditTarget();
  bool CommandLetter(QKeyEvent* event);
  void ConnectDesktop(platform::DesktopServices services);
  class DesktopSide;  // what the desktop controller asks of the window

  Locale m_locale;
  ProgramPaths m_paths;
  Settings m_settings;  // every option while the program runs; written back when it closes
  std::unique_ptr<Calculator> m_calc;
  std::unique_ptr<NumberWords> m_words;  // kept for the run: the word tables change in place

  RowListView* m_lb = nullptr;
  QWidget* m_panTop = nullptr;
  QLabel* m_s1 = nullptr;
  QLineEdit* m_ed = nullptr;
  QLabel* m_s2 = nullptr;
  TFormRes* m_res = nullptr;
  std::unique_ptr<QTranslator> m_qtTranslation;  // Qt's Russian texts, loaded on first use
  MainActions m_actions;
  FormulaNotebookHook m_formulaNotebook;
  QTimer m_tim;

  std::shared_ptr<AnswersUntilAbsent> m_answers;
  UiServices m_ui;  // its answers are m_answers
  std::unique_ptr<DesktopHost> m_desktopSide;
  std::unique_ptr<DesktopController> m_desktop;
  bool m_closeCommand = false;     // the close under way is the program's own, not the window system's
  bool m_askBeforeClosing = true;  // false while closing for a signal or the session's end
  bool m_syncing = false;          // the window itself is writing Ed
  bool m_helpExists = false;
  QString m_dateText;
  Alarm m_alarm;
};

}  // namespace tallyman::ui
