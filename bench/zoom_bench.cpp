// Prints how long a change of the windows' zoom takes in the main window: the new places and
// fonts, then the first repaint at the new size (the scheme drawn anew). Run it offscreen
// (QT_QPA_PLATFORM=offscreen) or under Xvfb. Figures, not a test.
#include <QApplication>
#include <QElapsedTimer>
#include <QtTest>
#include <cstdio>

#include "Mainform.h"
#include "MessageService.h"
#include "Zoom.h"

namespace {

struct QuietMessages : orlan::MessageService {
    bool show(const orlan::MessageBox&, QWidget*) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    QuietMessages messages;
    orlan::TMainFrm frm(messages);
    frm.show();
    if (!QTest::qWaitForWindowExposed(&frm)) std::fprintf(stderr, "window not exposed\n");
    for (int i = 0; i < 6; ++i) frm.doTime();

    orlan::Zoom& zoom = orlan::Zoom::instance();
    for (const int percent : {125, 150, 200, 300}) {
        double applyMs = 0, paintMs = 0, backMs = 0;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer t;
            t.start();
            zoom.setPercent(percent);
            applyMs += t.nsecsElapsed() / 1e6;
            t.restart();
            frm.repaint();  // every child at once, as the first frame after the change
            QCoreApplication::processEvents();
            paintMs += t.nsecsElapsed() / 1e6;
            t.restart();
            zoom.setPercent(100);
            frm.repaint();
            QCoreApplication::processEvents();
            backMs += t.nsecsElapsed() / 1e6;
        }
        std::printf(
            "100 %% -> %d %%: %.1f ms to lay out, %.1f ms to repaint; back to 100 %%: %.1f ms"
            " (mean of %d)\n",
            percent, applyMs / rounds, paintMs / rounds, backMs / rounds, rounds);
    }
    return 0;
}
