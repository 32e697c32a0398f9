#include "ui/program_icon.h"

#include <QString>
#include <initializer_list>

namespace tallyman::ui {
namespace {

QIcon IconOfSizes(std::initializer_list<int> sizes) {
  QIcon icon;
  for (int size : sizes) {
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/io.github.tallyman.Tallyman.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  return IconOfSizes({16, 24, 32, 48, 64, 128, 256});
}

QIcon WindowIcon() {
  return IconOfSizes({16, 24, 32, 48, 64});
}

}  // namespace tallyman::ui
