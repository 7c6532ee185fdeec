// The memory list: texts and colours read from the machine, the repaint ranges catchUp reports,
// and the scrolling, selection and drop behaviour of MemGrid.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "MemoryModel.h"
#include "MemoryView.h"
#include "Machine.h"

using namespace orlan;

Q_DECLARE_METATYPE(QColor)

namespace {

const QColor kMaroon(128, 0, 0), kTeal(0, 128, 128), kOlive(128, 128, 0), kNavy(0, 0, 128);
const QColor kRed(255, 0, 0), kWhite(255, 255, 255);

QColor colour(const MemoryModel& model, int row, int role) {
    const QVariant v = model.index(row, 1).data(role);
    return v.isNull() ? QColor() : v.value<QBrush>().color();
}

// The rows covered by each dataChanged signal in a spy, as (first, last) pairs.
QList<QPair<int, int>> rowRanges(const QSignalSpy& spy) {
    QList<QPair<int, int>> ranges;
    for (const auto& args : spy)
        ranges.append({args[0].value<QModelIndex>().row(), args[1].value<QModelIndex>().row()});
    return ranges;
}

}  // namespace

class MemoryModelTest : public QObject {
    Q_OBJECT
private slots:
    void modelStaysConsistentWhileWritingAndMovingSp() {
        Machine m;
        MemoryModel model(m);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m.writeMemory(0x0000, 0x3E);
        m.writeMemory(0xFFFF, 0x76);
        m.setSP(0xFFF0);
        model.catchUp(m.changes);
        m.setSP(0x10000);
        model.catchUp(m.changes);
        model.resetAll();
        QCOMPARE(model.rowCount(), 65536);
        QCOMPARE(model.columnCount(), 3);
    }

    void showsAddressValueAndMnemonic() {
        Machine m;
        MemoryModel model(m);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("0000"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("00"));
        QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("NOP"));
        m.writeMemory(0xFFFF, 0x4C);
        m.writeMemory(0x00AB, 0xC3);
        QCOMPARE(model.index(0xFFFF, 0).data().toString(), QStringLiteral("FFFF"));
        QCOMPARE(model.index(0xFFFF, 1).data().toString(), QStringLiteral("4C"));
        QCOMPARE(model.index(0xFFFF, 2).data().toString(), QStringLiteral("MOV C,H"));
        QCOMPARE(model.index(0x00AB, 0).data().toString(), QStringLiteral("00AB"));
        QCOMPARE(model.index(0x00AB, 2).data().toString(), QStringLiteral("JMP adr"));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Адрес"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Значение"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Команда"));
        const Qt::ItemFlags f = model.flags(model.index(5, 1));
        QVERIFY(f & Qt::ItemIsSelectable && f & Qt::ItemIsEnabled && f & Qt::ItemIsDropEnabled);
        QVERIFY(!(f & Qt::ItemIsEditable));
    }

    void stackColours_data() {
        QTest::addColumn<int>("sp");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<QColor>("text");
        QTest::newRow("FFFE: SP row") << 0xFFFE << 0xFFFE << kMaroon << kTeal;
        QTest::newRow("FFFE: stack above") << 0xFFFE << 0xFFFF << kOlive << kNavy;
        QTest::newRow("FFFE: below SP") << 0xFFFE << 0xFFFD << QColor() << QColor();
        QTest::newRow("FFFF: SP row") << 0xFFFF << 0xFFFF << kMaroon << kTeal;
        QTest::newRow("FFFF: nothing below") << 0xFFFF << 0xFFFE << QColor() << QColor();
        QTest::newRow("1000: row 0FFF plain") << 0x1000 << 0x0FFF << QColor() << QColor();
        QTest::newRow("1000: row 1001 stack") << 0x1000 << 0x1001 << kOlive << kNavy;
        QTest::newRow("0000: row 0000 SP") << 0x0000 << 0x0000 << kMaroon << kTeal;
    }
    void stackColours() {
        QFETCH(int, sp);
        QFETCH(int, row);
        QFETCH(QColor, back);
        QFETCH(QColor, text);
        Machine m;
        MemoryModel model(m);
        m.setSP(sp);
        QCOMPARE(colour(model, row, Qt::BackgroundRole), back);
        QCOMPARE(colour(model, row, Qt::ForegroundRole), text);
        // Every column of the row carries the same colours.
        QCOMPARE(model.index(row, 0).data(Qt::BackgroundRole), model.index(row, 2).data(Qt::BackgroundRole));
    }

    void haltHighlightMarksTheHaltedHltOverTheStack() {
        Machine m;
        MemoryModel model(m);
        // State after HLT at 0005 halted: PC past it, HLDA on; SP below so the row is stack area.
        m.writeMemory(0x0005, 0x76);
        m.setSP(0x0004);
        m.setPC(0x0006);
        m.setLamp(Lamp::HLDA, true);
        QCOMPARE(colour(model, 0x0005, Qt::BackgroundRole), kRed);
        QCOMPARE(colour(model, 0x0005, Qt::ForegroundRole), kWhite);
        QCOMPARE(colour(model, 0x0006, Qt::BackgroundRole), kOlive);

        m.setLamp(Lamp::HLDA, false);
        QCOMPARE(colour(model, 0x0005, Qt::BackgroundRole), kOlive);

        // Halted, but the cell before PC is no HLT (PC moved on): no mark.
        m.setLamp(Lamp::HLDA, true);
        m.setPC(0x0007);
        QCOMPARE(colour(model, 0x0005, Qt::BackgroundRole), kOlive);
        QCOMPARE(colour(model, 0x0006, Qt::BackgroundRole), kOlive);

        // PC 0000: the cell before it is FFFF.
        m.writeMemory(0xFFFF, 0x76);
        m.setPC(0x0000);
        QCOMPARE(colour(model, 0xFFFF, Qt::BackgroundRole), kRed);
    }

    void catchUpReportsOnlyWhatMoved() {
        Machine m;
        MemoryModel model(m);
        QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
        using Ranges = QList<QPair<int, int>>;

        m.writeMemory(0x0012, 0x01);
        m.writeMemory(0x0010, 0x02);
        model.catchUp(m.changes);
        QCOMPARE(rowRanges(spy), (Ranges{{0x0010, 0x0012}}));
        m.changes = {};
        spy.clear();

        model.catchUp(m.changes);  // nothing happened
        QCOMPARE(spy.count(), 0);

        m.setSP(0xFFFD);  // rows FFFD..FFFF change colour
        model.catchUp(m.changes);
        QCOMPARE(rowRanges(spy), (Ranges{{0xFFFD, 0xFFFF}}));
        spy.clear();
        model.catchUp(m.changes);  // marks not cleared, but SP already shown
        QCOMPARE(spy.count(), 0);
        m.changes = {};

        m.writeMemory(0x0005, 0x76);
        m.setPC(0x0006);
        m.changes = {};
        spy.clear();
        m.setLamp(Lamp::HLDA, true);  // halted: only the HLT row
        model.catchUp(m.changes);
        QCOMPARE(rowRanges(spy), (Ranges{{0x0005, 0x0005}}));
        spy.clear();
        m.setLamp(Lamp::HLDA, false);
        model.catchUp(m.changes);
        QCOMPARE(rowRanges(spy), (Ranges{{0x0005, 0x0005}}));
    }
};

