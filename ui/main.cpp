// tallyman: the desktop tape calculator.
#include "engine/settings/paths.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "ui/guarded_application.h"
#include "ui/main_window.h"
#include "ui/program_style.h"
#include "ui/start_up.h"
#include "ui/start_up_trace.h"
#include "ui/system_locale.h"

int main(int argc, char* argv[]) {
  tallyman::ui::StartUpMark("main");
  tallyman::ui::GuardedApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Calculator"));
  // Matches the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tallyman.Tallyman"));
  tallyman::ui::InstallProgramStyle();
  tallyman::platform::TerminationSignals termination;
  tallyman::ui::StartUpMark("application made");
  const std::filesystem::path program = QApplication::applicationFilePath().toStdString();
  const tallyman::ProgramPaths paths = tallyman::ComputeProgramPaths(program, tallyman::ReadPathEnvironment());
  tallyman::platform::SingleInstance instance;
  if (!tallyman::ui::ClaimOnlyCopy(paths, instance)) return 0;  // the running copy shows itself

  tallyman::ui::StartUpMark("only-copy rule decided");
  tallyman::ui::FormTallyman window(tallyman::ui::SystemLocale(), paths);
  application.SetOutOfMemoryHandler([&window] { window.ReportOutOfMemory(); });
  tallyman::ui::ConnectOutsideRequests(window, instance, termination);
  tallyman::ui::StartUpMark("window made");
  tallyman::ui::MarkFirstPaint(window);
  window.Desktop().ShowAtStart();
  tallyman::ui::StartUpMark("shown");
  return QApplication::exec();
}
