// The second yardstick: the bare window with a line of text and an entry line, so it pays for
// reading the font configuration and loading a font as every window that shows text does.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(262, 127);
  window.setWindowTitle(QStringLiteral("text"));
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QStringLiteral("12 + 5 = 17"), &window));
  layout->addWidget(new QLineEdit(QStringLiteral("17"), &window));
  window.show();
  return QApplication::exec();
}
