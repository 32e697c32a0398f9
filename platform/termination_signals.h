#pragma once
// SIGTERM, SIGINT and SIGHUP turned into a call on the interface thread, so the program can close
// as at any other close (settings and the automatic tape copy written, the single-instance lock
// released) instead of dying where it stands. The signal handler only writes one byte to a pipe;
// the event loop reads it and calls the handler. One object at a time; it restores the previous
// dispositions when it goes.
#include <QObject>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace tallyman::platform {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

  // False when the pipe or the handlers could not be set up; the signals then end the program
  // as they always do.
  bool Installed() const { return m_notifier != nullptr; }

  // Called once for every signal that arrives (a burst of signals may be folded into one call).
  // A signal that came before a handler was set is delivered when it is set.
  void SetHandler(std::function<void(int signalNumber)> handler);

 private:
  void Drain();

  QSocketNotifier* m_notifier = nullptr;
  std::function<void(int)> m_handler;
  int m_pending = 0;  // a signal read before the handler was set
  struct sigaction m_previous[3] = {};
};

}  // namespace tallyman::platform
