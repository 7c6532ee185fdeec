// Prints how long the full-range listing (0000..FFFF, 65 536 memory lines) takes: composing the
// lines, building the document, laying it out on A4 pages, and the whole job from the print
// dialog's "Печать" into a PDF file, with the longest time the window went without looking at
// its input meanwhile. Run it offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb. Figures, not
// a test.
//
//     orlan-print-bench [rounds] [file.pdf to keep the last job]
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ListingComposer.h"
#include "PrinterSetup.h"
#include "Printform.h"
#include "Machine.h"

namespace {

struct QuietMessages : orlan::MessageService {
    bool show(const orlan::MessageBox& box, QWidget*) override {
        std::fprintf(stderr, "message: %s\n", box.text.c_str());
        return false;
    }
};

// No printer installed: every job is a PDF file of a fixed name.
struct PdfOnly : orlan::PrintingSystem {
    QString file;
    QStringList printerNames() override { return {}; }
    QString defaultPrinterName() override { return {}; }
    std::unique_ptr<QPrinter> printer(const QString&) override { return nullptr; }
    QString pdfFileName(QWidget*, const QString&) override { return file; }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir dir;
    const QString keep = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath("listing.pdf");

    orlan::Machine m;
    for (int i = 0; i < 0x10000; ++i) m.s.memory[i] = static_cast<uint8_t>(i * 13);
    orlan::ListingRequest request;
    request.programName = QStringLiteral("Подпрограмма 1");
    request.registers = request.a = request.pc = request.sp = true;

    // The document alone, laid out on the pages a PDF file has.
    QBuffer sink;
    QPdfWriter page(&sink);
    const QSizeF pageSize(page.width() * 96.0 / page.logicalDpiX(),
                          page.height() * 96.0 / page.logicalDpiY());
    std::vector<double> compose, fill, layout;
    int pages = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        const std::vector<orlan::ListingLine> lines = orlan::ListingComposer::compose(m.s, request);
        compose.push_back(msSince(t));
        QTextDocument doc;
        t.restart();
        orlan::ListingComposer::fill(doc, lines);
        fill.push_back(msSince(t));
        t.restart();
        doc.setPageSize(pageSize);
        pages = doc.pageCount();
        layout.push_back(msSince(t));
    }

    // The whole job from the dialog, with a timer standing for the window's input.
    QuietMessages messages;
    auto system = std::make_unique<PdfOnly>();
    system->file = keep;
    orlan::PrinterSetup setup(messages, std::move(system));
    orlan::TPrintFrm frm(messages, m, setup);
    std::vector<double> job, gap;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer sinceTick, t;
        double longest = 0;
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, msSince(sinceTick));
            sinceTick.restart();
        });
        tick.start();
        sinceTick.start();
        t.start();
        frm.print();
        job.push_back(msSince(t));
        gap.push_back(std::max(longest, msSince(sinceTick)));
    }

    const double doc = median(compose) + median(fill) + median(layout);
    std::printf("full-range listing, %d lines, %d pages (median of %d)\n", 65536, pages, rounds);
    std::printf("compose lines: %.0f ms\n", median(compose));
    std::printf("build document: %.0f ms\n", median(fill));
    std::printf("lay out pages: %.0f ms\n", median(layout));
    std::printf("document total: %.0f ms\n", doc);
    std::printf("whole job to PDF from \"Печать\": %.0f ms (%.1f MB)\n", median(job),
                QFileInfo(keep).size() / 1e6);
    std::printf("longest time without window input during the job: %.0f ms\n", median(gap));
    return 0;
}
