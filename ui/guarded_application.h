#pragma once
// The application object of the desktop program: memory running out in the middle of a command
// is reported instead of ending the program, so the tape, the results and the settings survive.
#include <QApplication>
#include <functional>

namespace tallyman::ui {

class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  // Called after a command was abandoned for lack of memory.
  void SetOutOfMemoryHandler(std::function<void()> handler) { m_outOfMemory = std::move(handler); }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::function<void()> m_outOfMemory;
};

}  // namespace tallyman::ui
