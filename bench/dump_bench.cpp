// Prints what the device dumps cost: the memory a device window holds for the bytes it received,
// the time to take them in, and the time from showing the window to its dump on the screen.
// Each window gets the same amount (the storage devices less: each of their bytes opens and
// closes a file). The network adapter takes its bytes from a peer over loopback while its window
// is open. Run it offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb. Figures, not a test.
//
//   orlan-dump-bench [MiB, default 10] [MiB for the storage devices, default 1]
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <functional>
#include <malloc.h>

#include "Floppyform.h"
#include "Hdiscform.h"
#include "HexDumpView.h"
#include "Monform.h"
#include "Netform.h"
#include "PrinterSetup.h"
#include "Printerform.h"

using namespace orlan;

namespace {

struct QuietMessages : MessageService {
    bool show(const MessageBox&, QWidget*) override { return false; }
};

double heapMiB() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd) / (1 << 20);
}

double rssMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// From show() to the dump's first paint.
double openMs(QWidget* window, HexDumpView* view, const std::function<void()>& show) {
    window->hide();
    QCoreApplication::processEvents();
    struct PaintWatch : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) painted = true;
            return false;
        }
    } watch;
    view->viewport()->installEventFilter(&watch);
    QElapsedTimer t;
    t.start();
    show();
    while (!watch.painted && t.elapsed() < 10000) QCoreApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    view->viewport()->removeEventFilter(&watch);
    return ms;
}

void report(const char* name, qsizetype bytes, double seconds, double heap, double rss, double open,
            const HexDumpView* view) {
    std::printf("%-34s %6.1f MiB in %6.2f s   heap %+7.1f MiB   rss %+7.1f MiB   opens in %6.1f ms"
                "   %lld lines\n",
                name, bytes / double(1 << 20), seconds, heap, rss, open,
                static_cast<long long>(view->lineCount()));
}

template <typename Feed>
void measure(const char* name, QWidget* window, HexDumpView* view, qsizetype bytes, Feed feed,
             const std::function<void()>& show) {
    const double heap0 = heapMiB(), rss0 = rssMiB();
    QElapsedTimer t;
    t.start();
    feed();
    const double seconds = t.nsecsElapsed() / 1e9;
    const double open = openMs(window, view, show);
    report(name, bytes, seconds, heapMiB() - heap0, rssMiB() - rss0, open, view);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const qsizetype mib = argc > 1 ? std::atoi(argv[1]) : 10;
    const qsizetype storageMib = argc > 2 ? std::atoi(argv[2]) : 1;
    const qsizetype bytes = mib << 20;
    QuietMessages messages;
    QTemporaryDir dir;
    std::printf("platform: %s; heap = malloc in use, rss = resident set, both after the bytes\n",
                qPrintable(QGuiApplication::platformName()));

    {
        TMonFrm frm(messages);
        auto* view = frm.findChild<HexDumpView*>(QStringLiteral("MonBuffer"));
        measure("monitor (hidden), MonBuffer", &frm, view, bytes,
                [&] {
                    // Characters in all colours, drawn on the screen as they come.
                    for (qsizetype i = 0; i < bytes; ++i) frm.device().byteInput(static_cast<uint8_t>(i & 0x7F));
                },
                [&] {
                    frm.show();
                    frm.setBufferShown(true);
                });
    }
    {
        PrinterSetup setup(messages);
        TPrinterFrm frm(setup);
        auto* view = frm.findChild<HexDumpView*>(QStringLiteral("PrinterBuffer"));
        measure("printer (hidden), PrinterBuffer", &frm, view, bytes,
                [&] {
                    for (qsizetype i = 0; i < bytes; ++i)
                        frm.device().byteInput(static_cast<uint8_t>(i % 64 == 63 ? 0x0A : 0x41));
                },
                [&] { frm.show(); });
        std::printf("%-34s %6.1f MiB of it is the print text (%lld characters)\n", "",
                    frm.device().printText().capacity() * 2.0 / (1 << 20),
                    static_cast<long long>(frm.device().printText().size()));
    }
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const QString port = QString::number(probe.serverPort());
        probe.close();
        Settings settings(dir.filePath(QStringLiteral("net.ini")));
        settings.write(QStringLiteral("NetSettings"), QStringLiteral("Port"), port);
        TNetFrm frm(messages, nullptr, settings, QHostAddress::LocalHost);
        frm.device().loadSettings();
        frm.show();
        auto* view = frm.findChild<HexDumpView*>(QStringLiteral("NetRxBuffer"));
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, port.toUShort());
        if (!peer.waitForConnected(3000)) std::fprintf(stderr, "no connection to the adapter\n");
        const QByteArray chunk(64 * 1024, '\x5A');
        measure("network (window open), NetRxBuffer", &frm, view, bytes,
                [&] {
                    // A chunk at a time, so the peer's own send buffer stays small.
                    qsizetype sent = 0;
                    QElapsedTimer limit;
                    limit.start();
                    while (frm.device().received().byteCount() < bytes && limit.elapsed() < 120000) {
                        if (sent < bytes && peer.bytesToWrite() < chunk.size()) {
                            peer.write(chunk.constData(), std::min<qsizetype>(chunk.size(), bytes - sent));
                            sent += std::min<qsizetype>(chunk.size(), bytes - sent);
                        }
                        QCoreApplication::processEvents();
                    }
                    view->refresh();
                },
                [&] { frm.show(); });
        QElapsedTimer copying;
        copying.start();
        view->selectAll();
        const qsizetype characters = view->selectedText().size();
        const double textMs = copying.nsecsElapsed() / 1e6;
        copying.restart();
        view->copy();
        std::printf("%-34s select all: its text (%.1f M characters) in %.0f ms, copied in %.0f ms\n", "",
                    characters / 1e6, textMs, copying.nsecsElapsed() / 1e6);
        peer.close();
        frm.device().closeClient();
    }
    const qsizetype storageBytes = storageMib << 20;
    for (bool hardDisk : {false, true}) {
        Settings settings(dir.filePath(QStringLiteral("storage.ini")));
        settings.write(QStringLiteral("VZU"), QStringLiteral("Floppy"), dir.path());
        settings.write(QStringLiteral("VZU"), QStringLiteral("HDD"), dir.path());
        std::unique_ptr<StorageForm> frm;
        if (hardDisk)
            frm = std::make_unique<THDiscFrm>(messages, nullptr, settings);
        else
            frm = std::make_unique<TFloppyFrm>(messages, nullptr, settings);
        measure(hardDisk ? "hard disk (hidden), HDiscBuffer" : "floppy (hidden), FloppyBuffer",
                frm.get(), frm->bufferView(), storageBytes,
                [&] {
                    for (qsizetype i = 0; i < storageBytes; ++i) frm->device().byteInput(static_cast<uint8_t>(i));
                },
                [&] { frm->show(); });
    }
    return 0;
}
