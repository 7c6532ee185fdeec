// Prints how long the main window takes to save and to open a state file through the "Файл" menu
// commands (progress display, workspace lock and window events included), and how many times the
// progress bar moved meanwhile. Run it offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb.
// Figures, not a test.
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "FileCommands.h"
#include "Mainform.h"
#include "MessageService.h"

namespace {

struct QuietMessages : orlan::MessageService {
    int shown = 0;
    bool show(const orlan::MessageBox&, QWidget*) override {
        ++shown;
        return false;
    }
};

struct FixedName : orlan::FileDialogs {
    QString name;
    QString openFileName(QWidget*) override { return name; }
    QString saveFileName(QWidget*, const QString&) override { return name; }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    QuietMessages messages;
    orlan::TMainFrm frm(messages);
    frm.show();
    if (!QTest::qWaitForWindowExposed(&frm)) std::fprintf(stderr, "window not exposed\n");

    QTemporaryDir dir;
    auto dialogs = std::make_unique<FixedName>();
    dialogs->name = dir.filePath(QStringLiteral("bench.vst"));
    orlan::WorkspaceFiles files(frm, std::move(dialogs), &frm);

    orlan::Machine& m = frm.machine();
    for (int i = 0; i < 0x10000; ++i)
        m.writeMemory(static_cast<uint16_t>(i), static_cast<uint8_t>(i * 13));
    frm.refreshView();

    int moves = 0;
    QObject::connect(frm.findChild<QProgressBar*>(QStringLiteral("Progress")),
                     &QProgressBar::valueChanged, [&moves] { ++moves; });

    std::vector<double> saveMs, openMs;
    int saveMoves = 0, openMoves = 0;
    for (int r = 0; r < rounds; ++r) {
        moves = 0;
        QElapsedTimer t;
        t.start();
        files.saveAs();
        saveMs.push_back(t.nsecsElapsed() / 1e6);
        saveMoves = moves;

        moves = 0;
        t.start();
        files.open();
        openMs.push_back(t.nsecsElapsed() / 1e6);
        openMoves = moves;
    }

    std::printf("state file, %d rounds (median / worst):\n", rounds);
    std::printf("  save: %.2f ms / %.2f ms, progress bar moved %d times\n", median(saveMs),
                *std::max_element(saveMs.begin(), saveMs.end()), saveMoves);
    std::printf("  open: %.2f ms / %.2f ms, progress bar moved %d times\n", median(openMs),
                *std::max_element(openMs.begin(), openMs.end()), openMoves);
    if (messages.shown) std::printf("  (%d message boxes: something failed)\n", messages.shown);
    return messages.shown ? 1 : 0;
}
