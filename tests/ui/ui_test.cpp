// What the window folders share: where a window opens beside the main window, which window a
// message belongs over, the folder file dialogs start in, and Qt's texts in Russian.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "DialogFolders.h"
#include "Translations.h"
#include "WindowPlacement.h"

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

    void qtDialogsSpeakRussian() {
        QVERIFY(installQtTranslations(*QCoreApplication::instance()));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
