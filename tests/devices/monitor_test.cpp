// The monitor behind port 00h: its hex dump (and the dump view every device window shares), its
// drawing protocol and its window.
#include <QAbstractButton>
#include <QClipboard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "HexDump.h"
#include "HexDumpView.h"
#include "Monform.h"
#include "MonitorDevice.h"
#include "MonitorFont.h"
#include "PortWiring.h"
#include "scripted_messages.h"

using namespace orlan;

namespace {

void feed(MonitorDevice& m, std::initializer_list<int> bytes) {
    for (int b : bytes) m.byteInput(static_cast<uint8_t>(b));
}

// Pixels of the rectangle that are neither black nor ink.
int strayPixels(const QImage& screen, QRect r, QRgb ink) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += screen.pixel(x, y) != qRgb(0, 0, 0) && screen.pixel(x, y) != ink;
    return n;
}

struct ScriptedSave : ScreenshotDialog {
    QString answer;
    QString saveFileName(QWidget*) override { return answer; }
};

}  // namespace

class MonitorTest : public QObject {
    Q_OBJECT
  private slots:
    void hexDumpLines() {
        HexDump d;
        for (int b = 0; b < 17; ++b) d.append(static_cast<unsigned char>(b * 0x11 & 0xFF));
        const QStringList lines = d.text().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("0000  00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF"));
        QCOMPARE(lines[0].size(), 53);
        QCOMPARE(lines[1], QStringLiteral("0010  10"));
        QCOMPARE(d.lineText(1), lines[1]);
        QCOMPARE(d.linesText(1, 5), lines[1]);  // past the end: only what is there
        d.clear();
        QCOMPARE(d.text(), QString());
        d.append(0xAB);
        QCOMPARE(d.text(), QStringLiteral("0000  AB"));
    }

    // Offsets keep counting past 64 KiB with as many digits as they need; the bytes stay in
    // order across the blocks the dump keeps them in.
    void hexDumpPastSixtyFourKiB_data() {
        QTest::addColumn<qsizetype>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("last of the first 64 KiB")
            << qsizetype(0x0FFF) << "FFF0  F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF";
        QTest::newRow("first past it")
            << qsizetype(0x1000) << "10000  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F";
        QTest::newRow("past 1 MiB") << qsizetype(0x10000) << "100000  00 01";
    }
    void hexDumpPastSixtyFourKiB() {
        QFETCH(qsizetype, line);
        QFETCH(QString, text);
        static const HexDump d = [] {
            HexDump dump;
            for (int i = 0; i < 0x100002; ++i) dump.append(static_cast<unsigned char>(i));
            return dump;
        }();
        QCOMPARE(d.lineText(line), text);
        QCOMPARE(d.widestLine(), 55);
    }

    // The view draws from the dump; whole lines are selected and copied as the dump's text.
    void dumpViewSelectsAndCopiesLines() {
        HexDump d;
        for (int i = 0; i < 16 * 3 + 2; ++i) d.append(static_cast<unsigned char>(i));
        HexDumpView view(d);
        view.resize(400, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.lineCount(), qsizetype(4));
        QCOMPARE(view.text(), d.text());
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);  // nothing selected: nothing copied
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

        const int lineHeight = view.fontMetrics().lineSpacing();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, lineHeight + 2));
        QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), d.linesText(1, 3));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 2));
        QCOMPARE(view.selectedText(), d.linesText(0, 2));
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), d.text());

        d.clear();  // lines that are gone are no longer selected
        view.refresh();
        QCOMPARE(view.selectionFirst(), qsizetype(-1));
        QCOMPARE(view.text(), QString());
    }

    void dumpViewFollowsTheEndUnlessScrolledAway() {
        HexDump d;
        HexDumpView view(d);
        view.resize(400, 100);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto grow = [&](int lines) {
            for (int i = 0; i < 16 * lines; ++i) d.append(0x41);
            view.dumpChanged();
        };
        grow(100);
        QTRY_COMPARE(view.lineCount(), qsizetype(100));
        QScrollBar* bar = view.verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(view.firstVisibleLine() + view.visibleLineCount(), 100);
        bar->setValue(10);  // the user scrolls up to read
        grow(10);
        QTRY_COMPARE(view.lineCount(), qsizetype(110));
        QCOMPARE(bar->value(), 10);
        bar->setValue(bar->maximum());  // and back to the end: it follows again
        grow(10);
        QTRY_COMPARE(view.lineCount(), qsizetype(120));
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(bar->maximum(), 120 - view.visibleLineCount());
    }

    void colourRule_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRgb>("rgb");
        QTest::newRow("0") << 0 << qRgb(0, 0, 0);
        QTest::newRow("1") << 1 << qRgb(0x08, 0x04, 0x02);
        QTest::newRow("0A") << 0x0A << qRgb(0x50, 0x28, 0x14);
        QTest::newRow("7F") << 0x7F << qRgb(0xF8, 0xFF, 0xFF);
    }
    void colourRule() {
        QFETCH(int, index);
        QFETCH(QRgb, rgb);
        QCOMPARE(MonitorDevice::colourValue(index), rgb);
    }

    void characterInOpaqueCell() {
        MonitorDevice m;
        feed(m, {0xFF, 0, 0, 0xFF, 8, 0});  // white dots at the cell's corner and just right of it
        feed(m, {0x0A, 0x41});
        const QImage& s = m.screen();
        const QRgb ink = qRgb(0x50, 0x28, 0x14);
        QCOMPARE(s.pixel(0, 0), qRgb(0, 0, 0));           // the cell is painted black under "A"
        QCOMPARE(s.pixel(8, 0), qRgb(0xF8, 0xFF, 0xFF));  // the next cell is untouched
        int lit = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 8; ++x) lit += s.pixel(x, y) == ink;
        QVERIFY(lit > 10);
        QCOMPARE(strayPixels(s, QRect(0, 0, 8, 12), ink), 0);
        QCOMPARE(m.cursorX(), 8);
        QCOMPARE(m.cursorY(), 0);
        QCOMPARE(m.phase(), 0);
    }

    // Frames drawn with box characters must join from cell to cell, and double lines stay double.
    void boxDrawingJoins() {
        const Glyph& single = monitorGlyph(0xC4);  // ─
        QCOMPARE(single, (Glyph{0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
        const Glyph& corner = monitorGlyph(0xC9);  // ╔: outer line at column 2 / row 4
        QCOMPARE(corner, (Glyph{0, 0, 0, 0, 0x3F, 0x20, 0x20, 0x27, 0x24, 0x24, 0x24, 0x24}));
        const Glyph& cross = monitorGlyph(0xCE);  // ╬: four corners
        QCOMPARE(cross, (Glyph{0x24, 0x24, 0x24, 0x24, 0xE7, 0, 0, 0xE7, 0x24, 0x24, 0x24, 0x24}));
    }

    void pixelCommand() {
        MonitorDevice m;
        feed(m, {0x81, 0x10, 0x20});
        QCOMPARE(m.screen().pixel(16, 32), qRgb(0x08, 0x04, 0x02));
        QCOMPARE(m.phase(), 0);
        feed(m, {0xFF, 0x05, 0xFF});  // y 255 is below the screen: nothing, and no crash
        QCOMPARE(m.phase(), 0);
    }

    void rowOf39Wraps() {
        MonitorDevice m;
        for (int i = 0; i < 38; ++i) feed(m, {0x7F, 0xDB});  // full blocks
        QCOMPARE(m.cursorX(), 304);
        feed(m, {0x7F, 0xDB});
        QCOMPARE(m.screen().pixel(307, 6), MonitorDevice::colourValue(0x7F));
        QCOMPARE(m.cursorX(), 0);
        QCOMPARE(m.cursorY(), 12);
        feed(m, {0x7F, 0xDB});
        QCOMPARE(m.screen().pixel(3, 18), MonitorDevice::colourValue(0x7F));
        // Control codes are glyphs too: 0Dh and 0Ah move on by one cell like any character.
        feed(m, {0x7F, 0x0D, 0x7F, 0x0A});
        QCOMPARE(m.cursorX(), 24);
        QCOMPARE(m.cursorY(), 12);
    }

    void clearInsidePixelCommand() {
        MonitorDevice m;
        feed(m, {0x81, 0x10});
        m.clear();
        QCOMPARE(m.buffer().byteCount(), 0);
        QVERIFY(!m.textMode());  // the last command's mode and colour stay
        QCOMPARE(m.colour(), 1);
        feed(m, {0x0A, 0x41});  // a command byte again, not the pixel's y
        QCOMPARE(m.cursorX(), 8);
        QCOMPARE(m.screen().pixel(16, 0x0A), qRgb(0, 0, 0));
        QCOMPARE(m.buffer().text(), QStringLiteral("0000  0A 41"));
    }

    void colourZeroIsInvisible() {
        MonitorDevice m;
        feed(m, {0x00, 0xDB, 0x80, 5, 5});
        QCOMPARE(strayPixels(m.screen(), m.screen().rect(), qRgb(0, 0, 0)), 0);
        QCOMPARE(m.cursorX(), 8);
    }

    void portsReachOnlyTheMonitor() {
        MonitorDevice m;
        DevicePorts ports;
        ports.setMonitor(&m);
        ports.output(Device::Printer, 0x41);
        ports.output(Device::Monitor, 0x0A);
        QCOMPARE(m.buffer().text(), QStringLiteral("0000  0A"));
    }

    void windowLooks() {
        test::ScriptedMessages messages;
        TMonFrm frm(messages);
        QCOMPARE(frm.windowTitle(), QStringLiteral("Монитор ОРЛАН"));
        frm.show();
        auto* shBuff = frm.findChild<QAbstractButton*>("ShBuff_Img");
        auto* keep = frm.findChild<QAbstractButton*>("KeepVisible");
        QCOMPARE(frm.height(), 380);
        QCOMPARE(shBuff->toolTip(), QStringLiteral("Отобразить видеобуфер"));
        shBuff->click();
        QCOMPARE(frm.height(), 528);
        QCOMPARE(shBuff->toolTip(), QStringLiteral("Скрыть видеобуфер"));
        QVERIFY(frm.isVisible());
        QVERIFY(frm.findChild<HexDumpView*>("MonBuffer")->isVisible());
        shBuff->click();
        QCOMPARE(frm.height(), 380);

        keep->click();
        QVERIFY(frm.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(keep->isChecked() && frm.isVisible());
        shBuff->click();  // a new look keeps the window on top
        QVERIFY(frm.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        keep->click();
        QVERIFY(!frm.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // Showing the window again starts with the buffer hidden.
        frm.findChild<QAbstractButton*>("CloseMon_Img")->click();
        QVERIFY(!frm.isVisible());
        frm.show();
        QCOMPARE(frm.height(), 380);
        QVERIFY(!frm.bufferShown());
    }

    void bufferFollowsBytes() {
        test::ScriptedMessages messages;
        TMonFrm frm(messages);
        frm.device().byteInput(0x0A);  // received while the window was hidden
        frm.show();
        frm.setBufferShown(true);
        auto* view = frm.findChild<HexDumpView*>("MonBuffer");
        QCOMPARE(view->text(), QStringLiteral("0000  0A"));
        for (int i = 1; i < 17; ++i) frm.device().byteInput(0x41);
        QTRY_COMPARE(
            view->text(),
            QStringLiteral("0000  0A 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41\n0010  41"));
        for (int i = 0; i < 16 * 60; ++i) frm.device().byteInput(0x41);
        QTRY_COMPARE(view->lineCount(), qsizetype(62));
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
        frm.findChild<QAbstractButton*>("ClrBuffer_BTN")->click();
        QCOMPARE(view->text(), QString());
        frm.device().byteInput(0x01);
        QTRY_COMPARE(view->text(), QStringLiteral("0000  01"));
    }

    void firstShowKeepsDrawingAndSaveWritesBitmap() {
        test::ScriptedMessages messages;
        TMonFrm frm(messages);
        feed(frm.device(), {0x81, 0x10, 0x20});
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        const QImage shown = frm.findChild<QWidget*>("ScreenImg")->grab().toImage();
        QCOMPARE(shown.pixel(16, 32), qRgb(0x08, 0x04, 0x02));

        QTemporaryDir dir;
        auto save = std::make_unique<ScriptedSave>();
        ScriptedSave* dialog = save.get();
        frm.setScreenshotDialog(std::move(save));
        auto* saveButton = frm.findChild<QAbstractButton*>("SaveScr_BTN");
        saveButton->click();  // cancelled: nothing happens
        QVERIFY(messages.shown.empty());
        dialog->answer = dir.filePath("Экран ОРЛАН.bmp");
        saveButton->click();
        const QImage read(dialog->answer, "BMP");
        QCOMPARE(read.size(), QSize(312, 249));
        QCOMPARE(read.pixel(16, 32), qRgb(0x08, 0x04, 0x02));
        QVERIFY(messages.shown.empty());

        dialog->answer = dir.filePath("no such folder/x.bmp");
        saveButton->click();
        QCOMPARE(messages.count(MessageId::CannotWriteFile), 1);
    }
};

QTEST_MAIN(MonitorTest)
#include "monitor_test.moc"
