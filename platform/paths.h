// Where the program finds the files it keeps beside its executable (the help file, the settings
// file, the user manual).
#pragma once

#include <QString>

namespace orlan {

// The folder of the running executable (needs a QCoreApplication).
QString executableFolder();

// The path of a file called `name` in that folder.
QString besideExecutable(const QString& name);

}  // namespace orlan
