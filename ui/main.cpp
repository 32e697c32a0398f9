// tallyman: the desktop tape calculator.
#include "engine/settings/paths.h"
#include "ui/guarded_application.h"
#include "ui/main_window.h"
#include "ui/system_locale.h"

int main(int argc, char* argv[]) {
  tallyman::ui::GuardedApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Calculator"));
  // Matches the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tallyman.Tallyman"));
  const std::filesystem::path program = QApplication::applicationFilePath().toStdString();
  const tallyman::ProgramPaths paths = tallyman::ComputeProgramPaths(program, tallyman::ReadPathEnvironment());
  tallyman::ui::FormTallyman window(tallyman::ui::SystemLocale(), paths);
  application.SetOutOfMemoryHandler([&window] { window.ReportOutOfMemory(); });
  window.ShowAtStart();
  return QApplication::exec();
}
