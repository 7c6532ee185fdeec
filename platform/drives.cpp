#include "drives.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace orlan {

#ifdef Q_OS_WIN
QString driveFolder(QChar letter) { return QString(letter.toUpper()) + QStringLiteral(":/"); }

QString resolveDirectory(const QString& stored) { return stored; }

bool ensureDriveFolder(QChar) { return true; }
#else
QString driveFolder(QChar letter) {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           letter.toUpper();
}

QString resolveDirectory(const QString& stored) {
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]):(?:[\\\\/](.*))?$"));
    const QRegularExpressionMatch m = drive.match(stored);
    if (!m.hasMatch()) return stored;
    QString folder = driveFolder(m.captured(1).at(0));
    QString rest = m.captured(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!rest.isEmpty()) folder += QLatin1Char('/') + rest;
    return folder;
}

bool ensureDriveFolder(QChar letter) { return QDir().mkpath(driveFolder(letter)); }
#endif

bool directoryReady(const QString& stored) {
    const QString folder = resolveDirectory(stored);
    return !folder.isEmpty() && QDir(folder).exists();
}

}  // namespace orlan
