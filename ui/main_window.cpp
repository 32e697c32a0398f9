#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QThread>
#include <QTranslator>
#include <QVBoxLayout>
#include <filesystem>

#include "engine/core/lang_pairs.h"
#include "engine/settings/settings_file.h"
#include "engine/tape/spoken_rows.h"
#include "platform/beep.h"
#include "ui/installed_family.h"
#include "ui/message_dialogs.h"
#include "ui/note_window.h"
#include "ui/program_icon.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"
#include "ui/row_list_view.h"
#include "ui/sign_display.h"
#include "ui/start_up_trace.h"
#include "ui/title_clock.h"

namespace tallyman::ui {
namespace {

constexpr int kClientWidth = 262;
constexpr int kClientHeight = 127;
constexpr int kSignWidth = 25;
constexpr int kTapeRowHeight = 22;

QString SignText(wchar_t sign) {
  return sign ? QString(QChar(static_cast<char16_t>(sign))) : QString();
}

}  // namespace

FormTallyman::FormTallyman(const Locale& locale, const ProgramPaths& paths, QWidget* parent)
    : FormTallyman(locale, paths, MakeUiServices(), platform::MakeDesktopServices(), parent) {}

FormTallyman::FormTallyman(const Locale& locale, const ProgramPaths& paths, UiServices ui,
                           platform::DesktopServices services, QWidget* parent)
    : QMainWindow(parent),
      m_locale(WithUsableThousandsSeparator(locale)),
      m_paths(paths),
      m_answers(std::make_shared<AnswersUntilAbsent>(std::move(ui.answers))),
      m_ui(std::move(ui)) {
  m_ui.answers = m_answers;
  StartUpMark("desktop services made");
  setObjectName(QStringLiteral("FormTallyman"));
  m_calc = std::make_unique<Calculator>(m_locale, *this);
  m_calc->SetEnglish(false);
  m_calc->AddStateObserver(this);
  m_words = std::make_unique<NumberWords>(m_locale);
  BuildWidgets();
  ConnectCommands();
  BindOptions();
  ConnectEntry();
  StartUpMark("widgets built");

  std::error_code error;
  m_helpExists = !m_paths.helpFile.empty() && std::filesystem::exists(m_paths.helpFile, error);
  m_actions.mReadMe->setVisible(m_helpExists);
  setAcceptDrops(true);
  m_dateText = TitleDateText(QDate::currentDate(), QLocale::system());

  StartUpMark("help page looked up");
  ConnectDesktop(std::move(services));  // records the lock keys' states before anything can change them
  StartUpMark("desktop connected");
  m_res = new TFormRes(*m_calc, *this, this);
  m_tim.setInterval(1000);
  connect(&m_tim, &QTimer::timeout, this, &FormTallyman::TimTimer);

  // Window places are kept as the client areas' geometry: the frame is the window manager's and is
  // not known before the window is shown.
  Settings base;
  base.mainWindow = {geometry().x(), geometry().y(), height(), width()};
  base.resultsWindow = {m_res->geometry().x(), m_res->geometry().y(), m_res->height(), m_res->width()};
  const QPoint rowDialog = DefaultRowDialogPlace();
  base.rowEditDialog.left = rowDialog.x();
  base.rowEditDialog.top = rowDialog.y();
  StartUpMark("results window made");
  m_settings = LoadSettings(m_paths.settingsFile, m_locale, base);
  StartUpMark("settings read");
  ApplySettings(m_settings);
  StartUpMark("settings applied");
  ApplyQtTranslation();
  StartUpMark("translation");
  m_ed->setFocus();
  m_tim.start();
}

FormTallyman::~FormTallyman() {
  m_desktop.reset();
  if (m_qtTranslation) QCoreApplication::removeTranslator(m_qtTranslation.get());
  // The models observe the calculator and read its lists: part them before the calculator goes,
  // since the child widgets outlive this destructor's body.
  m_calc->SetTapeObserver(nullptr);
  m_calc->SetResultsObserver(nullptr);
  m_lb->setModel(nullptr);
  delete m_res;
  m_res = nullptr;
  m_calc->RemoveStateObserver(this);
}

void FormTallyman::BuildWidgets() {
  setWindowTitle(Lang(pairs::kCalculator, false));
  QApplication::setWindowIcon(WindowIcon());  // every window's, and the tray icon's
  StartUpMark("program icon set");
  const QString fontName = QStringLiteral("Arial");
  QFont font(InstalledFamily(fontName));
  font.setPixelSize(19);
  font.setBold(true);
  setFont(font);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  m_lb = new RowListView(
      QStringLiteral("Lb"), m_calc->Tape(), [this](long row) { m_calc->SelectRow(row); }, central);
  m_lb->setAcceptDrops(true);
  m_lb->viewport()->setAcceptDrops(true);
  m_calc->SetTapeObserver(&m_lb->Observer());
  m_lb->SetRowHeight(kTapeRowHeight);
  m_lb->SetDragPayload([this](QPoint pressPos) { return TapeDragPayload(pressPos); });
  m_lb->SetSpokenText(
      [this](long row) { return ToQString(SpokenTapeRow(m_calc->Tape().Row(row), m_settings.english)); });
  layout->addWidget(m_lb, 1);
  StartUpMark("tape made");

  m_panTop = new QWidget(central);
  m_panTop->setObjectName(QStringLiteral("PanTop"));
  m_panTop->setFixedHeight(38);
  m_s1 = new QLabel(m_panTop);
  m_s1->setObjectName(QStringLiteral("S1"));
  m_s2 = new QLabel(m_panTop);
  m_s2->setObjectName(QStringLiteral("S2"));
  StyleSignDisplay(m_s1);
  StyleSignDisplay(m_s2);
  m_ed = new QLineEdit(m_panTop);
  m_ed->setObjectName(QStringLiteral("Ed"));
  m_ed->setContextMenuPolicy(Qt::CustomContextMenu);
  m_ed->setAcceptDrops(true);
  layout->addWidget(m_panTop);
  setCentralWidget(central);
  StartUpMark("entry line made");

  m_actions = BuildMainActions(this, menuBar(), MainCommands());
  StartUpMark("menus made");
  // Menus keep the desktop's menu font; the window font is for the tape and the entry line.
  menuBar()->setFont(QApplication::font("QMenuBar"));
  for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(QApplication::font("QMenu"));
  m_actions.commands->Enable({m_actions.mProp});

  for (QObject* watched :
       {static_cast<QObject*>(m_lb), static_cast<QObject*>(m_lb->viewport()), static_cast<QObject*>(m_ed),
        static_cast<QObject*>(m_s1), static_cast<QObject*>(m_s2), static_cast<QObject*>(m_panTop)}) {
    watched->installEventFilter(this);
  }
  StartUpMark("menu fonts set");
  ApplyFont(font, fontName);
  StartUpMark("font applied");
  NameControls();
  const int menuHeight = menuBar()->sizeHint().height();
  resize(kClientWidth, kClientHeight + menuHeight);
  setMinimumHeight(60 + menuHeight);
  move(333, 239);
}

void FormTallyman::ApplyFont(const QFont& font, const QString& name) {
  setFont(font);
  m_lb->setFont(font);
  m_ed->setFont(font);
  m_ed->setFixedHeight(std::max(30, m_ed->sizeHint().height()));
  m_panTop->setFixedHeight(m_ed->height() + 4);
  LayoutEntryPanel();
  if (m_res) m_res->TakeFont(font);
  const QFont applied = this->font();
  m_settings.font.name = FromQString(name);
  m_settings.font.size = QFontInfo(applied).pointSize();
  m_settings.font.bold = applied.bold();
}

void FormTallyman::ConnectEntry() {
  connect(m_ed, &QLineEdit::textChanged, this, [this] {
    if (m_syncing) return;
    const long start = m_ed->hasSelectedText() ? m_ed->selectionStart() : m_ed->cursorPosition();
    const long length = static_cast<long>(m_ed->selectedText().size());
    m_syncing = true;  // the editor's own change: repaint it once, below
    m_calc->SetEntryFromEditor(FromQString(m_ed->text()), start, length);
    m_syncing = false;
    SyncEntry();  // the calculator may have refused or changed what the editor did
  });
  const auto selection = [this] {
    if (m_syncing) return;
    const long start = m_ed->hasSelectedText() ? m_ed->selectionStart() : m_ed->cursorPosition();
    // The editor already shows this selection: it must not be written back while it changes.
    m_syncing = true;
    m_calc->SetEntrySelection(start, static_cast<long>(m_ed->selectedText().size()));
    m_syncing = false;
  };
  connect(m_ed, &QLineEdit::selectionChanged, this, selection);
  connect(m_ed, &QLineEdit::cursorPositionChanged, this, selection);
}

void FormTallyman::StateChanged(const StateChange& change) {
  if (change.signs) ShowSigns();
  if (change.entry) m_actions.commands->Enable({m_actions.mProp});
  if (change.entry) DescribeSigns();  // a recalculation changes the total the entry line says
  if ((change.entry || change.selection) && !m_syncing) SyncEntry();
}

void FormTallyman::ShowSigns() {
  m_s1->setText(SignText(m_calc->S1()));
  m_s2->setText(SignText(m_calc->S2()));
  DescribeSigns();
}

void FormTallyman::ReturnToMain(bool focusEntry) {
  raise();
  activateWindow();
  if (focusEntry) m_ed->setFocus();
}

// Mirrors the model's entry line into Ed as one undoable replacement, so Escape and the pop-up
// menu's undo step back over what the keys did.
void FormTallyman::SyncEntry() {
  const EntryLine& entry = m_calc->Entry();
  const QString text = ToQString(entry.text);
  m_syncing = true;
  if (m_ed->text() != text) {
    m_ed->selectAll();
    m_ed->insert(text);
  }
  if (entry.selectionLength > 0) {
    m_ed->setSelection(static_cast<int>(entry.selectionStart), static_cast<int>(entry.selectionLength));
  } else {
    m_ed->setCursorPosition(static_cast<int>(entry.selectionStart));
  }
  m_syncing = false;
}

void FormTallyman::ApplyFocusColours(bool entryFocused) {
  ShowActiveColour(m_ed, entryFocused);
  m_lb->ShowActive(!entryFocused);
}

bool FormTallyman::StaysOnTop() const {
  return m_settings.stayOnTop;
}

void FormTallyman::mLangClick() {
  m_settings.english = !m_settings.english;
  // The item names the language it switches to.
  m_actions.mLang->setText(m_settings.english ? QStringLiteral("&Rus") : QStringLiteral("&Eng"));
  ApplyLanguage();
}

void FormTallyman::ApplyLanguage() {
  ApplyQtTranslation();
  m_calc->SetEnglish(m_settings.english);
  ApplyMainCaptions(m_actions, m_settings.english, m_settings.hotKey, m_desktop->HotKeyWorks());
  m_desktop->LanguageChanged();
  setWindowTitle(Lang(pairs::kCalculator, m_settings.english));
  NameControls();
  update();
  m_res->ApplyLanguage();
}

void FormTallyman::ApplyQtTranslation() {
  if (m_settings.english) {
    if (m_qtTranslation) QCoreApplication::removeTranslator(m_qtTranslation.get());
    return;
  }
  if (!m_qtTranslation) {
    auto translation = std::make_unique<QTranslator>();
    // Without Debian's qt6-translations-l10n Qt's dialogs simply stay in English.
    if (!translation->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
    m_qtTranslation = std::move(translation);
  }
  QCoreApplication::installTranslator(m_qtTranslation.get());
}

void FormTallyman::SetTabStops(bool resultsList) {
  if (resultsList) {
    m_res->UpdateTabStops();
    return;
  }
  m_lb->UpdateTabStop(m_panTop->width(), m_settings.tabDelta);
}

void FormTallyman::LayoutEntryPanel() {
  const int width = m_panTop->width();
  const int height = m_panTop->height();
  m_s1->setGeometry(0, 0, kSignWidth, height);
  m_s2->setGeometry(width - kSignWidth, 0, kSignWidth, height);
  const int entryWidth = std::max(10, width - 2 * kSignWidth - 10);
  m_ed->setGeometry(kSignWidth + 5, 4, entryWidth, m_ed->height());
  SetTabStops(false);
}

void FormTallyman::TimTimer() {
  const QTime now = QTime::currentTime();
  if (m_tim.interval() == 1000) {
    m_tim.setInterval(NextTimerInterval(m_tim.interval(), now));
  } else {
    WriteAutomaticCopy();
  }
  setWindowTitle(ClockTitle(m_dateText, now));
  if (m_alarm.Due(m_ui.clock())) FireAlarm();
}

// Four beeps 300 ms apart, the program brought forward, then the message.
void FormTallyman::FireAlarm() {
  emit AlarmFired();
  for (int i = 0; i < 4; ++i) {
    if (i > 0) Pause(300);
    Beep();
  }
  if (isMinimized() || !isVisible()) showNormal();
  raise();
  activateWindow();
  ShowMessage(LangText(pairs::kTimeIsOver, m_settings.english));
}

void FormTallyman::WriteAutomaticCopy() {
  m_calc->AutoSave(m_paths);  // write errors are ignored
}

void FormTallyman::ReportOutOfMemory() {
  ShowMessage(LangText(pairs::kNotEnoughMemory, m_settings.english));
}

void FormTallyman::ShowMessage(const Text& text) {
  ShowMessageBox(*m_ui.answers, this, ToQString(text), Style());
}

void FormTallyman::AnswerForAbsentUser() {
  m_answers->UserLeft();
}

void FormTallyman::Beep() {
  platform::SystemBeep();
}

void FormTallyman::Pause(int milliseconds) {
  QThread::msleep(static_cast<unsigned long>(milliseconds));
}

std::optional<Text> FormTallyman::GetText() {
  const QMimeData* content = QGuiApplication::clipboard()->mimeData();
  if (!content || !content->hasText()) return std::nullopt;
  return FromQString(content->text());
}

void FormTallyman::SetText(const Text& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

void FormTallyman::FocusEntry() {
  if (isActiveWindow() && m_ed->isEnabled() && m_ed->isVisible()) m_ed->setFocus();
}

}  // namespace tallyman::ui
