#include "platform/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <iterator>

namespace tallyman::platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end for the signal handler; -1 while no object is installed.
volatile std::sig_atomic_t g_writeEnd = -1;
int g_readEnd = -1;

// Async-signal-safe: one write, errno kept for the code it interrupted. A full pipe already
// holds a wake-up, so a failed write loses nothing.
extern "C" void OnTerminationSignal(int number) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
  errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (g_writeEnd != -1) return;  // another object has them
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  g_readEnd = ends[0];
  g_writeEnd = ends[1];
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], nullptr, &m_previous[i]);
    // A signal ignored when the program started stays ignored: nohup, or a background job of a
    // script, asked for that.
    if (m_previous[i].sa_handler == SIG_IGN) continue;
    sigaction(kSignals[i], &action, nullptr);
  }
  m_notifier = new QSocketNotifier(g_readEnd, QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
}

TerminationSignals::~TerminationSignals() {
  if (!m_notifier) return;
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &m_previous[i], nullptr);
  delete m_notifier;
  ::close(g_writeEnd);
  ::close(g_readEnd);
  g_writeEnd = -1;
  g_readEnd = -1;
}

void TerminationSignals::SetHandler(std::function<void(int)> handler) {
  m_handler = std::move(handler);
  if (m_pending == 0 || !m_handler) return;
  // Delivered from the event loop, where the handler can end it.
  QTimer::singleShot(0, this, [this] {
    const int number = m_pending;
    m_pending = 0;
    if (number != 0 && m_handler) m_handler(number);
  });
}

void TerminationSignals::Drain() {
  unsigned char bytes[16];
  int last = 0;
  ssize_t count;
  while ((count = ::read(g_readEnd, bytes, sizeof bytes)) > 0) last = bytes[count - 1];
  if (last == 0) return;
  if (m_handler) {
    m_handler(last);
  } else {
    m_pending = last;
  }
}

}  // namespace tallyman::platform
