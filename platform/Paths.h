// Where the program finds the files it keeps beside its executable (the help file, the settings
// file, the user manual), and its data files once installed.
#pragma once

#include <QString>

namespace orlan {

// The folder of the running executable (needs a QCoreApplication).
QString executableFolder();

// The path of a file called `name` in that folder.
QString besideExecutable(const QString& name);

// The installed data folder seen from an executable in exeFolder: the share folder the install
// puts the data files in (bin/ → ../share/orlan), whatever the prefix.
QString installedDataFolder(const QString& exeFolder);

// A data file (CommHlp.vhp, Help/ORLAN_Help.html) for an executable in exeFolder: beside it (the
// build tree, a copy kept in one folder) or else in the installed data folder. When neither has
// it, the path a message should name: the installed one if that folder exists, else beside.
QString dataFileFor(const QString& exeFolder, const QString& name);

// The same for the running executable.
QString dataFile(const QString& name);

}  // namespace orlan
