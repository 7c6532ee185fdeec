// The main window driven through its named controls, as a user would.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "CommandTable.h"
#include "Commhelpform.h"
#include "Exportform.h"
#include "Mainform.h"
#include "MemoryModel.h"
#include "MemoryView.h"
#include "SchemeWidget.h"
#include "UpDown.h"
#include "Notation.h"
#include "Aboutform.h"
#include "Floppyform.h"
#include "Helpform.h"
#include "Netform.h"
#include "Netsettform.h"
#include "Monform.h"
#include "Printform.h"
#include "Prnsetupform.h"
#include "MonitorDevice.h"
#include "scripted_messages.h"
#include "settings_file_keeper.h"
#include "Settings.h"

using namespace orlan;
using orlan::test::ScriptedMessages;
using orlan::test::SettingsFileKeeper;

namespace {

struct RecordingUrls : UrlOpener {
    QList<QUrl> opened;
    bool open(const QUrl& url) override {
        opened << url;
        return true;
    }
};

const QColor kRed(255, 0, 0), kGreen(0, 128, 0);


}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    ScriptedMessages* messages = nullptr;
    RecordingUrls* urls = nullptr;
    TMainFrm* frm = nullptr;

    template <typename T>
    T* child(const char* name) {
        T* w = frm->findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QAction* item(const char* name) { return child<QAction>(name); }
    QLabel* label(const char* name) { return child<QLabel>(name); }
    QString text(const char* name) { return label(name)->text(); }
    QColor colour(const char* name) { return label(name)->palette().color(QPalette::WindowText); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QToolButton* button(const char* name) { return child<QToolButton>(name); }
    MemoryView* memGrid() { return child<MemoryView>("MemGrid"); }
    QVariant cell(int row, int column, int role = Qt::DisplayRole) {
        return memGrid()->model()->index(row, column).data(role);
    }
    void poke(uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes) frm->machine().writeMemory(address++, b);
        frm->refreshView();
    }
    // Typing into a field as a user does, one key at a time.
    void type(QWidget* w, const QString& keys) {
        w->setFocus();
        for (QChar c : keys) QTest::keyClick(w, c.toLatin1());
    }
    bool editingControlsEnabled() {
        for (const char* name : {"MemGrid", "RAM_Num_ED", "RAM_UpDn", "REG_Nam_ED", "REG_UpDn", "REG_Val_ED",
                                 "ResetRAM_BTN", "ResetRegs_BTN"})
            if (!frm->findChild<QWidget*>(QLatin1String(name))->isEnabled()) return false;
        return child<QMenu>("File_Menu")->menuAction()->isEnabled() && item("ResetRAM_Item")->isEnabled() &&
               item("ResetRegs_Item")->isEnabled();
    }
    bool editingControlsDisabled() {
        for (const char* name : {"MemGrid", "RAM_Num_ED", "RAM_UpDn", "RAM_Val_ED", "RAM_Enter_BTN", "REG_Nam_ED",
                                 "REG_UpDn", "REG_Val_ED", "REG_Enter_BTN", "ResetRAM_BTN", "ResetRegs_BTN"})
            if (frm->findChild<QWidget*>(QLatin1String(name))->isEnabled()) return false;
        return !child<QMenu>("File_Menu")->menuAction()->isEnabled() && !item("ResetRAM_Item")->isEnabled() &&
               !item("ResetRegs_Item")->isEnabled();
    }

private slots:
    void init() {
        messages = new ScriptedMessages;
        urls = new RecordingUrls;
        frm = new TMainFrm(*messages, urls);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
    }
    void cleanup() {
        delete frm;
        delete messages;
        delete urls;
    }

    void frameHasTheCaptionAndEveryMenu() {
        QCOMPARE(frm->windowTitle(), QStringLiteral("Эмулятор МП-системы на базе МП ОРЛАН-М"));
        QCOMPARE(frm->centralWidget()->size(), QSize(667, 463));
        QStringList menus;
        for (QAction* a : frm->menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"Файл", "МП-система", "Вид", "Настройки", "Помощь"}));
        QCOMPARE(item("DoTime_Item")->shortcut(), QKeySequence(Qt::Key_F8));
        QCOMPARE(item("DoCommand_Item")->shortcut(), QKeySequence(Qt::Key_F7));
        QCOMPARE(item("DoProgram_Item")->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(item("ClearHLDA_Item")->shortcut(), QKeySequence(Qt::Key_F12));
        QCOMPARE(item("ResetRAM_Item")->shortcut(), QKeySequence(Qt::Key_F10));
        QCOMPARE(item("ResetRegs_Item")->shortcut(), QKeySequence(Qt::Key_F11));
        QCOMPARE(item("ToggleCommands_Item")->shortcut(), QKeySequence(Qt::Key_Space));
        QVERIFY(!item("ClearHLDA_Item")->isEnabled());
        QCOMPARE(item("ShowMonitor_Item")->text(), QStringLiteral("Отобразить \"монитор\"..."));
        QVERIFY(item("ShowMonitor_Item")->isEnabled());
        QCOMPARE(item("ShowMonitor_Item")->shortcut(), QKeySequence("Ctrl+Alt+M"));
        QCOMPARE(item("ShowFloppy_Item")->shortcut(), QKeySequence("Ctrl+Alt+F"));
        QCOMPARE(item("ShowHDisc_Item")->shortcut(), QKeySequence("Ctrl+Alt+H"));
        QVERIFY(item("VZUSetup_Item")->isEnabled());
        QVERIFY(item("NetSetup_Item")->isEnabled());
        QCOMPARE(item("ShowNet_Item")->shortcut(), QKeySequence("Ctrl+Alt+N"));
        QWidget* net = frm->findChild<QWidget*>(QLatin1String("NetFrm"));
        QVERIFY(net && item("ShowNet_Item")->isEnabled());
        QTest::mouseClick(button("PF_LANCard"), Qt::LeftButton);
        QVERIFY(net->isVisible());
        net->hide();
        for (const char* name : {"FloppyFrm", "HDiscFrm"}) {
            QWidget* device = frm->findChild<QWidget*>(QLatin1String(name));
            QVERIFY(device);
            QTest::mouseClick(button(name[0] == 'F' ? "PF_Diskette" : "PF_HardDisk"), Qt::LeftButton);
            QVERIFY(device->isVisible());
            device->hide();
        }
        QTest::mouseClick(button("PF_Monitor"), Qt::LeftButton);
        QVERIFY(frm->monFrm()->isVisible());
        frm->monFrm()->hide();
        QCOMPARE(button("DoTime_BTN")->toolTip(), QStringLiteral("Выполнить такт"));
        QCOMPARE(button("DoCommand_BTN")->toolTip(), QStringLiteral("Выполнить команду"));
        QCOMPARE(button("DoProgram_BTN")->toolTip(), QStringLiteral("Выполнить программу"));
        QCOMPARE(frm->findChild<QWidget*>("SchemeImg")->geometry(), QRect(8, 8, 463, 397));
    }

    void startsWithRowZeroSelected() {
        QCOMPARE(memGrid()->currentIndex().row(), 0);
        QVERIFY(memGrid()->selectionModel()->isRowSelected(0, {}));
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0000"));
    }

    void firstTactAfterStartUp() {
        QTest::mouseClick(button("DoTime_BTN"), Qt::LeftButton);
        QCOMPARE(text("Addr_Buf"), QStringLiteral("0000"));
        QCOMPARE(colour("Addr_Buf"), kRed);
        QCOMPARE(colour("PC_Val"), kRed);
        QCOMPARE(colour("Data_Buf"), kGreen);
        QCOMPARE(colour("SP_Val"), kGreen);
        QCOMPARE(text("Time_Num"), QStringLiteral("1"));
        QCOMPARE(text("Cycle_Num"), QStringLiteral("1"));
        QCOMPARE(text("SP_Val"), QStringLiteral("FFFF"));
        QCOMPARE(text("Flags_Reg"), QStringLiteral("00000010"));
        auto* scheme = child<SchemeWidget>("SchemeImg");
        for (Lamp l : {Lamp::F2, Lamp::SYNC, Lamp::READY, Lamp::INTE, Lamp::WR})
            QCOMPARE(scheme->lampColorAt(l), kRed);
        for (Lamp l : {Lamp::F1, Lamp::WAIT, Lamp::HOLD, Lamp::HLDA, Lamp::DBIN, Lamp::Z, Lamp::C})
            QCOMPARE(scheme->lampColorAt(l), QColor(128, 0, 0));
    }

    void nopToItsEnd() {
        for (int i = 0; i < 3; ++i) item("DoTime_Item")->trigger();
        QCOMPARE(text("Cmd_DC"), QStringLiteral("NOP"));
        QCOMPARE(colour("Cmd_DC"), kRed);
        QVERIFY(editingControlsDisabled());
        item("DoTime_Item")->trigger();
        QCOMPARE(text("Time_Num"), QStringLiteral("4"));
        QCOMPARE(text("PC_Val"), QStringLiteral("0001"));
        QCOMPARE(text("INC_DEC_Syst"), QStringLiteral("+1"));
        QCOMPARE(colour("Cmd_DC"), kGreen);
        QVERIFY(editingControlsEnabled());
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0001"));
        QCOMPARE(memGrid()->currentIndex().row(), 1);
    }

    // Back by instructions from the halt to the start: the scheme follows, an undone OUT is said,
    // and the items are off when nothing is left to undo or a reset started a new history.
    void stepBackItems() {
        QCOMPARE(item("BackTime_Item")->shortcut(), QKeySequence("Shift+F8"));
        QCOMPARE(item("BackCommand_Item")->shortcut(), QKeySequence("Shift+F7"));
        poke(0, {0x3E, 0x41, 0xD3, 0x00, 0x76});
        const MachineState start = frm->machine().s;
        QVERIFY(!item("BackCommand_Item")->isEnabled());
        QTest::mouseClick(button("DoProgram_BTN"), Qt::LeftButton);
        QVERIFY(item("BackCommand_Item")->isEnabled());
        auto* said = child<QLabel>("StepBack_TXT");
        item("BackCommand_Item")->trigger();  // HLT
        QVERIFY(!said->isVisible());
        QCOMPARE(text("PC_Val"), QStringLiteral("0004"));
        item("BackCommand_Item")->trigger();  // OUT 00
        QVERIFY(said->isVisible());
        QCOMPARE(text("PC_Val"), QStringLiteral("0002"));
        item("BackTime_Item")->trigger();  // the last tact of MVI
        QVERIFY(!said->isVisible());
        item("BackCommand_Item")->trigger();
        QCOMPARE(text("RegA_Val"), QStringLiteral("00"));
        QVERIFY(frm->machine().s == start);
        QVERIFY(!item("BackTime_Item")->isEnabled());
        item("DoCommand_Item")->trigger();
        QVERIFY(item("BackTime_Item")->isEnabled());
        item("ResetRegs_Item")->trigger();
        QVERIFY(!item("BackTime_Item")->isEnabled());
    }

    void demoProgramRunsToTheHalt() {
        poke(0, {0x3E, 0x41, 0xD3, 0x00, 0x76});
        QTest::mouseClick(button("DoProgram_BTN"), Qt::LeftButton);
        QCOMPARE(messages->count(MessageId::HaltStop), 1);
        QCOMPARE(text("RegA_Val"), QStringLiteral("41"));
        QCOMPARE(text("PC_Val"), QStringLiteral("0005"));
        // OUT 00h handed 41h to the monitor as a command byte: it waits for a character code.
        MonitorDevice& monitor = frm->monFrm()->device();
        QCOMPARE(monitor.buffer().text(), QStringLiteral("0000  41"));
        QCOMPARE(monitor.phase(), 1);
        QCOMPARE(monitor.colour(), 0x41);
        QVERIFY(item("ClearHLDA_Item")->isEnabled());
        QCOMPARE(button("DoProgram_BTN")->toolTip(), QStringLiteral("Выполнить программу"));
        QVERIFY(!button("DoProgram_BTN")->isChecked());
        // The HLT cell is red with white text.
        QCOMPARE(cell(4, 1, Qt::BackgroundRole).value<QColor>(), kRed);
        QCOMPARE(cell(4, 1, Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
        QTest::keyClick(frm, Qt::Key_F12);
        QVERIFY(!item("ClearHLDA_Item")->isEnabled());
        QVERIFY(cell(4, 1, Qt::BackgroundRole).value<QColor>() != kRed);
        QVERIFY(!frm->machine().lamp(Lamp::HLDA));
    }

    void undefinedOpcodeEndsARun() {
        poke(0x0200, {0xED});
        frm->machine().movePC(0x0200);
        frm->refreshView();
        item("DoProgram_Item")->trigger();
        QCOMPARE(messages->count(MessageId::UndefinedOpcode), 1);
        QVERIFY(QString::fromStdString(messages->shown.back().text).contains("0200h"));
        QVERIFY(!frm->cpu().running());
        QCOMPARE(button("DoProgram_BTN")->toolTip(), QStringLiteral("Выполнить программу"));
        QCOMPARE(item("DoProgram_Item")->text(), QStringLiteral("Выполнить программу"));
        QVERIFY(editingControlsEnabled());
        QCOMPARE(text("PC_Val"), QStringLiteral("0200"));
    }

    void stopDuringARun() {
        // All memory is NOP: the program runs until it is stopped.
        bool sawRunning = false, sawLocked = false;
        QString hintWhileRunning;
        QTimer::singleShot(100, frm, [&] {
            sawRunning = frm->cpu().running();
            sawLocked = editingControlsDisabled();
            hintWhileRunning = button("DoProgram_BTN")->toolTip();
            QVERIFY(button("DoProgram_BTN")->isChecked());
            QTest::mouseClick(button("DoProgram_BTN"), Qt::LeftButton);
        });
        QTest::mouseClick(button("DoProgram_BTN"), Qt::LeftButton);
        QVERIFY(sawRunning);
        QVERIFY(sawLocked);
        QCOMPARE(hintWhileRunning, QStringLiteral("Остановить выполнение программы"));
        QVERIFY(!frm->cpu().running());
        QVERIFY(!frm->cpu().instructionInProgress());
        QVERIFY(frm->cpu().tactCount() > 1000);
        QCOMPARE(button("DoProgram_BTN")->toolTip(), QStringLiteral("Выполнить программу"));
        QVERIFY(!button("DoProgram_BTN")->isChecked());
        QVERIFY(editingControlsEnabled());
        QVERIFY(messages->shown.empty());
        // The view caught up with where the run stopped.
        QCOMPARE(edit("RAM_Num_ED")->text(), QString::fromStdString(formatWord(frm->machine().s.pc)));
    }

    void deviceFailureStopsTheRun() {
        QTemporaryDir dir;
        const QString notAFolder = dir.filePath("file");
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        SettingsFileKeeper keeper;
        QVERIFY(Settings().write("VZU", "Floppy", notAFolder));
        // A run that went on regardless would raise box after box: end it after a few.
        messages->whileShown = [&](const MessageBox&) {
            if (messages->shown.size() > 5 && frm->cpu().running()) frm->cpu().toggleRun();
        };
        poke(0, {0x3E, 0x41, 0xD3, 0x01, 0xC3, 0x02, 0x00});  // MVI A, 41h; OUT 01h; JMP 0002h
        const std::string plain = makeMessage(MessageId::FloppyWriteFailure).text;

        item("DoCommand_Item")->trigger();
        item("DoCommand_Item")->trigger();  // the OUT, outside a run: the box as always
        QCOMPARE(messages->count(MessageId::FloppyWriteFailure), 1);
        QCOMPARE(messages->shown.back().text, plain);
        // In a run: one box, the OUT completes, the run stops after it, and F6 carries on.
        for (int run = 1; run <= 2; ++run) {
            QTest::keyClick(frm, Qt::Key_F6);
            QCOMPARE(messages->count(MessageId::FloppyWriteFailure), 1 + run);
            QCOMPARE(messages->shown.back().text, plain + "\nВыполнение программы остановлено.");
            QVERIFY(!frm->cpu().running());
            QVERIFY(!frm->cpu().instructionInProgress());
            QCOMPARE(frm->machine().s.pc, uint16_t{0x0004});
            QCOMPARE(text("PC_Val"), QStringLiteral("0004"));
            QCOMPARE(frm->machine().s.reg[A], uint8_t{0x41});
            QVERIFY(editingControlsEnabled());
            QCOMPARE(button("DoProgram_BTN")->toolTip(), QStringLiteral("Выполнить программу"));
        }
    }

    void haltQuestionAnswers() {
        poke(0, {0x76});
        item("DoCommand_Item")->trigger();
        QVERIFY(messages->shown.empty());  // no message outside a run
        messages->answerYes = false;
        item("DoTime_Item")->trigger();
        QCOMPARE(messages->count(MessageId::HaltQuestion), 1);
        QVERIFY(frm->machine().lamp(Lamp::HLDA));
        messages->answerYes = true;
        item("DoTime_Item")->trigger();
        QVERIFY(!frm->machine().lamp(Lamp::HLDA));
        QVERIFY(!item("ClearHLDA_Item")->isEnabled());
    }

    void addressFieldFiltersAndFollows() {
        QLineEdit* num = edit("RAM_Num_ED");
        num->clear();
        type(num, "12G4");
        QCOMPARE(num->text(), QStringLiteral("124"));
        QVERIFY(!edit("RAM_Val_ED")->isEnabled());
        QVERIFY(!button("RAM_Enter_BTN")->isEnabled());
        type(num, "5");
        QCOMPARE(num->text(), QStringLiteral("1245"));
        QVERIFY(edit("RAM_Val_ED")->isEnabled());
        QCOMPARE(frm->machine().s.pc, uint16_t{0x1245});
        QCOMPARE(memGrid()->currentIndex().row(), 0x1245);
        QCOMPARE(text("PC_Val"), QStringLiteral("1245"));
        QCOMPARE(colour("PC_Val"), kGreen);  // selecting keeps PC's highlight
    }

    void valueFieldEntersAProgramByteByByte() {
        QLineEdit* val = edit("RAM_Val_ED");
        val->setFocus();
        val->selectAll();
        type(val, "3E");
        QTest::keyClick(val, Qt::Key_Return);
        type(val, "05");
        QTest::keyClick(val, Qt::Key_Return);
        QCOMPARE(frm->machine().s.memory[0], uint8_t{0x3E});
        QCOMPARE(frm->machine().s.memory[1], uint8_t{0x05});
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0002});
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0002"));
        QCOMPARE(memGrid()->currentIndex().row(), 2);
        QCOMPARE(cell(0, 2).toString(), QStringLiteral("MVI A, d8"));
        // A letter outside hex is removed as it is typed; one digit keeps the button disabled.
        val->selectAll();
        type(val, "G");
        QCOMPARE(val->text(), QString());
        type(val, "7");
        QVERIFY(!button("RAM_Enter_BTN")->isEnabled());
        // Arrow keys: down at 0000 stays at 0000.
        frm->machine().movePC(0);
        frm->refreshView();
        QTest::keyClick(val, Qt::Key_Down);
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0000"));
        QTest::keyClick(val, Qt::Key_Up);
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0001"));
        QCOMPARE(val->text(), QStringLiteral("05"));
        QCOMPARE(val->selectedText(), QStringLiteral("05"));
    }

    void droppingAnInstructionWritesOneCell() {
        frm->machine().writeMemory(0x0101, 0x11);
        frm->machine().writeMemory(0x0102, 0x22);
        auto* table = child<CommandTable>("CommGrid");
        QCOMPARE(table->cellText(0xC + 1, 3 + 1), QStringLiteral("JMP adr"));
        // The cell of row C, column 3 dragged over the memory view and dropped on row 0100.
        MemoryView* view = memGrid();
        view->scrollToFirstVisible(0x00F8);
        const QPoint at = view->visualRect(view->model()->index(0x0100, 1)).center();
        std::unique_ptr<QMimeData> mime(CommandTable::mimeDataFor(0xC3));
        QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0100"));  // hovering selects the row
        QDropEvent drop(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QCOMPARE(frm->machine().s.memory[0x0100], uint8_t{0xC3});
        QCOMPARE(frm->machine().s.memory[0x0101], uint8_t{0x11});
        QCOMPARE(frm->machine().s.memory[0x0102], uint8_t{0x22});
        QCOMPARE(cell(0x0100, 2).toString(), QStringLiteral("JMP adr"));
        QCOMPARE(edit("RAM_Val_ED")->text(), QStringLiteral("C3"));
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0100});  // the selection does not advance
    }

    void stackColours() {
        frm->machine().setSP(0xFFFE);
        frm->refreshView();
        QCOMPARE(cell(0xFFFE, 0, Qt::BackgroundRole).value<QColor>(), QColor(128, 0, 0));
        QCOMPARE(cell(0xFFFE, 0, Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 128));
        QCOMPARE(cell(0xFFFF, 2, Qt::BackgroundRole).value<QColor>(), QColor(128, 128, 0));
        QCOMPARE(cell(0xFFFF, 2, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 128));
        QVERIFY(!cell(0xFFFD, 0, Qt::BackgroundRole).isValid());
        frm->machine().setSP(0x2000);
        frm->refreshView();
        QCOMPARE(cell(0xFFFE, 0, Qt::BackgroundRole).value<QColor>(), QColor(128, 128, 0));
        QCOMPARE(cell(0x2000, 1, Qt::BackgroundRole).value<QColor>(), QColor(128, 0, 0));
        item("ShowStack_Item")->trigger();
        QCOMPARE(memGrid()->firstVisibleAddress(), 0x1FFA);
    }

    void rightClicksReadTheirRecords() {
        auto* table = child<CommandTable>("CommGrid");
        frm->toggleCommandTable();
        QTest::mouseClick(table, Qt::RightButton, {}, table->cellRect(1, 1).center());
        auto* popup = frm->helpPopup();
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->findChild<QLabel*>("CommName")->text(), QStringLiteral("00h  NOP"));
        popup->hide();
        QTest::mouseClick(table, Qt::RightButton, {}, table->cellRect(16, 16).center());
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->findChild<QLabel*>("CommName")->text(), QStringLiteral("FFh  RST 7"));
        QVERIFY(messages->shown.empty());
        // A click on the main window closes it.
        QTest::mouseClick(frm->findChild<QWidget*>("SchemeImg"), Qt::LeftButton);
        QTRY_VERIFY(!popup->isVisible());
    }

    void missingHelpFileIsReported() {
        auto* table = child<CommandTable>("CommGrid");
        frm->toggleCommandTable();
        frm->helpPopup()->setHelpFile(QStringLiteral("/nonexistent/CommHlp.vhp"));
        QTest::mouseClick(table, Qt::RightButton, {}, table->cellRect(4, 15).center());
        QCOMPARE(messages->count(MessageId::HelpFileMissing), 1);
        QVERIFY(QString::fromStdString(messages->shown.back().text).contains("/nonexistent/CommHlp.vhp"));
        QVERIFY(!frm->helpPopup()->isVisible());
    }

    void registerPanelRules() {
        QLineEdit* name = edit("REG_Nam_ED");
        QLineEdit* value = edit("REG_Val_ED");
        frm->machine().setSP(0x1234);
        frm->refreshView();
        name->setFocus();
        QTest::keyClick(name, 's');
        QCOMPARE(name->text(), QStringLiteral("SP"));
        QCOMPARE(value->maxLength(), 4);
        QCOMPARE(value->text(), QStringLiteral("1234"));
        QVERIFY(value->hasFocus());
        // A digit empties both fields.
        name->setFocus();
        QTest::keyClick(name, '5');
        QCOMPARE(name->text(), QString());
        QCOMPARE(value->text(), QString());
        QVERIFY(!button("REG_Enter_BTN")->isEnabled());
        // Pasting HL leaves H.
        frm->machine().s.reg[H] = 0x9A;
        name->setText("HL");
        QCOMPARE(name->text(), QStringLiteral("H"));
        QCOMPARE(value->text(), QStringLiteral("9A"));
        // Stepping wraps PC <-> A; a label click does not move the cycle.
        auto* upDn = child<UpDown>("REG_UpDn");
        for (int i = 0; i < 3; ++i) upDn->stepUp();  // A -> D
        QCOMPARE(name->text(), QStringLiteral("D"));
        QTest::mouseClick(label("SP_Val"), Qt::LeftButton);
        QCOMPARE(name->text(), QStringLiteral("SP"));
        upDn->stepUp();
        QCOMPARE(name->text(), QStringLiteral("E"));
        QCOMPARE(value->maxLength(), 2);
        for (int i = 0; i < 6; ++i) upDn->stepUp();  // E -> PC
        QCOMPARE(name->text(), QStringLiteral("PC"));
        upDn->stepUp();
        QCOMPARE(name->text(), QStringLiteral("A"));
        upDn->stepDown();
        QCOMPARE(name->text(), QStringLiteral("PC"));
        // PC 0123 moves the memory selection, keeps PC's highlight.
        value->selectAll();
        type(value, "0123");
        QTest::mouseClick(button("REG_Enter_BTN"), Qt::LeftButton);
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0123});
        QCOMPARE(memGrid()->currentIndex().row(), 0x0123);
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0123"));
        // 1 then G leaves 1; Enter writes the short value.
        upDn->stepUp();  // A
        value->selectAll();
        type(value, "1G");
        QCOMPARE(value->text(), QStringLiteral("1"));
        QVERIFY(!button("REG_Enter_BTN")->isEnabled());
        QTest::keyClick(value, Qt::Key_Return);
        QCOMPARE(frm->machine().s.reg[A], uint8_t{0x01});
        QCOMPARE(text("RegA_Val"), QStringLiteral("01"));
    }

    void editorsNeverShowStaleValues() {
        // The register panel shows A; a program changes A: the field follows, so Enter cannot
        // write the old value back.
        poke(0, {0x3E, 0x77});
        QCOMPARE(edit("REG_Val_ED")->text(), QStringLiteral("00"));
        item("DoCommand_Item")->trigger();
        QCOMPARE(edit("REG_Val_ED")->text(), QStringLiteral("77"));
        // A value being typed survives a tact that leaves the register alone.
        edit("REG_Val_ED")->setText(QStringLiteral("4"));
        item("DoTime_Item")->trigger();
        QCOMPARE(edit("REG_Val_ED")->text(), QStringLiteral("4"));
        // A cell written at the selected address shows in the value field.
        frm->machine().movePC(0x0040);
        frm->refreshView();
        frm->machine().writeMemory(0x0040, 0xAB);
        frm->refreshView();
        QCOMPARE(edit("RAM_Val_ED")->text(), QStringLiteral("AB"));
    }

    void resetsLeaveWhatTheyShould() {
        poke(0x0010, {0x76});
        frm->machine().movePC(0x0010);
        frm->refreshView();
        item("DoCommand_Item")->trigger();  // HLT: halted
        frm->machine().s.reg[B] = 0x42;
        item("ResetRAM_Item")->trigger();
        QCOMPARE(frm->machine().s.memory[0x0010], uint8_t{0});
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0011});  // PC and the selection stay
        QCOMPARE(edit("RAM_Val_ED")->text(), QStringLiteral("00"));
        QVERIFY(!child<QWidget>("Progress")->isVisible());
        QVERIFY(editingControlsEnabled());
        item("ResetRegs_Item")->trigger();
        QCOMPARE(frm->machine().s.reg[B], uint8_t{0});
        QCOMPARE(frm->machine().s.pc, uint16_t{0});
        QCOMPARE(edit("RAM_Num_ED")->text(), QStringLiteral("0000"));
        QVERIFY(!frm->machine().lamp(Lamp::HLDA));
        QVERIFY(!item("ClearHLDA_Item")->isEnabled());
        QCOMPARE(edit("REG_Nam_ED")->text(), QStringLiteral("A"));
    }

    void helpOpensTheManualInItsOwnWindow() {
        THelpFrm* help = frm->helpFrm();
        QTest::keyClick(frm, Qt::Key_F1);
        QVERIFY(help->isVisible());
        QTextBrowser* browser = help->browser();
        QVERIFY(browser->source().toLocalFile().endsWith("/Help/ORLAN_Help.html"));
        QVERIFY(urls->opened.isEmpty());
        // Every picture of the manual is found.
        int pictures = 0;
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
                if (!image.isValid()) continue;
                ++pictures;
                const QByteArray bytes =
                    browser->loadResource(QTextDocument::ImageResource, QUrl(image.name())).toByteArray();
                QVERIFY2(!QImage::fromData(bytes).isNull(), qPrintable(image.name()));
            }
        }
        QVERIFY(pictures >= 5);
        // A link inside the manual moves within it and back; one leading out goes to the desktop.
        emit browser->anchorClicked(QUrl("#keys"));
        QCOMPARE(browser->source().fragment(), QStringLiteral("keys"));
        QTest::mouseClick(help->findChild<QToolButton*>("Back_BTN"), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), QString());
        emit browser->anchorClicked(QUrl("https://orlan.example.org/"));
        QCOMPARE(urls->opened, QList<QUrl>{QUrl("https://orlan.example.org/")});
        // Without the manual the desktop is asked as before; the program says nothing.
        help->hide();
        help->setManualFile(QStringLiteral("/nonexistent/ORLAN_Help.html"));
        item("Help_Item")->trigger();
        QVERIFY(!help->isVisible());
        QCOMPARE(urls->opened.last(), QUrl::fromLocalFile("/nonexistent/ORLAN_Help.html"));
        QVERIFY(messages->shown.empty());
    }

    void typingInTheMemoryListNeverMovesPc() {
        QLineEdit* value = edit("RAM_Val_ED");
        memGrid()->setFocus();
        QTest::keyClick(memGrid(), '1');  // a row search would jump to 1000
        QTest::keyClick(memGrid(), 'g');
        QCOMPARE(frm->machine().s.pc, uint16_t{0});
        QCOMPARE(memGrid()->currentIndex().row(), 0);
        QVERIFY(value->hasFocus());
        QCOMPARE(value->text(), QStringLiteral("1"));
        QTest::keyClick(value, 'e');
        QTest::keyClick(value, Qt::Key_Return);
        QCOMPARE(frm->machine().s.memory[0], uint8_t{0x1E});
        QCOMPARE(frm->machine().s.pc, uint16_t{1});
    }

    void deviceWindowsOpenBesideAndReportOverTheRightWindow() {
        TFloppyFrm* floppy = frm->floppyFrm();
        const QRect screen = frm->screen()->availableGeometry();
        item("ShowFloppy_Item")->trigger();
        QVERIFY(screen.contains(floppy->frameGeometry()));
        QVERIFY(floppy->frameGeometry().topLeft() != frm->frameGeometry().topLeft());
        // The first showing only: afterwards the window opens where the user left it.
        floppy->move(screen.topLeft() + QPoint(5, 5));
        floppy->hide();
        item("ShowFloppy_Item")->trigger();
        QCOMPARE(floppy->pos(), screen.topLeft() + QPoint(5, 5));
        // A device failure goes over the device's window while it is shown, else over this one.
        emit floppy->device().failed(MessageId::FloppyWriteFailure);
        floppy->hide();
        emit floppy->device().failed(MessageId::FloppyWriteFailure);
        QCOMPARE(messages->parents, (std::vector<QWidget*>{floppy, frm}));
        // A port that is no number is reported over the settings dialog (an adapter of its own:
        // the settings file beside the program stays untouched).
        QTemporaryDir dir;
        TNetFrm net(*messages, frm, Settings(dir.filePath("ORLAN.ini")));
        TNetSettFrm settings(net.device(), *messages, frm, /*startNow=*/false);
        MessageId portBox{};
        QWidget* portBoxParent = nullptr;
        QTimer::singleShot(0, &settings, [&] {
            settings.findChild<QLineEdit*>("Adress")->setText("127.000.000.001");
            settings.findChild<QLineEdit*>("Port")->setText("abc");
            QTest::mouseClick(settings.findChild<QPushButton*>("OK_BTN"), Qt::LeftButton);
            // Taken before the dialog closes: the reload after it may report a port another
            // program already listens on.
            portBox = messages->shown.back().id;
            portBoxParent = messages->parents.back();
            settings.reject();
        });
        settings.exec();
        QCOMPARE(portBox, MessageId::NetPortNotNumber);
        QCOMPARE(portBoxParent, static_cast<QWidget*>(&settings));
    }

    void helpAndAboutItems() {
        bool aboutShown = false;
        QTimer::singleShot(0, frm, [&] {
            aboutShown = frm->aboutBox()->isVisible();
            frm->aboutBox()->accept();
        });
        item("About_Item")->trigger();
        QVERIFY(aboutShown);
    }

    // "Настройки принтера..." and the print dialog's button open the one set-up of both printers.
    void printerSetupIsOneForMenuAndPrintDialog() {
        QWidget* shown[2] = {};
        for (QWidget*& dialog : shown) {
            QTimer::singleShot(0, frm, [&] {
                dialog = QApplication::activeModalWidget();
                if (dialog) dialog->close();
            });
            if (&dialog == &shown[0])
                item("PrinterSetup_Item")->trigger();
            else
                frm->printFrm()->findChild<QPushButton*>("Setup_BTN")->click();
        }
        QVERIFY(qobject_cast<TPrnSetupFrm*>(shown[0]));
        QCOMPARE(shown[1], shown[0]);
    }

    void exportItemShowsTheExportDialog() {
        QVERIFY(item("Export_Item")->isEnabled());
        QWidget* shown = nullptr;
        QTimer::singleShot(0, frm, [&] {
            shown = QApplication::activeModalWidget();
            if (shown) static_cast<QDialog*>(shown)->reject();
        });
        item("Export_Item")->trigger();
        QVERIFY(shown);
        QCOMPARE(shown, static_cast<QWidget*>(frm->exportFrm()));
        QCOMPARE(shown->windowTitle(), QStringLiteral("ОРЛАН - Экспорт данных"));
    }

    void memoryModelIsSound() {
        QAbstractItemModelTester tester(memGrid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        poke(0x0000, {0xC5, 0xC1});  // PUSH B, POP B
        frm->cpu().executeInstruction();
        frm->cpu().executeInstruction();
        frm->refreshView();
        QCOMPARE(memGrid()->model()->rowCount(), 65536);
    }
};

QTEST_MAIN(MainFormTest)
#include "mainform_test.moc"
