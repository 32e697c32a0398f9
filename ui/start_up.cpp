#include "ui/start_up.h"

#include <QAction>
#include <QApplication>
#include <QSessionManager>
#include <QSet>

#include "engine/settings/paths.h"
#include "engine/settings/settings_file.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "ui/main_window.h"
#include "ui/message_dialogs.h"

namespace tallyman::ui {
namespace {

// Answers or closes the open dialogs from the top one down, as the user would. A dialog whose own
// close is already under way further up the call stack (it was asking its question) cannot close
// again from here: it finishes that close, its question answered, once this returns. Each dialog
// is tried once, so this ends whatever the dialogs do.
void EndOpenDialogs(const QWidget& window) {
  QSet<QWidget*> tried;
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (modal == &window || tried.contains(modal)) break;
    tried.insert(modal);
    if (!AnswerForAbsentUser(modal)) modal->close();
  }
}

}  // namespace

bool ClaimOnlyCopy(const ProgramPaths& paths, platform::SingleInstance& instance) {
  if (!ReadOnlyOne(paths.settingsFile)) return true;
  if (instance.Claim() != platform::SingleInstance::Standing::kAnotherRuns) return true;
  if (instance.SendShowRequest()) return false;
  // Nobody listened: a copy still starting keeps its lock and this copy ends all the same; a lock
  // file nobody holds (empty, damaged, left behind) is taken over.
  return instance.ClaimStale() != platform::SingleInstance::Standing::kAnotherRuns;
}

void ConnectOutsideRequests(FormTallyman& window, platform::SingleInstance& instance,
                            platform::TerminationSignals& termination) {
  QObject::connect(&instance, &platform::SingleInstance::ShowRequested, &window,
                   [&window] { window.Desktop().HotKeyMessage(true); });
  // The option acts at once: later copies are turned away from now on, or no longer.
  QObject::connect(window.Actions().mOnlyOne, &QAction::toggled, &instance, [&instance](bool on) {
    if (!on) {
      instance.Release();
    } else if (instance.Claim() == platform::SingleInstance::Standing::kAnotherRuns) {
      instance.ClaimStale();  // another running copy keeps the rule: this one stays as it is
    }
  });
  termination.SetHandler([&window](int) { CloseAndEnd(window); });
  QObject::connect(&window, &QObject::destroyed, &termination, [&termination] { termination.SetHandler({}); });
  // The session manager asks for the data at a log-out, but also at a mere checkpoint: write
  // what a close would write and keep running; the session's end then comes as a signal.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) {
    window.WriteAutomaticCopy();
    window.SaveSettingsFile();
  });
}

void CloseAndEnd(FormTallyman& window) {
  // First, so that every loop returns at once and every question asked from here on is answered
  // without one: nothing may hold the program open now.
  window.AnswerForAbsentUser();
  QCoreApplication::exit(0);
  // Open dialogs close as the user would close them, and keep what they hold (the notebook its
  // text, its place for the settings), before the main window writes the settings.
  EndOpenDialogs(window);
  window.CloseWithoutQuestion();
  // Still shown: the window was already in the middle of closing (its question open) and this
  // close was folded into that one. Save here instead.
  if (window.isVisible()) {
    window.WriteAutomaticCopy();
    window.SaveSettingsFile();
  }
  // A dialog that was closing further up the call stack records its part (the notebook its
  // place) on the way out: the settings are written once more when every loop has returned.
  QObject::connect(
      qApp, &QCoreApplication::aboutToQuit, &window, [&window] { window.SaveSettingsFile(); },
      Qt::SingleShotConnection);
}

}  // namespace tallyman::ui
