#include "ui/note_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/core/lang_pairs.h"
#include "engine/core/text_file.h"
#include "engine/tape/tape_calculations.h"
#include "engine/text/note_file.h"
#include "engine/text/text_helpers.h"
#include "ui/accessibility.h"
#include "ui/command_table.h"
#include "ui/message_dialogs.h"
#include "ui/note_positions.h"
#include "ui/qt_text.h"
#include "ui/run_target.h"
#include "ui/window_places.h"

namespace tallyman::ui {
namespace {

// A selection as the editor gives it, with its paragraph separators turned back into line breaks.
QString SelectedPlainText(const QTextCursor& cursor) {
  QString text = cursor.selectedText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

bool CouldNotRead(NoteFileState state) {
  return state == NoteFileState::Unreadable || state == NoteFileState::TooLarge;
}

const wchar_t* Refusal(NoteFileState state) {
  return state == NoteFileState::TooLarge ? pairs::kNoteFileTooLarge : pairs::kNoteFileUnread;
}

}  // namespace

TFormNote::TFormNote(NoteServices services, const QFont& mainFont, QWidget* parent)
    : QDialog(parent), m_services(std::move(services)), m_fileName(m_services.noteFile) {
  setObjectName(QStringLiteral("FormNote"));
  BuildWidgets(mainFont);
  BuildTools();
  ApplyCaptions();
  // Over other windows as the calculator is, when it is.
  if (m_services.settings.stayOnTop) setWindowFlag(Qt::WindowStaysOnTopHint);
  setGeometry(215, 90, 398, 320);  // the place of a first opening
  PlaceWindow(this, m_services.settings.notebook);
  // Notes are never lost to a logout or a quit while the window is open.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveText(); });
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { SaveText(); });

  const NoteFile read = ReadNoteFile(m_services.noteFile);
  ShowLines(m_services.noteFile, read.lines, true);
  if (CouldNotRead(read.state)) {
    // Opens empty, so notes can still be taken and saved elsewhere; the file is never written.
    m_fileUnread = true;
    ShowFileMessage({Refusal(read.state)}, m_fileName);
  }
  m_m->moveCursor(QTextCursor::End);
}

TFormNote::~TFormNote() = default;

void TFormNote::BuildWidgets(const QFont& mainFont) {
  QFont font = mainFont;
  font.setBold(false);
  font.setItalic(false);
  if (font.pointSizeF() > 12) font.setPointSizeF(font.pointSizeF() - 2);
  setFont(font);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_panTop = new QWidget(this);
  m_panTop->setObjectName(QStringLiteral("PanTop"));
  layout->addWidget(m_panTop);

  m_m = new QPlainTextEdit(this);
  m_m->setObjectName(QStringLiteral("M"));
  m_m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Lines break at blanks only: breaking anywhere searches the rest of a line without blanks at
  // every break, which takes minutes for a long one; such a line scrolls sideways instead.
  m_m->setWordWrapMode(QTextOption::WordWrap);
  m_m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_m->setTabChangesFocus(false);
  m_m->installEventFilter(this);
  m_m->viewport()->installEventFilter(this);
  layout->addWidget(m_m, 1);

  m_panBut = new QWidget(this);
  m_panBut->setObjectName(QStringLiteral("PanBut"));
  m_panBut->hide();
  layout->addWidget(m_panBut);

  auto* tools = new QHBoxLayout(m_panTop);
  tools->setContentsMargins(2, 2, 2, 2);
  m_but = new QToolButton(m_panTop);
  m_but->setObjectName(QStringLiteral("But"));
  m_but->setCheckable(true);
  m_but->setChecked(m_services.settings.keysNote);
  m_panBut->setVisible(m_but->isChecked());
  connect(m_but, &QToolButton::toggled, this, &TFormNote::ShowKeypad);
  tools->addWidget(m_but);
  tools->addStretch(1);
}

void TFormNote::ApplyCaptions() {
  const bool english = m_services.settings.english;
  ShowTitle();
  m_but->setText(Lang(pairs::kKeys, english));
  m_but->setToolTip(Lang(pairs::kKeys, english));
  SetAccessibleText(m_m, pairs::kNote, english);
  ApplyToolCaptions();
}

bool TFormNote::IsNoteFile() const {
  return m_fileName == m_services.noteFile;
}

// The keypad's buttons may widen the window; hiding it gives back the width the user had, unless
// the user has resized the window meanwhile.
void TFormNote::ShowKeypad(bool shown) {
  if (shown) {
    const int before = width();
    m_panBut->setVisible(true);
    layout()->activate();
    // Only a width the keypad forced on the window is given back.
    m_widthBeforeKeypad = !isMaximized() && width() != before ? before : 0;
    m_widthAfterKeypad = width();
    return;
  }
  m_panBut->setVisible(false);
  layout()->activate();
  if (m_widthBeforeKeypad > 0 && !isMaximized() && width() == m_widthAfterKeypad) {
    resize(m_widthBeforeKeypad, height());
  }
  m_widthBeforeKeypad = 0;
}

void TFormNote::ShowTitle() {
  const bool english = m_services.settings.english;
  QString title = IsNoteFile() ? Lang(pairs::kNote, english) : QString::fromStdString(m_fileName.string());
  if (m_readOnly) title += QStringLiteral(" [") + Lang(pairs::kReadOnly, english) + QLatin1Char(']');
  setWindowTitle(title);
}

void TFormNote::ShowFileMessage(std::initializer_list<const wchar_t*> sentences, const std::filesystem::path& file) {
  const bool english = m_services.settings.english;
  Text text;
  for (const wchar_t* sentence : sentences) {
    if (!text.empty()) text += L' ';
    text += WithArgument(LangText(sentence, english), FromQString(QString::fromStdString(file.string())));
  }
  ShowMessageBox(*m_services.ui.answers, this, ToQString(text), Style());
}

void TFormNote::ShowLines(const std::filesystem::path& file, const std::vector<Text>& lines, bool roomToWrite) {
  m_fileName = file;
  m_fileUnread = false;
  m_readOnly = IsReadOnlyFile(file);
  QString text;
  qsizetype size = 2;
  for (const Text& line : lines) size += static_cast<qsizetype>(line.size()) + 1;
  text.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += ToQString(lines[i]);
  }
  // Added before the text is shown: changing a laid-out long line would lay it out again.
  if (roomToWrite && !lines.empty() && !lines.back().empty()) text += QStringLiteral("\n\n");
  m_m->setPlainText(text);
  m_m->document()->setModified(false);
  ShowTitle();
}

