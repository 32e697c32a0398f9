// Start-up settings applied to the windows in the order of the settings file, and collected
// again when the main window closes.
#include <QAction>
#include <QFontInfo>
#include <QLineEdit>
#include <QScreen>

#include "engine/settings/settings_file.h"
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

int ColourValue(const QColor& colour) {
  if (!colour.isValid()) return kWindowTextColor;
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// A place whose title bar is on no screen (damaged values, a monitor since removed) is passed
// over: the window keeps its own default place. No size is taken larger than the screen.
void PlaceWindow(QWidget* window, const WindowPlace& place) {
  const QPoint topLeft(place.left, place.top);
  if (place.width > 0 && place.height > 0) window->resize(FitToScreen(QSize(place.width, place.height), topLeft));
  PlaceOnScreen(window, topLeft, window->geometry().topLeft());
}

WindowPlace PlaceOf(const QWidget* window) {
  const QRect client = window->geometry();
  return {client.x(), client.y(), client.height(), client.width()};
}

}  // namespace

void FormTallyman::ApplySettings(const Settings& s) {
  m_actions.mTop->setChecked(s.stayOnTop);
  m_tabDelta = s.tabDelta;
  PlaceWindow(this, s.mainWindow);
  PlaceWindow(m_res, s.resultsWindow);

  QFont chosen = font();
  if (!s.font.name.empty()) chosen.setFamily(ToQString(s.font.name));
  if (s.font.size > 0) chosen.setPointSize(s.font.size);
  m_actions.pmMenu->setChecked(s.menu);
  ApplyMenuVisibility();

  if (s.english) {
    m_actions.mLang->setText(QStringLiteral("&Rus"));
    m_english = true;
    ApplyLanguage();
  }
  m_hotKey = s.hotKey;
  chosen.setBold(s.font.bold);
  ApplyFont(chosen);
  const QColor colour = FontColour(s.font.color);
  for (QWidget* text : {static_cast<QWidget*>(m_lb), static_cast<QWidget*>(m_ed)}) {
    QPalette palette = text->palette();
    palette.setColor(QPalette::Text, colour.isValid() ? colour : QPalette().color(QPalette::Text));
    text->setPalette(palette);
  }

  m_actions.mTray->setChecked(s.tray);
  m_actions.mConfirm->setChecked(s.confirm);
  m_actions.mHideOnMin->setChecked(s.hideOnMin);
  m_actions.mOnlyOne->setChecked(s.onlyOne);
  // clang-format off
  switch (s.escape) {
    case EscapeAction::HideToTray: m_actions.mEscTray->setChecked(true); break;
    case EscapeAction::UndoEntry: m_actions.mEscUndo->setChecked(true); break;
    case EscapeAction::ClearEntry: m_actions.mEscDel->setChecked(true); break;
    case EscapeAction::Close: m_actions.mEscClose->setChecked(true); break;
  }
  // clang-format on
  m_actions.mNumLock->setChecked(s.numLock);
  m_calc->Memory() = s.memory;
  SetHideCaption(m_actions, m_english, m_hotKey);
  if (s.stayOnTop) SetStayOnTop(true);
  const int digits = s.digits;
  const int resOut = s.resOut;
  m_calc->SetPrecision(digits, resOut);
  LayoutEntryPanel();
}

Settings FormTallyman::CollectSettings() const {
  Settings s = m_settings;  // places of the other windows and untouched values
  const NumberText& numbers = m_calc->Numbers();
  s.digits = numbers.Digits();
  s.resOut = numbers.ResOut();
  s.tabDelta = m_tabDelta;
  s.mainWindow = PlaceOf(this);
  s.resultsWindow = PlaceOf(m_res);
  s.stayOnTop = m_actions.mTop->isChecked();
  const QFont current = font();
  s.font.name = FromQString(current.family());
  s.font.size = QFontInfo(current).pointSize();
  const QColor colour = m_lb->palette().color(QPalette::Text);
  s.font.color = colour == QPalette().color(QPalette::Text) ? kWindowTextColor : ColourValue(colour);
  s.font.bold = current.bold();
  s.menu = m_actions.pmMenu->isChecked();
  s.tray = m_actions.mTray->isChecked();
  s.confirm = m_actions.mConfirm->isChecked();
  s.hideOnMin = m_actions.mHideOnMin->isChecked();
  s.english = m_english;
  s.hotKey = m_hotKey;
  s.numLock = m_actions.mNumLock->isChecked();
  s.onlyOne = m_actions.mOnlyOne->isChecked();
  s.escape = m_actions.mEscDel->isChecked()    ? EscapeAction::ClearEntry
             : m_actions.mEscUndo->isChecked() ? EscapeAction::UndoEntry
             : m_actions.mEscTray->isChecked() ? EscapeAction::HideToTray
                                               : EscapeAction::Close;
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
