#include "PrinterSetup.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>

#include "Prnsetupform.h"

namespace orlan {

namespace {

// Blocks laid out between two looks at the window's input.
constexpr int kLayoutStep = 256;
// How long the job works before the window repaints and takes input again.
constexpr int kKeepAliveMs = 40;
// The progress window appears only for a job that lasts longer than this.
constexpr int kProgressDelayMs = 400;
// Of the progress bar, the part for laying out the pages; painting them fills the rest.
constexpr int kProgressRange = 1000;
constexpr int kPreparingShare = 250;

// The dots per inch a document is laid out in when no paint device is set: the screen's.
qreal layoutDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 100.0;
    return qRound(horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY());
}

}  // namespace

// The busy cursor and the progress window of one job; lets the window live while the job works.
class JobProgress {
  public:
    JobProgress(QWidget* parent, PrinterSetup& setup, const bool& cancelled)
        : cancelled_(cancelled) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        dialog_ = new QProgressDialog(parent);
        dialog_->setObjectName(QStringLiteral("PrintProgress"));
        dialog_->setWindowTitle(PrinterSetup::tr("ОРЛАН - Печать"));
        dialog_->setLabelText(PrinterSetup::tr("Подготовка страниц..."));
        dialog_->setCancelButtonText(PrinterSetup::tr("Отмена"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(kProgressDelayMs);
        dialog_->setRange(0, kProgressRange);
        dialog_->setValue(0);
        QObject::connect(dialog_, &QProgressDialog::canceled, &setup, &PrinterSetup::cancel);
        sinceLook_.start();
    }
    ~JobProgress() {
        delete dialog_;
        QGuiApplication::restoreOverrideCursor();
    }
    JobProgress(const JobProgress&) = delete;
    JobProgress& operator=(const JobProgress&) = delete;

    // done of total blocks laid out; false once the job is cancelled.
    bool preparing(int done, int total) {
        return keepAlive(kPreparingShare * static_cast<qint64>(done) / std::max(total, 1));
    }
    // Page done + 1 of total is next.
    bool printing(int done, int total) {
        if (done == 0) dialog_->setLabelText(PrinterSetup::tr("Печать страниц: %1...").arg(total));
        return keepAlive(kPreparingShare + (kProgressRange - kPreparingShare) *
                                               static_cast<qint64>(done) / std::max(total, 1));
    }

  private:
    bool keepAlive(qint64 value) {
        if (sinceLook_.elapsed() >= kKeepAliveMs) {
            dialog_->setValue(static_cast<int>(value));
            QCoreApplication::processEvents();
            sinceLook_.restart();
        }
        return !cancelled_;
    }

    const bool& cancelled_;
    QProgressDialog* dialog_;
    QElapsedTimer sinceLook_;
};

// ---------------------------------------------------------------------------------------------
// The system's printers

QStringList SystemPrinting::printerNames() {
    return QPrinterInfo::availablePrinterNames();
}

QString SystemPrinting::defaultPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<QPrinter> SystemPrinting::printer(const QString& name) {
    return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
}

QString SystemPrinting::pdfFileName(QWidget* parent, const QString& suggested) {
    if (folder_.isEmpty()) {
        folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder_.isEmpty()) folder_ = QDir::homePath();
    }
    QFileDialog dialog(parent, PrinterSetup::tr("ОРЛАН - Сохранить как PDF"), folder_);
    dialog.setObjectName(QStringLiteral("SavePdfDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(PrinterSetup::tr("PDF-файлы (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString name = dialog.selectedFiles().value(0);
    if (!name.isEmpty()) folder_ = QFileInfo(name).absolutePath();
    return name;
}

// ---------------------------------------------------------------------------------------------
// The set-up

PrinterSetup::PrinterSetup(MessageService& messages, std::unique_ptr<PrintingSystem> system,
                           QObject* parent)
    : QObject(parent),
      messages_(messages),
      system_(system ? std::move(system) : std::make_unique<SystemPrinting>()) {}

PrinterSetup::~PrinterSetup() = default;

QString PrinterSetup::pdfNameFor(const QString& title) {
    QString name;
    for (QChar c : title)
        if (!QStringLiteral("\\/:*?\"<>|").contains(c) && c.isPrint()) name += c;
    name = name.simplified();
    return name.isEmpty() ? QStringLiteral("ORLAN.pdf") : name + QStringLiteral(".pdf");
}

void PrinterSetup::resolve() {
    const QStringList installed = system_->printerNames();
    QString name = name_;
    if (!chosen_ || (!name.isEmpty() && !installed.contains(name))) {
        name = system_->defaultPrinterName();
        if (!installed.contains(name)) name = installed.value(0);
        chosen_ = false;
    }
    if (printer_ && name == name_) return;
    printer_ = makePrinter(name, printer_ ? printer_->pageLayout() : QPageLayout());
    name_ = name;
}

QString PrinterSetup::printerName() {
    resolve();
    return name_;
}

std::unique_ptr<QPrinter> PrinterSetup::makePrinter(const QString& name, const QPageLayout& like) {
    std::unique_ptr<QPrinter> printer;
    if (name.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer = system_->printer(name);
    }
    // A printer that cannot take the whole set-up keeps at least the paper and its orientation.
    if (like.isValid() && !printer->setPageLayout(like)) {
        printer->setPageSize(like.pageSize());
        printer->setPageOrientation(like.orientation());
    }
    return printer;
}

void PrinterSetup::choose(const QString& printer, std::unique_ptr<QPrinter> pageSetup) {
    name_ = printer;
    printer_ = std::move(pageSetup);
    chosen_ = true;
}

void PrinterSetup::showSetupDialog(QWidget* parent) {
    if (busy_) return;
    if (!dialog_)
        dialog_ = new TPrnSetupFrm(*this, parent);
    else if (dialog_->parentWidget() != parent)
        dialog_->setParent(parent, dialog_->windowFlags());  // centred on the window that asked
    resolve();
    dialog_->load(name_, printer_->pageLayout());
    if (dialog_->exec() == QDialog::Accepted)
        choose(dialog_->chosenPrinter(), dialog_->takePrinter());
}

bool PrinterSetup::print(const QString& title, QWidget* parent,
                         const std::function<QTextDocument*()>& compose,
                         const QString& shownTitle) {
    if (busy_) return false;
    resolve();
    const QString printer = name_;
    QString file;
    if (printer.isEmpty()) {
        file = system_->pdfFileName(parent, pdfNameFor(shownTitle.isEmpty() ? title : shownTitle));
        if (file.isEmpty()) return false;
    }

    cancelled_ = false;
    Outcome outcome = Outcome::Failed;
    {
        busy_ = true;
        const auto idle = qScopeGuard([this] { busy_ = false; });
        JobProgress progress(parent, *this, cancelled_);
        QTextDocument* doc = compose();
        if (printer.isEmpty()) {
            // Written aside and renamed, so a failed or cancelled job leaves a file of that name
            // as it was.
            QSaveFile out(file);
            QPdfWriter writer(&out);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("ОРЛАН"));
            writer.setResolution(printer_->resolution());
            writer.setPageLayout(printer_->pageLayout());
            if (out.open(QIODevice::WriteOnly)) outcome = paint(*doc, writer, progress);
            if (outcome == Outcome::Printed && !out.commit()) outcome = Outcome::Failed;
        } else {
            printer_->setDocName(title);
            outcome = paint(*doc, *printer_, progress);
        }
    }

    if (outcome == Outcome::Failed) {
        const QString what = printer.isEmpty() ? QDir::toNativeSeparators(file) : printer;
        messages_.show(
            makeMessage(printer.isEmpty() ? MessageId::PdfSaveFailed : MessageId::PrintFailed,
                        what.toStdString()),
            parent);
    }
    return outcome == Outcome::Printed;
}

PrinterSetup::Outcome PrinterSetup::paint(QTextDocument& doc, QPagedPaintDevice& device,
                                          JobProgress& progress) {
    // Laid out on the device's page in the document's own units and printed as it is: page
    // breaks where the text needs them, without the page numbers Qt adds to a document it
    // paginates itself.
    const QSizeF page(device.width() * layoutDpi(true) / device.logicalDpiX(),
                      device.height() * layoutDpi(false) / device.logicalDpiY());
    doc.setPageSize(page);
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const int blocks = doc.blockCount();
    for (int done = 0; done < blocks;) {
        done = std::min(done + kLayoutStep, blocks);
        layout->blockBoundingRect(doc.findBlockByNumber(done - 1));  // lays out up to there
        if (!progress.preparing(done, blocks)) return Outcome::Cancelled;
    }
    const int pages = doc.pageCount();

    QPainter painter;
    if (!painter.begin(&device)) return Outcome::Failed;
    auto* printer = dynamic_cast<QPrinter*>(&device);
    painter.scale(device.width() / page.width(), device.height() / page.height());
    for (int i = 0; i < pages; ++i) {
        emit progressed(i, pages);
        if (!progress.printing(i, pages)) {
            if (printer) printer->abort();
            return Outcome::Cancelled;
        }
        if (i > 0) device.newPage();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);  // not the desktop's text colour
        layout->draw(&painter, context);
        painter.restore();
    }
    emit progressed(pages, pages);
    if (!painter.end()) return Outcome::Failed;
    if (printer && printer->printerState() == QPrinter::Error) return Outcome::Failed;
    return Outcome::Printed;
}

}  // namespace orlan
