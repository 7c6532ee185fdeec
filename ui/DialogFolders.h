// The folder a file dialog starts in: the folder of the file last chosen in any of the program's
// file dialogs during this session, or at first the user's documents folder (the home folder
// where there is none) -- never the folder the program happens to run in.
#pragma once

#include <QString>

class QFileDialog;

namespace orlan {

QString dialogStartFolder();
// Remembers the folder of a chosen file (an empty name changes nothing).
void rememberDialogFolder(const QString& chosenFile);

// Runs a file dialog and remembers the folder of what was chosen. The dialog opens on `name`: a
// full path opens its own folder, a bare name (or none) the start folder. Returns the chosen file,
// or an empty string when the user cancelled.
QString execFileDialog(QFileDialog* dialog, const QString& name = {});

}  // namespace orlan
