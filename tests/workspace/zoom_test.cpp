// The windows' zoom: the main window, the scheme and the monitor grown together, drawn crisp at
// any device pixel ratio, and the choice kept in the settings file.
#include "Zoom.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTranslator>
#include <QToolButton>
#include <QtTest>

#include "CommandTable.h"
#include "Mainform.h"
#include "MemoryView.h"
#include "Monform.h"
#include "SchemeWidget.h"
#include "scripted_messages.h"
#include "Settings.h"
#include "settings_file_keeper.h"

using namespace orlan;
using orlan::test::ScriptedMessages;
using orlan::test::SettingsFileKeeper;

namespace {

const QColor kLampOn(255, 0, 0), kLampOff(128, 0, 0);

// Where a widget lies in the window's client area.
QRect inClient(const QWidget* w, const QWidget* client) {
    return QRect(w->mapTo(client, QPoint(0, 0)), w->size());
}

// True when every side lies within a pixel of the 100 % rectangle times the factor (places
// inside places each round once).
bool grownFrom(const QRect& now, const QRect& at100, qreal factor) {
    const QRectF want(QPointF(at100.topLeft()) * factor, QSizeF(at100.size()) * factor);
    return std::abs(now.left() - want.left()) <= 1 && std::abs(now.top() - want.top()) <= 1 &&
           std::abs(now.right() + 1 - want.right()) <= 1 &&
           std::abs(now.bottom() + 1 - want.bottom()) <= 1;
}

bool near(QRgb pixel, const QList<QColor>& palette) {
    for (const QColor& c : palette)
        if (std::abs(qRed(pixel) - c.red()) <= 3 && std::abs(qGreen(pixel) - c.green()) <= 3 &&
            std::abs(qBlue(pixel) - c.blue()) <= 3)
            return true;
    return false;
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { Zoom::instance().setPercent(100); }

    void windowGrowsTogetherAndComesBackExactly_data() {
        QTest::addColumn<int>("percent");
        QTest::newRow("150 %") << 150;
        QTest::newRow("300 %") << 300;
    }
    void windowGrowsTogetherAndComesBackExactly() {
        QFETCH(int, percent);
        const qreal factor = percent / 100.0;
        ScriptedMessages messages;
        TMainFrm frm(messages);
        QWidget* client = frm.centralWidget();
        const char* names[] = {"SchemeImg",  "RegA_Val",     "PC_Val",     "Cmd_DC",
                               "MemGroup",   "MemGrid",      "RAM_Num_ED", "REG_Val_ED",
                               "DoTime_BTN", "ResetRAM_BTN", "PF_Printer", "CommCaption"};
        QList<QRect> at100;
        for (const char* name : names) at100 << inClient(frm.findChild<QWidget*>(name), client);
        auto* label = frm.findChild<QLabel*>("RegA_Val");
        auto* grid = frm.findChild<MemoryView*>("MemGrid");
        auto* table = frm.findChild<CommandTable*>("CommGrid");
        const int labelFont = label->font().pixelSize();
        const QRect cell = table->cellRect(13, 4);
        const int row = grid->rowHeight(0);

        QVERIFY(Zoom::instance().setPercent(percent));
        QCOMPARE(client->size(), QSize(qRound(667 * factor), qRound(463 * factor)));
        for (int i = 0; i < int(std::size(names)); ++i) {
            const QRect now = inClient(frm.findChild<QWidget*>(names[i]), client);
            QVERIFY2(grownFrom(now, at100[i], factor), names[i]);
        }
        QCOMPARE(label->font().pixelSize(), qRound(labelFont * factor));
        QCOMPARE(grid->rowHeight(0), qRound(row * factor));
        QVERIFY(grownFrom(table->cellRect(13, 4), cell, factor));
        QCOMPARE(table->cellAt(table->cellRect(13, 4).center()), QPoint(4, 13));
        // A device button's picture fills its grown icon size, though the style has the
        // monitor's picture no larger than 32 pixels.
        auto* monitor = frm.findChild<QToolButton*>("PF_Monitor");
        QCOMPARE(monitor->icon().pixmap(monitor->iconSize()).deviceIndependentSize().toSize(),
                 monitor->iconSize());
        // The hidden instruction table still shows its caption strip, and only that.
        auto* panel = frm.findChild<CommPanel*>("CommPanel");
        QCOMPARE(panel->y() + panel->caption()->height(), client->height());

        QVERIFY(Zoom::instance().setPercent(100));
        for (int i = 0; i < int(std::size(names)); ++i)
            QCOMPARE(inClient(frm.findChild<QWidget*>(names[i]), client), at100[i]);
        QCOMPARE(label->font().pixelSize(), labelFont);
        QCOMPARE(grid->rowHeight(0), row);
        QCOMPARE(table->cellRect(13, 4), cell);
    }

    void lampsAreLitWhereTheyAreDrawn_data() {
        QTest::addColumn<qreal>("factor");
        QTest::newRow("125 %") << 1.25;
        QTest::newRow("200 %") << 2.0;
    }
    void lampsAreLitWhereTheyAreDrawn() {
        QFETCH(qreal, factor);
        SchemeWidget scheme;
        Machine m;
        m.s.lamps = lampBit(Lamp::Z) | lampBit(Lamp::WR);
        scheme.showState(m);
        scheme.setZoom(factor);
        const QImage picture = scheme.grab().toImage();
        auto at = [&](Lamp l) {
            const QPointF centre =
                (QPointF(SchemeWidget::lampPoint(l)) + QPointF(0.5, 0.5)) * factor;
            return picture.pixelColor(centre.toPoint());
        };
        QCOMPARE(at(Lamp::Z), kLampOn);
        QCOMPARE(at(Lamp::WR), kLampOn);
        QCOMPARE(at(Lamp::S), kLampOff);
        QCOMPARE(at(Lamp::DBIN), kLampOff);
        // A lamp lit after the zoom is drawn there too.
        m.s.lamps = lampBit(Lamp::S);
        scheme.showState(m);
        QCOMPARE(scheme.lampColorAt(Lamp::S), kLampOn);
        QCOMPARE(scheme.lampColorAt(Lamp::Z), kLampOff);
    }

    // At 200 % on a screen of two device pixels to a pixel every picture pixel is 4 x 4 device
    // pixels, drawn at that size: a frame comes out in its own colours only, and a round lamp's
    // edges blend in at most one device pixel. A picture drawn smaller and stretched blends in
    // runs of two or more.
    void schemeIsCrispOnADenseScreen() {
        SchemeWidget scheme;
        scheme.setZoom(2.0);
        QImage image(scheme.size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        scheme.render(&image);
        const QColor background(196, 196, 192), box(242, 242, 234), rim(60, 60, 60);
        // Down through the top frame of the data buffer (picture column 230, rows 16..26).
        for (int y = 16 * 4; y < 27 * 4; ++y)
            QVERIFY2(near(image.pixel(230 * 4 + 2, y), {background, Qt::black, box}),
                     qPrintable(QString::number(y)));
        // Across lamp Z: the box round it, its rim, the gap, the spot; rows through the middle.
        const QPoint z = SchemeWidget::lampPoint(Lamp::Z);
        for (int y = z.y() * 4; y < z.y() * 4 + 4; ++y) {
            bool blended = false;
            for (int x = (z.x() - 7) * 4; x < (z.x() + 8) * 4; ++x) {
                const bool now = !near(image.pixel(x, y), {box, rim, kLampOff});
                QVERIFY2(!(now && blended), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
                blended = now;
            }
        }
    }

    void monitorPixelsStaySharpBlocks() {
        ScriptedMessages messages;
        TMonFrm frm(messages);
        for (int b : {0x81, 0x10, 0x20, 0x81, 0x11, 0x21}) frm.device().byteInput(uint8_t(b));
        QVERIFY(Zoom::instance().setPercent(200));
        QCOMPARE(frm.size(), QSize(840, 760));
        auto* screen = frm.findChild<QWidget*>("ScreenImg");
        const QImage shown = screen->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage want =
            frm.device()
                .screen()
                .convertToFormat(QImage::Format_RGB32)
                .scaled(screen->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QCOMPARE(shown, want);
    }

    void choiceIsKeptAndStepsByTheKeys() {
        SettingsFileKeeper keeper;
        ScriptedMessages messages;
        TMainFrm frm(messages);
        frm.show();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        auto item = [&](const char* name) { return frm.findChild<QAction*>(name); };
        auto saved = [] { return Settings().read(QStringLiteral("View"), QStringLiteral("Zoom")); };

        item("Zoom_200")->trigger();
        QCOMPARE(Zoom::instance().percent(), 200);
        QCOMPARE(saved(), QStringLiteral("200"));
        QTest::keyClick(&frm, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(Zoom::instance().percent(), 300);
        QVERIFY(item("Zoom_300")->isChecked() && !item("Zoom_200")->isChecked());
        QVERIFY(!item("ZoomIn_Item")->isEnabled());  // the largest step
        QTest::keyClick(&frm, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(Zoom::instance().percent(), 200);
        QTest::keyClick(&frm, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(Zoom::instance().percent(), 100);
        QCOMPARE(saved(), QStringLiteral("100"));
        QVERIFY(item("Zoom_100")->isChecked() && !item("ZoomOut_Item")->isEnabled());
    }

    // The items follow a language switched while the program runs.
    void itemsFollowTheLanguage() {
        struct Marking : QTranslator {
            QString translate(const char*, const char* source, const char*, int) const override {
                return QStringLiteral("<%1>").arg(QString::fromUtf8(source));
            }
            bool isEmpty() const override { return false; }
        } marking;
        ScriptedMessages messages;
        TMainFrm frm(messages);
        auto* menu = frm.findChild<QMenu*>("Zoom_Menu");
        QCoreApplication::installTranslator(&marking);
        QCoreApplication::processEvents();
        QCOMPARE(menu->title(), QStringLiteral("<Масштаб>"));
        QCOMPARE(frm.findChild<QAction*>("Zoom_125")->text(), QStringLiteral("<125 %>"));
        QCoreApplication::removeTranslator(&marking);
        QCoreApplication::processEvents();
        QCOMPARE(frm.findChild<QAction*>("ZoomReset_Item")->text(),
                 QStringLiteral("Исходный масштаб"));
    }
};

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