bool TFormNote::LoadFile(const std::filesystem::path& file) {
  const NoteFile read = ReadNoteFile(file);
  if (CouldNotRead(read.state)) {
    ShowFileMessage({Refusal(read.state)}, file);
    return false;
  }
  ShowLines(file, read.lines, false);
  return true;
}

TFormNote::SaveOutcome TFormNote::SaveText() {
  QTextDocument* document = m_m->document();
  if (!document->isModified()) return SaveOutcome::Saved;
  // The text stays marked while it is not in its file, so closing or the next quit tries again;
  // a file it may not go into is not asked about.
  if (m_fileUnread) return SaveOutcome::Unread;
  if (IsReadOnlyFile(m_fileName)) return SaveOutcome::ReadOnly;
  if (!IsNoteFile()) {
    if (ShowQuestion(*m_services.ui.answers, this,
                     Lang(pairs::kSaveChanges, m_services.settings.english) + QLatin1Char('?'),
                     DialogKind::Confirmation, kButtonYes | kButtonNo, Style()) != DialogResult::kYes) {
      document->setModified(false);
      return SaveOutcome::Saved;
    }
  }
  const std::vector<Text> lines = Lines();
  if (!WriteTextLines(m_fileName, lines)) return SaveOutcome::Failed;
  m_writtenPastLimits = !NoteFileOpens(lines);
  document->setModified(false);
  return SaveOutcome::Saved;
}

// Written whole, but past what the notebook opens: the user learns it now, not at the next opening.
void TFormNote::ReportWrittenPastLimits() {
  if (!m_writtenPastLimits) return;
  m_writtenPastLimits = false;
  ShowFileMessage({pairs::kNoteTooLargeToReopen}, m_fileName);
}

void TFormNote::ReportUnsaved(SaveOutcome outcome, bool closing) {
  if (outcome == SaveOutcome::Failed) {
    ShowMessageBox(*m_services.ui.answers, this, Lang(pairs::kFileError, m_services.settings.english), Style());
    return;
  }
  const wchar_t* reason = outcome == SaveOutcome::Unread ? pairs::kNoteKeptUnread : pairs::kNoteKeptReadOnly;
  if (closing) {
    ShowFileMessage({reason, pairs::kSaveElsewhere, pairs::kCloseAgainDiscards}, m_fileName);
  } else {
    ShowFileMessage({reason, pairs::kSaveElsewhere}, m_fileName);
  }
}

