// A printing system for tests: "installed" printers that write each job to <folder>/<name>.pdf,
// and a PDF save dialog that answers from a script.
#pragma once

#include <QByteArray>
#include <QPrinter>
#include <QStringList>
#include <memory>

#include "PrinterSetup.h"

namespace orlan::test {

struct FakePrinting : PrintingSystem {
    QStringList installed;
    QString defaultName;
    QString folder;
    QString pdfAnswer;      // the save dialog's answer: empty is "cancelled"
    QStringList suggested;  // the names the save dialog was opened with

    QStringList printerNames() override { return installed; }
    QString defaultPrinterName() override { return defaultName; }
    std::unique_ptr<QPrinter> printer(const QString& name) override {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(jobFile(name));
        return p;
    }
    QString pdfFileName(QWidget*, const QString& name) override {
        suggested << name;
        return pdfAnswer;
    }
    QString jobFile(const QString& printer) const { return folder + '/' + printer + ".pdf"; }
};

// The document title as Qt writes it into a PDF: UTF-16BE after a byte-order mark, delimiters
// escaped.
inline QByteArray pdfTitle(const QString& text) {
    QByteArray raw("\xFE\xFF");
    for (QChar c : text) raw += char(c.unicode() >> 8), raw += char(c.unicode() & 0xFF);
    QByteArray escaped;
    for (char c : raw) {
        if (c == '(' || c == ')' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return "/Title (" + escaped + ")";
}

inline qsizetype pdfPages(const QByteArray& pdf) {
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r");
}

}  // namespace orlan::test
