#include "paths.h"

#include <QCoreApplication>
#include <QDir>

namespace orlan {

QString executableFolder() { return QCoreApplication::applicationDirPath(); }

QString besideExecutable(const QString& name) { return QDir(executableFolder()).filePath(name); }

}  // namespace orlan
