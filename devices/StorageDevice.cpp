#include "StorageDevice.h"

#include <QFile>

#include "Drives.h"

namespace orlan {

const StorageProfile kFloppyProfile{0x01, "Floppy", "A:", "Floppy.vdv", MessageId::FloppyWriteFailure,
                                    MessageId::FloppyClearFailure};
const StorageProfile kHardDiskProfile{0x02, "HDD", "C:", "HDisc.vdv", MessageId::HardDiskWriteFailure,
                                      MessageId::HardDiskClearFailure};

StorageDevice::StorageDevice(const StorageProfile& profile, Settings settings, QObject* parent)
    : QObject(parent), profile_(profile), settings_(std::move(settings)) {}

QString StorageDevice::directory() const {
    const QString fallback = QString::fromLatin1(profile_.defaultDirectory);
    const QString stored =
        settings_.read(kStorageSection, QString::fromLatin1(profile_.settingsKey), fallback);
    // An empty value would put the file at the root of the file system: take the drive instead.
    return stored.isEmpty() ? fallback : stored;
}

QString StorageDevice::filePath() const { return fileIn(directory()); }

QString StorageDevice::fileIn(const QString& directory) const {
    QString folder = resolveDirectory(directory);
    // A drive root ("C:\", "/") already ends in a separator.
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + QString::fromLatin1(profile_.fileName);
}

void StorageDevice::byteInput(uint8_t b) {
    const QString folder = directory();
    ensureDriveOf(folder);
    QFile file(fileIn(folder));
    const char byte = static_cast<char>(b);
    // A full or failing medium may only show when the byte leaves the file's buffer.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         file.write(&byte, 1) == 1 && file.flush();
    file.close();
    if (!written) {
        emit failed(profile_.writeFailure);
        return;
    }
    buffer_.append(b);
    emit changed();
}

void StorageDevice::clear() {
    QFile file(filePath());
    if (!file.exists()) return;
    if (!file.remove()) {
        emit failed(profile_.clearFailure);
        return;
    }
    buffer_.clear();
    emit cleared();
}

}  // namespace orlan
