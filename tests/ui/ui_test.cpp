// What the window folders share: where a window opens beside the main window, which window a
// message belongs over, the folder file dialogs start in, Qt's texts in Russian, the windows' zoom.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include "DialogFolders.h"
#include "Translations.h"
#include "WindowPlacement.h"
#include "Zoom.h"
#include "Settings.h"

using namespace orlan;

class UiTest : public QObject {
    Q_OBJECT

private slots:
    void windowsOpenBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("cascade");
        QTest::addColumn<QPoint>("expected");
        const QSize tool(300, 400);
        // Screen 0,0 1280 x 1024; the gap beside the anchor is 8, a cascade step 28.
        QTest::newRow("right") << QRect(100, 100, 667, 500) << tool << 0 << QPoint(775, 100);
        QTest::newRow("right, second") << QRect(100, 100, 667, 500) << tool << 1 << QPoint(775, 128);
        QTest::newRow("left") << QRect(600, 100, 667, 500) << tool << 0 << QPoint(292, 100);
        QTest::newRow("neither: the roomier side")
            << QRect(200, 100, 900, 500) << tool << 1 << QPoint(0, 128);
        QTest::newRow("kept above the bottom") << QRect(100, 700, 667, 300) << tool << 0 << QPoint(775, 624);
        QTest::newRow("larger than the screen") << QRect(0, 0, 1280, 1024) << QSize(1400, 1100) << 2
                                                << QPoint(0, 0);
    }
    void windowsOpenBesideTheMainWindow() {
        QFETCH(QRect, anchor);
        QFETCH(QSize, size);
        QFETCH(int, cascade);
        QFETCH(QPoint, expected);
        QCOMPARE(besideWindow(anchor, size, QRect(0, 0, 1280, 1024), cascade), expected);
    }

    void messagesGoOverTheWindowTheUserSees() {
        QWidget main;
        auto* tool = new QWidget(&main, Qt::Tool);
        main.show();
        QCOMPARE(messageParent(tool), &main);  // hidden: over the window that owns it
        tool->show();
        QCOMPARE(messageParent(tool), tool);
        QDialog dialog(&main);
        QWidget* parent = nullptr;
        QTimer::singleShot(0, &dialog, [&] {
            parent = messageParent(tool);
            dialog.reject();
        });
        dialog.exec();
        QCOMPARE(parent, &dialog);  // an open modal dialog comes first
    }

    void fileDialogsStartInDocumentsThenInTheLastFolder() {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("work.vst"));
        QFile(chosen).open(QIODevice::WriteOnly);
        QFileDialog dialog;
        dialog.setFileMode(QFileDialog::ExistingFile);
        QStringList startedIn;
        auto answer = [&](bool choose) {
            QTimer::singleShot(0, &dialog, [&, choose] {
                startedIn << QDir(dialog.directory()).absolutePath();
                if (!choose) return dialog.reject();
                // Typed as a user would (selectFile leaves a focused name field alone).
                dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(chosen);
                static_cast<QDialog&>(dialog).accept();  // as the OK button does
            });
        };
        answer(false);
        QCOMPARE(execFileDialog(&dialog), QString());
        answer(true);
        QCOMPARE(execFileDialog(&dialog), chosen);
        answer(false);
        execFileDialog(&dialog);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY2(startedIn[0] == QDir(documents).absolutePath() || startedIn[0] == QDir::homePath(),
                 qPrintable(startedIn[0]));
        QCOMPARE(startedIn[2], QDir(dir.path()).absolutePath());
    }

    void zoomSettingReadsBack_data() {
        QTest::addColumn<QString>("written");  // null: no key at all
        QTest::addColumn<int>("percent");
        QTest::newRow("200") << QStringLiteral("200") << 200;
        QTest::newRow("spaces round 125") << QStringLiteral(" 125 ") << 125;
        QTest::newRow("missing") << QString() << 100;
        QTest::newRow("not a step") << QStringLiteral("175") << 100;
        QTest::newRow("not a number") << QStringLiteral("300%") << 100;
    }
    void zoomSettingReadsBack() {
        QFETCH(QString, written);
        QFETCH(int, percent);
        QTemporaryDir dir;
        const Settings settings(dir.filePath(QStringLiteral("ORLAN.ini")));
        if (!written.isNull()) QVERIFY(settings.write("View", "Zoom", written));
        QCOMPARE(savedZoom(settings), percent);
        QVERIFY(saveZoom(settings, 300));
        QCOMPARE(savedZoom(settings), 300);
    }

    void zoomStepsAndStopsAtTheEnds() {
        Zoom& zoom = Zoom::instance();
        QSignalSpy changed(&zoom, &Zoom::changed);
        QVERIFY(!zoom.setPercent(175));
        zoom.zoomOut();
        QCOMPARE(zoom.percent(), 100);
        QCOMPARE(changed.count(), 0);
        for (int step = 0; step < 6; ++step) zoom.zoomIn();
        QCOMPARE(zoom.percent(), 300);
        QCOMPARE(changed.count(), 4);
        QCOMPARE(changed.last().first().toReal(), 3.0);
        zoom.zoomOut();
        QCOMPARE(zoom.percent(), 200);
        QVERIFY(zoom.setPercent(100));
    }

    // A window laid out by Qt: fixed sizes, margins and fonts grow, the size the user gave the
    // window grows with them, and going back gives exactly the window it was.
    void zoomedWindowComesBackExactly() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(6, 6, 6, 6);
        auto* button = new QToolButton(&window);
        button->setFixedSize(26, 26);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        button->setFont(font);
        layout->addWidget(button);
        layout->addWidget(new QLineEdit(&window));
        window.resize(400, 300);
        ZoomedWidgets zoomed(&window);

        zoomed.apply(1.5);
        QCOMPARE(button->size(), QSize(39, 39));
        QCOMPARE(button->font().pixelSize(), 17);
        QCOMPARE(layout->contentsMargins(), QMargins(9, 9, 9, 9));
        QCOMPARE(window.size(), QSize(600, 450));
        zoomed.apply(2);
        QCOMPARE(window.size(), QSize(800, 600));
        zoomed.apply(1);
        QCOMPARE(button->size(), QSize(26, 26));
        QCOMPARE(button->font().pixelSize(), 11);
        QCOMPARE(layout->contentsMargins(), QMargins(6, 6, 6, 6));
        QCOMPARE(window.size(), QSize(400, 300));
    }

    void qtDialogsSpeakRussian() {
        QVERIFY(installQtTranslations(*QCoreApplication::instance()));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
