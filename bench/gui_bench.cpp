// Prints how fast the window runs a program: tacts per second, scheme repaints per second, the
// delay from a click on the stop button to the end of the run, and the time from start to a
// shown window. Run it offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb. Figures, not a test.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <chrono>
#include <cstdio>

#include "Mainform.h"
#include "MessageService.h"
#include "Translations.h"

namespace {

struct QuietMessages : orlan::MessageService {
    bool show(const orlan::MessageBox&, QWidget*) override { return false; }
};

// A loop of arithmetic, memory, stack and call instructions (see orlan-bench).
const uint8_t kLoop[] = {0x21, 0x00, 0x20, 0x31, 0x00, 0xF0, 0x3E, 0x07, 0x86, 0x34, 0x47, 0x90, 0xE6,
                         0x0F, 0xB1, 0xBA, 0xC5, 0xE5, 0xCD, 0x30, 0x00, 0xE1, 0xC1, 0x23, 0x1D, 0x07,
                         0x19, 0x32, 0x00, 0x30, 0x3A, 0x00, 0x30, 0xC3, 0x06, 0x00};
const uint8_t kSub[] = {0xEB, 0xEB, 0x2A, 0x00, 0x21, 0x22, 0x00, 0x21, 0xD3, 0x07, 0xC9};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    const int runMs = argc > 1 ? std::atoi(argv[1]) : 3000;

    QuietMessages messages;
    orlan::TMainFrm frm(messages);
    frm.show();
    if (!QTest::qWaitForWindowExposed(&frm)) std::fprintf(stderr, "window not exposed\n");
    const double shownMs = sinceStart.nsecsElapsed() / 1e6;

    orlan::Machine& m = frm.machine();
    for (size_t i = 0; i < sizeof kLoop; ++i) m.writeMemory(static_cast<uint16_t>(i), kLoop[i]);
    for (size_t i = 0; i < sizeof kSub; ++i) m.writeMemory(static_cast<uint16_t>(0x30 + i), kSub[i]);
    frm.refreshView();

    auto* runButton = frm.findChild<QToolButton*>(QStringLiteral("DoProgram_BTN"));
    QElapsedTimer clickToEnd;
    QTimer::singleShot(runMs, Qt::PreciseTimer, &frm, [&] {
        clickToEnd.start();
        QTest::mouseClick(runButton, Qt::LeftButton);  // handled inside the run loop
    });
    const uint64_t tactsBefore = frm.cpu().tactCount();
    const uint64_t repaintsBefore = frm.host().repaints();
    QElapsedTimer running;
    running.start();
    QTest::mouseClick(runButton, Qt::LeftButton);  // returns when the run has ended
    // From the moment the click was due (a queued click waits for the run to look at input).
    const double stopDelayMs = running.nsecsElapsed() / 1e6 - runMs;
    const double handlerToEndMs = clickToEnd.nsecsElapsed() / 1e6;
    const double seconds = running.nsecsElapsed() / 1e9;
    const double tacts = static_cast<double>(frm.cpu().tactCount() - tactsBefore);
    const double repaints = static_cast<double>(frm.host().repaints() - repaintsBefore);

    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("start to shown window: %.1f ms\n", shownMs);
    std::printf("run: %.2f s, %.0f tacts, %.1f M tacts/s (%.1fx a 2 MHz 8080)\n", seconds, tacts, tacts / seconds / 1e6,
                tacts / seconds / 2e6);
    std::printf("scheme repaints while running: %.1f per second\n", repaints / seconds);
    std::printf("stop click to end of run: %.2f ms (%.2f ms of it after the click was handled)\n", stopDelayMs,
                handlerToEndMs);

    // Switching the language: every window sets its texts again and the scheme is drawn anew.
    orlan::LanguageSwitcher language(app);
    for (const orlan::Language to : {orlan::Language::English, orlan::Language::Russian}) {
        QElapsedTimer switching;
        switching.start();
        const bool loaded = language.setLanguage(to);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::processEvents();
        std::printf("switch to %s: %.1f ms%s\n", to == orlan::Language::English ? "English" : "Russian",
                    switching.nsecsElapsed() / 1e6, loaded ? "" : " (translation not found)");
    }
    return 0;
}
