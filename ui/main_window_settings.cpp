// Start-up settings applied to the windows in the order of the settings file, and collected
// again when the main window closes.
#include <QAction>
#include <QFontInfo>
#include <QLineEdit>
#include <QScreen>

#include "engine/settings/settings_file.h"
#include "ui/installed_family.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"
#include "ui/row_list_view.h"
#include "ui/window_places.h"

namespace tallyman::ui {
namespace {

// 0x00BBGGRR, or the system's window text colour.
QColor FontColour(int value) {
  if (value == kWindowTextColor || value < 0) return {};
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Each on/off option and the menu item whose check mark shows it.
struct OptionAction {
  bool Settings::*option;
  QAction* MainActions::*action;
};
constexpr OptionAction kOptionActions[] = {
    {&Settings::stayOnTop, &MainActions::mTop},       {&Settings::menu, &MainActions::pmMenu},
    {&Settings::tray, &MainActions::mTray},           {&Settings::confirm, &MainActions::mConfirm},
    {&Settings::hideOnMin, &MainActions::mHideOnMin}, {&Settings::numLock, &MainActions::mNumLock},
    {&Settings::onlyOne, &MainActions::mOnlyOne},
};

// What Escape does and the radio item that chooses it.
struct EscapeChoice {
  EscapeAction escape;
  QAction* MainActions::*action;
};
constexpr EscapeChoice kEscapeChoices[] = {
    {EscapeAction::Close, &MainActions::mEscClose},
    {EscapeAction::HideToTray, &MainActions::mEscTray},
    {EscapeAction::UndoEntry, &MainActions::mEscUndo},
    {EscapeAction::ClearEntry, &MainActions::mEscDel},
};

}  // namespace

// The menu items change the options in m_settings; nothing is collected back from them later.
void FormTallyman::BindOptions() {
  for (const OptionAction& binding : kOptionActions) {
    connect(m_actions.*binding.action, &QAction::toggled, this,
            [this, option = binding.option](bool on) { m_settings.*option = on; });
  }
  for (const EscapeChoice& choice : kEscapeChoices) {
    connect(m_actions.*choice.action, &QAction::toggled, this, [this, escape = choice.escape](bool on) {
      if (on) m_settings.escape = escape;
    });
  }
}

void FormTallyman::ApplySettings(Settings settings) {
  m_settings = std::move(settings);
  const Settings& s = m_settings;
  for (const OptionAction& binding : kOptionActions) (m_actions.*binding.action)->setChecked(s.*binding.option);
  for (const EscapeChoice& choice : kEscapeChoices) {
    if (choice.escape == s.escape) (m_actions.*choice.action)->setChecked(true);
  }
  PlaceWindow(this, s.mainWindow);
  PlaceWindow(m_res, s.resultsWindow);

  QFont chosen = font();
  const QString fontName = s.font.name.empty() ? chosen.family() : ToQString(s.font.name);
  chosen.setFamily(InstalledFamily(fontName));
  if (s.font.size > 0) chosen.setPointSize(s.font.size);
  ApplyMenuVisibility();

  if (s.english) {
    m_actions.mLang->setText(QStringLiteral("&Rus"));
    ApplyLanguage();
  }
  chosen.setBold(s.font.bold);
  ApplyFont(chosen, fontName);
  const QColor colour = FontColour(s.font.color);
  // Kept as it will be written back: the system's text colour as such, others as 0x00BBGGRR.
  const bool systemColour = !colour.isValid() || colour == QPalette().color(QPalette::Text);
  m_settings.font.color = systemColour ? kWindowTextColor : s.font.color & 0xFFFFFF;
  for (QWidget* text : {static_cast<QWidget*>(m_lb), static_cast<QWidget*>(m_ed)}) {
    QPalette palette = text->palette();
    palette.setColor(QPalette::Text, colour.isValid() ? colour : QPalette().color(QPalette::Text));
    text->setPalette(palette);
  }

  for (int i = 0; i < static_cast<int>(s.memory.size()); ++i) {
    const MemorySlot& slot = s.memory[static_cast<size_t>(i)];
    m_calc->StoreSlot(i, slot.value, slot.sign);
    m_calc->RenameSlot(i, slot.name);
  }
  m_words->SetNumString(s.hasNumString ? NumStringSection(s.numString) : std::nullopt);
  m_words->SetShortPenny(s.shortPenny);
  m_desktop->SettingsApplied();
  if (s.stayOnTop) SetStayOnTop(true);
  const int digits = s.digits;
  const int resOut = s.resOut;
  m_calc->SetPrecision(digits, resOut);
  LayoutEntryPanel();
}

Settings FormTallyman::CollectSettings() const {
  Settings s = m_settings;
  const NumberText& numbers = m_calc->Numbers();
  s.digits = numbers.Digits();
  s.resOut = numbers.ResOut();
  s.mainWindow = PlaceOf(this);
  s.resultsWindow = PlaceOf(m_res);
  s.memory = m_calc->Memory();
  return s;
}

QPoint FormTallyman::DefaultRowDialogPlace() const {
  const QSize screen = ScreenOf(this) ? ScreenOf(this)->geometry().size() : QSize(1024, 768);
  Settings centred;
  CenterRowEditDialog(centred, screen.width(), screen.height());
  return {centred.rowEditDialog.left, centred.rowEditDialog.top};
}

bool FormTallyman::SaveSettingsFile() const {
  CreateProgramFolders(m_paths);
  return SaveSettings(m_paths.settingsFile, CollectSettings(), m_locale);
}

}  // namespace tallyman::ui
