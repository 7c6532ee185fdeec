// Saves a picture of the main window after a few tacts of the demo program (for the README and the
// manual's figures). Usage (Xvfb or offscreen):
//   orlan-screenshot OUT.png [tacts] [--commands | --about | --subprog | --help[=#anchor] | --monitor |
//                                     --devices | --widget=OBJECTNAME | --export |
//                                     --asm=SOURCE | --breakpoint | --popup | --stack | --timing]
//                                    [--language=en] [--zoom=PERCENT]
// --zoom takes a zoom step (100, 125, 150, 200, 300); it and --language=en may stand anywhere
// after OUT.png.
#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QPixmap>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>
#include <vector>

#include "Aboutform.h"
#include "CommandTable.h"
#include "Exportform.h"
#include "FileCommands.h"
#include "Helpform.h"
#include "Asmform.h"
#include "Commhelpform.h"
#include "Mainform.h"
#include "MessageService.h"
#include "Monform.h"
#include "Subprogform.h"
#include "Timingform.h"
#include "Translations.h"
#include "Zoom.h"

namespace {
struct QuietMessages : orlan::MessageService {
    bool show(const orlan::MessageBox&, QWidget*) override { return false; }
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // --zoom=PERCENT and --language=en are taken out first, so the other arguments keep their
    // places.
    QStringList args;
    for (const QString& arg : QCoreApplication::arguments()) {
        if (!arg.startsWith(QLatin1String("--zoom="))) {
            args << arg;
            continue;
        }
        bool number = false;
        const int percent = arg.mid(7).toInt(&number);
        if (!number || !orlan::Zoom::instance().setPercent(percent)) {
            std::fprintf(stderr, "orlan-screenshot: no zoom step %s\n", qPrintable(arg.mid(7)));
            return 2;
        }
    }
    const bool english = args.removeAll(QStringLiteral("--language=en")) > 0;
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: orlan-screenshot OUT.png [tacts] [--commands | --about | --subprog | "
                     "--help[=#anchor] | --monitor | --devices | --widget=NAME | --export | "
                     "--asm=SOURCE | --breakpoint | --popup | --stack | --timing] [--language=en] "
                     "[--zoom=PERCENT]\n");
        return 2;
    }
    orlan::LanguageSwitcher language(app);
    if (!language.setLanguage(english ? orlan::Language::English : orlan::Language::Russian)) return 1;
    const int tacts = args.size() > 2 ? args.at(2).toInt() : 6;
    const QString extra = args.size() > 3 ? args.at(3) : QString();
    QuietMessages messages;
    orlan::TMainFrm frm(messages);
    frm.show();
    if (!QTest::qWaitForWindowExposed(&frm)) return 1;
    // The manual's first program: the letter "A" on the monitor (MVI A,7Fh; OUT 00h; MVI A,41h;
    // OUT 00h; HLT).
    const uint8_t demo[] = {0x3E, 0x7F, 0xD3, 0x00, 0x3E, 0x41, 0xD3, 0x00, 0x76};
    for (size_t i = 0; i < sizeof demo; ++i) frm.machine().writeMemory(static_cast<uint16_t>(i), demo[i]);
    frm.refreshView();
    for (int i = 0; i < tacts; ++i) frm.doTime();
    // MVI A,41h; PUSH PSW; CALL 0010h run from PC (0000 with 0 tacts), the memory at the stack.
    if (extra == "--stack") {
        const uint8_t calls[] = {0x3E, 0x41, 0xF5, 0xCD, 0x10, 0x00};
        for (size_t i = 0; i < sizeof calls; ++i)
            frm.machine().writeMemory(static_cast<uint16_t>(i), calls[i]);
        for (int i = 0; i < 3; ++i) frm.cpu().executeInstruction();
        frm.refreshView();
        frm.showStackArea();
    }
    if (extra == "--commands") frm.toggleCommandTable();
    QWidget* target = &frm;
    if (extra == "--about") target = frm.aboutBox();
    if (extra == "--subprog") target = frm.files()->subProgFrm();
    if (extra == "--export") {
        target = frm.exportFrm();
        target->findChild<QCheckBox*>(QStringLiteral("ToExcel_Check"))->setChecked(true);
    }
    if (extra.startsWith("--help")) {  // --help or --help=#anchor
        frm.openHelp();
        target = frm.helpFrm();
        if (extra.startsWith("--help=")) {
            QTextBrowser* browser = frm.helpFrm()->browser();
            browser->setSource(browser->source().resolved(QUrl(extra.mid(7))));
        }
    }
    if (extra == "--monitor") {
        frm.showMonitor();
        target = frm.monFrm();
    }
    if (extra == "--popup") {  // a right click on the cell of MVI A, d8 (3Eh)
        frm.toggleCommandTable();
        QTest::qWait(100);
        orlan::CommandTable* table = frm.commPanel()->table();
        QTest::mouseClick(table, Qt::RightButton, {}, table->cellRect(0x3 + 1, 0xE + 1).center());
        target = frm.helpPopup();
        if (!target->isVisible()) return 1;
    }
    if (extra == "--timing") target = frm.timingFrm();
    if (extra.startsWith("--widget=")) target = frm.findChild<QWidget*>(extra.mid(9));
    if (extra == "--breakpoint") {  // a breakpoint on 0004, run to it
        frm.toggleBreakpoint(0x0004);
        frm.doProgram();
        QTest::qWait(100);
    }
    if (extra.startsWith("--asm=")) {  // a source assembled, then two instructions run
        frm.showAsm();
        if (!frm.asmFrm()->loadFile(extra.mid(6)) || !frm.asmFrm()->assembleSource()) return 1;
        for (int i = 0; i < 2; ++i) frm.cpu().executeInstruction();
        frm.refreshView();
        target = frm.asmFrm();
    }
    if (extra == "--devices") {  // the whole screen with the device windows opened from the menu
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            frm.move(screen->availableGeometry().center() - frm.rect().center());
        for (const char* item : {"ShowMonitor_Item", "ShowFloppy_Item", "ShowPrinter_Item"})
            frm.findChild<QAction*>(QLatin1String(item))->trigger();
        QTest::qWait(300);
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        return screen.save(args.at(1)) ? 0 : 1;
    }
    if (!target) return 2;
    if (target->window() != &frm) target->show();
    QTest::qWait(300);
    if (!target->grab().save(args.at(1))) return 1;
    return 0;
}
