// Saves a picture of the main window after a few tacts of the demo program (for the README).
// Usage: orlan-screenshot OUT.png [tacts] [--commands | --about | --subprog | --export]  (Xvfb or offscreen)
#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <QtTest>

#include "Aboutform.h"
#include "CommandTable.h"
#include "Exportform.h"
#include "FileCommands.h"
#include "Subprogform.h"
#include "Mainform.h"
#include "MessageService.h"

namespace {
struct QuietMessages : orlan::MessageService {
    bool show(const orlan::MessageBox&, QWidget*) override { return false; }
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orlan-screenshot OUT.png [tacts] [--commands]\n");
        return 2;
    }
    const int tacts = argc > 2 ? std::atoi(argv[2]) : 6;
    const QString extra = argc > 3 ? QString(argv[3]) : QString();
    const bool showCommands = extra == "--commands";
    QuietMessages messages;
    orlan::TMainFrm frm(messages);
    frm.show();
    QTest::qWaitForWindowExposed(&frm);
    const uint8_t demo[] = {0x3E, 0x41, 0xD3, 0x00, 0x76};
    for (size_t i = 0; i < sizeof demo; ++i) frm.machine().writeMemory(static_cast<uint16_t>(i), demo[i]);
    frm.refreshView();
    for (int i = 0; i < tacts; ++i) frm.doTime();
    if (showCommands) frm.toggleCommandTable();
    QWidget* target = &frm;
    if (extra == "--about") target = frm.aboutBox();
    if (extra == "--subprog") target = frm.files()->subProgFrm();
    if (extra == "--export") {
        target = frm.exportFrm();
        target->findChild<QCheckBox*>(QStringLiteral("ToExcel_Check"))->setChecked(true);
    }
    if (target != &frm) target->show();
    QTest::qWait(200);
    if (!target->grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
    return 0;
}
