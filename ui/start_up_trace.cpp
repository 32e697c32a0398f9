#include "ui/start_up_trace.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace tallyman::ui {
namespace {

bool Tracing() {
  static const bool on = [] {
    const char* value = std::getenv("TALLYMAN_STARTUP_TRACE");
    return value && std::strcmp(value, "1") == 0;
  }();
  return on;
}

class FirstPaint final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      StartUpMark("first paint");
      deleteLater();
    }
    return false;
  }
};

}  // namespace

void StartUpMark(const char* what) {
  if (!Tracing()) return;
  static QElapsedTimer clock;
  if (!clock.isValid()) clock.start();
  // The process's CPU time since exec, loading the libraries included: unlike the wall clock it
  // tells the phases apart on a busy machine too.
  timespec cpu{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  const double cpuMs = static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
  std::fprintf(stderr, "startup %7.2f ms  cpu %7.2f ms  %s\n", static_cast<double>(clock.nsecsElapsed()) / 1e6, cpuMs,
               what);
}

void MarkFirstPaint(QWidget& window) {
  if (Tracing()) window.installEventFilter(new FirstPaint(&window));
}

}  // namespace tallyman::ui
