// tallyman: the desktop tape calculator.
#include <QApplication>

#include "engine/settings/paths.h"
#include "ui/main_window.h"
#include "ui/system_locale.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Calculator"));
  const std::filesystem::path program = QApplication::applicationFilePath().toStdString();
  const tallyman::ProgramPaths paths = tallyman::ComputeProgramPaths(program, tallyman::ReadPathEnvironment());
  tallyman::ui::FormTallyman window(tallyman::ui::SystemLocale(), paths);
  window.show();
  return QApplication::exec();
}
