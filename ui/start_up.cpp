#include "ui/start_up.h"

#include <QApplication>
#include <QSessionManager>

#include "engine/settings/paths.h"
#include "engine/settings/settings_file.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "ui/main_window.h"

namespace tallyman::ui {

bool ClaimOnlyCopy(const ProgramPaths& paths, platform::SingleInstance& instance) {
  if (!ReadOnlyOne(paths.settingsFile)) return true;
  if (instance.Claim() != platform::SingleInstance::Standing::kAnotherRuns) return true;
  instance.SendShowRequest();  // unanswered, this copy ends all the same
  return false;
}

void ConnectOutsideRequests(FormTallyman& window, platform::SingleInstance& instance,
                            platform::TerminationSignals& termination) {
  QObject::connect(&instance, &platform::SingleInstance::ShowRequested, &window,
                   [&window] { window.HotKeyMessage(true); });
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
  // First, so that every loop, a question's asked while closing included, returns at once:
  // nothing may hold the program open now.
  QCoreApplication::exit(0);
  // Open dialogs close as the user would close them, and keep what they hold (the notebook its
  // text, its place for the settings), before the main window writes the settings.
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (modal == &window || !modal->close()) break;
  }
  window.CloseWithoutQuestion();
  // Still shown: the window was already in the middle of closing (its question open) and this
  // close was folded into that one, which the ending loops answer No. Save here instead.
  if (window.isVisible()) {
    window.WriteAutomaticCopy();
    window.SaveSettingsFile();
  }
}

}  // namespace tallyman::ui