std::vector<Text> TFormNote::Lines() const {
  const QTextDocument* document = m_m->document();
  std::vector<Text> lines;
  lines.reserve(static_cast<size_t>(document->blockCount()));
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    lines.push_back(FromQString(block.text()));
  }
  return lines;
}

void TFormNote::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_services.alarm.Refresh(m_services.ui.clock());
  ShowAlarm();
  if (m_services.settings.maxNote) {
    setWindowState(windowState() | Qt::WindowMaximized);
  }
  m_m->setFocus();
  m_m->ensureCursorVisible();
}

void TFormNote::done(int result) {
  const SaveOutcome outcome = SaveText();
  ReportWrittenPastLimits();
  if (outcome != SaveOutcome::Saved && !m_saveFailed) {
    // The text is not in its file: say so once and stay open, so it can be saved elsewhere.
    m_saveFailed = true;
    ReportUnsaved(outcome, true);
    return;
  }
  Settings& settings = m_services.settings;
  settings.maxNote = isMaximized();
  if (!settings.maxNote) settings.notebook = PlaceOf(this);
  settings.keysNote = m_but->isChecked();
  QDialog::done(result);
}

NoteContext TFormNote::Context() const {
  return {m_services.locale,     m_services.calc.Numbers(),   m_services.words,
          m_services.ui.clock(), m_services.settings.english, m_services.sink};
}

void TFormNote::ApplyResult(const NoteCommandResult& result, const QString& piece, int base) {
  QTextCursor cursor = m_m->textCursor();
  if (result.edit) {
    const NoteSelection& replace = result.edit->replace;
    cursor.setPosition(base + Utf16Offset(piece, replace.start));
    cursor.setPosition(base + Utf16Offset(piece, replace.End()), QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.insertText(ToQString(result.edit->insert));
    cursor.endEditBlock();
    m_m->setTextCursor(cursor);
  } else if (result.select) {
    cursor.setPosition(base + Utf16Offset(piece, result.select->start));
    cursor.setPosition(base + Utf16Offset(piece, result.select->End()), QTextCursor::KeepAnchor);
    m_m->setTextCursor(cursor);
  }
  if (result.clipboard) QApplication::clipboard()->setText(ToQString(*result.clipboard));
  m_m->setFocus();
}

// The expression never reaches past its line, so without a selection only the caret's line up to
// the caret is handed over, never the whole text.
void TFormNote::RunOnExpression(const std::function<NoteCommandResult(TextView, NoteSelection)>& command) {
  const QTextCursor cursor = m_m->textCursor();
  if (cursor.hasSelection()) {
    const QString piece = SelectedPlainText(cursor);
    const Text text = FromQString(piece);
    ApplyResult(command(text, {0, text.size()}), piece, cursor.selectionStart());
    return;
  }
  const QString piece = cursor.block().text().left(cursor.positionInBlock());
  const Text text = FromQString(piece);
  ApplyResult(command(text, {text.size(), 0}), piece, cursor.block().position());
}

void TFormNote::CalcSelection(bool timeMode) {
  const NoteContext context = Context();
  RunOnExpression([&](TextView text, NoteSelection selection) {
    return tallyman::CalcSelection(text, selection, timeMode, context);
  });
}

void TFormNote::WordsForSelection(bool copy) {
  const NoteContext context = Context();
  RunOnExpression([&](TextView text, NoteSelection selection) {
    return tallyman::WordsForSelection(text, selection, copy, context);
  });
}

void TFormNote::Convert(NoteConversion conversion) {
  const QTextCursor cursor = m_m->textCursor();
  const QString piece = cursor.hasSelection() ? SelectedPlainText(cursor) : m_m->toPlainText();
  if (piece.isEmpty()) return;
  const Text text = FromQString(piece);
  ApplyResult(ConvertSelection(text, {0, text.size()}, conversion), piece,
              cursor.hasSelection() ? cursor.selectionStart() : 0);
}

QString TFormNote::SelectedText() const {
  return SelectedPlainText(m_m->textCursor());
}

void TFormNote::InsertFormulaResult(Number value) {
  const QTextCursor cursor = m_m->textCursor();
  const QString piece = SelectedPlainText(cursor);
  const Text text = FromQString(piece);
  ApplyResult(tallyman::InsertFormulaResult(text, {0, text.size()}, value, Context()), piece, cursor.selectionStart());
}

void TFormNote::InsertDateTime() {
  m_m->textCursor().insertText(ToQString(NoteDateTimeText(m_services.ui.clock(), m_services.locale)));
}

// The lines go to the end of the text in one undoable batch, as if each were added as a line.
void TFormNote::InsertCalculations() {
  const std::vector<Text> lines = TapeCalculationLines(m_services.calc.ResultsList(), m_services.calc.Tape());
  if (lines.empty()) return;
  QString block;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) block += QLatin1Char('\n');
    block += ToQString(lines[i]);
  }
  QTextCursor cursor(m_m->document());
  cursor.movePosition(QTextCursor::End);
  const bool endsWithLineBreak = m_m->document()->isEmpty() || cursor.block().text().isEmpty();
  cursor.insertText(endsWithLineBreak ? block + QLatin1Char('\n') : QLatin1Char('\n') + block);
  m_m->setTextCursor(cursor);
  m_m->ensureCursorVisible();
}

