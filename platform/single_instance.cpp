#include "platform/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <functional>

namespace tallyman::platform {
namespace {

// Long enough for a copy that is just ending to let the lock go, short enough not to be noticed.
constexpr int kLockWaitMs = 100;
// A client that connects and never finishes its request is dropped after this.
constexpr int kClientTimeoutMs = 2000;

// Only a folder of this user that nobody else can write holds the lock and the socket: another
// user must never be able to plant a lock that keeps this user's copy from starting.
bool IsPrivateFolder(const QString& folder) {
  const QFileInfo info(folder);
  constexpr QFile::Permissions kOthersWrite = QFile::WriteGroup | QFile::WriteOther;
  return info.isAbsolute() && info.isDir() && info.ownerId() == ::getuid() && !(info.permissions() & kOthersWrite);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the lock file at `path` when no process holds it locked. A running copy's QLockFile
// keeps its file flock()ed from the moment it is created, so a file that can be locked here
// belongs to nobody. The name is checked to still be that file, so a lock just made by another
// start that removed the same stale file first is left alone. True when the name is free now.
bool RemoveUnheldLockFile(const QByteArray& path) {
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    // A link or an unreadable file: never a running copy's lock, which is a plain file it can read.
    return (errno == ELOOP || errno == EACCES) && ::unlink(path.constData()) == 0;
  }
  bool removed = false;
  struct stat opened = {};
  struct stat named = {};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
      ::lstat(path.constData(), &named) == 0 && SameFile(opened, named)) {
    removed = ::unlink(path.constData()) == 0;
  }
  ::close(fd);
  return removed;
}

// The socket address of `path`; false when the name is too long for one.
bool SocketAddress(const QString& path, sockaddr_un* address) {
  const QByteArray name = QFile::encodeName(path);
  *address = {};
  address->sun_family = AF_UNIX;
  if (name.isEmpty() || static_cast<size_t>(name.size()) >= sizeof(address->sun_path)) return false;
  std::memcpy(address->sun_path, name.constData(), static_cast<size_t>(name.size()));
  return true;
}

// One connection of a later copy: reads until the request is complete, then drops the
// connection. Only exactly the request's bytes count; a client that stalls is dropped.
class RequestReader final : public QObject {
 public:
  RequestReader(int socket, std::function<void()> shown, QObject* parent)
      : QObject(parent), m_socket(socket), m_shown(std::move(shown)) {
    m_notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { Read(); });
    QTimer::singleShot(kClientTimeoutMs, this, [this] { Finish(); });
  }
  ~RequestReader() override { ::close(m_socket); }

 private:
  void Read() {
    char chunk[64];
    for (;;) {
      const ssize_t got = ::recv(m_socket, chunk, sizeof chunk, 0);
      if (got > 0) {
        m_received.append(chunk, static_cast<qsizetype>(got));
        if (m_received.size() > SingleInstance::kShowRequest.size()) break;
        continue;
      }
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (m_received.size() < SingleInstance::kShowRequest.size()) return;  // the rest is on its way
      }
      break;  // the end, an error, or all that has come with the whole request
    }
    const bool request = m_received == SingleInstance::kShowRequest;
    Finish();
    if (request) m_shown();
  }
  void Finish() {
    m_notifier->setEnabled(false);
    deleteLater();
  }

  int m_socket;
  std::function<void()> m_shown;
  QSocketNotifier* m_notifier = nullptr;
  QByteArray m_received;
};

// Waits until `socket` is ready for `events` or `deadline` has passed.
bool WaitFor(int socket, short events, const QElapsedTimer& clock, int timeoutMs) {
  for (;;) {
    const qint64 left = timeoutMs - clock.elapsed();
    if (left <= 0) return false;
    pollfd waiting{socket, events, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(left));
    if (ready > 0) return (waiting.revents & events) != 0;
    if (ready < 0 && errno != EINTR) return false;
  }
}

}  // namespace

const QByteArray SingleInstance::kShowRequest = QByteArrayLiteral("tallyman show\n");

