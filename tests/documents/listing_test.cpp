// The printed listing: its composed lines, the print dialog's checks, printing to PDF and the
// printer's print text surviving a listing.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include "ListingComposer.h"
#include "PrinterDevice.h"
#include "Printform.h"
#include "fake_printing.h"
#include "Machine.h"
#include "scripted_messages.h"

using namespace orlan;

namespace {

// The document as lines: each paragraph split at its line separators, with its look.
std::vector<ListingLine> documentLines(const QTextDocument& doc) {
    std::vector<ListingLine> lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextCharFormat chars =
            b.begin().atEnd() ? b.charFormat() : b.begin().fragment().charFormat();
        for (const QString& text : b.text().split(QChar::LineSeparator))
            lines.push_back({text, chars.fontWeight() == QFont::Bold,
                             b.blockFormat().alignment() == Qt::AlignHCenter});
    }
    return lines;
}

}  // namespace

class ListingTest : public QObject {
    Q_OBJECT
  private slots:
    void memoryRangeAndRegisters() {
        Machine m;
        m.s.memory[0x0010] = 0x3E;
        m.s.memory[0x0011] = 0x41;
        m.s.memory[0x0012] = 0x76;
        m.s.pc = 0x0011;
        m.s.sp = 0xFFFD;
        m.s.reg[A] = 0x41, m.s.reg[B] = 0x0A, m.s.reg[C] = 0xC0, m.s.reg[H] = 0x12, m.s.reg[L] = 0x34;
        ListingRequest r;
        r.programName = QStringLiteral("Тест");
        r.from = 0x10, r.to = 0x12, r.fromText = QStringLiteral("0010"), r.toText = QStringLiteral("12");
        r.registers = true;
        r.a = r.bc = r.hl = r.pc = r.sp = true;  // DE left out

        const std::vector<ListingLine> lines = ListingComposer::compose(m.s, r);
        const std::vector<ListingLine> expected = {
            {QStringLiteral("Эмулятор МП-системы на базе МП ОРЛАН-М  -  Версия 1.0.1.1613"), true, true},
            {"", true, true},
            {"", true, true},
            {QStringLiteral("Тест"), true, true},
            {"", false, true},
            {"", false, true},
            {QStringLiteral("Содержимое ячеек ОЗУ (с 0010h по 12h):"), true, false},
            {"", true, false},
            {QStringLiteral("\t№ Яч.\tЗнач.\tКоманда"), true, false},
            {QStringLiteral("\t0010\t3E\tMVI A, d8"), false, false},
            {QStringLiteral("      ->\t0011\t41\tMOV B, C"), false, false},
            {QStringLiteral("\t0012\t76\tHLT"), false, false},
            {"", false, false},
            {"", false, false},
            {QStringLiteral("Содержимое регистров:"), true, false},
            {"", true, false},
            {QStringLiteral("\tA: 41h"), false, false},
            {QStringLiteral("\tB: 0Ah\tC: C0h"), false, false},
            {QStringLiteral("\tH: 12h\tL: 34h"), false, false},
            {QStringLiteral("\tСчётчик команд PC: 0011h"), false, false},
            {QStringLiteral("\tУказатель стека SP: FFFDh"), false, false},
        };
        QCOMPARE(ListingComposer::plainText(lines), ListingComposer::plainText(expected));
        QVERIFY(lines == expected);  // bold and alignment too
        QTextDocument doc;
        ListingComposer::fill(doc, lines);
        QVERIFY(documentLines(doc) == expected);

        // Nothing chosen: the heading alone. The full range: every cell, one of them marked.
        r.memory = r.registers = false;
        QCOMPARE(ListingComposer::compose(m.s, r).size(), size_t(6));
        r.memory = true, r.from = 0, r.to = 0xFFFF;
        const std::vector<ListingLine> all = ListingComposer::compose(m.s, r);
        QCOMPARE(all.size(), size_t(6 + 3 + 65536 + 2));
        QCOMPARE(all.back().text, QString());
        QCOMPARE(all[all.size() - 3].text, QStringLiteral("\tFFFF\t00\tNOP"));
        ListingComposer::fill(doc, all);
        QVERIFY(documentLines(doc) == all);
    }

