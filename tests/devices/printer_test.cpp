// The printer behind port 04h: its hex dump, its print text and printing it; the printer set-up
// it shares with the listing.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include "HexDumpView.h"
#include "PrinterDevice.h"
#include "Printerform.h"
#include "Prnsetupform.h"
#include "fake_printing.h"
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

QByteArray readAll(const QString& name) {
    QFile file(name);
    return !name.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

    void printsOneTitledJobOnThePrinterChosen() {
        QTemporaryDir dir;
        test::ScriptedMessages messages;
        auto* system = new test::FakePrinting;
        system->installed = {"Офис", "Лаборатория"};
        system->defaultName = "Лаборатория";
        system->folder = dir.path();
        PrinterSetup setup(messages, std::unique_ptr<PrintingSystem>(system));
        TPrinterFrm frm(setup);
        feed(frm.device(), {0x48, 0x69, 0x0D, 0x0A, 0x21});

        // The set-up offers the printers and a PDF file, starting from the default printer,
        // and has nothing that reads as printing.
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<TPrnSetupFrm*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            auto* combo = dlg->findChild<QComboBox*>("Printer_Cmb");
            QStringList items;
            for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
            QCOMPARE(items, QStringList({"Офис", "Лаборатория", "PDF-файл"}));
            QCOMPARE(combo->currentText(), QStringLiteral("Лаборатория"));
            QStringList buttons;
            for (auto* b : dlg->findChildren<QAbstractButton*>()) buttons << b->text();
            QVERIFY(buttons.contains("OK") && buttons.contains("Отмена"));
            QVERIFY(!buttons.contains("Печать") && !buttons.contains("&Print"));
            combo->setCurrentIndex(0);
            dlg->findChild<QPushButton*>("OK_BTN")->click();
        });
        setup.showSetupDialog(&frm);
        QCOMPARE(setup.printerName(), QStringLiteral("Офис"));

        frm.findChild<QAbstractButton*>("PrintBuffer_BTN")->click();
        const QByteArray pdf = readAll(system->jobFile("Офис"));
        QVERIFY(pdf.contains(test::pdfTitle("ОРЛАН - Содержимое буфера \"принтера\"")));
        QCOMPARE(test::pdfPages(pdf), 1);
        QVERIFY(!QFile::exists(system->jobFile("Лаборатория")));
        QCOMPARE(frm.device().printText(), QStringLiteral("Hi\r\n!"));  // the buffers stay
        QVERIFY(messages.shown.empty());
        QCOMPARE(PrinterSetup::pdfNameFor(""), QStringLiteral("ORLAN.pdf"));

        // "Отмена" keeps the choice; a printer removed since gives way to the default, and with
        // none left the jobs go to a PDF file.
        QTimer::singleShot(0, [&] {
            auto* dlg = QApplication::activeModalWidget();
            dlg->findChild<QComboBox*>("Printer_Cmb")->setCurrentIndex(2);
            dlg->findChild<QPushButton*>("Cancel_BTN")->click();
        });
        setup.showSetupDialog(&frm);
        QCOMPARE(setup.printerName(), QStringLiteral("Офис"));
        system->installed = {"Лаборатория"};
        QCOMPARE(setup.printerName(), QStringLiteral("Лаборатория"));
        system->installed.clear();
        QCOMPARE(setup.printerName(), QString());
    }

    // With no printer a job becomes a PDF file, written aside and renamed: a job that does not
    // finish leaves a file of that name as it was.
    void pdfFile_data() {
        QTest::addColumn<QString>("answer");  // the save dialog's, relative to a temp folder
        QTest::addColumn<bool>("cancelJob");
        QTest::addColumn<QString>("outcome");  // "pdf", "old" or "none"
        QTest::addColumn<bool>("reported");
        QTest::newRow("saved") << "out.pdf" << false << "pdf" << false;
        QTest::newRow("over an old file") << "old.pdf" << false << "pdf" << false;
        QTest::newRow("dialog cancelled") << "" << false << "none" << false;
        QTest::newRow("folder missing") << "missing/out.pdf" << false << "none" << true;
        QTest::newRow("job cancelled") << "old.pdf" << true << "old" << false;
    }
    void pdfFile() {
        QFETCH(QString, answer);
        QFETCH(bool, cancelJob);
        QFETCH(QString, outcome);
        QFETCH(bool, reported);
        QTemporaryDir dir;
        QFile old(dir.filePath("old.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        test::ScriptedMessages messages;
        auto* system = new test::FakePrinting;
        system->pdfAnswer = answer.isEmpty() ? QString() : dir.filePath(answer);
        PrinterSetup setup(messages, std::unique_ptr<PrintingSystem>(system));
        TPrinterFrm frm(setup);
        feed(frm.device(), {0x41});

        // One job at a time: a print asked for while one runs does nothing, not even ask.
        int pagesStarted = 0;
        connect(&setup, &PrinterSetup::progressed, this, [&] {
            ++pagesStarted;
            frm.printBuffer();
            if (cancelJob) setup.cancel();
        });
        frm.printBuffer();
        QCOMPARE(system->suggested, QStringList{"ОРЛАН - Содержимое буфера принтера.pdf"});
        QVERIFY(outcome != "pdf" || pagesStarted > 0);

        const QByteArray bytes = readAll(system->pdfAnswer);
        if (outcome == "pdf") QVERIFY(bytes.startsWith("%PDF"));
        if (outcome == "old") QCOMPARE(bytes, QByteArray("old"));
        if (outcome == "none") QVERIFY(bytes.isEmpty() && !QFile::exists(system->pdfAnswer));
        // Nothing left behind: the old file, and the new one when saved beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), answer == "out.pdf" ? 2 : 1);
        QCOMPARE(messages.count(MessageId::PdfSaveFailed), reported ? 1 : 0);
        if (reported)
            QVERIFY(QString::fromStdString(messages.shown[0].text)
                        .contains(QDir::toNativeSeparators(system->pdfAnswer)));
        QCOMPARE(messages.shown.size(), size_t(reported));
    }

    void windowFollowsBytes() {
        test::ScriptedMessages messages;
        PrinterSetup setup(messages, std::make_unique<test::FakePrinting>());
        TPrinterFrm frm(setup);
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
