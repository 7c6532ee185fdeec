// The emulator's entry: one main window over the engine.
#include <QApplication>
#include <QScreen>

#include "Mainform.h"
#include "MessageService.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Эмулятор МП-системы на базе МП ОРЛАН-М"));
    QApplication::setApplicationDisplayName(QString());

    orlan::DialogMessageService messages;
    orlan::TMainFrm mainFrm(messages);
    mainFrm.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        mainFrm.move(area.center() - mainFrm.rect().center());
    }
    mainFrm.show();
    return QApplication::exec();
}
