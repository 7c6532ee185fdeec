// Where the storage devices keep their files. On Windows a stored directory is used as it is and
// "A:" and "C:" are the real drives. Elsewhere two per-user folders stand for those drives, and a
// stored value that begins with a drive letter ("A:", "C:\Work") is taken inside the folder of
// that letter, so a settings file written on Windows keeps working.
#pragma once

#include <QString>

namespace orlan {

// The folder that stands for drive `letter` (per-user data folder + "/A", "/C", ...); on Windows
// the drive's root, "A:/".
QString driveFolder(QChar letter);

// The real folder for a directory as stored in the settings.
QString resolveDirectory(const QString& stored);

// Whether `stored` is a directory the device can use now (an absolute folder that exists).
bool directoryReady(const QString& stored);

// The drives are always present: the folder that stands for one is made the first time it is
// needed. Returns false when it could not be made. On Windows it does nothing.
bool ensureDriveFolder(QChar letter);
// The same for the drive a stored directory names ("A:", "C:\Work"), if it names one: the
// folders below the drive are the user's and are never made.
bool ensureDriveOf(const QString& stored);

}  // namespace orlan
