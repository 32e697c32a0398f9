// The yardstick: an empty Qt Widgets window of the same size, started the same way.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(262, 127);
  window.setWindowTitle(QStringLiteral("bare"));
  window.show();
  return QApplication::exec();
}
