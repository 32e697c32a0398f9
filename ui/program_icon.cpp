#include "ui/program_icon.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <initializer_list>

#include "ui/program_icon_pixels.h"

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
  QIcon icon;
  for (const IconPixels& picture : WindowIconPixels()) {
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels), picture.size, picture.size,
                       QImage::Format_ARGB32);
    icon.addPixmap(QPixmap::fromImage(image));  // a copy: the pixels stay in the program
  }
  return icon;
}

}  // namespace tallyman::ui
