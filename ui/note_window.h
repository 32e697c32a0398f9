#pragma once
// The notebook TFormNote: the text M with its tool bar and keypad. The text is read from and
// written to its file through the engine's text-file module; every command is one undoable edit
// whose rule lives in the engine (engine/text/note_commands.h).
#include <QDialog>
#include <QFont>
#include <QHash>
#include <filesystem>
#include <functional>

#include "engine/core/host.h"
#include "engine/core/locale.h"
#include "engine/settings/settings.h"
#include "engine/tape/calculator.h"
#include "engine/text/alarm.h"
#include "engine/text/date_time.h"
#include "engine/text/note_commands.h"
#include "engine/text/number_words.h"

class QAction;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace tallyman::ui {

// What the notebook uses of the main window while it is open.
struct NoteServices {
  const Locale& locale;
  const Calculator& calc;  // the results precision, the tape and the results for Ctrl+W
  NumberWords& words;
  MessageSink& sink;
  Settings& settings;  // the place, MaxNote, KeysNote, the language and the on-top state
  std::filesystem::path noteFile;
  std::function<DateTime()> now;      // the local date and time
  Alarm& alarm;                       // kept by the main window, whose clock fires it
  std::function<void()> openFormula;  // the main window's formula command (F4)
};

// The desktop's local date and time, to the second.
DateTime LocalNow();

class TFormNote : public QDialog {
  Q_OBJECT

 public:
  TFormNote(NoteServices services, const QFont& mainFont, QWidget* parent = nullptr);
  ~TFormNote() override;

  QPlainTextEdit* M() const { return m_m; }
  QWidget* PanBut() const { return m_panBut; }
  const std::filesystem::path& FileName() const { return m_fileName; }

  // Reads the file into M (an unreadable or missing file leaves it empty) and makes it the file
  // being edited.
  void LoadFile(const std::filesystem::path& file);
  // Writes a modified text: the notebook file silently, another file after the question.
  void SaveText();

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
  QToolButton* ButH() const { return m_butH; }
  QToolButton* ButM() const { return m_butM; }
  void ClearAll();    // Ctrl+Del, after the question
  void SaveToFile();  // Ctrl+S: a copy of the text in a file the user chooses
  // F9 and double click: opens the selection, or else the caret's line, when it is an address,
  // a document or a folder.
  void Run();
  // A dropped file: the five text kinds open (after saving the text), any other file inserts its path.
  void DropFile(const QString& path);
  // The pop-up item of that name (pmUndo, pmRusTransLit, mInsCalc...).
  QAction* Item(const QString& name) const { return m_items.value(name); }
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
  void BuildTools();
  void ApplyToolCaptions();
  void ShowAlarm();
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
  QHash<QString, QAction*> m_items;
  bool m_saveFailed = false;  // closing once told that the text could not be written
};

}  // namespace tallyman::ui
