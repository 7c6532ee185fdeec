// The export: the three files read back with a reader of our own (zip + XML), the text file byte
// for byte, and the dialog's rules through its widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

#include "ExportFiles.h"
#include "ExportPages.h"
#include "ExportWriters.h"
#include "Exportform.h"
#include "Machine.h"
#include "scripted_messages.h"
#include "zip_reader.h"

using namespace orlan;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// --- a workbook as the spreadsheet reads it ---

struct Style {
    QString numFmt;                           // the format code: "@" for text
    QString align, left, right, top, bottom;  // border styles, empty for none
};
struct Cell {
    QString text, type;
    Style style;
};
struct Sheet {
    QString name;
    QMap<QString, Cell> cells;  // by reference, "B2"
    QMap<int, double> widths;   // by column number from 1
};

QString attr(const QXmlStreamReader& x, const char* name) {
    for (const QXmlStreamAttribute& a : x.attributes())
        if (a.qualifiedName() == QLatin1String(name)) return a.value().toString();
    return {};
}

QList<Sheet> readWorkbook(const QString& path) {
    const QMap<QString, QByteArray> zip = test::readZip(readAll(path));
    QMap<QString, QString> targets;  // relationship id -> member
    for (QXmlStreamReader x(zip.value("xl/_rels/workbook.xml.rels")); !x.atEnd();)
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"Relationship")
            targets[attr(x, "Id")] = "xl/" + attr(x, "Target");

    QStringList shared;
    for (QXmlStreamReader x(zip.value("xl/sharedStrings.xml")); !x.atEnd();) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"si") shared << QString();
        if (x.isStartElement() && x.name() == u"t") shared.last() += x.readElementText();
    }

    QList<Style> xfs;
    QList<Style> borders;
    QMap<int, QString> codes = {{0, "General"}, {49, "@"}};
    QString edge;
    bool inXfs = false;
    for (QXmlStreamReader x(zip.value("xl/styles.xml")); !x.atEnd();) {
        x.readNext();
        const auto n = x.name();
        if (x.isEndElement() && n == u"cellXfs") inXfs = false;
        if (!x.isStartElement()) continue;
        if (n == u"numFmt") codes[attr(x, "numFmtId").toInt()] = attr(x, "formatCode");
        if (n == u"border") borders << Style();
        if (n == u"left" || n == u"right" || n == u"top" || n == u"bottom") {
            const QString style = attr(x, "style");
            Style& b = borders.last();
            (n == u"left"    ? b.left
             : n == u"right" ? b.right
             : n == u"top"   ? b.top
                             : b.bottom) = style;
        }
        if (n == u"cellXfs") inXfs = true;
        if (inXfs && n == u"xf") {
            Style s = borders.value(attr(x, "borderId").toInt());
            s.numFmt = codes.value(attr(x, "numFmtId").toInt());
            xfs << s;
        }
        if (inXfs && n == u"alignment") xfs.last().align = attr(x, "horizontal");
    }

    QList<Sheet> sheets;
    for (QXmlStreamReader x(zip.value("xl/workbook.xml")); !x.atEnd();)
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"sheet") {
            Sheet sheet{attr(x, "name"), {}, {}};
            Cell* cell = nullptr;
            for (QXmlStreamReader c(zip.value(targets.value(attr(x, "r:id")))); !c.atEnd();) {
                c.readNext();
                if (!c.isStartElement()) continue;
                if (c.name() == u"col")
                    for (int col = attr(c, "min").toInt(); col <= attr(c, "max").toInt(); ++col)
                        sheet.widths[col] = attr(c, "width").toDouble();
                if (c.name() == u"c") {
                    cell = &sheet.cells[attr(c, "r")];
                    cell->type = attr(c, "t");
                    cell->style = xfs.value(attr(c, "s").toInt());
                }
                if (c.name() == u"v" || c.name() == u"t") {
                    const QString v = c.readElementText();
                    cell->text = cell->type == u"s" ? shared.value(v.toInt()) : v;
                }
            }
            sheets << sheet;
        }
    return sheets;
}

// --- an ODF text document as a word processor reads it ---

struct Font {
    QString family, size;
    bool bold = false;
    bool operator==(const Font&) const = default;
};
struct Paragraph {
    QString text;
    QList<Font> fonts;  // of the runs that hold text
};

