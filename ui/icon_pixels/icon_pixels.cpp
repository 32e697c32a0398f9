// Build tool: writes the window icon's pictures as arrays of 32-bit ARGB pixels into a C++ source,
// so the program makes its window icon without an image reader (which loads every image format
// plugin it can find on the first picture it reads).
// Usage: icon_pixels OUTPUT.cpp PICTURE.png...
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: icon_pixels OUTPUT.cpp PICTURE.png...\n");
    return 2;
  }
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly)) return 1;
  QTextStream out(&file);
  out << "// Made by ui/icon_pixels from the program's icon; do not edit.\n"
      << "#include \"ui/program_icon_pixels.h\"\n\nnamespace tallyman::ui {\nnamespace {\n";
  QList<int> sizes;
  for (int i = 2; i < argc; ++i) {
    const QImage image = QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || image.width() != image.height()) {
      std::fprintf(stderr, "icon_pixels: %s is no square picture\n", argv[i]);
      return 1;
    }
    const int size = image.width();
    sizes << size;
    out << "const unsigned int kPixels" << size << "[] = {";
    for (int y = 0; y < size; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < size; ++x)
        out << (x % 8 == 0 ? "\n    " : " ") << "0x" << Qt::hex << line[x] << Qt::dec << "u,";
    }
    out << "\n};\n";
  }
  out << "}  // namespace\n\nconst std::vector<IconPixels>& WindowIconPixels() {\n"
      << "  static const std::vector<IconPixels> pictures = {";
  for (int size : sizes) out << "{" << size << ", kPixels" << size << "}, ";
  out << "};\n  return pictures;\n}\n\n}  // namespace tallyman::ui\n";
  out.flush();
  return file.commit() ? 0 : 1;
}
