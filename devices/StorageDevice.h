// The floppy drive (port 01h) and the hard disk (port 02h): each appends every byte it receives to
// its device file in the folder chosen in the storage settings, and lists the bytes written during
// this run as a hex dump. The two differ only in the names and texts of their profile. No widgets:
// the device windows show them, OUT feeds them through DevicePorts.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "HexDump.h"
#include "Messages.h"
#include "Settings.h"

namespace orlan {

struct StorageProfile {
    uint8_t port;
    const char* settingsKey;       // in section "VZU"
    const char* defaultDirectory;  // a drive
    const char* fileName;
    MessageId writeFailure;
    MessageId clearFailure;
};

extern const StorageProfile kFloppyProfile;
extern const StorageProfile kHardDiskProfile;

inline const QString kStorageSection = QStringLiteral("VZU");

class StorageDevice : public QObject {
    Q_OBJECT
  public:
    StorageDevice(const StorageProfile& profile, Settings settings, QObject* parent = nullptr);

    const StorageProfile& profile() const { return profile_; }
    const HexDump& buffer() const { return buffer_; }

    // The directory as stored in the settings (the default drive when none is stored).
    QString directory() const;
    // The device file in that directory, as a real path.
    QString filePath() const;

    // OUT to the device's port: opens the file, appends the byte, closes it again. The folder of a
    // drive ("A:", "C:") is made on first use; a folder the user chose is not. A byte that cannot
    // be written is lost and reported; the dump lists only bytes that were written.
    void byteInput(uint8_t b);
    // The clear button: deletes the device file; the dump empties only if the file is gone.
    void clear();

  signals:
    void changed();  // a byte was added to the dump
    void cleared();  // the dump was emptied
    void failed(orlan::MessageId id);

  private:
    QString fileIn(const QString& directory) const;

    const StorageProfile& profile_;
    Settings settings_;
    HexDump buffer_;
};

}  // namespace orlan
