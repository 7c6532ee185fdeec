// The emulator's entry: a single copy per user, the splash window while the main window fills its
// views, then the event loop until the main window is closed. `orlan FILE` opens a state file or
// loads a subprogram; a second copy hands its file to the running one and exits.
#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "Mainform.h"
#include "MessageService.h"
#include "Splashform.h"
#include "Translations.h"
#include "WindowPlacement.h"
#include "Zoom.h"
#include "Settings.h"
#include "SingleInstance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The caption names the program on the task bar; this short name only names its per-user
    // folders (the folders standing for drives A: and C:, settings when beside the executable is
    // read-only).
    QApplication::setApplicationName(QStringLiteral("orlan"));
    // The desktop matches the window to orlan.desktop, and so to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orlan"));
    // The language kept in the settings, or the system's on the first start; Qt's own dialogs
    // (files, printing) follow it. Without the English translation the program speaks Russian
    // throughout (the choice kept stays, for a copy that has the translation).
    orlan::LanguageSwitcher language(app);
    if (!language.setLanguage(orlan::savedLanguage(orlan::Settings())))
        language.setLanguage(orlan::Language::Russian);
    // The windows' zoom kept in the settings: every window follows it from the start.
    orlan::Zoom::instance().setPercent(orlan::savedZoom(orlan::Settings()));

    // `orlan --help` speaks the chosen language too.
    QCommandLineParser options;
    options.setApplicationDescription(QCoreApplication::translate("main", "Эмулятор ПМ системы ОРЛАН"));
    options.addHelpOption();
    options.addPositionalArgument(
        QCoreApplication::translate("main", "файл"),
        QCoreApplication::translate("main", "Файл данных (*.vst) или подпрограммы (*.vsp)"),
        QCoreApplication::translate("main", "[файл]"));
    options.process(app);
    const QStringList files = options.positionalArguments();
    const QString file = files.isEmpty() ? QString() : files.first();

    orlan::SingleInstance instance;
    if (!instance.acquire()) {
        // A second copy without a file ends at once, saying nothing; the first one goes on.
        if (file.isEmpty()) return 0;
        if (orlan::handOverFile(instance.serverName(), file, 10000)) return 0;
        std::fprintf(stderr, "orlan: the running copy did not take the file\n");
        return 1;
    }
    orlan::HandOverServer handOver;
    handOver.listen(instance.serverName());  // without it the program still works, alone

    orlan::DialogMessageService messages;
    orlan::TMainFrm mainFrm(messages);
    auto* splash = new orlan::TSplashFrm;
    mainFrm.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainFrm.move(screen->availableGeometry().center() - mainFrm.rect().center());
    mainFrm.show();
    orlan::keepOnScreen(&mainFrm);  // a large zoom on a small screen: the corner with the menu

    splash->show();
    QCoreApplication::processEvents();  // so that the splash is drawn
    mainFrm.refreshView();              // the views read the machine: nothing to fill row by row
    splash->close();
    delete splash;
    // The network adapter's connections live from here to the end.
    mainFrm.startNetwork();

    QObject::connect(&handOver, &orlan::HandOverServer::fileReceived, &mainFrm,
                     &orlan::TMainFrm::openFile, Qt::QueuedConnection);
    // Opened from the event loop, so that a wrong file's message comes over a window drawn.
    if (!file.isEmpty())
        QTimer::singleShot(0, &mainFrm, [&mainFrm, file] { mainFrm.openFile(file); });

    return QApplication::exec();
}