class MemoryViewTest : public QObject {
    Q_OBJECT
    Machine m;
    MemoryModel* model = nullptr;
    MemoryView* view = nullptr;

private slots:
    void init() {
        m = Machine{};
        model = new MemoryModel(m);
        view = new MemoryView;
        view->setModel(model);
        view->resize(171, 233);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->scrollToFirstVisible(0);
    }
    void cleanup() {
        delete view;
        delete model;
    }

    void rowsAreCompactAndColumnsFixed() {
        QCOMPARE(view->objectName(), QStringLiteral("MemGrid"));
        QCOMPARE(view->rowHeight(0x1234), 12);
        for (int c = 0; c < 3; ++c) QCOMPARE(view->columnWidth(c), 50);
        QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void disabledListKeepsItsColours() {
        m.setSP(0x0008);  // the stack colours, the selection and plain rows all in view
        model->catchUp(m.changes);
        view->selectAddress(3);
        const QImage enabled = view->viewport()->grab().toImage();
        view->setEnabled(false);
        QCOMPARE(view->viewport()->grab().toImage(), enabled);
    }

    void followPcScrollsDownOnly() {
        view->followPc(13);  // 13 rows below the first: stays
        QCOMPARE(view->firstVisibleAddress(), 0);
        view->followPc(14);  // 14 rows below: PC becomes the 14th visible row
        QCOMPARE(view->firstVisibleAddress(), 1);
        view->scrollToFirstVisible(0x0100);
        view->followPc(0x0050);  // above the view: no scrolling up
        QCOMPARE(view->firstVisibleAddress(), 0x0100);
        view->followPc(0x0100 + 40);
        QCOMPARE(view->firstVisibleAddress(), 0x0100 + 27);
        view->followPc(-1);  // no PC set since the last refresh
        QCOMPARE(view->firstVisibleAddress(), 0x0100 + 27);
    }

    void stackAreaPutsSpSeventh() {
        view->showStackArea(0x1000);
        QCOMPARE(view->firstVisibleAddress(), 0x0FFA);
        view->showStackArea(0x0003);
        QCOMPARE(view->firstVisibleAddress(), 0);
        view->showStackArea(0xFFFF);  // clamped: the last row is in view
        QVERIFY(view->firstVisibleAddress() <= 0xFFF9);
        const int y = view->rowViewportPosition(0xFFFF);
        QVERIFY(y >= 0 && y + 12 <= view->viewport()->height());
    }

    void userSelectionEmitsButProgramSelectionDoesNot() {
        QSignalSpy chosen(view, &MemoryView::rowChosen);
        view->selectAddress(0x0004);
        QCOMPARE(view->selectedAddress(), 4);
        QVERIFY(view->selectionModel()->isRowSelected(4, {}));
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(view->firstVisibleAddress(), 0);

        view->selectAddress(0x2000);  // from code: the view does not follow by itself
        QCOMPARE(view->firstVisibleAddress(), 0);
        view->selectAddress(0x0004);

        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.takeFirst().at(0).value<uint16_t>(), uint16_t{5});

        const QRect r = view->visualRect(model->index(9, 2));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.takeFirst().at(0).value<uint16_t>(), uint16_t{9});
        QCOMPARE(view->selectedAddress(), 9);
    }

    void dropsOnlyOpcodes() {
        QSignalSpy dropped(view, &MemoryView::opcodeDropped);
        QMimeData text;
        text.setText(QStringLiteral("JMP adr"));
        const QPoint at = view->visualRect(model->index(3, 1)).center();
        QDragEnterEvent enter(at, Qt::CopyAction, &text, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &text, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QCOMPARE(dropped.count(), 0);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        MemoryModelTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        MemoryViewTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "memory_model_test.moc"