SingleInstance::SingleInstance(QString runtimeFolder, QObject* parent) : QObject(parent) {
  if (runtimeFolder.isEmpty() || !IsPrivateFolder(runtimeFolder)) return;
  // The user is part of the names, for runtime folders that several users share.
  const QString base = QDir(runtimeFolder).filePath(QStringLiteral("tallyman-%1").arg(::getuid()));
  m_lockPath = base + QStringLiteral(".lock");
  m_serverPath = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() {
  Release();
}

QString SingleInstance::DefaultRuntimeFolder() {
  const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

SingleInstance::Standing SingleInstance::Claim() {
  if (m_lockPath.isEmpty()) return Standing::kAlone;
  if (m_lock && m_server >= 0) return Standing::kFirst;
  m_lock = std::make_unique<QLockFile>(m_lockPath);
  // The first copy may run for weeks: its lock must never count as stale by age, only when the
  // copy that wrote it is gone (QLockFile checks the process id for that).
  m_lock->setStaleLockTime(0);
  if (m_lock->tryLock(kLockWaitMs)) {
    if (Listen()) return Standing::kFirst;
    // Nobody could reach this copy: keep no lock that would turn later copies away unheard.
    m_lock->unlock();
    m_lock.reset();
    return Standing::kAlone;
  }
  const bool heldByAnother = m_lock->error() == QLockFile::LockFailedError;
  m_lock.reset();
  return heldByAnother ? Standing::kAnotherRuns : Standing::kAlone;
}

SingleInstance::Standing SingleInstance::ClaimStale() {
  if (m_lockPath.isEmpty()) return Standing::kAlone;
  if (m_lock && m_server >= 0) return Standing::kFirst;
  if (!RemoveUnheldLockFile(QFile::encodeName(m_lockPath))) return Standing::kAnotherRuns;
  return Claim();
}

void SingleInstance::Release() {
  StopListening();
  if (m_lock) {
    m_lock->unlock();
    m_lock.reset();
  }
}

bool SingleInstance::Listen() {
  sockaddr_un address{};
  if (!SocketAddress(m_serverPath, &address)) return false;
  // A socket file left by a copy that was killed; this copy holds the lock, so it is nobody's.
  ::unlink(address.sun_path);
  const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (server < 0) return false;
  // Only this user may connect: the mode is set before anyone can connect, which needs listen().
  if (::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(server);
    return false;
  }
  if (::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(server, 8) != 0) {
    ::close(server);
    ::unlink(address.sun_path);
    return false;
  }
  m_server = server;
  m_serverNotifier = new QSocketNotifier(server, QSocketNotifier::Read, this);
  connect(m_serverNotifier, &QSocketNotifier::activated, this, &SingleInstance::Accept);
  return true;
}

void SingleInstance::StopListening() {
  if (m_server < 0) return;
  delete m_serverNotifier;
  m_serverNotifier = nullptr;
  ::close(m_server);
  m_server = -1;
  ::unlink(QFile::encodeName(m_serverPath).constData());
}

void SingleInstance::Accept() {
  for (;;) {
    const int client = ::accept4(m_server, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0) {
      if (errno == EINTR) continue;
      return;  // none waiting any more
    }
    new RequestReader(
        client, [this] { emit ShowRequested(); }, this);
  }
}

bool SingleInstance::SendShowRequest(int timeoutMs) {
  sockaddr_un address{};
  if (m_serverPath.isEmpty() || !SocketAddress(m_serverPath, &address)) return false;
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (socket < 0) return false;
  QElapsedTimer clock;
  clock.start();
  bool sent = false;
  int connected = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  // A full backlog: the first copy is busy for a moment.
  while (connected != 0 && (errno == EAGAIN || errno == EINTR) && clock.elapsed() < timeoutMs) {
    ::usleep(10 * 1000);
    connected = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }
  if (connected == 0) {
    const char* data = SingleInstance::kShowRequest.constData();
    size_t left = static_cast<size_t>(SingleInstance::kShowRequest.size());
    while (left > 0) {
      const ssize_t written = ::send(socket, data, left, MSG_NOSIGNAL);
      if (written > 0) {
        data += written;
        left -= static_cast<size_t>(written);
      } else if (written < 0 && errno == EINTR) {
        continue;
      } else if (written < 0 && errno == EAGAIN && WaitFor(socket, POLLOUT, clock, timeoutMs)) {
        continue;
      } else {
        break;
      }
    }
    sent = left == 0;
  }
  ::close(socket);
  return sent;
}

}  // namespace tallyman::platform