QList<Paragraph> readDocument(const QString& path) {
    const QByteArray content = test::readZip(readAll(path)).value("content.xml");
    QMap<QString, Font> styles;
    QList<Paragraph> paragraphs;
    QString styleName;
    QStringList runs;  // the style of each open element inside a paragraph
    for (QXmlStreamReader x(content); !x.atEnd();) {
        x.readNext();
        const auto n = x.name();
        if (x.isStartElement() && n == u"style") styleName = attr(x, "style:name");
        if (x.isStartElement() && n == u"text-properties")
            styles[styleName] = {attr(x, "fo:font-family"), attr(x, "fo:font-size"),
                                 attr(x, "fo:font-weight") == u"bold"};
        if (x.isStartElement() && (n == u"p" || n == u"span")) {
            if (n == u"p") paragraphs << Paragraph();
            runs << attr(x, "text:style-name");
        }
        if (x.isEndElement() && (n == u"p" || n == u"span")) runs.removeLast();
        if (runs.isEmpty()) continue;
        QString text;
        if (x.isCharacters()) text = x.text().toString();
        if (x.isStartElement() && n == u"tab") text = "\t";
        if (x.isStartElement() && n == u"s")
            text = QString(qMax(1, attr(x, "text:c").toInt()), ' ');
        if (text.isEmpty()) continue;
        paragraphs.last().text += text;
        const Font f = styles.value(runs.last());
        if (!paragraphs.last().fonts.contains(f)) paragraphs.last().fonts << f;
    }
    return paragraphs;
}

Machine sampleMachine() {
    Machine m;
    m.s.memory[0x10] = 0x3E;  // MVI A, d8
    m.s.memory[0x11] = 0x41;  // MOV B, C
    m.s.memory[0x12] = 0x76;  // HLT
    m.s.reg[A] = 0x41, m.s.reg[B] = 0x0A, m.s.reg[C] = 0xC0, m.s.reg[H] = 0x12, m.s.reg[L] = 0x34;
    m.s.pc = 0x0011, m.s.sp = 0xFFFD;
    return m;
}

ExportPage page(const QString& name, uint16_t from, uint16_t to, const char* columns) {
    const QByteArray c(columns);
    return {name, from, to, c.contains('a'), c.contains('v'), c.contains('m'), c.contains('c')};
}

ExportRegisters registers(std::initializer_list<ExportRegister> list) {
    ExportRegisters regs;
    for (ExportRegister r : list) regs.set(r, true);
    return regs;
}

