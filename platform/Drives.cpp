#include "Drives.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace orlan {

#ifdef Q_OS_WIN
QString driveFolder(QChar letter) { return QString(letter.toUpper()) + QStringLiteral(":/"); }

QString resolveDirectory(const QString& stored) {
    // "A:" alone is wherever drive A was last; the device means its root.
    if (stored.size() == 2 && stored[1] == QLatin1Char(':')) return stored + QLatin1Char('/');
    return stored;
}

bool ensureDriveFolder(QChar) { return true; }

bool ensureDriveOf(const QString&) { return true; }
#else
QString driveFolder(QChar letter) {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           letter.toUpper();
}

namespace {

// "A:", "C:\Work", "c:/Work": the drive letter and the rest.
QRegularExpressionMatch matchDrive(const QString& stored) {
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]):(?:[\\\\/](.*))?$"));
    return drive.match(stored);
}

}  // namespace

QString resolveDirectory(const QString& stored) {
    const QRegularExpressionMatch m = matchDrive(stored);
    if (!m.hasMatch()) return stored;
    QString folder = driveFolder(m.captured(1).at(0));
    QString rest = m.captured(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!rest.isEmpty()) folder += QLatin1Char('/') + rest;
    return folder;
}

bool ensureDriveFolder(QChar letter) { return QDir().mkpath(driveFolder(letter)); }

bool ensureDriveOf(const QString& stored) {
    const QRegularExpressionMatch m = matchDrive(stored);
    return !m.hasMatch() || ensureDriveFolder(m.captured(1).at(0));
}
#endif

bool directoryReady(const QString& stored) {
    const QString folder = resolveDirectory(stored);
    // A relative folder would depend on where the program was started.
    return !folder.isEmpty() && QDir::isAbsolutePath(folder) && QDir(folder).exists();
}

}  // namespace orlan
