#pragma once
// One running copy per user: a lock file in the user's runtime folder decides which copy came
// first, and a local socket beside it carries a later copy's show request to the first one.
// Whatever goes wrong here (no usable runtime folder, a socket that cannot listen) leaves the
// program running as if it were alone; it never keeps the program from starting.
#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

namespace tallyman::platform {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Standing {
    kFirst,        // holds the lock and listens for show requests
    kAlone,        // could not tell (runtime folder or socket unusable): runs without the rule
    kAnotherRuns,  // another copy holds the lock
  };

  // The exact bytes of a show request; anything else on the socket is ignored.
  static const QByteArray kShowRequest;

  // `runtimeFolder`: where the lock file and the socket live; see DefaultRuntimeFolder().
  explicit SingleInstance(QString runtimeFolder = DefaultRuntimeFolder(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // $XDG_RUNTIME_DIR when it is set and absolute, else Qt's runtime location; empty when neither
  // is known.
  static QString DefaultRuntimeFolder();

  // Tries to take the lock, waiting briefly for a copy that is just letting it go. A lock left
  // behind by a copy that was killed is taken over. The first copy then starts listening.
  // Holding the lock already, it stays kFirst.
  Standing Claim();

  // For a copy that found the lock taken and nobody listening: a lock file that no running copy
  // holds open (empty, damaged, or left by a copy long gone) is removed and the lock claimed
  // anew. A copy still starting holds its file, so it keeps its lock and this stays kAnotherRuns.
  Standing ClaimStale();

  // Stops listening and lets the lock go; a later Claim() takes them again.
  void Release();

  // For a later copy: delivers the show request to the first one. True when a copy listened and
  // the request was written to it; false when nobody answered (the first copy is still starting).
  bool SendShowRequest(int timeoutMs = 1000);

  QString LockFilePath() const { return m_lockPath; }
  QString ServerPath() const { return m_serverPath; }

 signals:
  // The first copy: a later copy asked for the window to be shown.
  void ShowRequested();

 private:
  bool Listen();
  void StopListening();
  void Accept();

  QString m_lockPath;
  QString m_serverPath;
  std::unique_ptr<QLockFile> m_lock;
  // A plain Unix socket: Qt's local sockets would load its network library and the Kerberos and
  // proxy libraries behind it at every start, for one short message.
  int m_server = -1;
  QSocketNotifier* m_serverNotifier = nullptr;
};

}  // namespace tallyman::platform
