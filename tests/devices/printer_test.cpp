// The printer behind port 04h: its hex dump, its print text and printing it.
#include <QAbstractButton>
#include <QFile>
#include <QScrollBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include "HexDumpView.h"
#include "PrinterDevice.h"
#include "Printerform.h"
#include "scripted_messages.h"

using namespace orlan;

namespace {

void feed(PrinterDevice& p, std::initializer_list<int> bytes) {
    for (int b : bytes) p.byteInput(static_cast<uint8_t>(b));
}

QStringList printedLines(const PrinterDevice& p) {
    QStringList lines;
    const std::unique_ptr<QTextDocument> doc = p.document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) lines << b.text();
    return lines;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    return printer;
}

// A PDF string as Qt writes the document information: UTF-16BE after a byte-order mark, with
// the delimiters escaped.
QByteArray pdfString(const QString& text) {
    QByteArray raw("\xFE\xFF");
    for (QChar c : text) raw += char(c.unicode() >> 8), raw += char(c.unicode() & 0xFF);
    QByteArray escaped;
    for (char c : raw) {
        if (c == '(' || c == ')' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

struct PdfChoice : PrinterChoice {
    QString file;  // empty: no printer installed
    std::unique_ptr<QPrinter> defaultPrinter() override {
        return file.isEmpty() ? nullptr : pdfPrinter(file);
    }
};

}  // namespace

class PrinterTest : public QObject {
    Q_OBJECT
  private slots:
    void bytesBecomeDumpAndLines() {
        PrinterDevice p;
        feed(p, {0x48, 0x69, 0x0D, 0x0A, 0x21});
        QCOMPARE(p.buffer().text(), QStringLiteral("0000  48 69 0D 0A 21"));
        QCOMPARE(printedLines(p), QStringList({"Hi", "!"}));
        // Nothing of the earlier bytes survives a clear.
        p.clear();
        QCOMPARE(printedLines(p), QStringList{""});
        feed(p, {0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2, 0xA8, 0xB8});  // 1251 Cyrillic
        QCOMPARE(p.buffer().text(), QStringLiteral("0000  CF F0 E8 E2 E5 F2 A8 B8"));
        QCOMPARE(p.printText(), QStringLiteral("ПриветЁё"));
    }

    void lineBreaks_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("lone LF") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("LF CR is two") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    }
    void lineBreaks() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        PrinterDevice p;
        for (char c : bytes) p.byteInput(static_cast<uint8_t>(c));
        QCOMPARE(printedLines(p), lines);
    }

    void borrowedTextComesBack() {
        PrinterDevice p;
        feed(p, {0x41, 0x0D, 0x0A, 0xC0});
        const QString kept = p.printText();
        p.setPrintText(QStringLiteral("listing\n"));
        QCOMPARE(printedLines(p), QStringList({"listing", ""}));
        p.setPrintText(kept);
        feed(p, {0x42});
        QCOMPARE(p.printText(), QStringLiteral("A\r\nАB"));
        QCOMPARE(p.buffer().text(), QStringLiteral("0000  41 0D 0A C0 42"));
    }

    void printsOneTitledJob() {
        QTemporaryDir dir;
        const QString file = dir.filePath("printer.pdf");
        PrinterDevice p;
        feed(p, {0x48, 0x69, 0x0D, 0x0A, 0x21});
        std::unique_ptr<QPrinter> printer = pdfPrinter(file);
        p.print(*printer);
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.contains("/Title (" + pdfString(QStringLiteral(
                                                "ОРЛАН - Содержимое буфера \"принтера\"")) + ")"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
        QCOMPARE(p.printText(), QStringLiteral("Hi\r\n!"));  // printing keeps the buffers
    }

    void windowPrintsOrReportsNoPrinter() {
        test::ScriptedMessages messages;
        TPrinterFrm frm(messages);
        auto choice = std::make_unique<PdfChoice>();
        PdfChoice* pdf = choice.get();
        frm.setPrinterChoice(std::move(choice));
        auto* print = frm.findChild<QAbstractButton*>("PrintBuffer_BTN");
        print->click();
        QCOMPARE(messages.count(MessageId::NoPrinter), 1);

        QTemporaryDir dir;
        pdf->file = dir.filePath("out.pdf");
        frm.device().byteInput(0x41);
        print->click();
        QCOMPARE(messages.shown.size(), size_t(1));
        QVERIFY(QFileInfo(pdf->file).size() > 0);
    }

    void windowFollowsBytes() {
        test::ScriptedMessages messages;
        TPrinterFrm frm(messages);
        frm.device().byteInput(0x0A);  // received while the window was hidden
        frm.show();
        auto* view = frm.findChild<HexDumpView*>("PrinterBuffer");
        QVERIFY(view);
        QCOMPARE(view->text(), QStringLiteral("0000  0A"));
        for (int i = 0; i < 16 * 40; ++i) frm.device().byteInput(0x41);
        QTRY_COMPARE(view->lineCount(), qsizetype(41));
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
        frm.findChild<QAbstractButton*>("ClrBuffer_BTN")->click();
        QCOMPARE(view->text(), QString());
        QCOMPARE(frm.device().printText(), QString());
    }
};

QTEST_MAIN(PrinterTest)
#include "printer_test.moc"
