// The main window's devices and run speed use the settings file beside the executable: a test
// that changes it keeps this object alive meanwhile, and the file is put back as it was.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "Settings.h"

namespace orlan::test {

struct SettingsFileKeeper {
    const QString path = Settings::defaultPath();
    const bool existed = QFile::exists(path);
    QByteArray contents;
    SettingsFileKeeper() {
        QFile f(path);
        if (existed && f.open(QIODevice::ReadOnly)) contents = f.readAll();
    }
    ~SettingsFileKeeper() {
        QFile f(path);
        if (!existed)
            f.remove();
        else if (f.open(QIODevice::WriteOnly))
            f.write(contents);
    }
};

}  // namespace orlan::test
