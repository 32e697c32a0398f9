#include "ui/program_icon.h"

#include <QString>

namespace tallyman::ui {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/io.github.tallyman.Tallyman.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace tallyman::ui
