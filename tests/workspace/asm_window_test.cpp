// The assembler window inside the main window: assembling into memory, following the processor
// through the source, errors that write nothing, unsaved text, and reading sources in any of the
// three encodings.
#include <QAction>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "Asmform.h"
#include "CodeEditor.h"
#include "Mainform.h"
#include "MemoryModel.h"
#include "SourceEncoding.h"
#include "Codepage.h"
#include "scripted_messages.h"

using namespace orlan;
using orlan::test::ScriptedMessages;

namespace {

// Lines: 1 comment, 2 ORG, 3 START label, 4 MVI, 5 MVI, 6 ADD, 7 STA, 8 HLT, 9 END.
const QString kProgram = QStringLiteral(
    "; сумма двух чисел\n"
    "        ORG 0100H\n"
    "START:\n"
    "        MVI A,05H\n"
    "        MVI B,3\n"
    "        ADD B\n"
    "        STA RESULT\n"
    "        HLT\n"
    "RESULT  DS 1\n"
    "        END START\n");

}  // namespace

class AsmWindowTest : public QObject {
    Q_OBJECT

    ScriptedMessages* messages = nullptr;
    TMainFrm* frm = nullptr;
    TAsmFrm* asmFrm = nullptr;

    int executionLine() { return asmFrm->editor()->executionLine(); }
    QString mnemonicText(int row, int role = Qt::DisplayRole) {
        return frm->memoryModel()->index(row, MemoryModel::MnemonicColumn).data(role).toString();
    }

private slots:
    void init() {
        messages = new ScriptedMessages;
        frm = new TMainFrm(*messages);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
        frm->findChild<QAction*>(QStringLiteral("ShowAsm_Item"))->trigger();
        asmFrm = frm->asmFrm();
        QVERIFY(asmFrm->isVisible());
    }
    void cleanup() {
        asmFrm->editor()->document()->setModified(false);
        delete frm;
        delete messages;
    }

    // A source handed over from the desktop opens in this window, not as a state file.
    void sourceFromTheDesktopOpensHere() {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("given.ASM"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kProgram.toUtf8());
        file.close();
        asmFrm->hide();
        frm->openFile(name);
        QTRY_VERIFY(asmFrm->isVisible());
        QCOMPARE(asmFrm->editor()->toPlainText(), kProgram);
        QVERIFY(messages->shown.empty());
    }