struct RecordingOpener : FileOpener {
    QStringList opened;
    bool succeed = true;
    bool open(const QString& path) override {
        opened << path;
        return succeed;
    }
};

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    // --- the dialog ---
    test::ScriptedMessages* messages = nullptr;
    RecordingOpener* opener = nullptr;
    Machine machine = sampleMachine();
    TExportFrm* frm = nullptr;

    template <class T>
    T* child(const QString& name) {
        T* w = frm->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QCheckBox* box(const QString& name) { return child<QCheckBox>(name); }
    // Near the left edge: a check box takes clicks on its box and caption only.
    void click(const QString& name) {
        auto* b = child<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    void retype(const QString& field, const QString& text) {
        auto* e = child<QLineEdit>(field);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    QStringList names(ExportTarget t) const {
        QStringList n;
        for (const ExportPage& p : frm->pages(t).pages()) n << p.name;
        return n;
    }

  private slots:
    void init() {
        messages = new test::ScriptedMessages;
        opener = new RecordingOpener;
        frm = new TExportFrm(*messages, machine);
        frm->setOutputFolder(dir.filePath("out"));
        frm->setFileOpener(opener);
        frm->show();
    }
    void cleanup() {
        delete frm;
        delete opener;
        delete messages;
        QDir(dir.filePath("out")).removeRecursively();
    }

    void textFileIsByteForByte_data() {
        QTest::addColumn<std::vector<ExportPage>>("pages");
        QTest::addColumn<ExportRegisters>("regs");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray registersHeading =
            "\xD1\xEE\xE4\xE5\xF0\xE6\xE8\xEC\xEE\xE5 "
            "\xF0\xE5\xE3\xE8\xF1\xF2\xF0\xEE\xE2:\r\n\r\n";
        QTest::newRow("mnemonic only, Cyrillic name")
            << std::vector{page("Тест", 0x10, 0x11, "m")} << ExportRegisters()
            << QByteArray(
                   "\xD2\xE5\xF1\xF2 [0010h - 0011h]\r\n\r\n\tMVI A, d8\r\n\tMOV B, C\r\n"
                   "\r\n\r\n\r\n");
        QTest::newRow("address and mnemonic")
            << std::vector{page("P", 0x12, 0x12, "am")} << ExportRegisters()
            << QByteArray("P [0012h - 0012h]\r\n\r\n\t0012\tHLT\r\n\r\n\r\n\r\n");
        QTest::newRow("B and C ticked only")
            << std::vector{page("P", 0x10, 0x10, "v")}
            << registers({ExportRegister::B, ExportRegister::C})
            << QByteArray("P [0010h - 0010h]\r\n\r\n\t3E\r\n\r\n\r\n\r\n") + registersHeading +
                   "B = 0Ah\t\tC = C0h\r\n\r\n\r\n\r\n";
        QTest::newRow("two pages, every register")
            << std::vector{page("1", 0x10, 0x10, "vm"), page("2", 0x11, 0x11, "avm")}
            << registers({ExportRegister::A, ExportRegister::B, ExportRegister::C,
                          ExportRegister::D, ExportRegister::E, ExportRegister::H,
                          ExportRegister::L, ExportRegister::W, ExportRegister::Z,
                          ExportRegister::PC, ExportRegister::SP})
            << QByteArray(
                   "1 [0010h - 0010h]\r\n\r\n\t3E\tMVI A, d8\r\n\r\n\r\n\r\n"
                   "2 [0011h - 0011h]\r\n\r\n\t0011\t41\tMOV B, C\r\n\r\n\r\n\r\n") +
                   registersHeading +
                   "A = 41h\r\nB = 0Ah\t\tC = C0h\r\nD = 00h\t\tE = 00h\r\nH = 12h\t\tL = 34h\r\n"
                   "W = 00h\t\tZ = 00h\r\nPC = 0011h\r\nSP = FFFDh\r\n";
    }
    void textFileIsByteForByte() {
        QFETCH(std::vector<ExportPage>, pages);
        QFETCH(ExportRegisters, regs);
        QFETCH(QByteArray, bytes);
        const QString path = dir.filePath("t.txt");
        QVERIFY(writeExportText(path, machine.s, {pages, regs}));
        QCOMPARE(readAll(path), bytes);
    }

    void workbookReadsBack() {
        const std::vector<ExportPage> pages = {page("Код", 0x10, 0x12, "avmc"),
                                               page("Хвост", 0x11, 0x11, "v")};
        const QString path = dir.filePath("w.xlsx");
        const auto regs = registers({ExportRegister::A, ExportRegister::C, ExportRegister::SP});
        QVERIFY(writeExportSpreadsheet(path, dir.path(), machine.s, {pages, regs}));
        const QList<Sheet> book = readWorkbook(path);
        QCOMPARE(book.size(), 3);
        QCOMPARE(book[0].name, QStringLiteral("Код"));
        QCOMPARE(book[1].name, QStringLiteral("Хвост"));
        QCOMPARE(book[2].name, QStringLiteral("Регистры"));

        const Sheet& code = book[0];
        struct Expect {
            const char* ref;
            const char* text;
            const char* align;
            bool asText;
            const char *left, *right, *top, *bottom;
        };
        const Expect cells[] = {
            {"A1", "№ Ячейки", "center", false, "medium", "", "medium", "medium"},
            {"B1", "Значение", "center", false, "thin", "", "medium", "medium"},
            {"C1", "Команда", "center", false, "thin", "medium", "medium", "medium"},
            {"D1", "Коментарий", "center", false, "thin", "medium", "medium", "medium"},
            {"A2", "0010", "right", true, "medium", "", "thin", ""},
            {"B2", "3E", "center", true, "thin", "", "thin", ""},
            {"C2", "MVI A, d8", "", true, "thin", "medium", "thin", ""},
            {"D2", "", "", false, "thin", "medium", "thin", ""},
            {"A4", "0012", "right", true, "medium", "", "thin", "medium"},
            {"C4", "HLT", "", true, "thin", "medium", "thin", "medium"},
            {"D4", "", "", false, "thin", "medium", "thin", "medium"},
        };
        for (const Expect& e : cells) {
            QVERIFY2(code.cells.contains(e.ref), e.ref);
            const Cell& c = code.cells[e.ref];
            QCOMPARE(c.text, QString::fromUtf8(e.text));
            if (*e.text)
                QVERIFY2(c.type == u"s" || c.type == u"inlineStr" || c.type == u"str", e.ref);
            QCOMPARE(c.style.align, QLatin1String(e.align));
            QCOMPARE(c.style.numFmt == u"@", e.asText);
            QCOMPARE(c.style.left, QLatin1String(e.left));
            QCOMPARE(c.style.right, QLatin1String(e.right));
            QCOMPARE(c.style.top, QLatin1String(e.top));
            QCOMPARE(c.style.bottom, QLatin1String(e.bottom));
        }
        QVERIFY(!code.cells.contains("A5"));
        QVERIFY(code.widths.value(4) >= 100 && code.widths.value(4) < 101);

        // A column that is first gets the frame's left edge whatever it holds.
        QCOMPARE(book[1].cells["A1"].text, QStringLiteral("Значение"));
        QCOMPARE(book[1].cells["A2"].text, QStringLiteral("41"));
        QCOMPARE(book[1].cells["A2"].style.left, QStringLiteral("medium"));
        QCOMPARE(book[1].cells["A2"].style.bottom, QStringLiteral("medium"));

        const Sheet& regSheet = book[2];
        const QMap<QString, QString> expected = {{"B1", "A="}, {"C1", "41"},  {"C2", "C="},
                                                 {"D2", "C0"}, {"B7", "SP="}, {"C7", "FFFD"}};
        for (const char* column : {"A", "B", "C", "D"})
            for (int row = 1; row <= 8; ++row) {
                const QString r = QLatin1String(column) + QString::number(row);
                QVERIFY2(regSheet.cells.contains(r), qPrintable(r));
                QCOMPARE(regSheet.cells[r].text, expected.value(r));
                QCOMPARE(regSheet.cells[r].style.numFmt, QStringLiteral("@"));
                const bool label = expected.value(r).endsWith('=');
                QCOMPARE(regSheet.cells[r].style.align,
                         label ? QStringLiteral("right") : QString());
            }

        QVERIFY(writeExportSpreadsheet(path, dir.path(), machine.s, {pages, {}}));
        QCOMPARE(readWorkbook(path).size(), 2);  // no "Регистры" without a register
    }

    void documentReadsBack() {
        const QString path = dir.filePath("d.odt");
        QVERIFY(writeExportDocument(
            path, machine.s,
            {{page("Код", 0x10, 0x11, "am")}, registers({ExportRegister::B, ExportRegister::C})}));
        const QList<Paragraph> doc = readDocument(path);
        const QStringList texts = {"Код [0010h - 0011h]",
                                   "",
                                   "\t0010\tMVI A, d8",
                                   "\t0011\tMOV B, C",
                                   "",
                                   "",
                                   "",
                                   "Содержимое регистров:",
                                   "",
                                   "B = 0Ah\t\tC = C0h",
                                   "",
                                   "",
                                   "",
                                   ""};
        QCOMPARE(doc.size(), texts.size());
        const Font heading{"Times New Roman", "10pt", true}, data{"Courier New", "8pt", false};
        for (int i = 0; i < doc.size(); ++i) {
            QCOMPARE(doc[i].text, texts[i]);
            if (texts[i].isEmpty()) continue;
            QCOMPARE(doc[i].fonts.size(), 1);
            const Font& f = doc[i].fonts[0];
            const bool isHeading = i == 0 || i == 7;
            QCOMPARE(f, isHeading ? heading : data);
        }
    }

    void pageListRules() {
        click("ToText_Check");
        QCOMPARE(names(ExportTarget::Text), QStringList{"Подпрограмма 1"});
        click("T_DelTextPage_BTN");  // the last page stays
        QCOMPARE(names(ExportTarget::Text), QStringList{"Подпрограмма 1"});

        click("T_AddTextPage_BTN");
        click("T_AddTextPage_BTN");
        retype("T_To_RAM", "00FF");
        QCOMPARE(frm->pages(ExportTarget::Text).pages()[2].to, 0x00FF);  // stored in the new page
        auto* list = child<QComboBox>("TextPages_Combo");
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(child<QLineEdit>("T_To_RAM")->text(), QStringLiteral("FFFF"));
        click("T_DelTextPage_BTN");
        QCOMPARE(names(ExportTarget::Text), (QStringList{"Подпрограмма 1", "Подпрограмма 3"}));
        QCOMPARE(list->currentIndex(), 0);
        click("T_AddTextPage_BTN");  // numbered after the count: a second "Подпрограмма 3"
        QCOMPARE(list->itemText(2), QStringLiteral("Подпрограмма 3"));

        const auto before = frm->pages(ExportTarget::Text).pages();
        click("OK_BTN");
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(messages->shown[0].id, MessageId::TextDuplicateName);
        QVERIFY(QString::fromStdString(messages->shown[0].text).contains("\"Подпрограмма 3\""));
        QVERIFY(opener->opened.isEmpty());
        QCOMPARE(frm->pages(ExportTarget::Text).pages(), before);

        // Typing in the list renames the selected page.
        QTest::keyClick(list->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(list->lineEdit(), "4");
        QCOMPARE(names(ExportTarget::Text).last(), QStringLiteral("Подпрограмма 4"));
        QCOMPARE(list->itemText(2), QStringLiteral("Подпрограмма 4"));
        click("OK_BTN");
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(opener->opened, QStringList{frm->filePath(ExportTarget::Text)});
    }

    void columnsAndRangesAreCheckedPerTarget() {
        for (const char* name : {"ToExcel_Check", "ToWord_Check", "ToText_Check"}) click(name);
        // The spreadsheet with only the comments column passes; the text file with none does not.
        for (const char* name :
             {"X_NumRam_Check", "X_ValRam_Check", "X_ComRam_Check", "X_Comments_Check",
              "T_NumRam_Check", "T_ValRam_Check", "T_ComRam_Check"})
            click(name);
        // The word processor's range ends before it starts: only that target is refused.
        child<QTabWidget>("PageControl")->setCurrentIndex(1);
        retype("W_From_RAM", "0010");
        retype("W_To_RAM", "000F");
        click("OK_BTN");
        QCOMPARE(messages->shown.size(), size_t(2));
        QCOMPARE(messages->shown[0].id, MessageId::WordRange);
        QCOMPARE(messages->shown[1].id, MessageId::TextNoColumns);
        QCOMPARE(opener->opened, QStringList{frm->filePath(ExportTarget::Spreadsheet)});
        const QList<Sheet> book = readWorkbook(frm->filePath(ExportTarget::Spreadsheet));
        QCOMPARE(book.size(), 1);
        QCOMPARE(book[0].cells["A1"].text, QStringLiteral("Коментарий"));
        QCOMPARE(book[0].cells.size(), 65537);
    }

    void unfinishedRangeShutsTheRest() {
        click("ToWord_Check");
        auto* tabs = child<QTabWidget>("PageControl");
        tabs->setCurrentIndex(1);
        auto* from = child<QLineEdit>("W_From_RAM");
        from->selectAll();
        QTest::keyClicks(from, "1g2");  // the filter drops what is not a hex digit
        QCOMPARE(from->text(), QStringLiteral("12"));
        QTest::keyClicks(from, "a");
        QCOMPARE(from->text(), QStringLiteral("12A"));
        QVERIFY(!child<QPushButton>("OK_BTN")->isEnabled());
        QVERIFY(!tabs->isTabEnabled(0) && !tabs->isTabEnabled(2) && tabs->isTabEnabled(1));
        QVERIFY(!child<QComboBox>("WordPages_Combo")->isEnabled());
        QCOMPARE(frm->pages(ExportTarget::WordProcessor).pages()[0].from, 0x0000);
        QTest::keyClicks(from, "0");
        QVERIFY(child<QPushButton>("OK_BTN")->isEnabled());
        QVERIFY(tabs->isTabEnabled(0) && tabs->isTabEnabled(2));
        QVERIFY(child<QComboBox>("WordPages_Combo")->isEnabled());
        QCOMPARE(frm->pages(ExportTarget::WordProcessor).pages()[0].from, 0x12A0);
    }

    void switchEnablesItsTab() {
        QVERIFY(!child<QComboBox>("ExcelPages_Combo")->isEnabled());
        QVERIFY(!box("X_RegSP_Check")->isEnabled());
        click("ToExcel_Check");
        QVERIFY(child<QComboBox>("ExcelPages_Combo")->isEnabled());
        QVERIFY(box("X_RegSP_Check")->isEnabled());
        QVERIFY(!box("W_RegSP_Check")->isEnabled());
    }

    void failuresSayWhereTheFileIs() {
        click("ToText_Check");
        opener->succeed = false;
        click("OK_BTN");
        QCOMPARE(messages->shown.size(), size_t(1));
        QCOMPARE(messages->shown[0].id, MessageId::TextNotOpened);
        const QString path = frm->filePath(ExportTarget::Text);
        QVERIFY(QString::fromStdString(messages->shown[0].text).contains(path));
        QVERIFY(QFile::exists(path));

        // A folder that cannot be made: nothing is opened, the message names the file.
        QFile blocker(dir.filePath("plain"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        frm->setOutputFolder(dir.filePath("plain/out"));
        click("ToExcel_Check");
        click("OK_BTN");
        QCOMPARE(messages->shown.size(), size_t(3));
        QCOMPARE(messages->shown[1].id, MessageId::ExcelNotWritten);
        QVERIFY(QString::fromStdString(messages->shown[1].text)
                    .contains(frm->filePath(ExportTarget::Spreadsheet)));
        QCOMPARE(messages->shown[2].id, MessageId::TextNotWritten);
        QCOMPARE(opener->opened.size(), 1);
    }

    void plantedLinkIsReplacedNotFollowed() {
        const QString victim = dir.filePath("victim"), path = dir.filePath("link.txt");
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly) && v.write("keep") == 4);
        v.close();
        QVERIFY(QFile::link(victim, path));
        QVERIFY(writeExportFile(path, "new"));
        QCOMPARE(readAll(victim), QByteArray("keep"));
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(readAll(path), QByteArray("new"));
        QVERIFY(writeExportFile(path, "newer"));  // an older export is replaced whole
        QCOMPARE(readAll(path), QByteArray("newer"));
    }

    void spreadsheetRefusesNamesNoWorksheetCarries_data() {
        QTest::addColumn<QStringList>("pageNames");
        QTest::addColumn<bool>("withRegisters");
        QTest::addColumn<int>("refusal");  // MessageId, or -1 when accepted
        const int sheet = int(MessageId::ExcelSheetName), same = int(MessageId::ExcelDuplicateName);
        QTest::newRow("31 characters") << QStringList{QString(31, 'x')} << false << -1;
        QTest::newRow("32 characters") << QStringList{QString(32, 'x')} << false << sheet;
        QTest::newRow("slash") << QStringList{"a/b"} << false << sheet;
        QTest::newRow("bracket") << QStringList{"[a"} << false << sheet;
        QTest::newRow("empty") << QStringList{""} << false << sheet;
        QTest::newRow("apostrophe first") << QStringList{"'a"} << false << sheet;
        QTest::newRow("differ in case") << QStringList{"Код", "код"} << false << same;
        QTest::newRow("registers sheet") << QStringList{"регистры"} << true << same;
        QTest::newRow("registers name, none ticked") << QStringList{"Регистры"} << false << -1;
    }
    void spreadsheetRefusesNamesNoWorksheetCarries() {
        QFETCH(QStringList, pageNames);
        QFETCH(bool, withRegisters);
        QFETCH(int, refusal);
        ExportContent content;
        for (const QString& n : pageNames) content.pages.push_back(page(n, 0, 1, "a"));
        if (withRegisters) content.registers.set(ExportRegister::A, true);
        const auto box = checkExport(ExportTarget::Spreadsheet, content);
        QCOMPARE(box ? int(box->id) : -1, refusal);
        QVERIFY(!checkExport(ExportTarget::Text, content));  // the other targets take any name
        if (refusal < 0)
            QVERIFY(writeExportSpreadsheet(dir.filePath("n.xlsx"), dir.path(), machine.s, content));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
