// One running copy per user: a lock file in the user's temporary folder stands for the named
// mutex "ORLAN_Mutex". A lock left behind by a copy that crashed is recovered, so it never blocks
// the next start.
//
// Beside the lock, the running copy listens on a local socket of the same user, so that a second
// copy started with a file (from the file manager, say) hands the file over and exits. The socket
// carries one file path per connection and nothing else: whoever receives it opens it as a file,
// never runs it.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace orlan {

class SingleInstance {
  public:
    // lockPath empty: the per-user default.
    explicit SingleInstance(const QString& lockPath = {});
    // True when this process is the one copy (it keeps the lock until destroyed).
    bool acquire();
    QString lockPath() const { return path_; }
    // The local socket of the copy holding this lock: beside the lock file.
    QString serverName() const { return serverNameFor(path_); }

    static QString defaultLockPath();
    static QString serverNameFor(const QString& lockPath);

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// What a file hand-over may carry: an absolute path, at most this many bytes of UTF-8.
inline constexpr int kMaxHandedPathBytes = 4096;

// The running copy's end: accepts one path per connection, sent as a 4-byte big-endian length and
// that many bytes of UTF-8. Anything else (too long, not UTF-8, a relative path, a second message,
// a sender too slow) is dropped without a word; an accepted path is answered with one byte.
class HandOverServer : public QObject {
    Q_OBJECT
  public:
    explicit HandOverServer(QObject* parent = nullptr);
    ~HandOverServer() override;

    // Listens under name, only for this user. Only the lock's owner calls it, so a socket file
    // found there was left by a copy that crashed and is removed first.
    bool listen(const QString& name);
    QString fullServerName() const;

    // How long a sender may take over its message.
    static constexpr int kTimeoutMs = 3000;

  signals:
    void fileReceived(const QString& path);

  private:
    void onNewConnection();
    void readFrom(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
};

// The second copy's end: hands path (made absolute here, where it was named) to the copy listening
// under name and waits for its answer, all within timeoutMs. False when no copy listened in time
// or it did not accept.
bool handOverFile(const QString& name, const QString& path, int timeoutMs = 3000);

}  // namespace orlan
