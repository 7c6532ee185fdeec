// The printer every print job goes to, with its page set-up: the listing (TPrintFrm) and the
// printer device's "Печатать" (TPrinterFrm) share one PrinterSetup, and "Настройки принтера"
// changes it for both. Besides the installed printers there is always "PDF-файл": a job then
// becomes a PDF file the user names. Most machines the program runs on have no printer at all, so
// that is also the choice until a printer is installed.
//
// A job is laid out and painted page by page with a busy cursor and a progress window, letting
// the window repaint between pages; the progress window can cancel it. One job at a time.
#pragma once

#include <QObject>
#include <QPageLayout>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "MessageService.h"

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;
class QWidget;

namespace orlan {

class JobProgress;
class TPrnSetupFrm;

// What the system offers for printing. Replaced in tests.
class PrintingSystem {
  public:
    virtual ~PrintingSystem() = default;
    virtual QStringList printerNames() = 0;
    virtual QString defaultPrinterName() = 0;  // empty when none is marked as the default
    virtual std::unique_ptr<QPrinter> printer(const QString& name) = 0;
    // The save dialog for a PDF file, starting with the name suggested; empty when cancelled.
    virtual QString pdfFileName(QWidget* parent, const QString& suggested) = 0;
};

// The printers installed on this machine (QPrinterInfo) and the desktop's save dialog.
class SystemPrinting : public PrintingSystem {
  public:
    QStringList printerNames() override;
    QString defaultPrinterName() override;
    std::unique_ptr<QPrinter> printer(const QString& name) override;
    QString pdfFileName(QWidget* parent, const QString& suggested) override;

  private:
    QString folder_;  // where the last PDF file went: the next dialog starts there
};

class PrinterSetup : public QObject {
    Q_OBJECT
  public:
    explicit PrinterSetup(MessageService& messages, std::unique_ptr<PrintingSystem> system = {},
                          QObject* parent = nullptr);
    ~PrinterSetup() override;

    PrintingSystem& system() { return *system_; }

    // The printer jobs go to now: an installed printer's name, or empty for a PDF file. Until
    // the user chooses, that is the system's default printer (or the first one); a chosen
    // printer that has since been removed gives way to the default again.
    QString printerName();
    // A printer for name (empty: a PDF file) carrying the page set-up of like where it fits.
    std::unique_ptr<QPrinter> makePrinter(const QString& name, const QPageLayout& like);

    // "Настройки принтера": the printer choice and the page set-up, applied on OK.
    void showSetupDialog(QWidget* parent);

    // One job titled title. A PDF file is named first (nothing happens when that is cancelled),
    // offered as shownTitle: the title in the program's language (title itself when empty; the
    // title stays Russian in the PDF and the print queue, like the document's text). Then
    // compose gives the document, which is printed page by page. True when the job was printed;
    // failures are reported here.
    bool print(const QString& title, QWidget* parent,
               const std::function<QTextDocument*()>& compose, const QString& shownTitle = {});
    bool busy() const { return busy_; }

    // The PDF file name offered for a job: its title without the characters file names cannot
    // hold, or "ORLAN.pdf".
    static QString pdfNameFor(const QString& title);

  public slots:
    // Ends the running job: nothing more is printed and a PDF file is not saved.
    void cancel() { cancelled_ = true; }

  signals:
    // While a job runs: pages painted of the total (0 of the total as painting starts).
    void progressed(int done, int total);

  private:
    enum class Outcome { Printed, Cancelled, Failed };
    void resolve();
    // Makes printer (empty: a PDF file) the choice for every later job, with the page set-up of
    // pageSetup (a printer made by makePrinter()).
    void choose(const QString& printer, std::unique_ptr<QPrinter> pageSetup);
    Outcome paint(QTextDocument& doc, QPagedPaintDevice& device, JobProgress& progress);

    MessageService& messages_;
    std::unique_ptr<PrintingSystem> system_;
    std::unique_ptr<QPrinter> printer_;  // holds the page set-up; the device for a printer's jobs
    QString name_;                       // empty: a PDF file
    bool chosen_ = false;                // the user picked name_ in the set-up dialog
    bool busy_ = false;
    bool cancelled_ = false;
    QPointer<TPrnSetupFrm> dialog_;
};

}  // namespace orlan
