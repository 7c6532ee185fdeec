// The instruction table: cell texts, the help request on a right click, the drag payload landing
// on the memory list, and the sliding panel that carries the table.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <memory>

#include "CommandTable.h"
#include "MemoryModel.h"
#include "MemoryView.h"
#include "Machine.h"

using namespace orlan;

class CommandTableTest : public QObject {
    Q_OBJECT
private slots:
    void cellTexts_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("C3") << 13 << 4 << "JMP adr";
        QTest::newRow("00") << 1 << 1 << "NOP";
        QTest::newRow("FF") << 16 << 16 << "RST 7";
        QTest::newRow("4C, no space") << 5 << 13 << "MOV C,H";
        QTest::newRow("08 undefined") << 1 << 9 << "-";
        QTest::newRow("76") << 8 << 7 << "HLT";
        QTest::newRow("corner") << 0 << 0 << "";
        QTest::newRow("top heading 0") << 0 << 1 << "0";
        QTest::newRow("top heading F") << 0 << 16 << "F";
        QTest::newRow("left heading A") << 11 << 0 << "A";
        QTest::newRow("left heading F") << 16 << 0 << "F";
    }
    void cellTexts() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        CommandTable table;
        QCOMPARE(table.cellText(row, column), text);
    }

    void everyCellReadsOnTwoLines() {
        CommandTable table;
        const QFontMetrics fm(table.cellFont());
        QVERIFY2(table.cellFont().pixelSize() >= CommandTable::kMinTextPixels, "readable at a glance");
        QVERIFY(2 * fm.height() <= CommandTable::kCellSize);
        for (int opcode = 0; opcode < 256; ++opcode) {
            const QStringList lines = table.cellLines(opcode);
            const QString mnemonic = table.cellText(opcode / 16 + 1, opcode % 16 + 1);
            QVERIFY(lines.size() == 1 || lines.size() == 2);
            // The operation, then its operands: nothing lost but spaces.
            QCOMPARE(lines.first(), mnemonic.section(' ', 0, 0));
            QCOMPARE(lines.join(QString()), QString(mnemonic).remove(' '));
            for (const QString& line : lines)
                QVERIFY2(fm.horizontalAdvance(line) <= CommandTable::kCellSize - 2, qPrintable(mnemonic));
        }
    }

    void geometry() {
        CommandTable table;
        QCOMPARE(table.objectName(), QStringLiteral("CommGrid"));
        QCOMPARE(table.size(), QSize(425, 425));
        QCOMPARE(table.cellRect(13, 4), QRect(100, 325, 25, 25));
        QCOMPARE(table.cursor().shape(), Qt::PointingHandCursor);
    }

    void rightClickAsksForHelp_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("opcode");  // -1: nothing
        QTest::addColumn<QString>("mnemonic");
        QTest::newRow("00") << 1 << 1 << 0x00 << "NOP";
        QTest::newRow("FF") << 16 << 16 << 0xFF << "RST 7";
        QTest::newRow("3A") << 4 << 11 << 0x3A << "LDA adr";
        QTest::newRow("top heading") << 0 << 5 << -1 << "";
        QTest::newRow("left heading") << 7 << 0 << -1 << "";
        QTest::newRow("corner") << 0 << 0 << -1 << "";
    }
    void rightClickAsksForHelp() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, opcode);
        QFETCH(QString, mnemonic);
        CommandTable table;
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QSignalSpy help(&table, &CommandTable::helpRequested);
        const QPoint at = table.cellRect(row, column).topLeft() + QPoint(3, 4);
        QTest::mousePress(&table, Qt::RightButton, {}, at);
        QTest::mouseRelease(&table, Qt::RightButton, {}, at);
        if (opcode < 0) {
            QCOMPARE(help.count(), 0);
            return;
        }
        QCOMPARE(help.count(), 1);
        QCOMPARE(help[0][0].toInt(), opcode);
        QCOMPARE(help[0][1].toString(), mnemonic);
        QCOMPARE(help[0][2].toPoint(), table.mapToGlobal(at));
    }

    void leftClickAsksForNothing() {
        CommandTable table;
        QSignalSpy help(&table, &CommandTable::helpRequested);
        QTest::mouseClick(&table, Qt::LeftButton, {}, table.cellRect(3, 3).center());
        QCOMPARE(help.count(), 0);
    }

    // A drag from the C3 cell released over row 0100 of the memory list.
    void dragPayloadDropsOneOpcode() {
        Machine m;
        MemoryModel model(m);
        MemoryView view;
        view.setModel(&model);
        view.resize(171, 233);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.scrollToFirstVisible(0x00F8);

        std::unique_ptr<QMimeData> mime(CommandTable::mimeDataFor(CommandTable::opcodeAt(13, 4)));
        QCOMPARE(mime->text(), QStringLiteral("JMP adr"));
        QSignalSpy chosen(&view, &MemoryView::rowChosen);
        QSignalSpy dropped(&view, &MemoryView::opcodeDropped);

        const QPoint over0100 = view.visualRect(model.index(0x0100, 2)).center();
        QDragEnterEvent enter(view.visualRect(model.index(0x00FA, 0)).center(), Qt::CopyAction, mime.get(),
                              Qt::LeftButton, {});
        QCoreApplication::sendEvent(view.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(over0100, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(view.viewport(), &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(view.selectedAddress(), 0x0100);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].value<uint16_t>(), uint16_t{0x0100});

        QDropEvent drop(over0100, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(view.viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped[0][0].value<uint16_t>(), uint16_t{0x0100});
        QCOMPARE(dropped[0][1].value<uint8_t>(), uint8_t{0xC3});
        QCOMPARE(view.selectedAddress(), 0x0100);  // the selection does not advance
    }
};

class CommPanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> client;
    CommPanel* panel = nullptr;

    void makeClient(int height) {
        client = std::make_unique<QWidget>();
        client->resize(667, height);
        panel = new CommPanel(client.get());
        panel->placeHidden();
    }
    // Runs the slide tick by tick; returns the tops it passed through.
    QList<int> slide() {
        QList<int> tops;
        for (int guard = 0; panel->slideTick(); ++guard) {
            tops.append(panel->y());
            if (guard > 1000) break;
        }
        return tops;
    }

private slots:
    void cleanup() { client.reset(); }

    void hiddenAndShownPositions() {
        makeClient(463);
        QCOMPARE(panel->objectName(), QStringLiteral("CommPanel"));
        QCOMPARE(panel->size(), QSize(448, 463));
        QCOMPARE(panel->caption()->text(), QStringLiteral("Система команд микропроцессора ОРЛАН-М"));
        QVERIFY(panel->caption()->font().bold());
        QCOMPARE(panel->y(), 446);
        QVERIFY(!panel->isShown());
        panel->toggle();
        QCOMPARE(panel->y(), 0);
        QVERIFY(panel->isShown());
        QSignalSpy hidden(panel, &CommPanel::hidden);
        panel->toggle();
        QCOMPARE(panel->y(), 446);
        QCOMPARE(hidden.count(), 1);
    }

    void slideEasesUpToTheShownPosition() {
        makeClient(463);
        const QList<int> tops = slide();
        QCOMPARE(panel->y(), 0);
        QVERIFY(tops.size() > 50);
        // x^2 with x falling by 0.2 from sqrt(446): steps of about 8 px at first, under 1 px at the end.
        QCOMPARE(tops[1], 437);  // floor((sqrt(446) - 0.2)^2)
        int previous = 446;
        QList<int> steps;
        for (int top : tops) {
            QVERIFY(top <= previous);
            steps.append(previous - top);
            previous = top;
        }
        QVERIFY(steps[1] >= 8);
        for (int i = steps.size() - 5; i < steps.size(); ++i) QVERIFY(steps[i] <= 1);
        QVERIFY(!panel->slideTick());  // wholly inside: the slide is over
    }

    void slideStopsAtTheShownPositionWhateverTheClientHeight_data() {
        QTest::addColumn<int>("clientHeight");
        QTest::newRow("taller client") << 500;  // x^2 would overshoot 37 by a pixel or two
        QTest::newRow("shorter client") << 440;  // shown top is negative: x^2 never gets there
    }
    void slideStopsAtTheShownPositionWhateverTheClientHeight() {
        QFETCH(int, clientHeight);
        makeClient(clientHeight);
        slide();
        QCOMPARE(panel->y(), clientHeight - 463);
        QVERIFY(panel->isShown());
    }

    void timerSlidesAndPointerLeavingHidesAtOnce() {
        makeClient(463);
        client->show();
        QVERIFY(QTest::qWaitForWindowExposed(client.get()));
        // Pointer movement over the caption starts the slide.
        QMouseEvent over(QEvent::MouseMove, QPointF(10, 5), panel->caption()->mapToGlobal(QPointF(10, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(panel->caption(), &over);
        QVERIFY(panel->isSliding());
        QTRY_VERIFY(panel->y() < 300);
        QSignalSpy hidden(panel, &CommPanel::hidden);
        panel->pointerLeft();
        QVERIFY(!panel->isSliding());
        QCOMPARE(panel->y(), 446);
        QCOMPARE(hidden.count(), 1);
        QCOMPARE(panel->slideX(), std::sqrt(446.0));

        panel->startSlide();
        QTRY_COMPARE_WITH_TIMEOUT(panel->y(), 0, 5000);
        QTRY_VERIFY(!panel->isSliding());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        CommandTableTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        CommPanelTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "command_table_test.moc"
