#include "singleinstance.h"

#include <QDir>
#include <QStandardPaths>

namespace orlan {

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath.isEmpty() ? defaultLockPath() : lockPath) {}

QString SingleInstance::defaultLockPath() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return QDir(folder).filePath(QStringLiteral("ORLAN_Mutex-%1.lock").arg(user.isEmpty() ? QStringLiteral("user") : user));
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

}  // namespace orlan
