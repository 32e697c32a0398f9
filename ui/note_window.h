#pragma once
// The notebook TFormNote: the text M with its tool bar and keypad. The text is read from and
// written to its file through the engine's text-file module; every command is one undoable edit
// whose rule lives in the engine (engine/text/note_commands.h).
#include <QDialog>
#include <QFont>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>

#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/settings/settings.h"
#include "engine/tape/calculator.h"
#include "engine/text/alarm.h"
#include "engine/text/date_time.h"
#include "engine/text/note_commands.h"
#include "engine/text/number_words.h"
#include "ui/dialog_style.h"
#include "ui/secondary_window.h"
#include "ui/ui_services.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace tallyman::ui {

class CommandSet;

// What the notebook uses of the main window while it is open.
struct NoteServices {
  const Locale& locale;
  const Calculator& calc;  // the results precision, the tape and the results for Ctrl+W
  NumberWords& words;
  MessageSink& sink;
  Settings& settings;  // the place, MaxNote, KeysNote, the language and the on-top state
  std::filesystem::path noteFile;
  Alarm& alarm;                       // kept by the main window, whose clock fires it
  std::function<void()> openFormula;  // the main window's formula command (F4)
  UiServices ui;                      // the clock, the questions, and Run's addresses
};

class TFormNote : public QDialog, public SecondaryWindow {
  Q_OBJECT

 public:
  TFormNote(NoteServices services, const QFont& mainFont, QWidget* parent = nullptr);
  ~TFormNote() override;

  CloseRank ClosingRank() const override { return CloseRank::Notebook; }
  QPlainTextEdit* M() const { return m_m; }
  QWidget* PanBut() const { return m_panBut; }

  // Reads the file into M and makes it the file being edited (a missing file gives an empty text).
  // A file that cannot be read, or is too large, is said so and left as it is; false then.
  bool LoadFile(const std::filesystem::path& file);
  // Why a modified text is still not in its file after SaveText.
  enum class SaveOutcome { Saved, Failed, Unread, ReadOnly };
  // Writes a modified text: the notebook file silently, another file after the question. A file
  // that was not read, or that is read-only, is never written over.
  SaveOutcome SaveText();

  // --- commands, each one undoable edit ---
  void CalcSelection(bool timeMode);
  void WordsForSelection(bool copy);
  void Convert(NoteConversion conversion);
  void InsertDateTime();
  void InsertCalculations();
  // The formula window's side: the text it starts with, and where a taken result goes.
  QString SelectedText() const;
  void InsertFormulaResult(Number value);
  void KeypadClick(const QString& caption);
  void OpenFormula();  // F4
  void ButHClick();    // F2
  void ButMClick();    // F3
  // The alarm's time, red while it is armed; the main window calls it again once the alarm fired.
  void ShowAlarm();
  QToolButton* ButH() const { return m_butH; }
  QToolButton* ButM() const { return m_butM; }
  void ClearAll();    // Ctrl+Del, after the question
  void SaveToFile();  // Ctrl+S: a copy of the text in a file the user chooses
  // F9 and double click: opens the selection, or else the caret's line, when it is an address,
  // a document or a folder.
  void Run();
  // A dropped file: the five text kinds open (after saving the text), any other file inserts its path.
  void DropFile(const QString& path);
  // The pop-up items' enabled states for the text, selection and clipboard as they are now.
  void EnableItems();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void BuildWidgets(const QFont& mainFont);
  void ApplyCaptions();
  // note_tools.cpp: the tool bar, the keypad, the pop-up menu and the window's keys.
  void BuildCommands();
  void BuildTools();
  void BuildPopup();
  void ApplyToolCaptions();
  void ShowKeypad(bool shown);
  // Shows the lines as the text of `file`; with roomToWrite, a filled last line gets two empty ones.
  void ShowLines(const std::filesystem::path& file, const std::vector<Text>& lines, bool roomToWrite);
  void ShowTitle();
  DialogStyle Style() const { return DialogStyleOf(m_services.settings); }
  // A message of the sentences, each with "%s" standing for the file's full name.
  void ShowFileMessage(std::initializer_list<const wchar_t*> sentences, const std::filesystem::path& file);
  // Says why the text is not in its file; closing adds that closing again discards it.
  void ReportUnsaved(SaveOutcome outcome, bool closing);
  void ReportWrittenPastLimits();
  void PopupMenu(const QPoint& global);
  bool NoteKey(QKeyEvent* event);
  void CalcThenBreakLine();
  std::vector<Text> Lines() const;
  NoteContext Context() const;
  // Makes the engine's edit (positions counted in characters of `piece`, which starts at document
  // position `base`) as one undoable replacement, or shows its selection.
  void ApplyResult(const NoteCommandResult& result, const QString& piece, int base);
  void RunOnExpression(const std::function<NoteCommandResult(TextView, NoteSelection)>& command);
  bool IsNoteFile() const;
  void SelectBlankDelimitedWord();

  NoteServices m_services;
  std::filesystem::path m_fileName;
  QPlainTextEdit* m_m = nullptr;
  QWidget* m_panTop = nullptr;
  QWidget* m_panBut = nullptr;
  QToolButton* m_but = nullptr;
  QToolButton* m_butH = nullptr;
  QToolButton* m_butM = nullptr;
  std::unique_ptr<CommandSet> m_commands;
  QWidget* m_panClock = nullptr;
  QMenu* m_pm = nullptr;
  QMenu* m_decode = nullptr;
  bool m_saveFailed = false;         // closing once told that the text could not be written
  bool m_fileUnread = false;         // the file could not be read: the text never goes into it
  bool m_readOnly = false;           // the file was read-only when it was read
  bool m_writtenPastLimits = false;  // the last save wrote more than the notebook opens
  int m_widthBeforeKeypad = 0;       // the width the user had before the keypad widened the window
  int m_widthAfterKeypad = 0;        // and the width it widened it to
};

}  // namespace tallyman::ui