    void assembledProgramIsFollowedLineByLine() {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("sum.asm"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kProgram.toUtf8());
        file.close();
        QVERIFY(asmFrm->loadFile(name));
        frm->machine().writeMemory(0x0109, 0xEE);  // outside the program: must stay
        frm->machine().movePC(0x0500);

        QApplication::setActiveWindow(asmFrm);  // the offscreen platform activates no window itself
        asmFrm->editor()->setFocus();
        QTest::keyClick(asmFrm->editor(), Qt::Key_F9);
        const uint8_t expected[] = {0x3E, 0x05, 0x06, 0x03, 0x80, 0x32, 0x09, 0x01, 0x76};
        for (int i = 0; i < 9; ++i) QCOMPARE(frm->machine().s.memory[0x0100 + i], expected[i]);
        QCOMPARE(frm->machine().s.memory[0x0109], uint8_t{0xEE});  // DS reserves, writes nothing
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0100});
        QCOMPARE(asmFrm->errorList()->count(), 0);
        QCOMPARE(executionLine(), 4);

        // A tact starts the MVI: its line stays marked while PC has moved on.
        frm->doTime();
        QVERIFY(frm->cpu().instructionInProgress());
        QCOMPARE(executionLine(), 4);
        // Assembling waits for the instruction to finish, like every other editor.
        QVERIFY(!asmFrm->findChild<QAction*>(QStringLiteral("Assemble_Item"))->isEnabled());
        QVERIFY(!asmFrm->assembleSource());
        frm->doCommand();
        QCOMPARE(executionLine(), 5);
        frm->doCommand();
        frm->doCommand();
        QCOMPARE(executionLine(), 7);
        QCOMPARE(frm->machine().s.reg[A], uint8_t{8});
        QVERIFY(asmFrm->findChild<QAction*>(QStringLiteral("Assemble_Item"))->isEnabled());

        // The memory view: labels as tooltips; operands only with the switch on.
        QCOMPARE(mnemonicText(0x0100, Qt::ToolTipRole), QStringLiteral("START:"));
        QCOMPARE(mnemonicText(0x0101), QStringLiteral("DCR B"));  // 05h read as an instruction
        frm->findChild<QAction*>(QStringLiteral("ShowOperands_Item"))->trigger();
        QCOMPARE(mnemonicText(0x0101), QStringLiteral("d8"));
        QCOMPARE(mnemonicText(0x0106), QStringLiteral("adr (мл.)"));
        QCOMPARE(mnemonicText(0x0107), QStringLiteral("adr (ст.)"));
        QCOMPARE(mnemonicText(0x0104), QStringLiteral("ADD B"));
    }

    void errorsWriteNothingAndLeadToTheirPlace() {
        asmFrm->editor()->setPlainText(QStringLiteral("        ORG 200H\n        MVI A,1\n        MOV A,Q\n        JMP NOWHERE\n"));
        const auto before = frm->machine().s.memory;
        const uint16_t pc = frm->machine().s.pc;
        QVERIFY(!asmFrm->assembleSource());
        QVERIFY(frm->machine().s.memory == before);
        QCOMPARE(frm->machine().s.pc, pc);
        QListWidget* list = asmFrm->errorList();
        QCOMPARE(list->count(), 2);  // every error, not just the first

        QListWidgetItem* second = list->item(1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(second).center());
        const QTextCursor cursor = asmFrm->editor()->textCursor();
        QCOMPARE(cursor.blockNumber() + 1, 4);
        QVERIFY(cursor.positionInBlock() >= 8);  // at the operand, not the line start
    }

    void unsavedTextIsKeptUnlessTheUserAgrees() {
        asmFrm->editor()->setPlainText(QStringLiteral("        NOP\n"));
        asmFrm->editor()->document()->setModified(true);
        messages->answerYes = false;
        asmFrm->newSource();
        QCOMPARE(messages->count(MessageId::AsmUnsavedChanges), 1);
        QCOMPARE(asmFrm->editor()->toPlainText(), QStringLiteral("        NOP\n"));
        QVERIFY(!asmFrm->disassembleRange(0, 0x10));
        QCOMPARE(asmFrm->editor()->toPlainText(), QStringLiteral("        NOP\n"));
        messages->answerYes = true;
        asmFrm->newSource();
        QVERIFY(asmFrm->editor()->toPlainText().isEmpty());
    }

    void disassemblyReadsBackToTheSameBytes() {
        const uint8_t code[] = {0x21, 0x00, 0x30, 0x7E, 0x23, 0xC2, 0x03, 0x10, 0x08, 0x76};
        for (int i = 0; i < 10; ++i) frm->machine().writeMemory(static_cast<uint16_t>(0x1000 + i), code[i]);
        QVERIFY(asmFrm->disassembleRange(0x1000, 0x1009));
        for (int i = 0; i < 10; ++i) frm->machine().writeMemory(static_cast<uint16_t>(0x1000 + i), 0);
        QVERIFY(asmFrm->assembleSource());
        for (int i = 0; i < 10; ++i) QCOMPARE(frm->machine().s.memory[0x1000 + i], code[i]);
    }

    void encodingsAreDetected_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("codec");
        QTest::addColumn<QString>("text");
        const QString russian = QStringLiteral("\tMVI A,'Ж' ; загрузка счётчика\r\n; Вывод на экран\r\n");
        QTest::newRow("utf-8") << russian.toUtf8() << int(SourceCodec::Utf8) << russian;
        QTest::newRow("utf-8 with a mark") << QByteArray("\xEF\xBB\xBF") + russian.toUtf8() << int(SourceCodec::Utf8)
                                           << russian;
        QTest::newRow("ascii") << QByteArray("\tNOP\r\n") << int(SourceCodec::Utf8) << QStringLiteral("\tNOP\r\n");
        QTest::newRow("1251") << toCp1251(russian) << int(SourceCodec::Cp1251) << russian;
        QTest::newRow("866, control codes kept") << toCp866(russian) << int(SourceCodec::Cp866) << russian;
        const QString capitals = QStringLiteral("; ПРОГРАММА СЛОЖЕНИЯ\n");
        QTest::newRow("866 capitals") << toCp866(capitals) << int(SourceCodec::Cp866) << capitals;
        QTest::newRow("1251 capitals") << toCp1251(capitals) << int(SourceCodec::Cp1251) << capitals;
    }
    void encodingsAreDetected() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, codec);
        QFETCH(QString, text);
        const DecodedSource source = decodeSource(bytes);
        QCOMPARE(int(source.codec), codec);
        QCOMPARE(source.text, text);
    }
};

QTEST_MAIN(AsmWindowTest)
#include "asm_window_test.moc"