bool TFormNote::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_m && event->type() == QEvent::KeyPress) return NoteKey(static_cast<QKeyEvent*>(event));
  if (watched != m_m && watched != m_m->viewport()) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonDblClick:
      // The editor first puts the caret on the word; what runs is the word up to the blanks, so
      // an address with its "@" and dots runs whole.
      QTimer::singleShot(0, this, [this] {
        SelectBlankDelimitedWord();
        Run();
      });
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!drag->mimeData()->hasUrls()) break;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!drop->mimeData()->hasUrls()) break;
      const QList<QUrl> urls = drop->mimeData()->urls();
      if (!urls.isEmpty() && urls.front().isLocalFile()) {
        drop->acceptProposedAction();
        raise();
        activateWindow();
        DropFile(urls.front().toLocalFile());  // only the first file counts
      }
      return true;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormNote::SelectBlankDelimitedWord() {
  QTextCursor cursor = m_m->textCursor();
  const QString line = cursor.block().text();
  const int caret = cursor.position() - cursor.block().position();
  int start = std::min(static_cast<int>(cursor.selectionStart() - cursor.block().position()), caret);
  int end = std::max(static_cast<int>(cursor.selectionEnd() - cursor.block().position()), caret);
  start = std::clamp(start, 0, static_cast<int>(line.size()));
  end = std::clamp(end, start, static_cast<int>(line.size()));
  while (start > 0 && !line.at(start - 1).isSpace()) --start;
  while (end < line.size() && !line.at(end).isSpace()) ++end;
  if (start == end) return;
  cursor.setPosition(cursor.block().position() + start);
  cursor.setPosition(cursor.block().position() + end, QTextCursor::KeepAnchor);
  m_m->setTextCursor(cursor);
}

void TFormNote::Run() {
  const QTextCursor cursor = m_m->textCursor();
  const QString target = cursor.hasSelection() ? SelectedPlainText(cursor) : cursor.block().text();
  const QUrl url = RunTargetUrl(target);
  if (url.isValid() && !url.isEmpty()) m_services.ui.openUrl(url);  // a failure shows nothing
}

void TFormNote::DropFile(const QString& path) {
  static const QStringList kTextKinds{"txt", "ini", "cfg", "diz", "inc"};
  const QFileInfo info(path);
  if (!kTextKinds.contains(info.suffix().toLower())) {
    m_m->textCursor().insertText(QDir::toNativeSeparators(info.absoluteFilePath()));
    return;
  }
  if (!info.isFile()) return;  // gone meanwhile: the text stays as it is, unsaved
  const std::filesystem::path file = info.absoluteFilePath().toStdString();
  // A file that cannot be read is refused before anything else happens to the text.
  if (CouldNotRead(ReadNoteFile(file).state)) {
    LoadFile(file);  // says why
    return;
  }
  const SaveOutcome outcome = SaveText();
  if (outcome != SaveOutcome::Saved) {
    ReportUnsaved(outcome, false);  // the text could not be written: it stays
    return;
  }
  ReportWrittenPastLimits();
  LoadFile(file);  // read again: the saved text may have been this very file
}

// Shift+Enter: calculate, then break the line as Enter does (the editor's own Shift+Enter would
// only wrap inside the line); one undo step takes back both.
void TFormNote::CalcThenBreakLine() {
  const int steps = m_m->document()->availableUndoSteps();
  CalcSelection(false);
  QTextCursor cursor = m_m->textCursor();
  if (m_m->document()->availableUndoSteps() != steps) {
    cursor.joinPreviousEditBlock();
  } else {
    cursor.beginEditBlock();
  }
  cursor.insertText(QStringLiteral("\n"));
  cursor.endEditBlock();
  m_m->setTextCursor(cursor);
}

}  // namespace tallyman::ui
