// Breakpoints, run to the cursor, following PC and the run speed in the main window.
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "Mainform.h"
#include "MemoryModel.h"
#include "MemoryView.h"
#include "SpeedControl.h"
#include "Timingform.h"
#include "scripted_messages.h"
#include "settings_file_keeper.h"
#include "Settings.h"

using namespace orlan;
using orlan::test::ScriptedMessages;
using orlan::test::SettingsFileKeeper;

class DebugWindowTest : public QObject {
    Q_OBJECT

    ScriptedMessages* messages = nullptr;
    TMainFrm* frm = nullptr;
    SettingsFileKeeper* keeper = nullptr;

    QAction* item(const char* name) { return frm->findChild<QAction*>(QLatin1String(name)); }
    QLabel* status() { return frm->findChild<QLabel*>(QStringLiteral("Run_Status_TXT")); }
    MemoryView* memGrid() { return frm->findChild<MemoryView*>(QStringLiteral("MemGrid")); }
    bool marked(int row) { return frm->memoryModel()->index(row, 0).data(MemoryModel::BreakpointRole).toBool(); }
    // 0000 INR A; 0001 JMP 0000h
    void loop() {
        const uint8_t bytes[] = {0x3C, 0xC3, 0x00, 0x00};
        for (uint16_t a = 0; a < 4; ++a) frm->machine().writeMemory(a, bytes[a]);
        frm->refreshView();
    }

private slots:
    void init() {
        keeper = new SettingsFileKeeper;
        messages = new ScriptedMessages;
        frm = new TMainFrm(*messages);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
    }
    void cleanup() {
        delete frm;
        delete messages;
        delete keeper;
    }

    void timingDiagramFollowsStepsAndSavesSvgAndPng() {
        // MVI A,7Fh; OUT 00h
        const uint8_t bytes[] = {0x3E, 0x7F, 0xD3, 0x00};
        for (uint16_t a = 0; a < 4; ++a) frm->machine().writeMemory(a, bytes[a]);
        frm->refreshView();
        item("ShowTiming_Item")->trigger();
        TTimingFrm* timing = frm->timingFrm();
        QVERIFY(timing->isVisible());
        for (int i = 0; i < 10; ++i) item("DoTime_Item")->trigger();
        // Repaints are bounded in rate, so the last step may arrive a moment later.
        QTRY_COMPARE(timing->canvas()->samples().size(), size_t{11});
        QCOMPARE(timing->canvas()->samples().back(), timingSample(frm->machine().s));
        item("BackTime_Item")->trigger();
        QTRY_COMPARE(timing->canvas()->samples().size(), size_t{10});

        QTemporaryDir dir;
        const QString svgName = dir.filePath(QStringLiteral("t.svg")), pngName = dir.filePath(QStringLiteral("t.png"));
        QVERIFY(timing->saveTo(svgName));
        QVERIFY(timing->saveTo(pngName));
        QFile svg(svgName);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QStringList texts;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
                texts << xml.readElementText();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (const char* lamp : {"F2", "SYNC", "DBIN", "WR", "Z", "AC"}) QVERIFY(texts.contains(QLatin1String(lamp)));
        QCOMPARE(QImage(pngName).size(), timing->canvas()->size());
        // A folder that does not exist: one message, nothing reported as saved.
        QVERIFY(!timing->saveTo(dir.filePath(QStringLiteral("none/t.svg"))));
        QCOMPARE(messages->count(MessageId::CannotWriteFile), 1);
    }

    void breakpointStopsTheRunAndSaysWhere() {
        loop();
        frm->toggleBreakpoint(0x0001);
        QVERIFY(marked(0x0001));
        QVERIFY(!marked(0x0000));
        item("DoProgram_Item")->trigger();
        QVERIFY(!frm->cpu().running());
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0001});
        QCOMPARE(memGrid()->selectedAddress(), 0x0001);
        QVERIFY(status()->isVisible());
        QVERIFY(status()->text().contains(QStringLiteral("0001")));
        // F6 again runs on through the breakpoint and stops at it after one more loop.
        item("DoProgram_Item")->trigger();
        QCOMPARE(frm->machine().s.reg[A], uint8_t{2});
        // Removed by the click in the marker place, the run goes on until stopped.
        const QRect cell = memGrid()->visualRect(frm->memoryModel()->index(1, 0));
        QTest::mouseClick(memGrid()->viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 3, cell.center().y()));
        QVERIFY(!marked(0x0001));
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0001});  // the click did not choose the row
    }

    void runToCursorStopsOnceAndForgetsTheTarget() {
        loop();
        frm->runToCursor(0x0001);
        QCOMPARE(frm->machine().s.pc, uint16_t{0x0001});
        QVERIFY(status()->text().contains(QStringLiteral("0001")));
        QVERIFY(!frm->breakpoints().target().has_value());
    }

    void openingAStateFileKeepsBreakpoints() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.vst"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray image(65549, '\0');
        image[0] = '\x5A';
        f.write(image);
        f.close();
        frm->toggleBreakpoint(0x0010);
        frm->openFile(file);
        QTRY_COMPARE(frm->machine().s.memory[0], uint8_t{0x5A});
        QVERIFY(marked(0x0010));
        QVERIFY(frm->breakpoints().contains(0x0010));
    }

    void slowRunShowsTactsAndStopsAtOnce() {
        loop();
        item("Speed_1")->trigger();
        QCOMPARE(Settings().read(QStringLiteral("View"), QStringLiteral("Speed")), QStringLiteral("1"));
        item("DoProgram_Item")->trigger();
        QVERIFY(frm->cpu().running());
        // The first tact comes at once, the next only a second later.
        QTRY_COMPARE_WITH_TIMEOUT(frm->cpu().tactCount(), uint64_t{1}, 500);
        QTest::qWait(100);
        QCOMPARE(frm->cpu().tactCount(), uint64_t{1});
        QElapsedTimer clock;
        clock.start();
        item("DoProgram_Item")->trigger();
        QVERIFY(!frm->cpu().running());
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        // A new window starts at the remembered speed.
        SpeedControl again(frm->cpu(), Settings());
        QCOMPARE(again.speed(), 0);
        item("Speed_max")->trigger();
    }
};

QTEST_MAIN(DebugWindowTest)
#include "debug_window_test.moc"
