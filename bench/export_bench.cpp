// Prints how long each export writer takes for one page of the whole memory (0000..FFFF, every
// column) plus every register, the size of the file, and the process's peak memory. Each target
// runs in a process of its own so that its peak is its own.
// Usage: orlan-export-bench [rounds] [xlsx|odt|txt]. Figures, not a test.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ExportWriters.h"
#include "Machine.h"

namespace {

// Peak resident memory in KiB as Linux reports it; -1 elsewhere.
long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

int measure(const QString& target, int rounds) {
    using namespace orlan;
    Machine m;
    for (int i = 0; i < 0x10000; ++i) m.s.memory[i] = static_cast<uint8_t>(i * 13);
    ExportContent content;
    content.pages.push_back(
        {QStringLiteral("Вся память"), 0x0000, 0xFFFF, true, true, true, target == u"xlsx"});
    for (int r = 0; r < kExportRegisterCount; ++r)
        content.registers.set(static_cast<ExportRegister>(r), true);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.") + target);
    const long before = peakKiB();
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        bool ok = false;
        if (target == u"xlsx")
            ok = writeExportSpreadsheet(path, dir.path(), m.s, content);
        else if (target == u"odt")
            ok = writeExportDocument(path, m.s, content);
        else
            ok = writeExportText(path, m.s, content);
        ms.push_back(t.nsecsElapsed() / 1e6);
        if (!ok) {
            std::fprintf(stderr, "%s: not written\n", qPrintable(target));
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "%-4s 65536 rows: median %7.1f ms, best %7.1f ms over %d rounds; file %8lld bytes; "
        "peak memory %ld KiB (%ld KiB before the first write)\n",
        qPrintable(target), ms[ms.size() / 2], ms.front(), rounds,
        static_cast<long long>(QFileInfo(path).size()), peakKiB(), before);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rounds = args.size() > 1 ? std::max(1, args[1].toInt()) : 5;
    if (args.size() > 2) return measure(args[2], rounds);

    for (const char* target : {"xlsx", "odt", "txt"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {QString::number(rounds), QLatin1String(target)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) return 1;
    }
    return 0;
}
