// The processor scheme: label places, texts and colours, lamps, and clicks on register labels.
#include <QSignalSpy>
#include <QTest>

#include "Commands.h"
#include "SchemeWidget.h"
#include "Cycles.h"

using namespace orlan;

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kMaroon(128, 0, 0);

QColor colour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

struct NoHost : Host {
    bool showMessage(const MessageBox&) override { return false; }
    void setEditingEnabled(bool) override {}
    void setRunMode(bool) override {}
    void setHaltItemEnabled(bool) override {}
    void processPendingInput() override {}
};
struct NoPorts : PortMap {
    void output(Device, uint8_t) override {}
};

}  // namespace

class SchemeTest : public QObject {
    Q_OBJECT
  private slots:
    void labelPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("client");  // left, top, width in the main window's client area
        QTest::addColumn<QString>("widest");
        auto row = [](const char* name, int x, int y, int w, const char* widest) {
            QTest::newRow(name) << QString(name) << QRect(x, y, w, 0) << QString::fromUtf8(widest);
        };
        row("Data_Buf", 231, 54, 49, "FF");
        row("RegA_Val", 18, 120, 49, "FF");
        row("Buf_Reg_1", 84, 120, 49, "FF");
        row("Flags_Reg", 150, 120, 49, "00000000");
        row("Cmd_Reg", 231, 120, 49, "FF");
        row("Cmd_DC", 231, 167, 49, "LXI SP, d16");
        row("Buf_Reg_2", 18, 167, 49, "FF");
        row("Addr_Buf", 381, 290, 49, "FFFF");
        row("Status_Reg", 81, 42, 42, "00000000");
        row("PSW_Label", 42, 56, 84, "Выборка команды");
        row("RegW_Val", 320, 137, 22, "FF");
        row("RegZ_Val", 392, 137, 22, "FF");
        row("RegB_Val", 320, 170, 22, "FF");
        row("RegD_Val", 320, 185, 22, "FF");
        row("RegH_Val", 320, 200, 22, "FF");
        row("RegC_Val", 392, 170, 22, "FF");
        row("RegE_Val", 392, 185, 22, "FF");
        row("RegL_Val", 392, 200, 22, "FF");
        row("SP_Val", 389, 215, 36, "FFFF");
        row("PC_Val", 389, 230, 36, "FFFF");
        row("Cycle_Num", 36, 231, 18, "18");
        row("Time_Num", 36, 245, 18, "18");
        row("INC_DEC_Syst", 415, 245, 17, "+1");
    }
    // Each label sits where the picture expects it and its longest text fits whole.
    void labelPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, client);
        QFETCH(QString, widest);
        SchemeWidget scheme;
        auto* label = scheme.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(scheme.elementLabel(*elementByName(name.toStdString())), label);
        QCOMPARE(label->pos(), client.topLeft() - QPoint(8, 8));
        QCOMPARE(label->width(), client.width());
        QVERIFY(label->fontMetrics().horizontalAdvance(widest) <= label->width());
        QVERIFY(label->fontMetrics().height() <= label->height());
    }

    void widgetIsThePicture() {
        SchemeWidget scheme;
        QCOMPARE(scheme.objectName(), QStringLiteral("SchemeImg"));
        QCOMPARE(scheme.size(), QSize(463, 397));
        QCOMPARE(scheme.findChildren<QLabel*>().size(), kElementCount);
    }

    void registerNamesAreLightBlueText() {
        SchemeWidget scheme;
        const QImage picture = scheme.grab().toImage();
        // The name tags left of the W, Z, B..L value cells, in picture coordinates.
        for (const QPoint tag : {QPoint(299, 128), QPoint(371, 128), QPoint(299, 161), QPoint(371, 191)}) {
            const QColor background = picture.pixelColor(tag + QPoint(2, 2));
            QColor ink = background;  // the pixel of the name that stands out most
            for (int y = tag.y() + 2; y < tag.y() + 14; ++y)
                for (int x = tag.x() + 2; x < tag.x() + 11; ++x) {
                    const QColor c = picture.pixelColor(x, y);
                    if (c.blue() - c.red() > ink.blue() - ink.red()) ink = c;
                }
            QVERIFY2(qGray(background.rgb()) > 200, "the name stands on a pale ground");
            QVERIFY2(ink.blue() > 150 && ink.blue() > ink.red() + 100 && ink.blue() > ink.green(),
                     qPrintable(ink.name()));
        }
    }

    void showStateCopiesTextsAndHighlights() {
        SchemeWidget scheme;
        Machine m;
        m.s.reg[A] = 0x3E;
        m.s.reg[L] = 0x07;
        m.s.sp = 0x12AB;
        m.s.decoder = 0x31;
        m.s.status = 0xA2;
        m.s.cycleLabel = static_cast<int8_t>(CycleType::Fetch);
        m.s.flags = 0x83;
        m.s.timeNum = 12;
        m.s.incMark = IncMark::Minus;
        m.red(els(Element::RegA_Val, Element::PSW_Label, Element::Time_Num, Element::SP_Val));
        scheme.showState(m);
        auto label = [&](Element e) { return scheme.elementLabel(e); };
        QCOMPARE(label(Element::RegA_Val)->text(), QStringLiteral("3E"));
        QCOMPARE(label(Element::RegL_Val)->text(), QStringLiteral("07"));
        QCOMPARE(label(Element::SP_Val)->text(), QStringLiteral("12AB"));
        QCOMPARE(label(Element::Cmd_DC)->text(), QStringLiteral("LXI SP, d16"));
        QCOMPARE(label(Element::Status_Reg)->text(), QStringLiteral("01000101"));
        QCOMPARE(label(Element::PSW_Label)->text(), QStringLiteral("Выборка команды"));
        QCOMPARE(label(Element::Flags_Reg)->text(), QStringLiteral("10000011"));
        QCOMPARE(label(Element::Time_Num)->text(), QStringLiteral("12"));
        QCOMPARE(label(Element::INC_DEC_Syst)->text(), QStringLiteral("-1"));

        QCOMPARE(colour(label(Element::RegA_Val)), kRed);
        QCOMPARE(colour(label(Element::PSW_Label)), kRed);
        QCOMPARE(colour(label(Element::SP_Val)), kRed);
        QCOMPARE(colour(label(Element::RegL_Val)), kGreen);
        QCOMPARE(colour(label(Element::Time_Num)), kGreen);    // never active
        QCOMPARE(colour(label(Element::INC_DEC_Syst)), kRed);  // always drawn red

        // Back to idle, and texts that shrink to nothing.
        m.green(els(Element::RegA_Val, Element::PSW_Label, Element::SP_Val));
        m.s.cycleLabel = -1;
        m.s.decoder = -1;
        m.s.incMark = IncMark::None;
        scheme.showState(m);
        QCOMPARE(colour(label(Element::RegA_Val)), kGreen);
        QCOMPARE(colour(label(Element::PSW_Label)), kGreen);
        QCOMPARE(colour(label(Element::SP_Val)), kGreen);
        QCOMPARE(label(Element::PSW_Label)->text(), QString());
        QCOMPARE(label(Element::Cmd_DC)->text(), QString());
        QCOMPARE(label(Element::INC_DEC_Syst)->text(), QString());
        QCOMPARE(colour(label(Element::INC_DEC_Syst)), kRed);
    }

    void startsShowingAFreshMachine() {
        SchemeWidget scheme;
        QCOMPARE(scheme.elementLabel(Element::SP_Val)->text(), QStringLiteral("FFFF"));
        QCOMPARE(scheme.elementLabel(Element::Flags_Reg)->text(), QStringLiteral("00000010"));
        QCOMPARE(scheme.lampColorAt(Lamp::INTE), kRed);
        QCOMPARE(scheme.lampColorAt(Lamp::HLDA), kMaroon);
    }

    void lampsFollowTheMachine() {
        SchemeWidget scheme;
        Machine m;
        for (int l = 0; l < kLampCount; ++l) m.setLamp(static_cast<Lamp>(l), l % 2 == 0);
        scheme.showState(m);
        for (int l = 0; l < kLampCount; ++l)
            QCOMPARE(scheme.lampColorAt(static_cast<Lamp>(l)), l % 2 == 0 ? kRed : kMaroon);
        for (int l = 0; l < kLampCount; ++l) m.setLamp(static_cast<Lamp>(l), l % 2 != 0);
        scheme.showState(m);
        for (int l = 0; l < kLampCount; ++l)
            QCOMPARE(scheme.lampColorAt(static_cast<Lamp>(l)), l % 2 != 0 ? kRed : kMaroon);
    }

    void clicksOnRegisterLabels() {
        SchemeWidget scheme;
        QSignalSpy spy(&scheme, &SchemeWidget::registerLabelClicked);
        QTest::mouseClick(scheme.elementLabel(Element::RegB_Val), Qt::LeftButton);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<Element>(), Element::RegB_Val);
        QTest::mouseClick(scheme.elementLabel(Element::PC_Val), Qt::LeftButton);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(1).at(0).value<Element>(), Element::PC_Val);

        QTest::mouseClick(scheme.elementLabel(Element::Data_Buf), Qt::LeftButton);
        QTest::mouseClick(scheme.elementLabel(Element::RegB_Val), Qt::RightButton);
        QCOMPARE(spy.size(), 2);

        scheme.setRegisterLabelsEnabled(false);
        QTest::mouseClick(scheme.elementLabel(Element::RegB_Val), Qt::LeftButton);
        QCOMPARE(spy.size(), 2);
        scheme.setRegisterLabelsEnabled(true);
        QTest::mouseClick(scheme.elementLabel(Element::RegZ_Val), Qt::LeftButton);
        QCOMPARE(spy.size(), 3);
        QCOMPARE(spy.at(2).at(0).value<Element>(), Element::RegZ_Val);
    }

    // With ORLAN_SCHEME_PNG set, saves the scheme in the operand read of MVI A, 41h for a look.
    void picture() {
        const QByteArray path = qgetenv("ORLAN_SCHEME_PNG");
        if (path.isEmpty()) QSKIP("set ORLAN_SCHEME_PNG to save a picture");
        Machine m;
        NoHost host;
        NoPorts ports;
        CCommands cpu(m, host, ports);
        for (uint8_t b : {0x3E, 0x41, 0xD3, 0x00, 0x76}) m.writeMemory(m.s.pc++, b);
        m.s.pc = 0;
        m.s.reg[B] = 0x12, m.s.reg[C] = 0x34, m.s.reg[H] = 0x80, m.s.sp = 0x7FFF;
        m.s.flags = 0x46;
        m.setLamp(Lamp::Z, true);
        m.setLamp(Lamp::P, true);
        for (int i = 0; i < 6; ++i) cpu.executeTact();
        SchemeWidget scheme;
        scheme.showState(m);
        QVERIFY(scheme.grab().save(QString::fromLocal8Bit(path)));
    }
};

QTEST_MAIN(SchemeTest)
#include "scheme_test.moc"