    void dialogChecksRangeAndFields() {
        Machine m;
        test::ScriptedMessages messages;
        QTemporaryDir dir;
        auto* system = new test::FakePrinting;
        system->installed = {"Офис"};
        system->folder = dir.path();
        PrinterSetup setup(messages, std::unique_ptr<PrintingSystem>(system));
        TPrintFrm frm(messages, m, setup);
        auto* from = frm.findChild<QLineEdit*>(QStringLiteral("From_Ed"));
        auto* to = frm.findChild<QLineEdit*>(QStringLiteral("To_Ed"));
        auto* prnt = frm.findChild<QPushButton*>(QStringLiteral("Prnt_BTN"));

        // Typed characters outside hex vanish, letters go upper case; three digits disable printing.
        to->clear();
        QTest::keyClicks(to, "0zf1");
        QCOMPARE(to->text(), QStringLiteral("0F1"));
        QVERIFY(!prnt->isEnabled());
        QTest::keyClicks(to, "x0");
        QCOMPARE(to->text(), QStringLiteral("0F10"));
        QVERIFY(prnt->isEnabled());

        // to < from: the range message, even with the memory part unticked; nothing printed.
        from->setText(QStringLiteral("0F11"));
        frm.findChild<QCheckBox*>(QStringLiteral("PrintMem_Chk"))->setChecked(false);
        QVERIFY(!from->isEnabled() && !to->isEnabled());
        prnt->click();
        QCOMPARE(messages.shown.size(), size_t(1));
        const MessageBox& box = messages.shown[0];
        QCOMPARE(box.id, MessageId::PrintRange);
        QCOMPARE(QString::fromStdString(box.title), QStringLiteral("ОРЛАН - Ошибка печати"));
        QCOMPARE(QString::fromStdString(box.text),
                 QStringLiteral("Введён неверный диапазон печатаемых ячеек памяти.\n\nНомер начальной ячейки "
                                "должен быть меньше или равен конечной.\nДействие отменено.\n\nПроверьте "
                                "правильность введённых данных для печати и продолжите работу с эмулятором."));
        QCOMPARE(box.icon, MessageIcon::Warning);
        QVERIFY(!QFile::exists(system->jobFile("Офис")));

        // The register boxes follow PrintReg_Chk and keep their ticks.
        auto* reg = frm.findChild<QCheckBox*>(QStringLiteral("PrintReg_Chk"));
        auto* a = frm.findChild<QCheckBox*>(QStringLiteral("A_Chk"));
        QVERIFY(!a->isEnabled());
        reg->setChecked(true);
        a->setChecked(true);
        reg->setChecked(false);
        QVERIFY(!a->isEnabled() && a->isChecked());
    }

    void printsEveryPageAndGivesBackThePrintText() {
        QTemporaryDir dir;
        Machine m;
        test::ScriptedMessages messages;
        PrinterDevice printer;
        for (int b : {0x48, 0x69, 0x0D, 0x0A, 0x21}) printer.byteInput(static_cast<uint8_t>(b));
        const QString printText = printer.printText();

        // No printer installed: the listing goes to a PDF file.
        auto* system = new test::FakePrinting;
        system->pdfAnswer = dir.filePath("listing.pdf");
        PrinterSetup setup(messages, std::unique_ptr<PrintingSystem>(system));
        TPrintFrm frm(messages, m, setup);
        frm.setPrinterDevice(&printer);
        frm.findChild<QLineEdit*>("To_Ed")->setText("00FF");
        int pages = 0;
        connect(&setup, &PrinterSetup::progressed, this, [&](int, int total) { pages = total; });
        frm.print();

        QCOMPARE(system->suggested, QStringList{"ОРЛАН - Текушие данные эмулятора.pdf"});
        QFile pdf(system->pdfAnswer);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.contains(test::pdfTitle(TPrintFrm::kDocumentTitle)));
        QVERIFY(pages > 1);
        QCOMPARE(test::pdfPages(bytes), pages);
        QVERIFY(messages.shown.empty());
        QCOMPARE(printer.printText(), printText);
        QCOMPARE(frm.list().toPlainText(), QStringLiteral("Hi\n!"));
    }
};

QTEST_MAIN(ListingTest)
#include "listing_test.moc"
