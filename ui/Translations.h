// Qt's own texts (the buttons and labels of file, print and message dialogs) in Russian, like
// the rest of the program.
#pragma once

class QCoreApplication;

namespace orlan {

// Loads Qt's Russian translations from Qt's translations folder into the application. Returns
// false when they are not installed: Qt's dialogs then stay in English.
bool installQtTranslations(QCoreApplication& app);

}  // namespace orlan
