// One running copy per user: a lock file in the user's temporary folder stands for the named
// mutex "ORLAN_Mutex". A lock left behind by a copy that crashed is recovered, so it never blocks
// the next start.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace orlan {

class SingleInstance {
public:
    // lockPath empty: the per-user default.
    explicit SingleInstance(const QString& lockPath = {});
    // True when this process is the one copy (it keeps the lock until destroyed).
    bool acquire();
    QString lockPath() const { return path_; }

    static QString defaultLockPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace orlan
