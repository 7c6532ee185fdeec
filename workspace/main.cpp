// The emulator's entry: a single copy per user, the splash window while the main window fills its
// views, then the event loop until the main window is closed.
#include <QApplication>
#include <QScreen>

#include "Mainform.h"
#include "MessageService.h"
#include "Splashform.h"
#include "Translations.h"
#include "singleinstance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A second copy ends at once, saying nothing; the first one goes on.
    orlan::SingleInstance instance;
    if (!instance.acquire()) return 0;

    // The caption names the program on the task bar; this short name only names its per-user
    // folders (the folders standing for drives A: and C:, settings when beside the executable is
    // read-only).
    QApplication::setApplicationName(QStringLiteral("orlan"));
    // Qt's own dialogs (files, printing) speak the program's language.
    orlan::installQtTranslations(app);

    orlan::DialogMessageService messages;
    orlan::TMainFrm mainFrm(messages);
    auto* splash = new orlan::TSplashFrm;
    mainFrm.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainFrm.move(screen->availableGeometry().center() - mainFrm.rect().center());
    mainFrm.show();

    splash->show();
    QCoreApplication::processEvents();  // so that the splash is drawn
    mainFrm.refreshView();              // the views read the machine: nothing to fill row by row
    splash->close();
    delete splash;
    // The network adapter's connections live from here to the end.
    mainFrm.startNetwork();

    return QApplication::exec();
}
