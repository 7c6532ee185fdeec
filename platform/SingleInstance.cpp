#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>
#include <QtEndian>

namespace orlan {

namespace {

constexpr int kHeaderBytes = 4;
constexpr char kAccepted = 'A';

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath)
    : path_(lockPath.isEmpty() ? defaultLockPath() : lockPath) {}

QString SingleInstance::defaultLockPath() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return QDir(folder).filePath(
        QStringLiteral("ORLAN_Mutex-%1.lock").arg(user.isEmpty() ? QStringLiteral("user") : user));
}

QString SingleInstance::serverNameFor(const QString& lockPath) {
    QString name = lockPath;
    if (name.endsWith(QLatin1String(".lock"))) name.chop(5);
#ifdef Q_OS_WIN
    // A pipe name, not a path: the lock file's name alone is per user already.
    return QFileInfo(name).fileName();
#else
    return name + QStringLiteral(".socket");
#endif
}

bool SingleInstance::acquire() {
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a lock whose owner no longer runs is stale; a live owner keeps it however old.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    if (lock_->error() == QLockFile::LockFailedError) {
        // The owner may have died without cleaning up: tryLock removes such a lock itself, but
        // only after checking the owner; ask once more after an explicit check.
        if (lock_->removeStaleLockFile() && lock_->tryLock(0)) return true;
    }
    lock_.reset();
    return false;
}

// ---------------------------------------------------------------------------------------------
// The running copy's end

HandOverServer::HandOverServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    // Other users may not even connect.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &HandOverServer::onNewConnection);
}

HandOverServer::~HandOverServer() = default;

bool HandOverServer::listen(const QString& name) {
    if (server_->listen(name)) return true;
    if (server_->serverError() != QAbstractSocket::AddressInUseError) return false;
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

QString HandOverServer::fullServerName() const {
    return server_->fullServerName();
}

void HandOverServer::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A sender that never finishes is dropped rather than kept open.
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, &QLocalSocket::abort);
        timer->start(kTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        readFrom(socket);
    }
}

void HandOverServer::readFrom(QLocalSocket* socket) {
    if (socket->property("orlanDone").toBool()) {
        socket->readAll();  // one message per connection: whatever follows is ignored
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes) return;
    const QByteArray header = socket->peek(kHeaderBytes);
    const quint32 length = qFromBigEndian<quint32>(header.constData());
    if (length == 0 || length > quint32(kMaxHandedPathBytes)) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + qint64(length)) return;
    if (socket->bytesAvailable() > kHeaderBytes + qint64(length)) {
        socket->abort();  // more than one message: none is taken
        return;
    }
    socket->read(kHeaderBytes);
    const QByteArray bytes = socket->read(length);
    socket->setProperty("orlanDone", true);

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString path = utf8.decode(bytes);
    if (utf8.hasError() || path.contains(QChar(0)) || !QDir::isAbsolutePath(path)) {
        socket->abort();
        return;
    }
    socket->write(&kAccepted, 1);
    socket->flush();
    socket->disconnectFromServer();
    emit fileReceived(QDir::cleanPath(path));
}

// ---------------------------------------------------------------------------------------------
// The second copy's end

bool handOverFile(const QString& name, const QString& path, int timeoutMs) {
    const QByteArray bytes = QFileInfo(path).absoluteFilePath().toUtf8();
    if (bytes.isEmpty() || bytes.size() > kMaxHandedPathBytes) return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running copy takes the lock before it listens: a copy started in between waits for
    // the socket a little rather than losing its file.
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(int(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    char header[kHeaderBytes];
    qToBigEndian<quint32>(quint32(bytes.size()), header);
    socket.write(header, kHeaderBytes);
    socket.write(bytes);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) return false;
    if (!socket.bytesAvailable() && !socket.waitForReadyRead(int(deadline.remainingTime())))
        return false;
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == kAccepted;
}

}  // namespace orlan
