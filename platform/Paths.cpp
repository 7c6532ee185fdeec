#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Set by the build from the install layout; the usual one otherwise.
#ifndef ORLAN_DATA_FROM_BIN
#define ORLAN_DATA_FROM_BIN "../share/orlan"
#endif

namespace orlan {

QString executableFolder() {
    return QCoreApplication::applicationDirPath();
}

QString besideExecutable(const QString& name) {
    return QDir(executableFolder()).filePath(name);
}

QString installedDataFolder(const QString& exeFolder) {
    return QDir::cleanPath(QDir(exeFolder).filePath(QStringLiteral(ORLAN_DATA_FROM_BIN)));
}

QString dataFileFor(const QString& exeFolder, const QString& name) {
    const QString beside = QDir(exeFolder).filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = installedDataFolder(exeFolder);
    const QString inData = QDir(installed).filePath(name);
    if (QFileInfo::exists(inData) || QFileInfo(installed).isDir()) return inData;
    return beside;
}

QString dataFile(const QString& name) {
    return dataFileFor(executableFolder(), name);
}

}  // namespace orlan
