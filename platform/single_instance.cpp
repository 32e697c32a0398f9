#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>

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
  if (m_lock && m_server) return Standing::kFirst;
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
  if (m_lock && m_server) return Standing::kFirst;
  if (!RemoveUnheldLockFile(QFile::encodeName(m_lockPath))) return Standing::kAnotherRuns;
  return Claim();
}

void SingleInstance::Release() {
  if (m_server) {
    m_server->close();  // removes the socket file
    delete m_server;
    m_server = nullptr;
  }
  if (m_lock) {
    m_lock->unlock();
    m_lock.reset();
  }
}

bool SingleInstance::Listen() {
  // A socket file left by a copy that was killed; this copy holds the lock, so it is nobody's.
  QLocalServer::removeServer(m_serverPath);
  auto server = std::make_unique<QLocalServer>(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(m_serverPath)) return false;
  m_server = server.release();
  connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::Accept);
  return true;
}

void SingleInstance::Accept() {
  while (QLocalSocket* client = m_server->nextPendingConnection()) {
    connect(client, &QLocalSocket::readyRead, this, [this, client] { Read(client); });
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    QTimer::singleShot(kClientTimeoutMs, client, &QObject::deleteLater);
  }
}

void SingleInstance::Read(QLocalSocket* client) {
  const qint64 size = kShowRequest.size();
  if (client->bytesAvailable() < size) return;  // the rest is on its way
  // One request per connection, and exactly its bytes: anything longer or different is dropped.
  const QByteArray message = client->readAll();
  client->abort();
  client->deleteLater();
  if (message == kShowRequest) emit ShowRequested();
}

bool SingleInstance::SendShowRequest(int timeoutMs) {
  if (m_serverPath.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(m_serverPath, QIODevice::WriteOnly);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(kShowRequest);
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
  }
  socket.disconnectFromServer();
  return true;
}

}  // namespace tallyman::platform
